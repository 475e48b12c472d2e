// What the program asks of the system before anything else: how a reader
// that goes away is taken, and the command line as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace zeb {

// A reader that goes away (zeb ... | head) ends the program at once, as it
// ends any filter: nothing written after that could be read. On POSIX
// systems SIGPIPE does it, even when zeb's starter ignored the signal.
void prepare_process();

// The program's arguments, argv[0] first, as UTF-8 text (on Windows taken
// from the wide command line, so any file name arrives whole).
std::vector<std::string> program_arguments(int argc, char** argv);

}  // namespace zeb
