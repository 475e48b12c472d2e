#include "replay/folder_load.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "console/interrupt.h"
#include "console/output.h"
#include "replay/folder_walk.h"
#include "replay/folder_watch.h"
#include "replay/header.h"
#include "replay/load.h"
#include "replay/load_progress.h"

namespace zeb {
namespace {

struct ReadSlot {
  std::atomic<std::uint32_t> ready{0};  // entry number + 1 of the header held here
  HeaderRead result = HeaderRead::ok;
  SprHeader block;
};

// Headers are read on every core, in the order the files are filed: each
// reading thread takes the next entry no thread has taken and puts its
// header in a ring; the filing thread takes them out in path order, so what
// is written and filed is exactly what one load after the other gives. The
// filing thread never waits for an entry that no thread has begun: it reads
// that one itself. A reading thread waits only while the ring is full.
class ReadAhead {
 public:
  ReadAhead(const FolderList& list, unsigned threads);
  ~ReadAhead();
  // Entry i's header, in order from 0; `own` reads it when no thread has.
  const ReadSlot& take(std::uint32_t i, EntryReader& own);
  // Entry i is filed: its slot may take a later entry.
  void release(std::uint32_t i);

 private:
  static constexpr std::uint32_t slots = 1024;
  static constexpr std::uint32_t batch = 64;  // a waiting reader wakes for this much room
  static constexpr int spin_looks = 200;      // before the filing thread sleeps

  void read_entries();
  void read_into_slot(EntryReader& reader, std::uint32_t i);
  void wait_for_room(std::uint32_t i);

  const FolderList& list_;
  std::uint32_t count() const { return static_cast<std::uint32_t>(list_.entries.size()); }
  std::unique_ptr<ReadSlot[]> ring_{new ReadSlot[slots]};
  std::atomic<std::uint32_t> next_{0};             // the first entry no thread has taken
  std::atomic<std::uint32_t> filed_{0};            // entries filed
  std::atomic<std::uint32_t> filer_waits_for_{0};  // 0, or the entry number + 1 it waits for
  std::atomic<int> readers_waiting_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable filer_wakes_, readers_wake_;
  std::vector<std::thread> threads_;
};

ReadAhead::ReadAhead(const FolderList& list, unsigned threads) : list_(list) {
  threads = std::min<std::uint32_t>(threads, count());
  for (unsigned t = 0; t < threads; ++t) {
    try {
      threads_.emplace_back(&ReadAhead::read_entries, this);
    } catch (const std::system_error&) {
      break;  // fewer threads, or none: the filing thread reads the rest itself
    }
  }
}

ReadAhead::~ReadAhead() {
  stop_.store(true);
  { std::lock_guard<std::mutex> lock(mutex_); }
  readers_wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void ReadAhead::read_into_slot(EntryReader& reader, std::uint32_t i) {
  ReadSlot& slot = ring_[i % slots];
  const WalkedEntry& entry = list_.entries[i];
  if (!entry.unopenable()) slot.result = reader.read(entry, slot.block);
  slot.ready.store(i + 1);
  if (filer_waits_for_.load() == i + 1) {
    { std::lock_guard<std::mutex> lock(mutex_); }
    filer_wakes_.notify_one();
  }
}

void ReadAhead::wait_for_room(std::uint32_t i) {
  // Entry i's slot is free once entry i - slots is filed; wait for a batch.
  std::uint32_t need = (i + 1 - slots + batch - 1) / batch * batch;
  std::unique_lock<std::mutex> lock(mutex_);
  readers_waiting_.fetch_add(1);
  while (filed_.load() < need && !stop_.load()) readers_wake_.wait(lock);
  readers_waiting_.fetch_sub(1);
}

void ReadAhead::read_entries() {
  EntryReader reader(list_);
  for (;;) {
    std::uint32_t i = next_.fetch_add(1);
    if (i >= count() || stop_.load()) return;
    if (i >= filed_.load() + slots) wait_for_room(i);
    if (stop_.load()) return;
    read_into_slot(reader, i);
  }
}

const ReadSlot& ReadAhead::take(std::uint32_t i, EntryReader& own) {
  ReadSlot& slot = ring_[i % slots];
  if (slot.ready.load() == i + 1) return slot;
  std::uint32_t untaken = i;
  if (next_.compare_exchange_strong(untaken, i + 1)) {
    read_into_slot(own, i);
    return slot;
  }
  // Another thread is reading it, which takes microseconds: a sleep and a
  // wake cost more than a short look again.
  for (int look = 0; look < spin_looks; ++look) {
    if (slot.ready.load() == i + 1) return slot;
    std::this_thread::yield();
  }
  std::unique_lock<std::mutex> lock(mutex_);
  filer_waits_for_.store(i + 1);
  while (slot.ready.load() != i + 1) filer_wakes_.wait(lock);
  filer_waits_for_.store(0);
  return slot;
}

void ReadAhead::release(std::uint32_t i) {
  filed_.store(i + 1);
  if ((i + 1) % batch == 0 && readers_waiting_.load() > 0) {
    { std::lock_guard<std::mutex> lock(mutex_); }
    readers_wake_.notify_all();
  }
}

// Every core reads; the filing thread's own reads fill the gaps.
unsigned reading_threads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 16u); }

}  // namespace

void load_folder(std::string& filename) {
  std::string word = filename;  // each replay's load puts its own path in filename
  FolderList list;
  if (!open_walk(word, list)) {
    write_format("\tError opening file: %s\n", {std::string_view(word)});
    return;
  }
  list_replays(list);
  auto count = static_cast<std::uint32_t>(list.entries.size());
  int found = 0, filed = 0;
  std::string path;
  {
    std::optional<QuietLoads> quiet;
    if (loads_quietly()) quiet.emplace(word, count);
    EntryReader own(list);
    ReadAhead ahead(list, reading_threads());
    for (std::uint32_t i = 0; i < count; ++i) {
      if (take_interrupt()) break;  // Ctrl-C ends this walk; the summary still comes
      const WalkedEntry& e = list.entries[i];
      const ReadSlot& slot = ahead.take(i, own);
      if (e.unopenable()) {
        join_path(path, word, folder_path(list, e.folder), entry_name(list, e));
        if (quiet) quiet->begin_file();
        write_format("\tError opening file: %s\n", {std::string_view(path)});
        if (quiet) quiet->end_file(path, LoadOutcome::unreadable);
      } else {
        ++found;
        join_path(filename, word, folder_path(list, e.folder), entry_name(list, e));
        if (quiet) quiet->begin_file();
        LoadOutcome outcome = load_replay_block(filename, slot.result, slot.block);
        if (outcome == LoadOutcome::filed) ++filed;
        if (quiet) quiet->end_file(filename, outcome);
      }
      ahead.release(i);
    }
  }
  close_walk(list);
  write_format("\t%s: %d replay files, %d filed\n", {std::string_view(word), found, filed});
  if (loads_quietly()) watch_folder(word);
}

}  // namespace zeb
