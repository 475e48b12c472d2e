// Headers read on every core, handed over in order: each reading thread
// takes the next item no thread has taken and puts its header in a ring;
// the filing thread takes them out in order, so what is written and filed is
// exactly what one load after the other gives. The filing thread never waits
// for an item that no thread has begun: it reads that one itself, and while
// another thread reads the one it needs, it reads later ones. A reading
// thread waits only while the ring is full.
//
// A Source has `std::uint32_t count() const` and a `Reader`, made from the
// source, one for each thread, with `BlockRead read(std::uint32_t i,
// FileBlock& block)`.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "folders/file_block.h"

namespace zeb {

struct ReadSlot {
  std::atomic<std::uint32_t> ready{0};  // item number + 1 of the header held here
  BlockRead result = BlockRead::ok;
  FileBlock block;
};

// Every core reads; the filing thread's own reads fill the gaps.
inline unsigned reading_threads() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
}

template <class Source>
class ReadAhead {
 public:
  using Reader = typename Source::Reader;
  ReadAhead(const Source& source, unsigned threads);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  // Item i's header, in order from 0; `own` reads it when no thread has.
  const ReadSlot& take(std::uint32_t i, Reader& own) { return take_or_pass(i, &own); }
  // Item i is not wanted: taken unread when no thread has begun it.
  void pass(std::uint32_t i) { take_or_pass(i, nullptr); }
  // Item i is filed: its slot may take a later item.
  void release(std::uint32_t i);

 private:
  static constexpr std::uint32_t slots = 1024;
  static constexpr std::uint32_t batch = 64;  // a waiting reader wakes for this much room

  const ReadSlot& take_or_pass(std::uint32_t i, Reader* own);
  void read_items();
  void read_into_slot(Reader& reader, std::uint32_t i);
  void wait_for_room(std::uint32_t i);

  // One ring for each kind of source, never allocated: a load takes no
  // memory, and one read-ahead of a kind runs at a time.
  static inline ReadSlot ring_[slots];

  const Source& source_;
  std::atomic<std::uint32_t> next_{0};             // the first item no thread has taken
  std::atomic<std::uint32_t> filed_{0};            // items filed
  std::atomic<std::uint32_t> filer_waits_for_{0};  // 0, or the item number + 1 it waits for
  std::atomic<int> readers_waiting_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable filer_wakes_, readers_wake_;
  std::vector<std::thread> threads_;
};

template <class Source>
ReadAhead<Source>::ReadAhead(const Source& source, unsigned threads) : source_(source) {
  for (std::uint32_t s = 0; s < std::min(source_.count(), slots); ++s) ring_[s].ready.store(0);
  // A thread for each batch of items at most: a few headers are read by the
  // filing thread sooner than a thread starts.
  threads = std::min<std::uint32_t>(threads, source_.count() / batch);
  for (unsigned t = 0; t < threads; ++t) {
    try {
      threads_.emplace_back(&ReadAhead::read_items, this);
    } catch (const std::system_error&) {
      break;  // fewer threads, or none: the filing thread reads the rest itself
    }
  }
}

template <class Source>
ReadAhead<Source>::~ReadAhead() {
  stop_.store(true);
  { std::lock_guard<std::mutex> lock(mutex_); }
  readers_wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

template <class Source>
void ReadAhead<Source>::read_into_slot(Reader& reader, std::uint32_t i) {
  ReadSlot& slot = ring_[i % slots];
  slot.result = reader.read(i, slot.block);
  slot.ready.store(i + 1);
  if (filer_waits_for_.load() == i + 1) {
    { std::lock_guard<std::mutex> lock(mutex_); }
    filer_wakes_.notify_one();
  }
}

template <class Source>
void ReadAhead<Source>::wait_for_room(std::uint32_t i) {
  // Item i's slot is free once item i - slots is filed; wait for a batch.
  std::uint32_t need = (i + 1 - slots + batch - 1) / batch * batch;
  std::unique_lock<std::mutex> lock(mutex_);
  readers_waiting_.fetch_add(1);
  while (filed_.load() < need && !stop_.load()) readers_wake_.wait(lock);
  readers_waiting_.fetch_sub(1);
}

template <class Source>
void ReadAhead<Source>::read_items() {
  Reader reader(source_);
  for (;;) {
    std::uint32_t i = next_.fetch_add(1);
    if (i >= source_.count() || stop_.load()) return;
    if (i >= filed_.load() + slots) wait_for_room(i);
    if (stop_.load()) return;
    read_into_slot(reader, i);
  }
}

template <class Source>
const ReadSlot& ReadAhead<Source>::take_or_pass(std::uint32_t i, Reader* own) {
  ReadSlot& slot = ring_[i % slots];
  if (slot.ready.load() == i + 1) return slot;
  std::uint32_t untaken = i;
  if (next_.compare_exchange_strong(untaken, i + 1)) {
    if (own != nullptr) read_into_slot(*own, i);
    return slot;
  }
  // Another thread is reading it, which takes microseconds: a sleep and a
  // wake cost more than that, so the filing thread reads later items
  // meanwhile, while their slots are free, and sleeps only when none is left.
  if (own != nullptr) {
    for (std::uint32_t j = next_.load(); slot.ready.load() != i + 1;) {
      if (j >= source_.count() || j >= filed_.load() + slots) break;  // no item or no room
      if (next_.compare_exchange_weak(j, j + 1)) {
        read_into_slot(*own, j);
        j = next_.load();
      }
    }
    if (slot.ready.load() == i + 1) return slot;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  filer_waits_for_.store(i + 1);
  while (slot.ready.load() != i + 1) filer_wakes_.wait(lock);
  filer_waits_for_.store(0);
  return slot;
}

template <class Source>
void ReadAhead<Source>::release(std::uint32_t i) {
  filed_.store(i + 1);
  if ((i + 1) % batch == 0 && readers_waiting_.load() > 0) {
    { std::lock_guard<std::mutex> lock(mutex_); }
    readers_wake_.notify_all();
  }
}

}  // namespace zeb
