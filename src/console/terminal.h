// A terminal session: standard input and standard output are both terminals.
// Only then does zeb catch Ctrl-C (to keep the store) and use the line
// editor; with a pipe or a file on either side nothing here is switched on.
#pragma once

#include <csignal>
#include <cstddef>

namespace zeb {

// Decides whether this is a terminal session and, if so, installs the signal
// handlers: SIGINT only records the key press (console/interrupt.h); a signal
// that ends the program first puts the terminal back as it was found, and so
// does Ctrl-Z until zeb goes on.
void start_terminal_session();
// Puts the terminal back as start_terminal_session found it.
void end_terminal_session();
bool in_terminal_session();

// Set when zeb goes on after Ctrl-Z and `fg`: the line editor shows its line again.
extern volatile std::sig_atomic_t resumed_flag;

// Counts the terminal's changes of size (SIGWINCH); whoever draws to its
// width compares it with the count it last saw. Windows has no such signal:
// the console's width is read again at each redraw there.
extern volatile std::sig_atomic_t resize_count;

// The terminal's width in columns, where its lines wrap; 0 when unknown.
std::size_t terminal_columns();

// Puts the cursor at the start of the row `rows_up` rows above its own and
// blanks the screen from there to the end of the cursor's row and below:
// a line drawn again in place takes back every row that a terminal made
// narrower wrapped it onto. Goes through the output module, in order.
void clear_from_rows_above(std::size_t rows_up);

// While zeb draws at a terminal (a load's progress line), keys typed ahead
// are not echoed by the terminal, so neither they nor Ctrl-C's "^C" land in
// the drawing; the line editor shows typed keys once it reads them.
void hold_terminal_echo();
void give_back_terminal_echo();

}  // namespace zeb
