// The text of one board file, made by appending to a buffer that is reused
// from file to file and handed to the file in large pieces: no streams, no
// formatting calls, numbers written by hand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "board/board_files.h"

namespace zeb {

// Header texts are bytes read as Windows-1252; these append them as UTF-8.
// For HTML text and double-quoted attributes: & < > " ' become references,
// and control bytes show as the pictures of control characters (U+2400 on).
void append_html(std::string& out, std::string_view bytes);
// A JSON string, quotes included: " \ and control bytes escaped.
void append_json(std::string& out, std::string_view bytes);
// The same for text that is UTF-8 already (the board's title, from the
// command line): its bytes pass as they are, only the markup is escaped.
void append_html_utf8(std::string& out, std::string_view text);
void append_json_utf8(std::string& out, std::string_view text);
// Two lower-case hex digits per byte: a name's bytes as a safe identifier.
void append_hex(std::string& out, std::string_view bytes);
void append_number(std::string& out, long value);
// A time in milliseconds as M:SS.mmm, or SS.mmm under a minute (sectors,
// gaps); a lap as MM:SS.mmm, as the console writes lap times.
void append_time(std::string& out, std::int32_t ms);
void append_lap_time(std::string& out, std::int32_t ms);

class PageText {
 public:
  // Starts the file at `path`; a failure is kept for finish().
  void begin(const std::string& path);
  // Puts the file in place; false with the reason of the first failure.
  bool finish(std::string& reason);

  std::string text;  // appended to directly; handed on once it grows large
  void spill_when_large() {
    if (text.size() >= spill_size) spill();
  }

 private:
  static constexpr std::size_t spill_size = 1 << 18;
  void spill();
  BoardFile file_;
  bool failed_ = false;
  std::string reason_;
};

}  // namespace zeb
