// The line editor at a Windows console: the console's own line editing and
// history (Left/Right, Home/End, Esc, Up/Down, F7/F8), with zeb's Tab
// completion on top. A command line is read in the console's line mode with
// Tab as a key that ends the read early, as cmd.exe reads; zeb then writes
// the completion and reads on with the line given back to the console as
// already typed. While a command line is read, work from the prompt watch
// (replays arriving in watched folders) wakes the read the same way; its
// messages go above the prompt and the line is given back as typed. After
// either, the cursor goes back where it was in the line: the read begins
// with it at the line's end, and Left keys put ahead of any typed since move
// it there. A del answer is read key by key, so that it stays out of the
// console's history.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "console/interrupt.h"
#include "console/line_editor.h"
#include "console/output.h"
#include "console/prompt_watch.h"
#include "console/wide_text.h"

namespace zeb {
namespace {

Completer completer = nullptr;

constexpr wchar_t tab_key = L'\t';
// The key the Ctrl-C handler puts into the console's input when the read
// goes on waiting after Ctrl-C (as under Wine); like Tab it ends the read,
// and the console does not show it. Ctrl-^ types it too: then it is ignored.
constexpr wchar_t wake_key = 0x1e;
constexpr wchar_t end_of_input_key = 0x1a;  // Ctrl-Z, then Enter
constexpr std::size_t read_room = 8192;     // the read buffer has this much room past the line

HANDLE console_input() { return GetStdHandle(STD_INPUT_HANDLE); }

void write_console(std::wstring_view text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  while (!text.empty()) {
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(std::min<std::size_t>(text.size(), 16384));
    if (!WriteConsoleW(out, text.data(), size, &written, nullptr) || written == 0) return;
    text.remove_prefix(written);
  }
}

// ---- Ctrl-C during a read ----
//
// Windows ends a line-mode read at Ctrl-C (nothing read, or the operation
// aborted) and runs the handler on a thread of its own, in no set order with
// the read's return. Wine leaves the read waiting with the typed line still
// there; the handler then wakes it with wake_key.

std::atomic<bool> read_waiting{false};

void put_wake_key() {
  INPUT_RECORD key = {};
  key.EventType = KEY_EVENT;
  key.Event.KeyEvent.bKeyDown = TRUE;
  key.Event.KeyEvent.wRepeatCount = 1;
  key.Event.KeyEvent.uChar.UnicodeChar = wake_key;
  DWORD put = 0;
  WriteConsoleInputW(console_input(), &key, 1, &put);
}

// Moves the cursor of the next read `cells` characters to the left: as many
// Left keys go into the console's input, ahead of keys typed meanwhile.
void press_left(std::size_t cells) {
  if (cells == 0) return;
  HANDLE input = console_input();
  DWORD pending = 0;
  GetNumberOfConsoleInputEvents(input, &pending);
  std::vector<INPUT_RECORD> keys(cells + pending);
  DWORD typed = 0;
  if (pending > 0) ReadConsoleInputW(input, keys.data() + cells, pending, &typed);
  for (std::size_t i = 0; i < cells; ++i) {
    KEY_EVENT_RECORD& key = keys[i].Event.KeyEvent;
    keys[i].EventType = KEY_EVENT;
    key.bKeyDown = TRUE;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = VK_LEFT;
    key.wVirtualScanCode = static_cast<WORD>(MapVirtualKeyW(VK_LEFT, MAPVK_VK_TO_VSC));
    key.uChar.UnicodeChar = 0;
    key.dwControlKeyState = ENHANCED_KEY;
  }
  DWORD put = 0;
  WriteConsoleInputW(input, keys.data(), static_cast<DWORD>(cells + typed), &put);
}

BOOL WINAPI wake_read_at_interrupt(DWORD event) {
  if (event != CTRL_C_EVENT || !read_waiting) return FALSE;  // the session's handler records it
  interrupt_flag = 1;
  for (int waited = 0; waited < 50 && read_waiting; waited += 5) Sleep(5);
  if (read_waiting) put_wake_key();
  return TRUE;
}

// ---- the prompt watch during a read ----
//
// A thread for each read of a command line waits for the watch's event, or
// for its timeout, and then wakes the read with wake_key. It is stopped and
// joined as soon as the read returns; from then on it puts no key. A key put
// just as the console ended the read for another reason (Enter, Tab, Ctrl-C)
// reaches the next read, which takes it as a wake with nothing to do, or the
// next answer, which ignores it.

class WatchWaker {
 public:
  explicit WatchWaker(const PromptWatch* watch) {
    if (watch == nullptr) return;
    std::intptr_t descriptor = watch->descriptor();
    int timeout_ms = watch->timeout_ms();
    if (descriptor == -1 && timeout_ms < 0) return;
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stop_ == nullptr) return;
    waking_ = true;
    HANDLE changed = descriptor == -1 ? nullptr : reinterpret_cast<HANDLE>(descriptor);
    thread_ = std::thread([this, changed, timeout_ms] { wait(changed, timeout_ms); });
  }
  ~WatchWaker() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard guard(lock_);
      waking_ = false;
    }
    SetEvent(stop_);
    thread_.join();
    CloseHandle(stop_);
  }
  WatchWaker(const WatchWaker&) = delete;
  WatchWaker& operator=(const WatchWaker&) = delete;

 private:
  void wait(HANDLE changed, int timeout_ms) {
    HANDLE waits[2] = {stop_, changed};
    DWORD count = changed == nullptr ? 1 : 2;
    DWORD timeout = timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
    DWORD waited = WaitForMultipleObjects(count, waits, FALSE, timeout);
    if (waited != WAIT_TIMEOUT && waited != WAIT_OBJECT_0 + 1) return;  // stopped, or failed
    std::lock_guard guard(lock_);
    if (waking_) put_wake_key();
  }

  HANDLE stop_ = nullptr;
  std::mutex lock_;
  bool waking_ = false;  // the read still waits: a key may be put
  std::thread thread_;
};

