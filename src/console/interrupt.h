// Ctrl-C at a terminal. The signal handler only records the key press; the
// prompt loop, the listings and folder loads look at the record between two
// steps, so an interrupted command never leaves the store half-changed.
#pragma once

#include <csignal>

namespace zeb {

// Set by the SIGINT handler; nothing else is safe to do inside it.
extern volatile std::sig_atomic_t interrupt_flag;

inline bool interrupt_pending() { return interrupt_flag != 0; }
// Whether Ctrl-C was pressed since the last call; clears the record.
inline bool take_interrupt() {
  bool pending = interrupt_flag != 0;
  interrupt_flag = 0;
  return pending;
}

}  // namespace zeb
