// A console session on Windows: standard input and standard output are both
// consoles. The console's own Ctrl-C handling is replaced by one that only
// records the key press, and both code pages are UTF-8 while zeb runs, the
// way zeb's text is written and read.
#include <windows.h>

#include <algorithm>

#include "console/interrupt.h"
#include "console/output.h"
#include "console/terminal.h"

namespace zeb {
namespace {

bool terminal_session = false;
// What zeb found, given back at the end and before a Ctrl-Break or a closed
// window ends the process.
DWORD found_input_mode = 0;
UINT found_input_code_page = 0;
UINT found_output_code_page = 0;

void restore_console() {
  SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), found_input_mode);
  SetConsoleCP(found_input_code_page);
  SetConsoleOutputCP(found_output_code_page);
}

// Runs on a thread of its own, which the system starts for each event.
BOOL WINAPI handle_console_event(DWORD event) {
  if (event == CTRL_C_EVENT) {
    interrupt_flag = 1;
    return TRUE;
  }
  // Ctrl-Break, a closed window, logoff, shutdown: the default handler ends zeb.
  restore_console();
  return FALSE;
}

}  // namespace

volatile std::sig_atomic_t resumed_flag = 0;  // Windows stops no process at Ctrl-Z
volatile std::sig_atomic_t resize_count = 0;  // no signal: the width is read at each draw

void start_terminal_session() {
  DWORD output_mode = 0;
  terminal_session = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &found_input_mode) &&
                     GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &output_mode);
  if (!terminal_session) return;
  found_input_code_page = GetConsoleCP();
  found_output_code_page = GetConsoleOutputCP();
  SetConsoleCtrlHandler(handle_console_event, TRUE);
  SetConsoleCP(CP_UTF8);
  SetConsoleOutputCP(CP_UTF8);
}

void end_terminal_session() {
  if (terminal_session) restore_console();
}

bool in_terminal_session() { return terminal_session; }

// The screen buffer's width: the console wraps lines there, whatever part
// of it the window shows.
std::size_t terminal_columns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 0;
  return info.dwSize.X > 0 ? static_cast<std::size_t>(info.dwSize.X) : 0;
}

void clear_from_rows_above(std::size_t rows_up) {
  flush_output();  // the console's cursor is where zeb's text left it
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(out, &info) || info.dwSize.X <= 0) return;
  long width = info.dwSize.X;
  long row = std::max<long>(info.dwCursorPosition.Y - static_cast<long>(rows_up), 0);
  COORD start = {0, static_cast<SHORT>(row)};
  DWORD written = 0;
  FillConsoleOutputCharacterW(
      out, L' ', static_cast<DWORD>((info.dwCursorPosition.Y + 1 - row) * width), start, &written);
  SetConsoleCursorPosition(out, start);
}

// The console echoes nothing while no read waits: Ctrl-C shows nothing.
void hold_terminal_echo() {}
void give_back_terminal_echo() {}

}  // namespace zeb
