// The board's files, each appended to a PageText. Names and marks the
// browser side relies on (docs/board-json.md describes board.json):
//   index.html            every ranking with entries; input#filter; per
//                         track section.track; per ranking tr#k-LAYOUT-CAR
//                         with data-f (track, layout, car and racer names)
//   LAYOUT-CAR.html       one ranking (bl1r-xrt.html): table#ranking, a row
//                         tr#k-HEX per entry (HEX: the racer's bytes in hex),
//                         td.best on the best time of each sector,
//                         table#ideal with the ideal lap
//   racers/GG.html        the racers of group GG (two hex digits of a hash
//                         of the name): section.racer#r-HEX each; the page
//                         shows the one its address's #r-HEX names
//   board.json, version.txt (the version number alone)
// Every page: main#live holds what changes; body[data-v] is the version
// that wrote it and body[data-root] the way back to the board's folder.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "board/page_text.h"
#include "db/store.h"

namespace zeb {

struct BoardPageInfo {
  std::string_view title;
  std::uint64_t version;
};

// A ranking's place in the store and its page's name.
struct RankingRef {
  int track, car, short_track;
};
std::string ranking_page_name(RankingRef ranking);
std::string racer_group_page_name(int group);  // "racers/GG.html"

void write_ranking_page(std::string& out, const BoardPageInfo& info, RankingRef ranking,
                        Cell entries);  // a ranking's 150 rows stay small
void write_index_page(PageText& page, const BoardPageInfo& info, const Store& store);

// One entry of a racer's view: the ranking and the place.
struct RacerEntry {
  std::uint64_t name_hash;  // racer_name_hash: the same racer's entries go together
  std::uint16_t ranking;    // ranking_index
  std::uint8_t position;
  std::uint8_t group;
};
// `entries` of one group, each racer's together (sorted by name_hash).
void write_racer_group_page(PageText& page, const BoardPageInfo& info,
                            std::span<const RacerEntry> entries, const Store& store);
void write_board_json(PageText& page, const BoardPageInfo& info, const Store& store);

// The ranking behind an index of the store's rankings.
RankingRef ranking_at(int index);

}  // namespace zeb
