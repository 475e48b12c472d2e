// All of zeb's input comes through here, one line at a time: command lines and
// confirmation answers alike. Nothing is ever discarded, so a script piped to
// standard input runs line after line.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zeb {

// Reads the next line into `line`, without its line end: "\n", or "\r\n".
// A last line without "\n" counts; a NUL byte ends the line's text there.
// Lines of any length are read whole. Output is flushed before the reader
// waits for more input. Returns false at the end of input.
bool read_line(std::string& line);

// Where input bytes come from; the default reads standard input. A source
// returns the number of bytes it put into the buffer, 0 at the end of input.
using InputSource = ssize_t (*)(char* buffer, std::size_t capacity);
// Installs a source and drops whatever was buffered from the old one;
// nullptr restores standard input.
void set_input_source(InputSource source);

}  // namespace zeb
