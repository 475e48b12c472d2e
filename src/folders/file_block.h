// The first bytes of a file, read as one block: a folder load reads this
// much of every replay below it, and a replay's header is exactly this long.
// Reading it is the system's part (folder_files_*.cc).
#pragma once

#include <cstddef>

namespace zeb {

constexpr std::size_t file_block_size = 192;
struct FileBlock {
  unsigned char bytes[file_block_size];
};

enum class BlockRead { ok, open_failed, read_failed, is_folder };
// Reads the first bytes of the file at `path` into `block`; bytes past the
// end of a shorter file read as zero. A pipe or a device never holds the
// program. Writes nothing.
BlockRead read_file_block(const char* path, FileBlock& block);
// The same for a file read before its turn comes: only a regular file is
// read; anything else (a folder, a pipe, a device, a name that does not
// open) gives false, and is left unread.
bool read_regular_file_block(const char* path, FileBlock& block, BlockRead& result);

}  // namespace zeb
