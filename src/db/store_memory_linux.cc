#include <sys/mman.h>

#include "db/store_memory.h"

namespace zeb {

// Aligned to a huge page so the kernel can back the store with 2 MiB pages:
// emptying it at start-up then takes a few dozen page faults, not 20,000.
alignas(2 << 20) Store db;

void prepare_store_memory(Store& store) {
  static bool advised = false;
  if (advised) return;
  advised = true;
  ::madvise(&store, sizeof store, MADV_HUGEPAGE);  // only a hint; fine if refused
}

}  // namespace zeb
