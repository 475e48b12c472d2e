#include "console/interrupt.h"

namespace zeb {

std::atomic<int> interrupt_flag{0};

}  // namespace zeb
