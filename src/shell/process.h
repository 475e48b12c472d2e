// What the program asks of the system before anything else: how a reader
// that goes away is taken, and the command line as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace zeb {

// A reader that goes away (zeb ... | head) must not end the program: the
// output is lost, the session goes on, and the exit status stays 0.
void prepare_process();

// The program's arguments, argv[0] first, as UTF-8 text (on Windows taken
// from the wide command line, so any file name arrives whole).
std::vector<std::string> program_arguments(int argc, char** argv);

}  // namespace zeb
