#include "replay/load_progress.h"

#include "console/terminal.h"

namespace zeb {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto redraw_every = std::chrono::milliseconds(100);

}  // namespace

bool loads_quietly() { return in_terminal_session(); }

QuietLoads::QuietLoads(std::string_view word, std::uint32_t total)
    : word_(word), total_(total), start_(Clock::now()), next_draw_(start_ + redraw_every) {}

QuietLoads::~QuietLoads() { erase(); }

void QuietLoads::end_file(std::string_view path, LoadOutcome outcome) {
  ++done_;
  if (outcome == LoadOutcome::filed) ++filed_;
  if (!is_file_problem(outcome)) {
    take_back_output(mark_);
  } else if (shown_ != 0 || outcome == LoadOutcome::not_hotlap) {
    // The messages go on a line of their own, where the progress line was;
    // the next draw puts it back below them.
    problem_.assign(output_since(mark_));
    take_back_output(mark_);
    erase();
    if (outcome == LoadOutcome::not_hotlap)  // its message names no file: here it names the path
      write_format("\t%s not loaded (this is not a hotlap file)\n", {path});
    else
      write_text(problem_);
  }
  Clock::time_point now = Clock::now();
  if (now >= next_draw_) {
    next_draw_ = now + redraw_every;
    draw();
  }
}

// Plain text, a carriage return and blanks: no escape sequence, so that
// any terminal and the Windows console show it alike.
void QuietLoads::draw() {
  auto tenths = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count() / 100);
  std::size_t before = shown_;
  format_text(line_, "  loading %s: %d of %d files, %d filed, %d.%d s",
              {std::string_view(word_), static_cast<long>(done_), static_cast<long>(total_),
               static_cast<long>(filed_), tenths / 10, tenths % 10});
  shown_ = line_.size();
  if (before > shown_) line_.append(before - shown_, ' ');
  write_text("\r");
  write_text(line_);
  flush_output();
}

void QuietLoads::erase() {
  if (shown_ == 0) return;
  write_text("\r");
  line_.assign(shown_, ' ');
  write_text(line_);
  write_text("\r");
  shown_ = 0;
}

}  // namespace zeb
