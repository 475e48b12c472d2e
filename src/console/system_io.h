// Standard input and output as bytes, beneath the output module and the line
// reader: the one place that knows how the system reads and writes them.
#pragma once

#include <cstddef>

namespace zeb {

// Writes every byte to standard output, exactly as given (no line-end
// translation anywhere). When the reader of a pipe went away, the program
// ends there: by SIGPIPE on POSIX systems, with status 1 where there is no
// such signal.
void write_standard_output(const char* data, std::size_t size);

// The same onto standard error, for the few lines that are not the session's
// own output (a board that cannot be written).
void write_standard_error(const char* data, std::size_t size);

// Reads up to `capacity` bytes of standard input: how many came, 0 at the end
// of input or on a failure, -1 when Ctrl-C came before or during the wait.
std::ptrdiff_t read_standard_input(char* buffer, std::size_t capacity);

}  // namespace zeb
