// Stand-in until the console session is written: never a session.
#include "console/terminal.h"

namespace zeb {

volatile std::sig_atomic_t resumed_flag = 0;

void start_terminal_session() {}
void end_terminal_session() {}
bool in_terminal_session() { return false; }

}  // namespace zeb
