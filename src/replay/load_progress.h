// A run of loads at a terminal (a folder, or a burst of replays arriving in a
// watched folder): one progress line, redrawn in place at most ten times a
// second and erased at the end, and of each file's messages only those of a
// file that could not be filed because of the file itself, with its path.
// A terminal that scrolled a line for every file would hide the problems.
// The line never wraps: it is cut to the terminal's width, read again at
// each draw and at once when the terminal's size changes, the word
// shortened in its middle with "..." when it must.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/output.h"
#include "replay/load.h"

namespace zeb {

class QuietLoads {
 public:
  QuietLoads(std::string_view word, std::uint32_t total);
  ~QuietLoads();  // erases the progress line
  QuietLoads(const QuietLoads&) = delete;
  QuietLoads& operator=(const QuietLoads&) = delete;

  // Before a file's load: its messages are written from here on.
  void begin_file() { mark_ = mark_output(); }
  // After it: keeps the messages of a problem, drops the others, and
  // redraws the progress line when it is due.
  void end_file(std::string_view path, LoadOutcome outcome);

 private:
  void draw();
  void erase();
  void compose(std::size_t columns);
  std::size_t rows_above(std::size_t columns) const;

  std::string word_;
  std::uint32_t total_;
  std::uint32_t done_ = 0, filed_ = 0;
  std::chrono::steady_clock::time_point start_, next_draw_;
  std::size_t shown_ = 0;  // the progress line's width on screen, 0 when not drawn
  int resizes_seen_;       // the terminal's size changes when it was last drawn
  std::string line_, counts_;
  OutputMark mark_{};
  std::string problem_;  // a problem's messages, moved below the erased line
};

// Whether loads report quietly: standard input and output are a terminal.
bool loads_quietly();

}  // namespace zeb
