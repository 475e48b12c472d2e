#include "console/interrupt.h"

namespace zeb {

volatile std::sig_atomic_t interrupt_flag = 0;

}  // namespace zeb
