#include "replay/folder_load.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

#include "console/interrupt.h"
#include "console/output.h"
#include "replay/folder_walk.h"
#include "replay/header.h"
#include "replay/load.h"

namespace zeb {
namespace {

struct ReadSlot {
  HeaderRead result;
  SprHeader block;
};

// Headers are read ahead on a second thread, in the order the files are
// filed; the filing thread takes them in the same order, so what is written
// and filed is exactly what one load after the other gives.
struct ReadAhead {
  static constexpr std::uint32_t slots = 256;
  ReadSlot ring[slots];
  std::atomic<std::uint32_t> produced{0};
  std::atomic<std::uint32_t> consumed{0};
  std::atomic<bool> stop{false};
  // Set while a side sleeps; the other side wakes it only then, so a load
  // that keeps pace makes no wake-up calls.
  std::atomic<bool> filer_waits{false};
  std::atomic<bool> reader_waits{false};
  const FolderList* list = nullptr;
  int top_fd = -1;
};
ReadAhead ahead;  // one folder load at a time

// Reads the header of entry i into `slot`, keeping the entry's folder open
// for the next entries of the same folder.
struct FolderReader {
  std::uint32_t folder = UINT32_MAX;
  int fd = -1;
  ~FolderReader() {
    if (fd >= 0) ::close(fd);
  }
  void read(const FolderList& list, int top_fd, const WalkedEntry& e, ReadSlot& slot) {
    if (e.unopenable) return;
    if (e.folder != folder) {
      if (fd >= 0) ::close(fd);
      fd = open_listed_folder(top_fd, list, e.folder);
      folder = e.folder;
    }
    slot.result = fd < 0 ? HeaderRead::open_failed
                         : read_header_block(fd, list.names.data() + e.name, slot.block);
  }
};

// Sleeps until `value` is no longer `seen` or the load stops; `waits` tells the
// other side to wake this one.
void wait_for_change(std::atomic<std::uint32_t>& value, std::uint32_t seen,
                     std::atomic<bool>& waits) {
  waits.store(true);
  if (value.load() == seen && !ahead.stop.load()) value.wait(seen);
  waits.store(false);
}

void publish(std::atomic<std::uint32_t>& value, std::uint32_t now, std::atomic<bool>& waits) {
  value.store(now);
  if (waits.load()) value.notify_one();
}

void* read_ahead(void*) {
  FolderReader reader;
  auto count = static_cast<std::uint32_t>(ahead.list->entries.size());
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t taken = ahead.consumed.load(std::memory_order_acquire);
    while (i - taken >= ReadAhead::slots && !ahead.stop.load(std::memory_order_acquire)) {
      wait_for_change(ahead.consumed, taken, ahead.reader_waits);
      taken = ahead.consumed.load(std::memory_order_acquire);
    }
    if (ahead.stop.load(std::memory_order_acquire)) break;
    reader.read(*ahead.list, ahead.top_fd, ahead.list->entries[i],
                ahead.ring[i % ReadAhead::slots]);
    publish(ahead.produced, i + 1, ahead.filer_waits);
  }
  return nullptr;
}

}  // namespace

void load_folder(std::string& filename) {
  std::string word = filename;  // each replay's load puts its own path in filename
  int top_fd = ::open(word.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (top_fd < 0) {
    write_format("\tError opening file: %s\n", {std::string_view(word)});
    return;
  }
  FolderList list;
  list_replays(top_fd, list);

  ahead.produced.store(0);
  ahead.consumed.store(0);
  ahead.stop.store(false);
  ahead.list = &list;
  ahead.top_fd = top_fd;
  pthread_t thread;
  // Without a second thread the headers are read in turn, with the same result.
  bool threaded =
      !list.entries.empty() && pthread_create(&thread, nullptr, read_ahead, nullptr) == 0;
  FolderReader reader;
  ReadSlot own;

  int found = 0, filed = 0;
  std::string path;
  auto count = static_cast<std::uint32_t>(list.entries.size());
  for (std::uint32_t i = 0; i < count; ++i) {
    if (interrupt_pending()) {
      take_interrupt();  // Ctrl-C ends this walk; the summary still comes
      break;
    }
    const WalkedEntry& e = list.entries[i];
    if (e.unopenable) {
      join_path(path, word, folder_path(list, e.folder), entry_name(list, e));
      write_format("\tError opening file: %s\n", {std::string_view(path)});
    }
    ReadSlot* slot = &own;
    if (threaded) {
      std::uint32_t ready = ahead.produced.load(std::memory_order_acquire);
      while (ready <= i) {
        wait_for_change(ahead.produced, ready, ahead.filer_waits);
        ready = ahead.produced.load(std::memory_order_acquire);
      }
      slot = &ahead.ring[i % ReadAhead::slots];
    } else {
      reader.read(list, top_fd, e, own);
    }
    if (!e.unopenable) {
      ++found;
      join_path(filename, word, folder_path(list, e.folder), entry_name(list, e));
      if (load_replay_block(filename, slot->result, slot->block)) ++filed;
    }
    if (threaded) {
      publish(ahead.consumed, i + 1, ahead.reader_waits);
    }
  }
  if (threaded) {
    ahead.stop.store(true, std::memory_order_release);
    ahead.consumed.store(UINT32_MAX);  // wakes a reader waiting for room
    ahead.consumed.notify_one();
    pthread_join(thread, nullptr);
  }
  ::close(top_fd);
  write_format("\t%s: %d replay files, %d filed\n", {std::string_view(word), found, filed});
}

}  // namespace zeb