// A read that came back empty or failed: Ctrl-C, if the handler records one
// soon. Otherwise the console is gone.
bool interrupt_arrives() {
  for (int waited = 0; waited < 200; waited += 5) {
    if (interrupt_pending()) return true;
    Sleep(5);
  }
  return interrupt_pending();
}

// ---- this session's history ----

// The console keeps the lines of a program after it ends and gives them to
// the next process of the same name: a new zeb starts with none.
void forget_earlier_sessions() {
  using Expunge = VOID(WINAPI*)(LPWSTR);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto expunge = reinterpret_cast<Expunge>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "ExpungeConsoleCommandHistoryW")));
  if (expunge == nullptr) return;
  std::wstring path(MAX_PATH, L'\0');
  DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(size);
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  expunge(name.data());
}

void set_up_once() {
  static bool done = false;
  if (done) return;
  done = true;
  forget_earlier_sessions();
  SetConsoleCtrlHandler(wake_read_at_interrupt, TRUE);  // runs before the session's own
}

// ---- one line-mode read ----

enum class ReadEnd { line, tab, wake, interrupted, failed };

// Reads on from `text`, which the console shows before the cursor as typed.
// At a line's end `text` is the line; at Tab or wake_key it is the line
// without that key, and `key_at` is where the key was typed. With a `watch`,
// its work wakes the read too.
ReadEnd read_console(std::wstring& text, std::size_t& key_at, const PromptWatch* watch) {
  std::wstring buffer = text;
  std::size_t initial = text.size();
  text.clear();
  for (;;) {
    if (interrupt_pending()) return ReadEnd::interrupted;
    std::size_t start = buffer.size() - initial;
    buffer.resize(buffer.size() + read_room);
    CONSOLE_READCONSOLE_CONTROL control = {};
    control.nLength = sizeof control;
    control.nInitialChars = static_cast<ULONG>(initial);
    control.dwCtrlWakeupMask = (1u << tab_key) | (1u << wake_key);
    DWORD got = 0;
    BOOL read = FALSE;
    {
      WatchWaker waker(watch);
      read_waiting = true;
      read = ReadConsoleW(console_input(), buffer.data() + start,
                          static_cast<DWORD>(buffer.size() - start), &got, &control);
      read_waiting = false;
    }
    if (!read || got == 0) return interrupt_arrives() ? ReadEnd::interrupted : ReadEnd::failed;
    buffer.resize(start + got);
    std::wstring_view part = std::wstring_view(buffer).substr(start);
    if (part.ends_with(L"\r\n")) {
      buffer.resize(buffer.size() - 2);
      text = std::move(buffer);
      return ReadEnd::line;
    }
    constexpr wchar_t wake_keys[] = {tab_key, wake_key};
    std::size_t key = part.find_first_of(std::wstring_view(wake_keys, 2));
    if (key != std::wstring_view::npos) {
      key_at = start + key;
      ReadEnd end = part[key] == tab_key ? ReadEnd::tab : ReadEnd::wake;
      buffer.erase(key_at, 1);
      text = std::move(buffer);
      return end;
    }
    initial = 0;  // the buffer filled before the line's end: the rest follows
  }
}

