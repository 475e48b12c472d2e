#include <csignal>

#include "shell/startup.h"

int main(int argc, char** argv) {
  // A reader that goes away (zeb ... | head) must not end the program: the
  // output is lost, the session goes on, and the exit status stays 0.
  std::signal(SIGPIPE, SIG_IGN);
  return zeb::run_zeb(argc, argv);
}
