#include <windows.h>

#include "console/interrupt.h"
#include "console/system_io.h"

namespace zeb {

// WriteFile and ReadFile on the standard handles: bytes pass as they are,
// with none of the C library's "\n" to "\r\n" translation.
namespace {

void write_all(HANDLE out, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(out, data, chunk, &written, nullptr) || written == 0) {
      DWORD error = GetLastError();
      // The pipe's reader is gone: nothing more can be read, so zeb ends
      // here, the reading threads with it, as SIGPIPE ends it elsewhere.
      if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED)
        TerminateProcess(GetCurrentProcess(), 1);
      return;
    }
    data += written;
    size -= written;
  }
}

}  // namespace

void write_standard_output(const char* data, std::size_t size) {
  write_all(GetStdHandle(STD_OUTPUT_HANDLE), data, size);
}

void write_standard_error(const char* data, std::size_t size) {
  write_all(GetStdHandle(STD_ERROR_HANDLE), data, size);
}

std::ptrdiff_t read_standard_input(char* buffer, std::size_t capacity) {
  if (interrupt_pending()) return -1;
  DWORD chunk = capacity > 0x10000000 ? 0x10000000 : static_cast<DWORD>(capacity);
  DWORD got = 0;
  // A pipe whose writer is gone reports an error: that is its end.
  if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, chunk, &got, nullptr)) got = 0;
  if (got == 0 && interrupt_pending()) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace zeb
