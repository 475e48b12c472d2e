// The line editor at a terminal: GNU readline when zeb is built with it
// (line editing, this session's history, Tab completion), otherwise nothing,
// and the line reader reads the terminal as it reads a pipe.
#pragma once

#include <string>
#include <string_view>

#include "console/completer.h"
#include "console/line_reader.h"

namespace zeb {

// Whether this build has a line editor.
bool line_editor_available();

// Shows the prompt and edits one line. Ctrl-C (interrupt_flag set) gives
// `interrupted`; Ctrl-D on an empty line and a terminal that goes away give
// `end_of_input`. A command line joins the history unless it is blank or
// repeats the line before.
LineResult edit_line(std::string_view prompt, std::string& line, LineUse use);

void set_editor_completer(Completer completer);

}  // namespace zeb
