// Windows: ReadDirectoryChangesW on each watched folder and every folder
// below it. A thread for each folder waits for its changes and queues them;
// an event, which the prompt waits on, is set while the queue holds any. A
// file counts as complete when it was moved in; a file being written, once
// it opens with no writer sharing it and its size has settled. Changes the
// system dropped, or a read that failed, have the tree walked again.
#include <windows.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "console/wide_text.h"
#include "folders/folder_walk.h"
#include "folders/watch_backend.h"

namespace zeb {
namespace {

namespace fs = std::filesystem;

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD changes = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                          FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
constexpr DWORD buffer_bytes = 64 * 1024;

// What a folder's thread met: a name below the folder; with `lost`, that
// the system dropped changes (too many at once); with `failed`, that the
// folder can no longer be read (the thread has ended).
struct Change {
  std::uint32_t folder;
  DWORD action;
  std::wstring name;  // relative to the watched folder, "\" between its names
  bool lost;
  bool failed;
};

// One watched folder and the thread that waits for its changes.
struct Watch {
  std::uint32_t folder;
  std::string path;  // as written, with its separator at the end
  HANDLE handle;
  OVERLAPPED overlapped;
  std::vector<DWORD> buffer;  // DWORD-aligned, as the system wants it
  std::thread thread;
};

// Never destroyed: the threads wait until the process ends.
struct Watches {
  std::mutex lock;
  std::deque<Change> queue;
  HANDLE changed = nullptr;  // manual-reset, set while the queue holds changes
  std::vector<std::unique_ptr<Watch>> watches;
};
Watches& state() {
  static Watches& watches = *new Watches;
  return watches;
}

bool ask_for_changes(Watch& watch) {
  DWORD ignored = 0;
  return ReadDirectoryChangesW(watch.handle, watch.buffer.data(), buffer_bytes, TRUE, changes,
                               &ignored, &watch.overlapped, nullptr) != 0;
}

void push(std::deque<Change>& batch) {
  Watches& s = state();
  std::lock_guard guard(s.lock);
  for (Change& change : batch) s.queue.push_back(std::move(change));
  batch.clear();
  SetEvent(s.changed);
}

// The folder's thread: takes each batch of changes the system reports, queues
// it and asks for the next. It ends when the folder can no longer be read,
// or when its watch is let go.
void wait_for_changes(Watch* watch) {
  std::deque<Change> batch;
  for (;;) {
    DWORD got = 0;
    if (!GetOverlappedResult(watch->handle, &watch->overlapped, &got, TRUE)) {
      DWORD error = GetLastError();
      if (error == ERROR_OPERATION_ABORTED) return;
      if (error != ERROR_NOTIFY_ENUM_DIR) {
        batch.push_back({watch->folder, 0, {}, false, true});
        push(batch);
        return;
      }
      got = 0;
    }
    if (got == 0) {  // more changes than the buffer held: they are lost
      batch.push_back({watch->folder, 0, {}, true, false});
    } else {
      const auto* bytes = reinterpret_cast<const unsigned char*>(watch->buffer.data());
      for (DWORD at = 0;;) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytes + at);
        batch.push_back({watch->folder, info->Action,
                         std::wstring(info->FileName, info->FileNameLength / sizeof(WCHAR)), false,
                         false});
        if (info->NextEntryOffset == 0) break;
        at += info->NextEntryOffset;
      }
    }
    bool again = ask_for_changes(*watch);
    if (!again) batch.push_back({watch->folder, 0, {}, false, true});
    push(batch);
    if (!again) return;
  }
}

// The replays already in a folder below a watched one, met as found.
void note_tree(std::uint32_t folder, const std::string& path) {
  walk_replays(path, [&](std::string replay, const fs::directory_entry&) {
    note_replay(folder, replay, Met::found);
  });
}