// ---- Tab ----

std::size_t shown_width(std::string_view text) {
  std::size_t width = 0;
  for (unsigned char c : text) width += (c & 0xc0) != 0x80;
  return width;
}

std::size_t console_width() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 80;
  return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
}

// The matches under the line in columns, read down, as readline lists them.
// Paths below a typed folder list by the part after it, as shells list them.
void list_matches(std::vector<std::string> matches, std::string_view word) {
  std::size_t cut = word.find_last_of("/\\") + 1;  // 0 when no folder was typed
  for (std::string& match : matches) match.erase(0, std::min(cut, match.size()));
  std::sort(matches.begin(), matches.end());
  matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
  std::size_t column = 0;
  for (const std::string& match : matches) column = std::max(column, shown_width(match));
  column += 2;
  std::size_t width = console_width();
  std::size_t columns = std::max<std::size_t>(width / column, 1);
  if (columns > 1 && columns * column == width)
    --columns;  // the last column ends short of the edge
  std::size_t rows = (matches.size() + columns - 1) / columns;
  std::string list = "\n";
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t at = row; at < matches.size(); at += rows) {
      list += matches[at];
      if (at + rows < matches.size()) list.append(column - shown_width(matches[at]), ' ');
    }
    list += '\n';
  }
  write_console(wide_from_utf8(list));
}

// What replaces the word before the cursor: the matches' common beginning
// (a code typed in capitals comes back in small letters), and a blank after
// a single match that is not a folder. Empty when it gets no further.
std::string completion_of(const std::vector<std::string>& matches, std::string_view word) {
  std::string_view common = matches[0];
  for (const std::string& match : matches) {
    std::size_t same = 0;
    while (same < common.size() && same < match.size() && common[same] == match[same]) ++same;
    common = common.substr(0, same);
  }
  bool folder = common.ends_with('/') || common.ends_with('\\');
  bool blank = matches.size() == 1 && !folder;
  if (common.size() < word.size() || (common == word && !blank)) return {};
  std::string completed(common);
  if (blank) completed += ' ';
  return completed;
}

// Moves the cursor back over `cells` character cells, across the rows the
// line wraps over.
void move_cursor_back(std::size_t cells) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(out, &info) || info.dwSize.X <= 0) return;
  long width = info.dwSize.X;
  long at = info.dwCursorPosition.Y * width + info.dwCursorPosition.X - static_cast<long>(cells);
  if (at < 0) at = 0;
  SetConsoleCursorPosition(out, {static_cast<SHORT>(at % width), static_cast<SHORT>(at / width)});
}

