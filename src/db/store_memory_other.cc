// Systems without a huge-page hint: the store is an ordinary array.
#include "db/store_memory.h"

namespace zeb {

Store db;

void prepare_store_memory(Store&) {}

}  // namespace zeb
