#include "replay/load_progress.h"

#include <cstdint>

#include "console/terminal.h"

namespace zeb {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto redraw_every = std::chrono::milliseconds(100);

}  // namespace

bool loads_quietly() { return in_terminal_session(); }

QuietLoads::QuietLoads(std::string_view word, std::uint32_t total)
    : word_(word),
      total_(total),
      start_(Clock::now()),
      next_draw_(start_ + redraw_every),
      resizes_seen_(resize_count) {
  hold_terminal_echo();
}

QuietLoads::~QuietLoads() {
  erase();
  flush_output();
  give_back_terminal_echo();
}

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
  if (now >= next_draw_ || (shown_ != 0 && resize_count != resizes_seen_)) {
    next_draw_ = now + redraw_every;
    draw();
  }
}

namespace {

// Character cells a UTF-8 text takes: one a character.
std::size_t cells(std::string_view text) {
  std::size_t n = 0;
  for (unsigned char c : text) n += (c & 0xc0) != 0x80;
  return n;
}

// The first `n` characters of a UTF-8 text, and the last.
std::string_view first_cells(std::string_view text, std::size_t n) {
  std::size_t at = 0;
  for (; at < text.size(); ++at)
    if ((static_cast<unsigned char>(text[at]) & 0xc0) != 0x80 && n-- == 0) break;
  return text.substr(0, at);
}

std::string_view last_cells(std::string_view text, std::size_t n) {
  std::size_t at = text.size();
  while (at > 0 && n > 0)
    if ((static_cast<unsigned char>(text[--at]) & 0xc0) != 0x80) --n;
  return text.substr(at);
}

}  // namespace

// "  loading WORD: 12 of 300 files, 10 filed, 1.2 s" in at most `columns`
// - 1 cells (0: any width): the last column stays free, so that no terminal
// moves the cursor on a row. The word gives up its middle first, down to a
// character at either end; then the line is cut at its end.
void QuietLoads::compose(std::size_t columns) {
  auto tenths = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count() / 100);
  format_text(counts_, ": %d of %d files, %d filed, %d.%d s",
              {static_cast<long>(done_), static_cast<long>(total_), static_cast<long>(filed_),
               tenths / 10, tenths % 10});
  constexpr std::string_view head = "  loading ";
  std::size_t room = columns == 0 ? SIZE_MAX : columns - 1;
  std::size_t word_cells = cells(word_);
  std::size_t fixed = head.size() + counts_.size();
  line_.assign(head);
  if (fixed + word_cells <= room) {
    line_ += word_;
  } else {
    std::size_t keep = room > fixed + 3 + 2 ? room - fixed - 3 : 2;
    line_ += first_cells(word_, (keep + 1) / 2);
    line_ += "...";
    line_ += last_cells(word_, keep / 2);
  }
  line_ += counts_;
  if (cells(line_) > room) line_.resize(first_cells(line_, room).size());
}

// The rows above the cursor that the progress line takes now: none while
// the terminal is as wide as when it was drawn, since the line never
// reaches the last column; when it was made narrower, a terminal that
// wraps long rows again (most do) put the line on several, the cursor
// behind its end.
std::size_t QuietLoads::rows_above(std::size_t columns) const {
  if (shown_ == 0 || columns == 0 || shown_ < columns) return 0;
  return (shown_ - 1) / columns;
}

void QuietLoads::draw() {
  resizes_seen_ = resize_count;
  std::size_t columns = terminal_columns();
  clear_from_rows_above(rows_above(columns));
  compose(columns);
  write_text(line_);
  shown_ = cells(line_);
  flush_output();
}

void QuietLoads::erase() {
  if (shown_ == 0) return;
  clear_from_rows_above(rows_above(terminal_columns()));
  shown_ = 0;
}

}  // namespace zeb
