// The line editor on GNU readline, driven through its callback interface so
// that zeb, not readline, waits for the keys: the wait returns at Ctrl-C,
// readline's own signal handling stays off, and the line is dropped cleanly.
#include <poll.h>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "console/interrupt.h"
#include "console/line_editor.h"
#include "console/output.h"
#include "console/prompt_watch.h"
#include "console/terminal.h"

namespace zeb {
namespace {

Completer completer = nullptr;
std::sig_atomic_t resizes_seen = 0;  // the terminal's size changes readline knows of

// The line readline hands over, and whether it came.
std::string* edited = nullptr;
bool line_done = false;
bool input_ended = false;

void take_line(char* text) {
  rl_callback_handler_remove();  // also puts the terminal back in its usual mode
  line_done = true;
  if (text == nullptr) {
    input_ended = true;
    return;
  }
  edited->assign(text);
  std::free(text);
}

char* copy_for_readline(std::string_view text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

void show_matches(char** matches, int count, int longest);

// Readline's match list: the text that replaces the word first (the
// matches' common beginning), then the matches, then nullptr.
char** complete_word(const char*, int start, int end) {
  rl_attempted_completion_over = 1;  // never readline's own file names
  if (completer == nullptr) return nullptr;
  static std::vector<std::string> matches;
  completer(std::string_view(rl_line_buffer, static_cast<std::size_t>(rl_end)),
            static_cast<std::size_t>(rl_point), matches);
  if (matches.empty()) return nullptr;
  std::string_view common = matches[0];
  for (const std::string& match : matches) {
    std::size_t same = 0;
    while (same < common.size() && same < match.size() && common[same] == match[same]) ++same;
    common = common.substr(0, same);
  }
  std::size_t count = matches.size() == 1 ? 0 : matches.size();
  char** list = static_cast<char**>(std::malloc((count + 2) * sizeof(char*)));
  list[0] = copy_for_readline(common);
  for (std::size_t i = 0; i < count; ++i) list[i + 1] = copy_for_readline(matches[i]);
  list[count + 1] = nullptr;
  if (matches.size() == 1 && matches[0].ends_with('/')) rl_completion_append_character = '\0';
  // Paths below a typed folder list by their last part; anything else in
  // readline's own way, which asks first when the list is long.
  std::string_view word(rl_line_buffer + start, static_cast<std::size_t>(end - start));
  rl_completion_display_matches_hook =
      word.find('/') == std::string_view::npos ? nullptr : show_matches;
  return list;
}

// How many matches the word at the cursor has.
std::size_t count_matches() {
  static std::vector<std::string> matches;
  if (completer == nullptr) return 0;
  completer(std::string_view(rl_line_buffer, static_cast<std::size_t>(rl_end)),
            static_cast<std::size_t>(rl_point), matches);
  return matches.size();
}

// Tab: the first press completes as far as the matches agree; the next press
// on a line that press left as it was lists the matches, unless there is
// only one, which always completes (a folder, then a file in it). Readline's
// own Tab lists only on the third press when the first one added letters.
int complete_or_list(int count, int key) {
  static std::string line_after_tab;
  static int point_after_tab = -1;
  bool again = rl_last_func == complete_or_list && point_after_tab == rl_point &&
               line_after_tab == std::string_view(rl_line_buffer, static_cast<std::size_t>(rl_end));
  int result =
      again && count_matches() != 1 ? rl_possible_completions(count, key) : rl_complete(count, key);
  line_after_tab.assign(rl_line_buffer, static_cast<std::size_t>(rl_end));
  point_after_tab = rl_point;
  return result;
}

// A list of paths shows the part of each after the folder typed so far, as
// shells show them: every match begins with the word at the cursor.
void show_matches(char** matches, int count, int) {
  std::string_view line(rl_line_buffer, static_cast<std::size_t>(rl_point));
  std::string_view word = line.substr(line.rfind(' ') + 1);
  std::size_t cut = word.rfind('/') + 1;  // 0 when no folder was typed
  std::vector<char*> list{matches[0]};
  int widest = 0;
  for (int i = 1; i <= count; ++i) {
    char* part = matches[i] + std::min(cut, std::strlen(matches[i]));
    list.push_back(part);
    widest = std::max(widest, static_cast<int>(std::strlen(part)));
  }
  list.push_back(nullptr);
  rl_display_match_list(list.data(), count, widest);
  rl_forced_update_display();
}

// The key readline gets once Ctrl-C came: Ctrl-\, which a terminal never
// sends as a key (it is the quit signal there), bound to nothing at all, so
// readline's own loops that insert typed-ahead keys end at it.
constexpr int interrupted_key = 0x1c;

int ignore_key(int, int) { return 0; }

// What readline gets instead of a key once Ctrl-C came; the wait that
// follows sees the Ctrl-C and drops the line. Readline reads keys itself
// while it asks "Display all ... possibilities?" or pages a long match list:
// "n" ends the question. It also reads on its own up to the end mark of a
// bracketed paste (ESC [ 200 ~ starts one, typed or sent): it gets that mark.
int key_at_interrupt() {
  static constexpr char paste_end[] = "\033[201~";
  static std::size_t next = 0;
  if (RL_ISSTATE(RL_STATE_COMPLETING)) return 'n';
  if (RL_ISSTATE(RL_STATE_MOREINPUT)) {
    int key = static_cast<unsigned char>(paste_end[next]);
    next = (next + 1) % (sizeof paste_end - 1);
    return key;
  }
  return interrupted_key;
}

// Ctrl-C also empties the terminal's input queue, so a read begun after it
// could wait for a key that never comes: it is not begun.
int read_key(FILE* stream) {
  for (;;) {
    if (interrupt_pending()) return key_at_interrupt();
    unsigned char key;
    ssize_t n = ::read(fileno(stream), &key, 1);
    if (n == 1) return key;
    if (n < 0 && errno == EINTR) continue;
    return EOF;
  }
}

void set_up_once() {
  static bool done = false;
  if (done) return;
  done = true;
  rl_readline_name = "zeb";
  rl_catch_signals = 0;  // Ctrl-C is zeb's: see wait_for_key
  rl_catch_sigwinch = 0;
  rl_change_environment = 0;
  rl_initialize();            // reads inputrc; the settings below hold over it
  static char blank[] = " ";  // words are split at blanks only, as the prompt loop splits them
  rl_basic_word_break_characters = blank;
  rl_completer_word_break_characters = blank;
  rl_attempted_completion_function = complete_word;
  rl_getc_function = read_key;
  // A pasted script runs line by line, as typed lines do.
  rl_variable_bind("enable-bracketed-paste", "off");
  // A history search (Ctrl-R) ends at Ctrl-X, as at Escape: readline 8.2
  // runs a key that Ctrl-X leads to inside a search into a null pointer
  // (Ctrl-R, Ctrl-X, then e, or b, which has no binding).
  rl_variable_bind("isearch-terminators", "\033\012\030");
  rl_bind_key('\t', complete_or_list);
  rl_bind_key(CTRL('W'), rl_unix_word_rubout);
  rl_bind_key(CTRL('U'), rl_unix_line_discard);
  for (const char* home : {"\033[H", "\033OH", "\033[1~", "\033[7~"})
    rl_bind_keyseq(home, rl_beg_of_line);
  for (const char* end : {"\033[F", "\033OF", "\033[4~", "\033[8~"})
    rl_bind_keyseq(end, rl_end_of_line);
  rl_bind_keyseq("\033[3~", rl_delete);
  rl_bind_key(interrupted_key, ignore_key);
  using_history();  // this session's lines only: no history file is read or written
  resizes_seen = resize_count;
}

// Takes the prompt and the typed line off the screen, the cursor at the
// start of their first row.
bool line_cleared = false;
void clear_prompt_line() {
  rl_clear_visible_line();
  std::fflush(rl_outstream);
  line_cleared = true;
}

// Work from the prompt watch, written above the prompt from a cleared row
// on; the prompt and the line being typed are drawn again below it, the
// cursor where it was.
void run_watch(const PromptWatch& watch) {
  line_cleared = false;
  call_before_next_write(clear_prompt_line);
  bool wrote = watch.run();
  flush_output();
  call_before_next_write(nullptr);
  if (!wrote && !line_cleared) return;
  if (!line_cleared) clear_prompt_line();  // what it wrote was taken back
  rl_on_new_line();
  rl_forced_update_display();
  std::fflush(rl_outstream);
}

// Waits until a key can be read; false when Ctrl-C came first. SIGINT is
// blocked between the look at the flag and the wait, so a key press that
// lands in between still ends the wait. While a command line is typed, the
// prompt watch is waited for too.
bool wait_for_key(LineUse use) {
  sigset_t blocked, usual;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGINT);
  sigaddset(&blocked, SIGWINCH);
  sigaddset(&blocked, SIGTSTP);
  const PromptWatch* watch = use == LineUse::command ? prompt_watch() : nullptr;
  for (;;) {
    pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {-1, POLLIN, 0}};
    int timeout_ms = -1;
    if (watch != nullptr) {
      waits[1].fd = static_cast<int>(watch->descriptor());
      timeout_ms = watch->timeout_ms();
    }
    timespec timeout = {timeout_ms / 1000, timeout_ms % 1000 * 1000000L};
    sigprocmask(SIG_BLOCK, &blocked, &usual);
    int ready = 0;
    if (!interrupt_pending() && resize_count == resizes_seen && !resumed_flag)
      ready = ppoll(waits, 2, timeout_ms < 0 ? nullptr : &timeout, &usual);
    sigprocmask(SIG_SETMASK, &usual, nullptr);
    if (resize_count != resizes_seen) {
      resizes_seen = resize_count;
      rl_resize_terminal();
    }
    if (resumed_flag) {
      // The shell left the cursor on a line of its own: the prompt and line go there.
      resumed_flag = 0;
      rl_on_new_line();
      rl_forced_update_display();
    }
    if (interrupt_pending()) return false;
    if (watch != nullptr && (ready == 0 || (ready > 0 && waits[1].revents != 0))) run_watch(*watch);
    if (ready > 0 && waits[0].revents != 0) return true;
    if (ready < 0 && errno != EINTR) return true;  // a failure shows as the end
  }
}

// The lines of this session as they were entered. Walking the history
// edits its lines in place, and readline keeps an undo list for each edited
// line, the line being made and the new line saved while the history is
// walked. Readline 8.2 lets these lists share records, and frees some of
// them (in its history searches, for one) while another list still points
// there, so the records are never followed here: after every line each
// list is kept aside, never freed, and the history is put back to the
// lines as entered. What is kept is a few records for each line that was
// edited, to the end of the process.
std::vector<std::string> session_lines;

// Never destroyed, so that what it holds is still held at exit.
void keep_aside(const void* list) {
  static auto& kept = *new std::vector<const void*>;
  if (list != nullptr) kept.push_back(list);
}

// The new line, set aside while the history is walked, comes back as the
// line being made (readline frees what held it, not its undo list); with
// nothing set aside, readline rings the bell, so the bell is off meanwhile.
void take_back_saved_line() {
  std::string bell(rl_variable_value("bell-style") ? rl_variable_value("bell-style") : "audible");
  rl_variable_bind("bell-style", "none");
  rl_maybe_unsave_line();
  rl_variable_bind("bell-style", bell.c_str());
}

void forget_edits() {
  keep_aside(rl_undo_list);
  rl_undo_list = nullptr;
  take_back_saved_line();
  keep_aside(rl_undo_list);
  rl_undo_list = nullptr;
  HIST_ENTRY** entries = history_list();
  for (int i = 0; i < history_length; ++i) {
    keep_aside(entries[i]->data);
    entries[i]->data = nullptr;
    auto at = static_cast<std::size_t>(i);
    if (at < session_lines.size() && session_lines[at] != entries[i]->line)
      free_history_entry(replace_history_entry(i, session_lines[at].c_str(), nullptr));
  }
}

// Drops the line. A search (Ctrl-R, Alt-P) is ended first: it puts back the
// line it holds.
void drop_line() {
  rl_callback_sigcleanup();
  forget_edits();
  rl_free_line_state();
  rl_cleanup_after_signal();
  rl_callback_handler_remove();
}

bool worth_keeping(const std::string& line) {
  if (line.find_first_not_of(' ') == std::string::npos) return false;
  return session_lines.empty() || line != session_lines.back();
}

}  // namespace

bool line_editor_available() { return true; }

LineResult edit_line(std::string_view prompt, std::string& line, LineUse use) {
  set_up_once();
  flush_output();  // readline writes the prompt itself, behind what zeb wrote
  static std::string prompt_text;
  prompt_text.assign(prompt);
  line.clear();
  edited = &line;
  line_done = input_ended = false;
  resumed_flag = 0;  // a stop during a listing: the prompt below is the first
  rl_callback_handler_install(prompt_text.c_str(), take_line);
  while (!line_done) {
    if (!wait_for_key(use)) {
      drop_line();
      return LineResult::interrupted;
    }
    rl_callback_read_char();
  }
  forget_edits();
  if (input_ended) return LineResult::end_of_input;
  if (use == LineUse::command && worth_keeping(line)) {
    session_lines.push_back(line);
    add_history(line.c_str());
  }
  return LineResult::line;
}

void set_editor_completer(Completer new_completer) { completer = new_completer; }

}  // namespace zeb
