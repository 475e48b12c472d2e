// Folders watched for new replays while zeb waits at the prompt: at a
// terminal, every folder loaded in the session, by load or at start-up, is
// watched until zeb ends, and a replay that is created, moved in or
// rewritten anywhere below it is handed over to be loaded once complete.
// Nothing is lost: changes the system drops are found by walking the tree
// again, a folder that is gone is watched again when it is back, and
// folders past the system's limit of watches are scanned.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "folders/folder_walk.h"

namespace zeb {

// Whether folder loads watch what they load: the shell's choice (at a
// terminal), the engine works the same either way.
void set_watching(bool on);
bool watching();

// A folder load of `word` (as typed, the folder open) begins: watching
// starts before it is listed, so that nothing saved during the load is
// missed. Writes nothing.
void begin_watch(std::string_view word);
// The load has listed its folder: the replays met since watching began that
// the listing holds are the load's own, handed over again only if they
// change again.
void take_listed(const FolderList& list);
// The load is over: its listing is kept, to tell what it loaded should the
// system drop changes later.
void keep_listing(FolderList&& list);
// After the load's summary, the first time: "\twatching WORD for new
// replays"; a folder already watched, itself or as part of one above it,
// is watched once; a folder the system refuses to watch gets one line
// saying so.
void announce_watch();

// What the prompt waits on besides the keys: a descriptor that becomes
// readable (an event signalled, on Windows) when a watched folder changes,
// -1 where the system has none, and how long until the watches want a look
// without one (-1: no need).
std::intptr_t watch_descriptor();
int watch_timeout_ms();

// Takes in what changed and hands over the replays complete by now: the
// paths below each watched folder, in path order, one group for each.
// `wrote` tells whether it wrote a line of its own (a folder gone, a limit).
struct ArrivedReplays {
  std::string word;  // the watched folder as typed
  std::vector<std::string> paths;
};
std::vector<ArrivedReplays> take_arrived_replays(bool& wrote);

}  // namespace zeb