// Tab was typed at `key_at` in `text`; the console shows the line with the
// cursor there. Completes, or with `list` lists the matches (a single match
// always completes), and leaves the cursor at the line's end, where the
// next read takes it up. Returns where the cursor belongs in the line:
// behind the completed word.
std::size_t complete_at(std::string_view prompt, std::wstring& text, std::size_t key_at,
                        bool list) {
  std::wstring after = text.substr(key_at);
  std::string before = utf8_from_wide(std::wstring_view(text).substr(0, key_at));
  std::vector<std::string> matches;
  if (completer != nullptr) completer(before + utf8_from_wide(after), before.size(), matches);
  if (list && matches.size() != 1) {  // a single match always completes
    if (!matches.empty()) {
      list_matches(std::move(matches),
                   std::string_view(before).substr(before.find_last_of(' ') + 1));
      write_console(wide_from_utf8(prompt));
      write_console(text);
      return key_at;
    }
  } else if (!matches.empty()) {
    std::size_t word_at = before.find_last_of(' ') + 1;
    std::string_view word = std::string_view(before).substr(word_at);
    std::string completed = completion_of(matches, word);
    if (!completed.empty()) {
      move_cursor_back(shown_width(word));
      std::wstring wide_word = wide_from_utf8(completed);
      write_console(wide_word);
      text = wide_from_utf8(std::string_view(before).substr(0, word_at)) + wide_word + after;
    }
  }
  write_console(after);
  return text.size() - after.size();
}

// ---- work above the prompt ----

std::size_t shown_width(std::wstring_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](wchar_t c) { return !IS_LOW_SURROGATE(c); }));
}

// Blanks the screen from `cells` character cells before the cursor to the
// end of the cursor's row, and puts the cursor where the blanks begin.
void blank_back(std::size_t cells) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(out, &info) || info.dwSize.X <= 0) return;
  long width = info.dwSize.X;
  long end = (info.dwCursorPosition.Y + 1) * width;
  long at = info.dwCursorPosition.Y * width + info.dwCursorPosition.X - static_cast<long>(cells);
  if (at < 0) at = 0;
  COORD start = {static_cast<SHORT>(at % width), static_cast<SHORT>(at / width)};
  DWORD written = 0;
  FillConsoleOutputCharacterW(out, L' ', static_cast<DWORD>(end - at), start, &written);
  SetConsoleCursorPosition(out, start);
}

// What the prompt watch's first write takes off the screen: the prompt and
// the typed line, the cursor at their end.
std::size_t line_cells = 0;
bool line_cleared = false;
void clear_prompt_line() {
  blank_back(line_cells);
  line_cleared = true;
}

// The read was woken with `text` typed and the cursor at `key_at`: the
// cursor goes to the line's end and the watch does its work. Before its
// first bytes go out, the prompt and the line are taken off the screen, so
// the messages start on a cleared row; then the prompt and the line are
// written again below them, the cursor at the line's end, where the next
// read takes it up.
void run_watch(const PromptWatch& watch, std::string_view prompt, const std::wstring& text,
               std::size_t key_at) {
  write_console(std::wstring_view(text).substr(key_at));
  std::wstring wide_prompt = wide_from_utf8(prompt);
  line_cells = shown_width(wide_prompt) + shown_width(text);
  line_cleared = false;
  call_before_next_write(clear_prompt_line);
  bool wrote = watch.run();
  flush_output();
  call_before_next_write(nullptr);
  if (!wrote && !line_cleared) return;
  if (!line_cleared) clear_prompt_line();  // what it wrote was taken back
  write_console(wide_prompt);
  write_console(text);
}

// ---- command lines ----

LineResult read_command_line(std::string_view prompt, std::string& line) {
  const PromptWatch* watch = prompt_watch();
  std::wstring text;
  std::wstring after_tab;  // the line as the last Tab left it
  std::size_t cursor_after_tab = 0;
  bool tab_before = false;
  for (;;) {
    std::size_t key_at = 0;
    ReadEnd end = read_console(text, key_at, watch);
    switch (end) {
      case ReadEnd::line:
        if (text.starts_with(end_of_input_key)) return LineResult::end_of_input;
        line = utf8_from_wide(text);
        return LineResult::line;
      case ReadEnd::tab: {
        bool again = tab_before && key_at == cursor_after_tab && text == after_tab;
        cursor_after_tab = complete_at(prompt, text, key_at, again);
        after_tab = text;
        tab_before = true;
        press_left(shown_width(std::wstring_view(text).substr(cursor_after_tab)));
        break;
      }
      case ReadEnd::wake:
        tab_before = false;
        // Wine's read woken after Ctrl-C; otherwise the prompt watch, a key
        // left over from a wake, or Ctrl-^: the line goes on.
        if (interrupt_pending()) return LineResult::interrupted;
        if (watch != nullptr)
          run_watch(*watch, prompt, text, key_at);
        else
          write_console(std::wstring_view(text).substr(key_at));
        press_left(shown_width(std::wstring_view(text).substr(key_at)));
        break;
      case ReadEnd::interrupted: return LineResult::interrupted;
      case ReadEnd::failed: return LineResult::end_of_input;
    }
  }
}

