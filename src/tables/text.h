// The text helpers every room uses on NUL-terminated fields and words.
#pragma once

namespace zeb {

// Byte-wise and case-sensitive.
bool texts_equal(const char* first, const char* second);
// Source first, destination second; the caller guarantees the room.
char* copy_text(const char* source, char* destination);

// ASCII letters changed in place; every other byte stays. Both return the text.
char* lower_text(char* text);
char* upper_text(char* text);

}  // namespace zeb
