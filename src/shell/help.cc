#include "shell/help.h"

#include "console/output.h"
#include "db/store.h"
#include "tables/tables.h"

namespace zeb {

const HelpEntry help_table[help_rows] = {
    {"del", "d",
     "\n\tsyntax:\t\tdel (or d) [flag] [params]\n\n\ttask:\t\tdelete various types of data from "
     "the database\n\n\tflags & params:\t-r racer\n\t\t\t-t track\n\t\t\t-c car\n\t\t\t-s "
     "short_rack\n\t\t\t-cs car short_track\n\t\t\t-rt racer track\n\t\t\t-rc racer "
     "car\n\t\t\t-rs racer short_track\n\t\t\t-rcs racer car short_track\n\n\texamples:\td\t\t\t"
     ": del the whole database\n\t\t\td -r rokan2\t\t: del racer's rokan2 laptimes\n\t\t\td -t "
     "as\t\t\t: del track's aston laptimes\n\t\t\td -rcs rokan2 mrt as1\t: delete rokan2 as1@mrt "
     "laptimes\n"},
    {"pdb", "",
     "\n\tsyntax:\t\tpdb [flag] [params]\n\n\ttask:\t\tprint various types of data from the "
     "database\n\n\tflags & params:\t-t track\n\t\t\t-c car\n\t\t\t-s short_track\n\t\t\t-cs car "
     "short_track\n\n\texamples:\tpdb\t\t: print the whole database\n\t\t\tpdb -t as\t: print "
     "track's Aston laptimes\n\t\t\tpdb -c mrt\t: print car's MRT laptimes\n\t\t\tpdb -cs mrt "
     "as1\t: print as1@mrt laptimes\n"},
    {"load", "l",
     "\n\tsyntax: load (or l) filename.spr\n\n\t\tload a replay to the memory and into the "
     "database\n\t\t(replay's filename MUST be in english)"},
    {"print", "p",
     "\n\tsyntax: print (or p)\n\n\ttask:\tprint the currently loaded replay.spr\n\t\t(data are "
     "shown exactly as they were saved inside the replay)"},
    {"help", "h",
     "\n\tsyntax: help (or h) [command]\n\n\ttask:\tshow help for a given command\n\t\t(if no "
     "command is specified, displays a list of all commands)"},
    {"", "", ""},
    {"", "", ""},
    {"", "", ""},
    {"", "", ""},
    {"", "", ""},
};

namespace {

constexpr const char* command_list[] = {
    "\n\tAvailable Commands",
    "\t-----------------------------------------------------------------------",
    "\tload (or l) replay.spr\t\t\t- load a replay into database",
    "\tprint (or p)\t\t\t\t- print currnetly loaded replay",
    "\tpdb [flag [track] [car] [shrtrk]]\t- print database",
    "\tdel [flag [racer] [trk] [car] [shtrk]]\t- delete db",
    "\thelp (or h) [command]\t\t\t- help on available commands",
    "\t-----------------------------------------------------------------------",
    "\tquit (or q or [enter])\t\t\t- quit the program",
    "\t-----------------------------------------------------------------------\n",
};

}  // namespace

int find_help_entry(const char* word, const HelpEntry* table, int rows) {
  if (*word == '\0') return -1;  // an empty name or alias names no command
  for (int i = 0; i < rows; ++i)
    if (texts_equal(word, table[i].name) || texts_equal(word, table[i].alias)) return i;
  return -1;
}

void help_command(char** words, int count) {
  if (count > 2) write_line("\t(extra parameters ignored)");
  if (count >= 2) {
    int row = find_help_entry(lower_text(words[1]), help_table, help_rows);
    write_line(row == -1 ? "\tvalid commands: \n" : help_table[row].text);
    return;
  }
  for (const char* line : command_list) write_line(line);
}

}  // namespace zeb
