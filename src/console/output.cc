#include "console/output.h"

#include <cstring>
#include <string>

#include "console/system_io.h"

namespace zeb {
namespace {

constexpr std::size_t buffer_size = 1 << 16;
static_assert(output_room_limit <= buffer_size);
char buffer[buffer_size];
std::size_t used = 0;
std::size_t flush_count = 0;
OutputWriter writer = write_standard_output;
void (*before_write)() = nullptr;

void send(const char* data, std::size_t size) {
  if (before_write != nullptr) {
    void (*before)() = before_write;
    before_write = nullptr;
    before();
  }
  ++flush_count;
  writer(data, size);
}

void append(const char* data, std::size_t size) {
  if (size == 0) return;  // an empty view may hold no pointer at all
  if (used + size > buffer_size) {
    flush_output();
    if (size > buffer_size) {  // larger than the whole buffer: straight through
      send(data, size);
      return;
    }
  }
  std::memcpy(buffer + used, data, size);
  used += size;
}

void append_char(char c) {
  if (used == buffer_size) flush_output();
  buffer[used++] = c;
}

void append_number(long value, int min_digits) {
  char digits[24];
  append(digits, static_cast<std::size_t>(put_decimal(digits, value, min_digits) - digits));
}

}  // namespace

char* put_decimal(char* out, long value, int min_digits) {
  char digits[24];
  int n = 0;
  unsigned long magnitude =
      value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (n < min_digits && n < 20) digits[n++] = '0';
  if (value < 0) *out++ = '-';
  while (n > 0) *out++ = digits[--n];
  return out;
}

void write_text(std::string_view text) { append(text.data(), text.size()); }

void write_line(std::string_view text) {
  append(text.data(), text.size());
  append_char('\n');
}

void write_number(long value) { append_number(value, 1); }

void write_padded(std::string_view text, std::size_t width) {
  write_text(text);
  for (std::size_t pad = text.size(); pad < width; ++pad) append_char(' ');
}

namespace {

// The conversions of write_format, onto any sink with put(data, size).
template <typename Sink>
void format_onto(Sink& sink, std::string_view format, std::initializer_list<FormatArg> args) {
  const FormatArg* arg = args.begin();
  std::size_t i = 0;
  while (i < format.size()) {
    std::size_t percent = format.find('%', i);
    if (percent == std::string_view::npos) percent = format.size();
    sink.put(format.data() + i, percent - i);
    if (percent == format.size()) break;
    std::string_view spec = format.substr(percent);
    if (arg == args.end()) {  // more conversions than arguments: keep the text
      sink.put("%", 1);
      i = percent + 1;
      continue;
    }
    char digits[24];
    if (spec.starts_with("%s")) {
      if (!arg->text.empty()) sink.put(arg->text.data(), arg->text.size());
      i = percent + 2;
    } else if (spec.starts_with("%d")) {
      sink.put(digits, static_cast<std::size_t>(put_decimal(digits, arg->number, 1) - digits));
      i = percent + 2;
    } else if (spec.starts_with("%02d")) {
      sink.put(digits, static_cast<std::size_t>(put_decimal(digits, arg->number, 2) - digits));
      i = percent + 4;
    } else if (spec.starts_with("%-15s")) {
      if (!arg->text.empty()) sink.put(arg->text.data(), arg->text.size());
      for (std::size_t pad = arg->text.size(); pad < 15; ++pad) sink.put(" ", 1);
      i = percent + 5;
    } else {
      sink.put("%", 1);
      i = percent + 1;
      continue;
    }
    ++arg;
  }
}

struct BufferSink {
  void put(const char* data, std::size_t size) { append(data, size); }
};

struct TextSink {
  std::string& text;
  void put(const char* data, std::size_t size) { text.append(data, size); }
};

}  // namespace

void write_format(std::string_view format, std::initializer_list<FormatArg> args) {
  BufferSink sink;
  format_onto(sink, format, args);
}

void format_text(std::string& text, std::string_view format,
                 std::initializer_list<FormatArg> args) {
  text.clear();
  TextSink sink{text};
  format_onto(sink, format, args);
}

OutputMark mark_output() {
  if (buffer_size - used < 8192) flush_output();
  return {used, flush_count};
}

void take_back_output(OutputMark mark) {
  if (mark.flushes == flush_count && mark.at <= used) used = mark.at;
}

std::string_view output_since(OutputMark mark) {
  if (mark.flushes != flush_count || mark.at > used) return {};
  return {buffer + mark.at, used - mark.at};
}

char* output_room(std::size_t size) {
  if (used + size > buffer_size) flush_output();
  return buffer + used;
}

void commit_output(const char* end) { used = static_cast<std::size_t>(end - buffer); }

void flush_output() {
  if (used == 0) return;
  std::size_t size = used;
  used = 0;
  send(buffer, size);
}

void call_before_next_write(void (*before)()) { before_write = before; }

void set_output_writer(OutputWriter new_writer) {
  flush_output();
  writer = new_writer ? new_writer : write_standard_output;
}

}  // namespace zeb
