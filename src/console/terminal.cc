#include "console/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

#include "console/interrupt.h"

namespace zeb {
namespace {

bool terminal_session = false;
struct termios found_settings;  // the terminal's settings when zeb started

void record_interrupt(int) { interrupt_flag = 1; }

// SIGTERM, SIGHUP, SIGQUIT: leave the terminal sane, then end as the signal would.
void restore_and_end(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSANOW, &found_settings);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// A signal that zeb's starter ignores (nohup, a background job) stays ignored.
void install(int signal_number, void (*handler)(int)) {
  struct sigaction found = {};
  sigaction(signal_number, nullptr, &found);
  if (found.sa_handler == SIG_IGN) return;
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a read waiting for a line returns at Ctrl-C
  sigaction(signal_number, &action, nullptr);
}

}  // namespace

void start_terminal_session() {
  terminal_session = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  if (!terminal_session) return;
  tcgetattr(STDIN_FILENO, &found_settings);
  install(SIGINT, record_interrupt);
  for (int signal_number : {SIGTERM, SIGHUP, SIGQUIT}) install(signal_number, restore_and_end);
}

void end_terminal_session() {
  if (terminal_session) tcsetattr(STDIN_FILENO, TCSANOW, &found_settings);
}

bool in_terminal_session() { return terminal_session; }

}  // namespace zeb
