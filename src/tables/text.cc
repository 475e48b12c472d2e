#include "tables/text.h"

#include <cstring>

namespace zeb {

bool texts_equal(const char* first, const char* second) { return std::strcmp(first, second) == 0; }

char* copy_text(const char* source, char* destination) { return std::strcpy(destination, source); }

char* lower_text(char* text) {
  for (char* c = text; *c != '\0'; ++c)
    if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c - 'A' + 'a');
  return text;
}

char* upper_text(char* text) {
  for (char* c = text; *c != '\0'; ++c)
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  return text;
}

}  // namespace zeb
