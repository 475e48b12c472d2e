#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "console/headless.h"
#include "console/interrupt.h"
#include "console/line_reader.h"
#include "console/system_io.h"

namespace zeb {
namespace {

volatile std::sig_atomic_t end_flag = 0;
// The handler writes a byte here, so a wait that began just before the
// signal still wakes.
int wake_pipe[2] = {-1, -1};

void record_end(int) {
  int saved_errno = errno;
  end_flag = 1;
  interrupt_flag = 1;
  char byte = 0;
  // A full pipe wakes the wait already: what write says does not matter.
  [[maybe_unused]] ssize_t written = ::write(wake_pipe[1], &byte, 1);
  errno = saved_errno;
}

void install(int signal_number) {
  struct sigaction found = {};
  sigaction(signal_number, nullptr, &found);
  if (found.sa_handler == SIG_IGN) return;  // as its starter wanted (a background job, nohup)
  struct sigaction action = {};
  action.sa_handler = record_end;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
}

// Standard input read only once it has bytes or its end, or not at all once
// the session is to end.
std::ptrdiff_t read_input_or_end(char* buffer, std::size_t capacity) {
  if (wait_for_input_or_watch(-1, -1, true) == Woken::ended) return -1;
  return read_standard_input(buffer, capacity);
}

}  // namespace

void start_headless_session() {
  if (::pipe(wake_pipe) != 0) return;
  for (int fd : wake_pipe) {
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
  }
  install(SIGINT);
  install(SIGTERM);
  set_input_source(read_input_or_end);
}

bool end_requested() { return end_flag != 0; }

Woken wait_for_input_or_watch(std::intptr_t watch, int timeout_ms, bool with_input) {
  for (;;) {
    if (end_flag) return Woken::ended;
    pollfd waits[3] = {{wake_pipe[0], POLLIN, 0},
                       {static_cast<int>(watch), POLLIN, 0},
                       {with_input ? STDIN_FILENO : -1, POLLIN, 0}};
    int ready = ::poll(waits, 3, timeout_ms);
    if (end_flag) return Woken::ended;
    if (ready < 0) {
      if (errno == EINTR) continue;
      return with_input ? Woken::input : Woken::watch;  // the read shows what is wrong
    }
    if (waits[2].revents != 0) return Woken::input;  // bytes, the end, or a failure
    return Woken::watch;                             // the watch, or the time is up
  }
}

}  // namespace zeb