// ---- answers ----

// Reads the answer key by key, echoing it: a line-mode read would put it in
// the console's history. Enter ends it, Backspace takes back a character,
// Ctrl-C gives `interrupted`; Ctrl-Z first, then Enter, ends the input.
LineResult read_answer(std::string& line) {
  HANDLE input = console_input();
  DWORD found_mode = 0;
  GetConsoleMode(input, &found_mode);
  // Keys one by one, no echo, no mouse or window events; Ctrl-C still goes to the handler.
  constexpr DWORD off = ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_WINDOW_INPUT |
                        ENABLE_MOUSE_INPUT | ENABLE_VIRTUAL_TERMINAL_INPUT;
  SetConsoleMode(input, (found_mode & ~off) | ENABLE_PROCESSED_INPUT);
  std::wstring answer;
  LineResult result = LineResult::end_of_input;
  for (bool done = false; !done;) {
    if (interrupt_pending()) {
      result = LineResult::interrupted;
      break;
    }
    DWORD waited = WaitForSingleObject(input, 50);  // looks at the Ctrl-C record in between
    if (waited == WAIT_TIMEOUT) continue;
    INPUT_RECORD records[64];
    DWORD count = 0;
    if (waited != WAIT_OBJECT_0 || !ReadConsoleInputW(input, records, 64, &count)) break;
    for (DWORD i = 0; i < count && !done; ++i) {
      if (records[i].EventType != KEY_EVENT) continue;
      const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
      wchar_t c = key.uChar.UnicodeChar;
      // A character typed as Alt and its code on the keypad comes as Alt is let go.
      bool typed = key.bKeyDown || (key.wVirtualKeyCode == VK_MENU && c != 0);
      if (!typed || c == 0) continue;
      for (WORD repeat = 0; repeat < std::max<WORD>(key.wRepeatCount, 1) && !done; ++repeat) {
        if (c == L'\r') {
          bool ended = answer.starts_with(end_of_input_key);
          if (!ended) write_console(L"\r\n");  // at the end the line reader ends the line
          result = ended ? LineResult::end_of_input : LineResult::line;
          done = true;
        } else if (c == L'\b') {
          if (answer.empty()) continue;
          bool pair = answer.size() > 1 && IS_LOW_SURROGATE(answer.back());
          write_console(answer.back() == end_of_input_key ? L"\b\b  \b\b" : L"\b \b");
          answer.pop_back();
          if (pair) answer.pop_back();
        } else if (c == end_of_input_key || c >= L' ') {
          answer += c;
          // A character outside the first plane shows once both of its halves came.
          if (c == end_of_input_key)
            write_console(L"^Z");
          else if (IS_LOW_SURROGATE(c) && answer.size() > 1)
            write_console(answer.substr(answer.size() - 2));
          else if (!IS_HIGH_SURROGATE(c))
            write_console(std::wstring_view(&c, 1));
        }
      }
    }
  }
  SetConsoleMode(input, found_mode);
  if (result == LineResult::line) line = utf8_from_wide(answer);
  return result;
}

}  // namespace

bool line_editor_available() { return true; }

LineResult edit_line(std::string_view prompt, std::string& line, LineUse use) {
  set_up_once();
  flush_output();  // what zeb wrote comes before the prompt
  write_console(wide_from_utf8(prompt));
  line.clear();
  return use == LineUse::answer ? read_answer(line) : read_command_line(prompt, line);
}

void set_editor_completer(Completer new_completer) { completer = new_completer; }

}  // namespace zeb
