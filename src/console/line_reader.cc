#include "console/line_reader.h"

#include <cstring>

#include "console/headless.h"
#include "console/interrupt.h"
#include "console/line_editor.h"
#include "console/output.h"
#include "console/prompt_watch.h"
#include "console/system_io.h"
#include "console/terminal.h"

namespace zeb {
namespace {

constexpr std::size_t chunk_size = 1 << 16;
char chunk[chunk_size];
std::size_t chunk_begin = 0;
std::size_t chunk_end = 0;
bool at_end = false;
bool interrupted = false;  // the last refill ended at Ctrl-C
InputSource source = read_standard_input;
InputObserver observer = nullptr;
std::uint64_t lines_returned = 0;

// Refills the chunk; false when the source has nothing more, or at Ctrl-C.
// `mid_line`: the line being read began in the chunk before.
bool refill(bool mid_line) {
  if (at_end) return false;
  flush_output();  // the prompt must be on screen while we wait
  std::ptrdiff_t n = source(chunk, chunk_size);
  if (n < 0 && interrupt_pending()) {
    interrupted = true;
    return false;
  }
  if (n <= 0) {
    at_end = true;
    return false;
  }
  chunk_begin = 0;
  chunk_end = static_cast<std::size_t>(n);
  if (observer != nullptr) observer({chunk, chunk_end}, lines_returned + 1, mid_line);
  return true;
}

Completer completer = nullptr;
bool terminal_input_ended = false;
const PromptWatch* watch = nullptr;

// The terminal without a line editor: the line reader, where Ctrl-C drops
// the line read so far.
LineResult read_terminal_line(std::string& line) {
  interrupted = false;
  if (read_line(line)) return LineResult::line;
  if (!interrupted) return LineResult::end_of_input;
  line.clear();
  chunk_begin = chunk_end = 0;
  return LineResult::interrupted;
}

// Away from a terminal (zeb --watch), what the watch loads while zeb waits
// starts on a line of its own below the prompt that waits, which is then
// written again under the messages; true when it wrote anything.
bool run_watch_below(bool prompt_open, std::string_view prompt_again) {
  OutputMark mark = mark_output();
  if (prompt_open) write_text("\n");
  if (!watch->run()) {
    take_back_output(mark);
    return false;
  }
  write_text(prompt_again);
  return true;
}

// Loads arrivals until a command line can be read; false when an end signal came.
bool wait_for_command_line(std::string_view prompt) {
  while (chunk_begin == chunk_end && !at_end) {
    flush_output();
    Woken woken = wait_for_input_or_watch(watch->descriptor(), watch->timeout_ms(), true);
    if (woken == Woken::ended) return false;
    if (woken == Woken::input) return true;
    run_watch_below(true, prompt);
  }
  return true;
}

}  // namespace

void watch_until_ended() {
  if (in_terminal_session() || watch == nullptr) return;
  bool prompt_open = true;  // the prompt that met the end of input
  for (;;) {
    flush_output();
    if (wait_for_input_or_watch(watch->descriptor(), watch->timeout_ms(), false) == Woken::ended)
      return;
    if (run_watch_below(prompt_open, {})) prompt_open = false;
  }
}

LineResult read_prompted_line(std::string_view prompt, std::string& line, LineUse use) {
  if (!in_terminal_session()) {
    if (watch != nullptr && end_requested()) return LineResult::end_of_input;
    write_text(prompt);
    if (watch != nullptr && use == LineUse::command && !wait_for_command_line(prompt))
      return LineResult::end_of_input;
    return read_line(line) ? LineResult::line : LineResult::end_of_input;
  }
  if (terminal_input_ended) return LineResult::end_of_input;
  // What arrived while the last command ran comes before the prompt.
  if (use == LineUse::command && watch != nullptr) watch->run();
  LineResult result;
  if (line_editor_available()) {
    set_editor_completer(completer);
    result = edit_line(prompt, line, use);
  } else {
    write_text(prompt);
    result = read_terminal_line(line);
  }
  // At a terminal the cursor stays behind the prompt or the dropped line:
  // what comes next starts on a line of its own.
  if (result != LineResult::line) write_text("\n");
  if (result == LineResult::end_of_input) terminal_input_ended = true;
  return result;
}

void set_completer(Completer new_completer) { completer = new_completer; }

void set_prompt_watch(const PromptWatch* new_watch) { watch = new_watch; }
const PromptWatch* prompt_watch() { return watch; }

bool read_line(std::string& line) {
  line.clear();
  bool got_any = false;
  for (;;) {
    if (chunk_begin == chunk_end && !refill(got_any)) break;
    got_any = true;
    const char* begin = chunk + chunk_begin;
    const void* newline = std::memchr(begin, '\n', chunk_end - chunk_begin);
    if (newline) {
      std::size_t length = static_cast<std::size_t>(static_cast<const char*>(newline) - begin);
      line.append(begin, length);
      chunk_begin += length + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
    line.append(begin, chunk_end - chunk_begin);
    chunk_begin = chunk_end;
  }
  if (!got_any || interrupted) return false;
  if (std::size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
  ++lines_returned;
  return true;
}

std::uint64_t lines_read() { return lines_returned; }

void set_input_observer(InputObserver new_observer) { observer = new_observer; }

void set_input_source(InputSource new_source) {
  source = new_source ? new_source : read_standard_input;
  chunk_begin = chunk_end = 0;
  at_end = false;
}

}  // namespace zeb
