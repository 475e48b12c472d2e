#include "console/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "console/output.h"

namespace zeb {
namespace {

ssize_t read_stdin(char* buffer, std::size_t capacity) {
  for (;;) {
    ssize_t n = ::read(STDIN_FILENO, buffer, capacity);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

constexpr std::size_t chunk_size = 1 << 16;
char chunk[chunk_size];
std::size_t chunk_begin = 0;
std::size_t chunk_end = 0;
bool at_end = false;
InputSource source = read_stdin;

// Refills the chunk; false when the source has nothing more.
bool refill() {
  if (at_end) return false;
  flush_output();  // the prompt must be on screen while we wait
  ssize_t n = source(chunk, chunk_size);
  if (n <= 0) {
    at_end = true;
    return false;
  }
  chunk_begin = 0;
  chunk_end = static_cast<std::size_t>(n);
  return true;
}

}  // namespace

bool read_line(std::string& line) {
  line.clear();
  bool got_any = false;
  for (;;) {
    if (chunk_begin == chunk_end && !refill()) break;
    got_any = true;
    const char* begin = chunk + chunk_begin;
    const void* newline = std::memchr(begin, '\n', chunk_end - chunk_begin);
    if (newline) {
      std::size_t length = static_cast<std::size_t>(static_cast<const char*>(newline) - begin);
      line.append(begin, length);
      chunk_begin += length + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
    line.append(begin, chunk_end - chunk_begin);
    chunk_begin = chunk_end;
  }
  if (!got_any) return false;
  if (std::size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
  return true;
}

void set_input_source(InputSource new_source) {
  source = new_source ? new_source : read_stdin;
  chunk_begin = chunk_end = 0;
  at_end = false;
}

}  // namespace zeb
