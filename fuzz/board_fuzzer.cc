// Arbitrary bytes as a replay header, through the real record making into a
// ranking beside two plain entries, then the board's ranking page and its
// JSON: the header's texts must come out as text, never as markup, and the
// JSON string must read back as the bytes read as Windows-1252. Runs on the
// replay fuzzer's inputs.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/page_text.h"
#include "board/pages.h"
#include "board/sectors.h"
#include "replay/header.h"
#include "replay/load.h"
#include "test_support.h"

namespace {

// Windows-1252 as the reader is to see it, written out again here so the
// check does not lean on the writer's own table.
constexpr char32_t high[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                               0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                               0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};

// The next code point of valid UTF-8 at `at`; aborts on anything else.
char32_t next_code_point(const std::string& text, std::size_t& at) {
  auto b = static_cast<unsigned char>(text[at++]);
  if (b < 0x80) return b;
  int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
  if (more < 0 || at + more > text.size()) std::abort();
  char32_t c = b & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    auto n = static_cast<unsigned char>(text[at++]);
    if ((n & 0xC0) != 0x80) std::abort();
    c = (c << 6) | (n & 0x3F);
  }
  return c;
}

void check_utf8(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) next_code_point(text, at);
}

// The JSON string read back, each character checked against its byte.
void check_json(std::string_view bytes) {
  std::string out;
  zeb::append_json(out, bytes);
  if (out.size() < 2 || out.front() != '"' || out.back() != '"') std::abort();
  std::size_t at = 1;
  for (char byte : bytes) {
    auto b = static_cast<unsigned char>(byte);
    char32_t c;
    if (out[at] == '\\') {
      char e = out[at + 1];
      if (e == 'u') {
        c = static_cast<char32_t>(std::strtoul(out.substr(at + 2, 4).c_str(), nullptr, 16));
        at += 6;
      } else {
        c = static_cast<unsigned char>(e);
        if (e != '"' && e != '\\') std::abort();
        at += 2;
      }
    } else {
      c = next_code_point(out, at);
      if (c < 0x20 || c == '"' || c == '\\') std::abort();  // must have been escaped
    }
    char32_t expected = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : b;
    if (c != expected) std::abort();
  }
  if (at != out.size() - 1) std::abort();
}

std::size_t count_of(const std::string& text, char c) {
  std::size_t n = 0;
  for (char t : text) n += t == c;
  return n;
}

zeb::LapRecord cell[zeb::cell_size];

std::string ranking_page(const zeb::LapRecord& record) {
  static bool empty_behind = [] {  // only the first three slots ever change
    for (zeb::LapRecord& slot : cell) zeb::init_record(slot);
    return true;
  }();
  (void)empty_behind;
  cell[0] = zeb::test::make_record("first", 1000);
  cell[1] = record;
  cell[1].laptime = 2000;
  cell[2] = zeb::test::make_record("last", 3000);
  std::string page;
  zeb::write_ranking_page(page, {"fuzz", 1}, {1, 18, 0}, zeb::Cell(cell, zeb::cell_size));
  return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zeb;
  if (size > 600) return -1;
  SprHeader header{};
  std::memcpy(&header, data, size < sizeof header ? size : sizeof header);
  complete_track_code(header);
  LapRecord record;
  init_record(record);
  record_from_header(header, record);
  if (record.racer[0] == '\0') return 0;

  for (std::string_view text : {racer_text(header), track_name_text(header), car_name_text(header),
                                std::string_view(record.racer)}) {
    std::string out;
    append_html(out, text);
    check_utf8(out);
    for (char c : out)
      if (c == '<' || c == '>' || c == '"' || c == '\'') std::abort();
    check_json(text);
  }
  // The page with the replay's racer has the markup of one with a plain
  // name: the name brought no tag, quote or attribute of its own.
  std::string page = ranking_page(record);
  check_utf8(page);
  LapRecord plain = record;
  std::strcpy(plain.racer, "plain");
  std::string plain_page = ranking_page(plain);
  for (char c : {'<', '>', '"', '\''})
    if (count_of(page, c) != count_of(plain_page, c)) std::abort();
  // Sectors are never negative, and add up to the lap.
  Sectors s = sectors_of(record);
  std::int64_t sum = 0;
  for (int k = 0; k < s.count; ++k) {
    if (s.ms[k] <= 0) std::abort();
    sum += s.ms[k];
  }
  if (s.count > 0 && sum != split_ms(record.splits[s.count - 1])) std::abort();
  return 0;
}
