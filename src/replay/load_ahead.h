// A script's load lines: the replays they name are read on every core while
// the lines before them run, and each load takes its header when its turn
// comes. Only regular files are read ahead; what a load finds is what it
// would have read itself.
#pragma once

#include <cstdint>
#include <string_view>

#include "replay/header.h"

namespace zeb {

// Sees a stretch of input as it comes in (the line reader's observer): the
// replays named by the load lines that lie whole in it are read ahead. What
// was read ahead of the stretch before and not taken is dropped.
void read_ahead_loads(std::string_view text, std::uint64_t first_line, bool mid_line);
// The header of `path`, read ahead when the line being run named it: true,
// with what read_file_block would give.
bool take_read_ahead(std::string_view path, BlockRead& result, FileBlock& block);
// Stops the reading threads; nothing read ahead is kept.
void stop_reading_ahead();

}  // namespace zeb
