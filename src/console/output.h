// All of zeb's output goes through here: one buffer in front of one writer.
// Standard output is written only by flush_output(), which the line reader
// calls before it waits for input and start-up calls at exit, so the prompt is
// always on screen while the program waits, and a long listing leaves in
// large blocks.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zeb {

// One argument of write_format: a text for %s and %-15s, a number for %d and %02d.
struct FormatArg {
  constexpr FormatArg(std::string_view t) : text(t), is_number(false) {}
  constexpr FormatArg(const char* t) : text(t), is_number(false) {}
  constexpr FormatArg(long n) : number(n), is_number(true) {}
  constexpr FormatArg(int n) : number(n), is_number(true) {}
  std::string_view text;
  long number = 0;
  bool is_number;
};

// Writes the text as it is.
void write_text(std::string_view text);
// Writes the text and a newline.
void write_line(std::string_view text);
// A number as %d writes it.
void write_number(long value);
// A text left-aligned in a field of `width` characters, as %-15s writes it;
// a longer text is written whole.
void write_padded(std::string_view text, std::size_t width);
// Formatted writing with the conversions zeb's messages use: %s, %d, %02d and
// %-15s. Anything else in the format is written as it stands.
void write_format(std::string_view format, std::initializer_list<FormatArg> args);
// The same conversions into `text` instead of the output: a prompt that the
// line editor shows itself.
void format_text(std::string& text, std::string_view format, std::initializer_list<FormatArg> args);

// Puts the decimal digits of a number at `out`, at least min_digits of them
// (zero-padded, as %02d does), and returns the end; writes no NUL. Room for
// 21 characters is always enough.
char* put_decimal(char* out, long value, int min_digits);

// Room for `size` bytes (at most 4 KiB) straight in the output buffer,
// flushing it first when it has less: a caller that writes many small pieces
// puts them there itself and then hands the end of what it wrote to
// commit_output. Nothing is written until then.
inline constexpr std::size_t output_room_limit = 4096;
char* output_room(std::size_t size);
void commit_output(const char* end);

// Hands everything buffered to the writer.
void flush_output();

// Runs once, just before the next bytes leave for the writer, and is then
// dropped: the line editor takes the prompt and the typed line off the
// screen there, so that whatever work above the prompt writes starts on a
// cleared row. It writes past this module, straight to the terminal.
void call_before_next_write(void (*before)());

// A place in the output, to take back what was written after it: a folder
// load at a terminal keeps only the messages of the files it could not file.
// Taking back works while what follows the mark is still in the buffer; a
// mark leaves room for a few kilobytes of messages behind it.
struct OutputMark {
  std::size_t at;
  std::size_t flushes;  // flushes before the mark: a later one sent the text on
};
OutputMark mark_output();
// Drops what was written since the mark, when it has not left yet.
void take_back_output(OutputMark mark);
// What was written since the mark and is still buffered.
std::string_view output_since(OutputMark mark);

// Where flushed bytes go; the default writes to standard output. Tests and
// fuzzers capture output by installing their own writer.
using OutputWriter = void (*)(const char* data, std::size_t size);
void set_output_writer(OutputWriter writer);  // nullptr restores standard output

}  // namespace zeb
