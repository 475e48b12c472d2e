#include <string>
#include <vector>

#include "shell/process.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  zeb::prepare_process();
  std::vector<std::string> arguments = zeb::program_arguments(argc, argv);
  return zeb::run_zeb(arguments);
}
