#include "board/page_text.h"

#include "console/output.h"

namespace zeb {
namespace {

using namespace std::literals;

// Windows-1252's characters for the bytes 0x80-0x9F; the five it leaves
// undefined keep their own code, as browsers read them.
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t from_cp1252(unsigned char b) { return b >= 0x80 && b < 0xA0 ? cp1252_high[b - 0x80] : b; }

// One byte of a text as the page has it: read as Windows-1252, or passed on.
void append_character(std::string& out, unsigned char b, bool utf8) {
  if (utf8)
    out += static_cast<char>(b);
  else
    append_utf8(out, from_cp1252(b));
}

constexpr char hex_digits[] = "0123456789abcdef";

// Printable ASCII that needs no reference: most names are all of it.
constexpr bool plain_html(unsigned char b) {
  return b >= 0x20 && b < 0x7F && b != '&' && b != '<' && b != '>' && b != '"' && b != '\'';
}

void append_html_text(std::string& out, std::string_view bytes, bool utf8) {
  std::size_t plain = 0;
  while (plain < bytes.size() && plain_html(static_cast<unsigned char>(bytes[plain]))) ++plain;
  out.append(bytes.data(), plain);
  for (char byte : bytes.substr(plain)) {
    auto b = static_cast<unsigned char>(byte);
    switch (b) {
      case '&': out += "&amp;"sv; break;
      case '<': out += "&lt;"sv; break;
      case '>': out += "&gt;"sv; break;
      case '"': out += "&quot;"sv; break;
      case '\'': out += "&#39;"sv; break;
      default:
        if (b < 0x20 || b == 0x7F)
          append_utf8(out, b == 0x7F ? 0x2421 : 0x2400 + b);
        else
          append_character(out, b, utf8);
    }
  }
}

void append_json_text(std::string& out, std::string_view bytes, bool utf8) {
  out += '"';
  for (char byte : bytes) {
    auto b = static_cast<unsigned char>(byte);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += static_cast<char>(b);
    } else if (b < 0x20 || b == 0x7F) {
      out += "\\u00"sv;
      out += hex_digits[b >> 4];
      out += hex_digits[b & 0xF];
    } else {
      append_character(out, b, utf8);
    }
  }
  out += '"';
}

}  // namespace

void append_html(std::string& out, std::string_view bytes) { append_html_text(out, bytes, false); }
void append_json(std::string& out, std::string_view bytes) { append_json_text(out, bytes, false); }
void append_html_utf8(std::string& out, std::string_view text) {
  append_html_text(out, text, true);
}
void append_json_utf8(std::string& out, std::string_view text) {
  append_json_text(out, text, true);
}

void append_hex(std::string& out, std::string_view bytes) {
  std::size_t at = out.size();
  out.resize(at + 2 * bytes.size());
  for (char byte : bytes) {
    auto b = static_cast<unsigned char>(byte);
    out[at++] = hex_digits[b >> 4];
    out[at++] = hex_digits[b & 0xF];
  }
}

void append_number(std::string& out, long value) {
  char digits[24];
  out.append(digits, put_decimal(digits, value, 1));
}

void append_time(std::string& out, std::int32_t ms) {
  char digits[24];
  char* end = digits;
  if (ms >= 60000) {
    end = put_decimal(end, ms / 60000, 1);
    *end++ = ':';
    end = put_decimal(end, ms / 1000 % 60, 2);
  } else {
    end = put_decimal(end, ms / 1000, 1);
  }
  *end++ = '.';
  end = put_decimal(end, ms % 1000, 3);
  out.append(digits, end);
}

void append_lap_time(std::string& out, std::int32_t ms) {
  char digits[24];
  char* end = put_decimal(digits, ms / 60000, 2);
  *end++ = ':';
  end = put_decimal(end, ms / 1000 % 60, 2);
  *end++ = '.';
  end = put_decimal(end, ms % 1000, 3);
  out.append(digits, end);
}

void PageText::begin(const std::string& path) {
  text.clear();
  file_.discard();
  failed_ = !file_.open(path, reason_);
}

void PageText::spill() {
  if (!failed_) failed_ = !file_.write(text.data(), text.size(), reason_);
  text.clear();
}

bool PageText::finish(std::string& reason) {
  spill();
  if (!failed_) failed_ = !file_.put_in_place(reason_);
  if (!failed_) return true;
  file_.discard();
  reason = reason_;
  return false;
}

}  // namespace zeb
