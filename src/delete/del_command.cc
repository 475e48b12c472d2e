#include "delete/del_command.h"

#include <string>

#include "console/line_reader.h"
#include "delete/primitives.h"
#include "tables/tables.h"

namespace zeb {
namespace {

constexpr std::string_view syntax_message = "\tsyntax error: type \"help del\" for help\n";

constexpr std::string_view one_word_prompt = "comletely delete all %s laptimes (y/)? ";
constexpr std::string_view from_prompt = "comletely delete all %s laptimes from %s (y/)? ";
constexpr std::string_view with_prompt = "comletely delete all %s laptimes with %s (y/)? ";
constexpr std::string_view with_from_prompt =
    "comletely delete all %s laptimes with %s from %s (y/)? ";

// Asks, then runs the deletion and reports its outcome.
template <typename Deletion>
void confirm_and_delete(std::string_view prompt, std::initializer_list<FormatArg> words,
                        Deletion deletion) {
  if (!confirm(prompt, words)) {
    write_line("\toperation cancelled by the user\n");
    return;
  }
  write_line(deletion() ? "\tdeletion completed succesfully\n" : "\tno data found to be deleted\n");
}

// The look-ups of del's words: each writes its list text when it fails.
int look_up_track(char* word) {
  int track = track_index_by_code(word);
  if (track < 0) write_line(valid_tracks_text);
  return track;
}

int look_up_car(char* word) {
  int car = car_index_by_code(word);
  if (car < 0) write_line(valid_cars_text);
  return car;
}

ShortTrackRef look_up_short_track(char* word) {
  ShortTrackRef ref = resolve_short_track(word);
  if (!ref.resolved()) write_line(valid_short_tracks_text);
  return ref;
}

// del with one parameter: -t, -c, -s, -cs (too few) or -r.
void delete_with_one(int kind, char* word) {
  switch (kind) {
    case by_track:
      if (int track = look_up_track(word); track >= 0)
        confirm_and_delete(one_word_prompt, {word},
                           [=] { return delete_track(db, track, db_size); });
      return;
    case by_car:
      if (int car = look_up_car(word); car >= 0)
        confirm_and_delete(one_word_prompt, {word}, [=] { return delete_car(db, car, db_size); });
      return;
    case by_short_track:
      if (ShortTrackRef ref = look_up_short_track(word); ref.resolved())
        confirm_and_delete(one_word_prompt, {word}, [=] {
          return delete_short_track(db, ref.track, ref.short_track, db_size);
        });
      return;
    case by_combo: write_line(combo_count_text); return;
    case by_racer:
      confirm_and_delete("delete racer %s from everywhere (y/)? ", {word},
                         [=] { return delete_racer(db, word, db_size); });
      return;
    default: write_line(syntax_message); return;
  }
}

// del with two parameters: -cs car short_track, or a racer and a track, car or short track.
void delete_with_two(int kind, char* first, char* second) {
  switch (kind) {
    case by_combo: {
      int car = look_up_car(first);
      if (car < 0) return;
      if (ShortTrackRef ref = look_up_short_track(second); ref.resolved())
        confirm_and_delete(from_prompt, {first, second}, [=] {
          return delete_combo(db, ref.track, car, ref.short_track, db_size);
        });
      return;
    }
    case racer_track:
      if (int track = look_up_track(second); track >= 0)
        confirm_and_delete(from_prompt, {first, second},
                           [=] { return delete_racer_track(db, first, track, db_size); });
      return;
    case racer_car:
      if (int car = look_up_car(second); car >= 0)
        confirm_and_delete(with_prompt, {first, second},
                           [=] { return delete_racer_car(db, first, car, db_size); });
      return;
    case racer_short_track:
      if (ShortTrackRef ref = look_up_short_track(second); ref.resolved())
        confirm_and_delete(from_prompt, {first, second}, [=] {
          return delete_racer_short_track(db, first, ref.track, ref.short_track, db_size);
        });
      return;
    default: write_line(syntax_message); return;
  }
}

// del -rcs racer car short_track.
void delete_racer_in_combo(char* racer, char* car_word, char* short_track_word) {
  int car = look_up_car(car_word);
  if (car < 0) return;
  if (ShortTrackRef ref = look_up_short_track(short_track_word); ref.resolved())
    confirm_and_delete(with_from_prompt, {racer, car_word, short_track_word}, [=] {
      return delete_racer_combo(db, racer, ref.track, car, ref.short_track, db_size);
    });
}

}  // namespace

int parse_del_flag(const char* word) {
  for (int kind = 0; kind < static_cast<int>(std::size(del_flags)); ++kind)
    if (word == del_flags[kind].short_form || word == del_flags[kind].long_form) return kind;
  return -1;
}

bool confirm(std::string_view prompt_format, std::initializer_list<FormatArg> words) {
  static std::string answer;  // its own storage: the command's words stay intact
  static std::string prompt;
  format_text(prompt, prompt_format, words);
  // Ctrl-C refuses, as any answer other than y does.
  if (read_prompted_line(prompt, answer, LineUse::answer) != LineResult::line) return false;
  std::string_view given = lower_text(answer.data());
  return given == "y" || given == "yes";
}

void del_command(char** words, int count) {
  int kind = -1;
  if (count > 2) {
    kind = parse_del_flag(words[1]);
    if (kind == -1) {
      write_line(syntax_message);
      return;
    }
  }
  switch (count) {
    case 1:
      confirm_and_delete("completely delete everything in the database (y/)? ", {},
                         [] { return delete_everything(db, db_size); });
      return;
    case 3: delete_with_one(kind, words[2]); return;
    case 4: delete_with_two(kind, words[2], words[3]); return;
    case 5:
      if (kind == racer_combo)
        delete_racer_in_combo(words[2], words[3], words[4]);
      else
        write_line(syntax_message);
      return;
    default: write_line(syntax_message); return;
  }
}

}  // namespace zeb
