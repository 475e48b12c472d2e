// zeb as a watcher without a terminal (zeb --watch with a pipe, a file or
// nothing on either side): the prompt waits for input and for the watched
// folders together, the end of input does not end the session, and only an
// end signal does: SIGINT or SIGTERM (on Windows Ctrl-C, Ctrl-Break or the
// console closing), after which zeb ends as at the end of input, status 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zeb {

// Installs the end signals and the input source that a signal wakes.
void start_headless_session();
// Whether an end signal came; it also records an interrupt, so that a load
// under way stops between two files.
bool end_requested();

enum class Woken { input, watch, ended };
// Waits until input can be read (when `with_input`), the watch's descriptor
// or event is ready, `timeout_ms` has passed (-1: no limit; `watch` then),
// or an end signal came.
Woken wait_for_input_or_watch(std::intptr_t watch, int timeout_ms, bool with_input);

}  // namespace zeb
