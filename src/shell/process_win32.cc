#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include "console/wide_text.h"
#include "shell/process.h"

namespace zeb {

// A write to a pipe whose reader is gone ends zeb (console/system_io_win32.cc).
// No "insert a disk" box for a drive without its medium: the load reports
// the file as not opened instead.
void prepare_process() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

std::vector<std::string> program_arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(utf8_from_wide(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace zeb
