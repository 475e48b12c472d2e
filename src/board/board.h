// The web board: the rankings written as static pages and board.json into
// one folder, rewritten as the store changes (load, folder load, arrival,
// del), at most once a second and within a second of the change. Without a
// board nothing here writes anything.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

// Creates the folder when missing and checks that files can be written
// there; on failure gives the reason and leaves the board closed.
bool open_board(const std::string& folder, std::string_view title, std::string& reason);
bool board_is_open();
// Writes the whole board now (after the start-up loads).
void write_whole_board();
// Writes what changed since the last write, when a second has passed since
// it; otherwise leaves it for board_due_ms to announce.
void write_board_if_due();
// Writes what changed, whenever the last write was (at the end of a session).
void write_board_changes();
// Milliseconds until a rewrite is due; -1 when nothing waits.
int board_due_ms();

}  // namespace zeb
