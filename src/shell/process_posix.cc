#include <csignal>

#include "shell/process.h"

namespace zeb {

void prepare_process() { std::signal(SIGPIPE, SIG_DFL); }

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace zeb
