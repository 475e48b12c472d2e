// A terminal session: standard input and standard output are both terminals.
// Only then does zeb catch Ctrl-C (to keep the store) and use the line
// editor; with a pipe or a file on either side nothing here is switched on.
#pragma once

#include <csignal>

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

}  // namespace zeb
