#include <windows.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "console/headless.h"
#include "console/interrupt.h"
#include "console/line_reader.h"

namespace zeb {
namespace {

// A pipe, a file or a console cannot be waited on together with an event:
// a thread of its own reads standard input, one block at a time, and hands
// each block over through `filled`; `taken` lets it read the next.
HANDLE ended = nullptr;  // signalled by an end event
HANDLE filled = nullptr;
HANDLE taken = nullptr;
std::atomic<int> end_flag{0};
char block[1 << 16];
DWORD block_size = 0;  // 0: the end of input
DWORD block_used = 0;

void read_blocks() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  for (;;) {
    DWORD got = 0;
    // A pipe whose writer is gone reports an error: that is its end.
    if (!ReadFile(input, block, sizeof block, &got, nullptr)) got = 0;
    block_size = got;
    block_used = 0;
    SetEvent(filled);
    if (got == 0) return;
    WaitForSingleObject(taken, INFINITE);
  }
}

// Runs on a thread of its own, which the system starts for each event.
BOOL WINAPI handle_end_event(DWORD event) {
  end_flag = 1;
  interrupt_flag = 1;
  SetEvent(ended);
  // The system ends the process when this returns from a closing console:
  // the session gets a few seconds to end as at the end of input.
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(4000);
  return TRUE;
}

std::ptrdiff_t read_input_or_end(char* buffer, std::size_t capacity) {
  if (wait_for_input_or_watch(-1, -1, true) == Woken::ended) return -1;
  DWORD n = block_size - block_used;
  if (n > capacity) n = static_cast<DWORD>(capacity);
  std::memcpy(buffer, block + block_used, n);
  block_used += n;
  if (block_size != 0 && block_used == block_size) {
    ResetEvent(filled);
    SetEvent(taken);
  }
  return static_cast<std::ptrdiff_t>(n);
}

}  // namespace

void start_headless_session() {
  ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  filled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  taken = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (ended == nullptr || filled == nullptr || taken == nullptr) return;
  SetConsoleCtrlHandler(handle_end_event, TRUE);
  std::thread(read_blocks).detach();  // still reading when zeb ends, and that is fine
  set_input_source(read_input_or_end);
}

bool end_requested() { return end_flag.load() != 0; }

Woken wait_for_input_or_watch(std::intptr_t watch, int timeout_ms, bool with_input) {
  if (end_requested()) return Woken::ended;
  HANDLE waits[3] = {ended};
  DWORD count = 1;
  DWORD input_at = MAXDWORD, watch_at = MAXDWORD;
  if (with_input) {
    input_at = count;
    waits[count++] = filled;
  }
  if (watch != -1) {
    watch_at = count;
    waits[count++] = reinterpret_cast<HANDLE>(watch);
  }
  DWORD timeout = timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
  DWORD waited = WaitForMultipleObjects(count, waits, FALSE, timeout);
  if (end_requested()) return Woken::ended;
  if (waited == WAIT_OBJECT_0 + input_at) return Woken::input;
  if (waited == WAIT_OBJECT_0 + watch_at || waited == WAIT_TIMEOUT) return Woken::watch;
  return with_input ? Woken::input : Woken::watch;
}

}  // namespace zeb
