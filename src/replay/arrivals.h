// Replays that arrive in watched folders while the prompt waits: loaded as
// `l PATH` loads each, a burst of them as a folder load at a terminal does.
#pragma once

namespace zeb {

// Loads the replays the watches hand over, with their messages; true when
// it wrote anything.
bool load_arrived_replays();
// Called after arrivals were loaded, the store perhaps changed (one hook,
// for what shows the store elsewhere).
void set_after_arrivals(void (*hook)());

}  // namespace zeb
