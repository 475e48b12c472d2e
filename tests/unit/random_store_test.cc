// Random operations on the store, checked after each one against a small
// independent model of the ranking rules: a sorted list per cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "db/ranking.h"
#include "delete/primitives.h"
#include "replay/load.h"
#include "test_support.h"

namespace zeb {
namespace {

struct Entry {
  std::string racer;
  int laptime;
};

struct ModelCell {
  int track, car, short_track;
  std::vector<Entry> entries;  // ordered by laptime

  auto find(const std::string& racer) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const Entry& e) { return e.racer == racer; });
  }
  bool has_time(int laptime) const {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& e) { return e.laptime == laptime; });
  }
  void insert(const std::string& racer, int laptime) {
    auto at = std::find_if(entries.begin(), entries.end(),
                           [&](const Entry& e) { return e.laptime > laptime; });
    entries.insert(at, {racer, laptime});
  }
  // The ranking rules, as a load applies them.
  void offer(const std::string& racer, int laptime) {
    if (entries.size() == cell_size) return;
    auto own = find(racer);
    if (own != entries.end()) {
      if (laptime >= own->laptime || has_time(laptime)) return;
      entries.erase(own);
      insert(racer, laptime);
    } else if (!has_time(laptime)) {
      insert(racer, laptime);
    }
  }
  bool remove(const std::string& racer) {
    auto own = find(racer);
    if (own == entries.end()) return false;
    entries.erase(own);
    return true;
  }
  bool clear() {
    bool had = !entries.empty();
    entries.clear();
    return had;
  }
};

std::string code_of(const ModelCell& m) {
  std::string code = ShortTrackTable[m.track][m.short_track];
  std::transform(code.begin(), code.end(), code.begin(), ::toupper);
  return code;
}

TEST(RandomStore, AgreesWithTheModelOverManyOperations) {
  reset_db(db, db_size);
  test::CapturedOutput out;
  std::vector<ModelCell> cells = {{1, 18, 0, {}}, {1, 18, 3, {}}, {1, 3, 0, {}}, {0, 18, 13, {}},
                                  {2, 3, 12, {}}, {5, 0, 1, {}},  {0, 3, 0, {}}};
  std::mt19937 random(20261209);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto racer = [&] { return "racer" + std::to_string(pick(400)); };
  int checked = 0;
  std::size_t fullest = 0;

  for (int op = 0; op < 200000; ++op) {
    ModelCell& m = cells[pick(static_cast<int>(cells.size()))];
    Cell cell = cell_of(db, m.track, m.car, m.short_track);
    int choice = pick(10000);  // mostly offers; whole-cell clears are rare, or no cell fills
    std::string who = racer();
    bool expected = false, actual = false;
    auto in_scope = [&](auto scope) {
      bool any = false;
      for (ModelCell& other : cells)
        if (scope(other)) any |= other.remove(who);
      return any;
    };
    auto clear_scope = [&](auto scope) {
      bool any = false;
      for (ModelCell& other : cells)
        if (scope(other)) any |= other.clear();
      return any;
    };
    if (choice < 9400) {
      int laptime = 60000 + pick(600);  // a narrow range: many ties and improvements
      m.offer(who, laptime);
      offer_to_cell(cell, test::make_record(who, laptime, code_of(m), car_table[m.car].name));
    } else if (choice < 9550) {
      expected = m.remove(who);
      actual = remove_key(cell, test::make_record(who, 0, code_of(m), car_table[m.car].name)) != -1;
    } else if (choice < 9620) {
      expected = in_scope([](const ModelCell&) { return true; });
      actual = delete_racer(db, who.c_str(), db_size);
    } else if (choice < 9690) {
      expected = in_scope([&](const ModelCell& o) { return o.track == m.track; });
      actual = delete_racer_track(db, who.c_str(), m.track, db_size);
    } else if (choice < 9760) {
      expected = in_scope([&](const ModelCell& o) { return o.car == m.car; });
      actual = delete_racer_car(db, who.c_str(), m.car, db_size);
    } else if (choice < 9830) {
      expected = in_scope(
          [&](const ModelCell& o) { return o.track == m.track && o.short_track == m.short_track; });
      actual = delete_racer_short_track(db, who.c_str(), m.track, m.short_track, db_size);
    } else if (choice < 9900) {
      expected = m.remove(who);
      actual = delete_racer_combo(db, who.c_str(), m.track, m.car, m.short_track, db_size);
    } else if (choice < 9970) {
      expected = clear_scope([&](const ModelCell& o) { return o.track == m.track; });
      actual = delete_track(db, m.track, db_size);
    } else if (choice < 9977) {
      expected = clear_scope([&](const ModelCell& o) { return o.car == m.car; });
      actual = delete_car(db, m.car, db_size);
    } else if (choice < 9984) {
      expected = clear_scope(
          [&](const ModelCell& o) { return o.track == m.track && o.short_track == m.short_track; });
      actual = delete_short_track(db, m.track, m.short_track, db_size);
    } else if (choice < 9991) {
      expected = m.clear();
      actual = delete_combo(db, m.track, m.car, m.short_track, db_size);
    } else {
      for (ModelCell& other : cells) other.clear();
      reset_db(db, db_size);
    }
    ASSERT_EQ(actual, expected) << "operation " << op << " choice " << choice;

    for (const ModelCell& other : cells) {
      Cell real = cell_of(db, other.track, other.car, other.short_track);
      int n = test::entries_in(real);
      ASSERT_EQ(n, static_cast<int>(other.entries.size())) << "operation " << op;
      fullest = std::max(fullest, other.entries.size());
      for (int p = 0; p < n; ++p) {
        ASSERT_EQ(real[p].racer, other.entries[p].racer) << "operation " << op << " pos " << p;
        ASSERT_EQ(real[p].laptime, other.entries[p].laptime);
        ASSERT_EQ(real[p].pos, p);
      }
    }
    if (op % 5000 == 0) {
      ASSERT_EQ(test::check_store(db), "") << "operation " << op;
      ++checked;
    }
    out.text();
  }
  EXPECT_EQ(test::check_store(db), "");
  // The run must have reached the interesting states, not only the easy ones.
  EXPECT_GT(checked, 0);
  EXPECT_EQ(fullest, std::size_t{cell_size});
}

}  // namespace
}  // namespace zeb
