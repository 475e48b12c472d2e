// Folders watched for new replays while zeb waits at the prompt: at a
// terminal, every folder loaded in the session, by load or at start-up, is
// watched until zeb ends, and a replay that is created, moved in or
// rewritten anywhere below it is handed over to be loaded once complete.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// Watches the folder `word` (as typed) and every folder below it from now
// on. The first time writes "\twatching WORD for new replays"; a folder
// already watched, itself or as part of one above it, is watched once; a
// folder the system refuses to watch gets one line saying so.
void watch_folder(std::string_view word);

// What the prompt waits on besides the keys: a descriptor that becomes
// readable (an event signalled, on Windows) when a watched folder changes,
// -1 where the system has none, and how long until the watches want a look
// without one (-1: no need).
std::intptr_t watch_descriptor();
int watch_timeout_ms();
// Takes in what changed and hands over the replays complete by now: the
// paths below each watched folder, in path order, one group for each.
struct ArrivedReplays {
  std::string word;  // the watched folder as typed
  std::vector<std::string> paths;
};
std::vector<ArrivedReplays> take_arrived_replays();

}  // namespace zeb
