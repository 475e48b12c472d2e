// Ctrl-C at a terminal. The handler only records the key press; the prompt
// loop, the listings and folder loads look at the record between two steps,
// so an interrupted command never leaves the store half-changed. The handler
// is a signal handler on POSIX systems and runs on a thread of its own on
// Windows: a lock-free atomic serves both.
#pragma once

#include <atomic>

namespace zeb {

extern std::atomic<int> interrupt_flag;
static_assert(std::atomic<int>::is_always_lock_free);

inline bool interrupt_pending() { return interrupt_flag.load() != 0; }
// Whether Ctrl-C was pressed since the last call; clears the record.
inline bool take_interrupt() { return interrupt_flag.exchange(0) != 0; }

}  // namespace zeb
