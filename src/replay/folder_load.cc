#include "replay/folder_load.h"

#include <fcntl.h>
#include <linux/futex.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
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
  std::atomic<std::uint32_t> claimed{0};  // entry number + 1 of the last entry taken here
  std::atomic<std::uint32_t> done{0};     // entry number + 1 of the last entry read here
  HeaderRead result;
  SprHeader block;
};

// Headers are read ahead on a second thread, in the order the files are
// filed; the filing thread takes them in the same order, so what is written
// and filed is exactly what one load after the other gives. Whichever thread
// claims an entry first reads it: a filing thread that has caught up reads
// the next header itself instead of waiting, and the reading thread skips
// it. A reading thread that runs ahead sleeps until a batch of slots is free.
struct ReadAhead {
  static constexpr std::uint32_t slots = 512;
  static constexpr std::uint32_t batch = 64;
  ReadSlot ring[slots];
  std::atomic<std::uint32_t> consumed{0};      // entries filed
  std::atomic<std::uint32_t> filer_wants{0};   // 0, or the entry number + 1 it sleeps for
  std::atomic<std::uint32_t> reader_wants{0};  // 0, or the count of filed entries it sleeps for
  std::atomic<bool> stop{false};
  const FolderList* list = nullptr;
  int top_fd = -1;
};
ReadAhead ahead;  // one folder load at a time
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);

void sleep_while(std::atomic<std::uint32_t>& value, std::uint32_t seen) {
  ::syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&value), FUTEX_WAIT_PRIVATE, seen, nullptr,
            nullptr, 0);
}

void wake(std::atomic<std::uint32_t>& value) {
  ::syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&value), FUTEX_WAKE_PRIVATE, 1, nullptr,
            nullptr, 0);
}

// Waits until `value` reaches `target` (or the load stops), telling the
// other side through `wants`.
void wait_until(std::atomic<std::uint32_t>& value, std::uint32_t target,
                std::atomic<std::uint32_t>& wants) {
  wants.store(target);
  for (std::uint32_t now = value.load(); now < target && !ahead.stop.load(); now = value.load())
    sleep_while(value, now);
  wants.store(0);
}

void publish(std::atomic<std::uint32_t>& value, std::uint32_t now,
             std::atomic<std::uint32_t>& wants) {
  value.store(now);
  std::uint32_t wanted = wants.load();
  if (wanted != 0 && now >= wanted) wake(value);
}

// Reads the header of an entry into `slot`, keeping the entry's folder open
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

// Takes entry i for the calling thread; false when the other thread has it.
bool claim(std::uint32_t i) {
  std::uint32_t before = i >= ReadAhead::slots ? i + 1 - ReadAhead::slots : 0;
  return ahead.ring[i % ReadAhead::slots].claimed.compare_exchange_strong(before, i + 1);
}

void read_claimed(FolderReader& reader, std::uint32_t i) {
  ReadSlot& slot = ahead.ring[i % ReadAhead::slots];
  reader.read(*ahead.list, ahead.top_fd, ahead.list->entries[i], slot);
  publish(slot.done, i + 1, ahead.filer_wants);
}

void* read_ahead(void*) {
  FolderReader reader;
  auto count = static_cast<std::uint32_t>(ahead.list->entries.size());
  for (std::uint32_t i = 0; i < count && !ahead.stop.load(); ++i) {
    if (i - ahead.consumed.load() >= ReadAhead::slots)  // the ring is full
      wait_until(ahead.consumed, i - ReadAhead::slots + ReadAhead::batch, ahead.reader_wants);
    if (ahead.stop.load()) break;
    if (claim(i)) read_claimed(reader, i);
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
  auto count = static_cast<std::uint32_t>(list.entries.size());

  for (ReadSlot& slot : ahead.ring) {
    slot.claimed.store(0);
    slot.done.store(0);
  }
  ahead.consumed.store(0);
  ahead.filer_wants.store(0);
  ahead.reader_wants.store(0);
  ahead.stop.store(false);
  ahead.list = &list;
  ahead.top_fd = top_fd;
  pthread_t thread;
  // Without a second thread the headers are read in turn, with the same result.
  bool threaded = count > 0 && pthread_create(&thread, nullptr, read_ahead, nullptr) == 0;
  FolderReader reader;
  ReadSlot own;

  int found = 0, filed = 0;
  std::string path;
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
      slot = &ahead.ring[i % ReadAhead::slots];
      if (slot->done.load() != i + 1) {
        if (claim(i))
          read_claimed(reader, i);
        else  // the reading thread is at it
          wait_until(slot->done, i + 1, ahead.filer_wants);
      }
    } else {
      reader.read(list, top_fd, e, own);
    }
    if (!e.unopenable) {
      ++found;
      join_path(filename, word, folder_path(list, e.folder), entry_name(list, e));
      if (load_replay_block(filename, slot->result, slot->block)) ++filed;
    }
    if (threaded) publish(ahead.consumed, i + 1, ahead.reader_wants);
  }
  if (threaded) {
    ahead.stop.store(true);
    ahead.consumed.store(UINT32_MAX);
    wake(ahead.consumed);  // a reader sleeping for room
    pthread_join(thread, nullptr);
  }
  ::close(top_fd);
  write_format("\t%s: %d replay files, %d filed\n", {std::string_view(word), found, filed});
}

}  // namespace zeb