bool is_plain_folder(const std::string& path) {
  DWORD attributes = GetFileAttributesW(wide_from_utf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool start(std::uint32_t folder, const std::string& path);
void stop(std::uint32_t folder);

void take(const Change& change) {
  Watch* watch = state().watches[change.folder].get();
  if (watch == nullptr) return;  // let go since
  if (change.failed) {
    std::string path = watch->path;
    if (!is_plain_folder(path)) {
      watch_gone(change.folder);
    } else {  // a read that failed: watched anew, and looked through again
      stop(change.folder);
      if (start(change.folder, path))
        watch_lost_events(change.folder);
      else
        watch_gone(change.folder);
    }
    return;
  }
  if (change.lost) {
    watch_lost_events(change.folder);
    return;
  }
  std::string name = utf8_from_wide(change.name);
  std::string path = watch->path + name;
  std::string_view last = std::string_view(name).substr(name.find_last_of('\\') + 1);
  bool arrived =
      change.action == FILE_ACTION_ADDED || change.action == FILE_ACTION_RENAMED_NEW_NAME;
  if (arrived && is_plain_folder(path)) {
    note_tree(change.folder, path + '\\');
    return;
  }
  if (change.action == FILE_ACTION_REMOVED || change.action == FILE_ACTION_RENAMED_OLD_NAME) return;
  if (is_replay_name(last))
    note_replay(change.folder, path,
                change.action == FILE_ACTION_RENAMED_NEW_NAME ? Met::closed : Met::found);
}

bool start(std::uint32_t folder, const std::string& path) {
  Watches& s = state();
  if (s.changed == nullptr) s.changed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (s.changed == nullptr) return false;
  HANDLE handle =
      CreateFileW(wide_from_utf8(path).c_str(), FILE_LIST_DIRECTORY, share_all, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  auto watch = std::make_unique<Watch>();
  watch->folder = folder;
  watch->path = path;
  watch->handle = handle;
  watch->overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  watch->buffer.resize(buffer_bytes / sizeof(DWORD));
  if (watch->overlapped.hEvent == nullptr || !ask_for_changes(*watch)) {
    if (watch->overlapped.hEvent != nullptr) CloseHandle(watch->overlapped.hEvent);
    CloseHandle(handle);
    return false;
  }
  if (s.watches.size() <= folder) s.watches.resize(folder + 1);
  stop(folder);
  Watch* raw = watch.get();
  s.watches[folder] = std::move(watch);
  raw->thread = std::thread(wait_for_changes, raw);
  return true;
}

void stop(std::uint32_t folder) {
  Watches& s = state();
  if (folder >= s.watches.size() || s.watches[folder] == nullptr) return;
  Watch& watch = *s.watches[folder];
  CancelIoEx(watch.handle, &watch.overlapped);
  if (watch.thread.joinable()) watch.thread.join();
  CloseHandle(watch.overlapped.hEvent);
  CloseHandle(watch.handle);
  s.watches[folder].reset();
}

void read_events() {
  Watches& s = state();
  std::deque<Change> taken;
  {
    std::lock_guard guard(s.lock);
    taken.swap(s.queue);
    if (s.changed != nullptr) ResetEvent(s.changed);
  }
  for (const Change& change : taken) take(change);
}

std::intptr_t descriptor() {
  HANDLE changed = state().changed;
  return changed == nullptr ? -1 : reinterpret_cast<std::intptr_t>(changed);
}

// A writer that keeps the file open shares it for writing: opened without
// that sharing, it cannot be.
bool in_use(const std::string& path) {
  HANDLE file =
      CreateFileW(wide_from_utf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(file);
  return false;
}

int watch_limit() { return -1; }
std::chrono::steady_clock::time_point now() { return std::chrono::steady_clock::now(); }

constexpr WatchBackend win32_backend{start,  stop,        read_events, descriptor,
                                     in_use, watch_limit, now};

}  // namespace

const WatchBackend& system_watch_backend() { return win32_backend; }

}  // namespace zeb
