#include <unistd.h>

#include <cerrno>

#include "console/interrupt.h"
#include "console/system_io.h"

namespace zeb {

namespace {

void write_all(int descriptor, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(descriptor, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE) _exit(1);  // SIGPIPE held back: the reader is gone all the same
      return;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace

void write_standard_output(const char* data, std::size_t size) {
  write_all(STDOUT_FILENO, data, size);
}

void write_standard_error(const char* data, std::size_t size) {
  write_all(STDERR_FILENO, data, size);
}

std::ptrdiff_t read_standard_input(char* buffer, std::size_t capacity) {
  for (;;) {
    if (interrupt_pending()) return -1;
    ssize_t n = ::read(STDIN_FILENO, buffer, capacity);
    // Only a terminal session catches Ctrl-C; the look above sees it.
    if (n < 0 && errno == EINTR) continue;
    return n < 0 ? 0 : n;
  }
}

}  // namespace zeb
