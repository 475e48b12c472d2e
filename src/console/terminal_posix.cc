#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include "console/interrupt.h"
#include "console/output.h"
#include "console/terminal.h"

namespace zeb {
namespace {

bool terminal_session = false;
struct termios found_settings;  // the terminal's settings when zeb started

void record_interrupt(int) { interrupt_flag = 1; }
void record_resize(int) { resize_count = resize_count + 1; }

struct termios echoing_settings;  // the settings that hold_terminal_echo put aside
bool echo_held = false;

// SIGTERM, SIGHUP, SIGQUIT: leave the terminal sane, then end as the signal would.
void restore_and_end(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSANOW, &found_settings);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void install(int signal_number, void (*handler)(int));

// Ctrl-Z: the shell gets the terminal in the mode zeb found it in; `fg`
// (SIGCONT) lets this handler go on, which gives the editor its mode back.
void stop_and_resume(int) {
  int saved_errno = errno;
  struct termios in_use;
  bool have_mode = tcgetattr(STDIN_FILENO, &in_use) == 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &found_settings);
  struct sigaction stop = {};
  stop.sa_handler = SIG_DFL;
  sigemptyset(&stop.sa_mask);
  sigaction(SIGTSTP, &stop, nullptr);
  sigset_t tstp;
  sigemptyset(&tstp);
  sigaddset(&tstp, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &tstp, nullptr);
  raise(SIGTSTP);  // stopped here until SIGCONT
  sigprocmask(SIG_BLOCK, &tstp, nullptr);
  install(SIGTSTP, stop_and_resume);
  if (have_mode) tcsetattr(STDIN_FILENO, TCSANOW, &in_use);
  resumed_flag = 1;
  errno = saved_errno;
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

volatile std::sig_atomic_t resumed_flag = 0;
volatile std::sig_atomic_t resize_count = 0;

void start_terminal_session() {
  terminal_session = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  if (!terminal_session) return;
  tcgetattr(STDIN_FILENO, &found_settings);
  install(SIGINT, record_interrupt);
  for (int signal_number : {SIGTERM, SIGHUP, SIGQUIT}) install(signal_number, restore_and_end);
  install(SIGTSTP, stop_and_resume);
  install(SIGWINCH, record_resize);
}

void end_terminal_session() {
  if (terminal_session) tcsetattr(STDIN_FILENO, TCSANOW, &found_settings);
}

bool in_terminal_session() { return terminal_session; }

std::size_t terminal_columns() {
  struct winsize size = {};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

void clear_from_rows_above(std::size_t rows_up) {
  write_text("\r");
  if (rows_up > 0) write_format("\033[%dA", {static_cast<long>(rows_up)});
  write_text("\033[J");
}

void hold_terminal_echo() {
  if (!terminal_session || echo_held || tcgetattr(STDIN_FILENO, &echoing_settings) != 0) return;
  struct termios quiet = echoing_settings;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOCTL | ECHONL);
  echo_held = tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0;
}

void give_back_terminal_echo() {
  if (!echo_held) return;
  tcsetattr(STDIN_FILENO, TCSANOW, &echoing_settings);
  echo_held = false;
}

}  // namespace zeb
