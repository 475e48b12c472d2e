// All of zeb's input comes through here, one line at a time: command lines and
// confirmation answers alike. Nothing is ever discarded, so a script piped to
// standard input runs line after line. When standard input and standard
// output are both terminals, the lines are typed into the line editor
// instead (console/terminal.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/completer.h"

namespace zeb {

// Reads the next line into `line`, without its line end: "\n", or "\r\n".
// A last line without "\n" counts; a NUL byte ends the line's text there.
// Lines of any length are read whole. Output is flushed before the reader
// waits for more input. Returns false at the end of input.
bool read_line(std::string& line);

enum class LineResult { line, interrupted, end_of_input };
// Command lines are kept in the session's history; answers are not.
enum class LineUse { command, answer };

// Shows the prompt and reads one line into `line`. Away from a terminal the
// prompt is written to the output and read_line reads the line. At a terminal
// the line editor shows the prompt itself; Ctrl-C gives `interrupted` (the
// line typed so far is dropped and the cursor is on a new line), and Ctrl-D
// on an empty line ends the input as the end of a script does.
LineResult read_prompted_line(std::string_view prompt, std::string& line, LineUse use);

// Away from a terminal with folders watched (zeb --watch), the end of input
// does not end the session: this goes on loading what arrives until an end
// signal (console/headless.h). Returns at once in any other session.
void watch_until_ended();

// What Tab offers in the line editor; nullptr offers nothing.
void set_completer(Completer completer);

// Where input bytes come from; the default reads standard input. A source
// returns the number of bytes it put into the buffer, 0 at the end of input,
// -1 when Ctrl-C came (console/system_io.h).
using InputSource = std::ptrdiff_t (*)(char* buffer, std::size_t capacity);
// Installs a source and drops whatever was buffered from the old one;
// nullptr restores standard input.
void set_input_source(InputSource source);

// How many lines read_line has returned: the number of the line last read.
std::uint64_t lines_read();
// Sees each stretch of input as it comes in, before its lines are read:
// `first_line` is the number of the line its first byte belongs to, a line
// that began in the stretch before when `mid_line`. nullptr sees nothing.
using InputObserver = void (*)(std::string_view text, std::uint64_t first_line, bool mid_line);
void set_input_observer(InputObserver observer);

}  // namespace zeb
