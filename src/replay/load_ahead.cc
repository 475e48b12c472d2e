#include "replay/load_ahead.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "console/line_reader.h"
#include "folders/read_ahead.h"

namespace zeb {
namespace {

// The load lines of one stretch of input, with the stretch itself: each
// named path is ended by a NUL in this copy.
struct ScriptLoads {
  struct Load {
    std::uint64_t line;
    std::uint32_t path;  // where the path starts in `text`
  };
  std::string text;
  std::vector<Load> loads;
  // 1 where the file was read (a regular one); each reading thread writes its own.
  mutable std::vector<unsigned char> read;

  std::uint32_t count() const { return static_cast<std::uint32_t>(loads.size()); }
  struct Reader {
    explicit Reader(const ScriptLoads& s) : script(s) {}
    BlockRead read(std::uint32_t i, FileBlock& block) {
      BlockRead result = BlockRead::ok;
      script.read[i] =
          read_regular_file_block(script.text.data() + script.loads[i].path, block, result);
      return result;
    }
    const ScriptLoads& script;
  };
};

ScriptLoads script;
std::optional<ScriptLoads::Reader> own;
std::optional<ReadAhead<ScriptLoads>> ahead;
std::uint32_t next_load = 0;  // the first load not yet taken

bool is_load_word(std::string_view word) {
  if (word.size() != 1 && word.size() != 4) return false;
  std::string_view load = "load";
  for (std::size_t i = 0; i < word.size(); ++i)
    if ((word[i] | 0x20) != load[i]) return false;
  return true;
}

// The line from `begin` to its "\n" at `end`, cut as the line reader and the
// command loop cut it: without a last "\r", up to a NUL, words between blanks.
void note_line(std::size_t begin, std::size_t end, std::uint64_t line) {
  std::string_view text(script.text.data() + begin, end - begin);
  if (text.ends_with('\r')) text.remove_suffix(1);
  text = text.substr(0, text.find('\0'));
  auto next_word = [&text] {
    std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    std::size_t stop = std::min(text.find(' ', start), text.size());
    std::string_view word = text.substr(start, stop - start);
    text.remove_prefix(stop);
    return word;
  };
  if (!is_load_word(next_word())) return;
  std::string_view path = next_word();
  if (path.empty()) return;
  auto at = static_cast<std::size_t>(path.data() - script.text.data());
  script.text[at + path.size()] = '\0';  // a blank, "\r", NUL or "\n" of this line
  script.loads.push_back({line, static_cast<std::uint32_t>(at)});
}

}  // namespace

void read_ahead_loads(std::string_view text, std::uint64_t first_line, bool mid_line) {
  stop_reading_ahead();
  script.text.assign(text);
  std::size_t at = 0;
  if (mid_line) {  // the rest of a line whose start came before: not read ahead
    at = text.find('\n');
    if (at == std::string_view::npos) return;
    ++at;
    ++first_line;
  }
  // A line without its "\n" yet is left to its turn.
  for (std::size_t end; (end = text.find('\n', at)) != std::string_view::npos; at = end + 1)
    note_line(at, end, first_line++);
  if (script.loads.empty()) return;
  script.read.assign(script.loads.size(), 0);
  own.emplace(script);
  ahead.emplace(script, reading_threads());
}

bool take_read_ahead(std::string_view path, BlockRead& result, FileBlock& block) {
  if (!ahead) return false;
  // Loads of lines that ran as something else (answers to a question) are
  // passed over, so that the readers go on.
  std::uint64_t line = lines_read();
  for (; next_load < script.count() && script.loads[next_load].line < line; ++next_load) {
    ahead->pass(next_load);
    ahead->release(next_load);
  }
  if (next_load == script.count() || script.loads[next_load].line != line) return false;
  const ReadSlot& slot = ahead->take(next_load, *own);
  bool taken = script.read[next_load] && path == script.text.data() + script.loads[next_load].path;
  if (taken) {
    result = slot.result;
    block = slot.block;
  }
  ahead->release(next_load++);
  return taken;
}

void stop_reading_ahead() {
  ahead.reset();  // joins its threads
  own.reset();
  script.loads.clear();
  next_load = 0;
}

}  // namespace zeb
