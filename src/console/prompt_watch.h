// Work that arrives while the prompt waits for a command line (replays
// written into watched folders): the line editor waits for it together with
// the keys, and what it writes appears above the prompt, the line being
// typed kept as it was, text and cursor. While a command runs or a question
// waits for its answer, the work waits for the next prompt.
#pragma once

#include <cstdint>

namespace zeb {

struct PromptWatch {
  // Ready when there may be work: a descriptor that becomes readable on
  // POSIX systems, an event that is signalled on Windows; -1 for none.
  std::intptr_t (*descriptor)();
  int (*timeout_ms)();  // look again after this long even without it; -1: don't
  bool (*run)();        // does the work; true when it wrote something
};

// Installed once at start-up, at a terminal, or away from one for zeb --watch
// (console/headless.h); without one nothing is watched.
void set_prompt_watch(const PromptWatch* watch);
const PromptWatch* prompt_watch();

}  // namespace zeb
