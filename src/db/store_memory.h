// Where the store lives: the one array `db` is defined beside the system's
// way of making its memory cheap to touch.
#pragma once

#include "db/store.h"

namespace zeb {

// Called before the store is first emptied; a hint to the system, no more.
void prepare_store_memory(Store& store);

}  // namespace zeb
