#include "shell/startup.h"

#include "console/line_reader.h"
#include "console/output.h"
#include "console/terminal.h"
#include "db/store.h"
#include "replay/load.h"
#include "shell/command_loop.h"
#include "shell/completion.h"

namespace zeb {

int run_zeb(int argc, char** argv) {
  start_terminal_session();
  set_completer(complete_line);
  reset_db(db, db_size);
  for (int i = 1; i < argc; ++i) {
    replay_filename = argv[i];
    load_command(nullptr, 0, replay_filename, true);
  }
  command_loop();
  flush_output();
  end_terminal_session();
  return 0;
}

}  // namespace zeb
