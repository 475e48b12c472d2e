#include "shell/startup.h"

#include "console/output.h"
#include "db/store.h"
#include "replay/load.h"
#include "shell/command_loop.h"

namespace zeb {

int run_zeb(int argc, char** argv) {
  reset_db(db, db_size);
  for (int i = 1; i < argc; ++i) {
    replay_filename = argv[i];
    load_command(nullptr, 0, replay_filename, true);
  }
  command_loop();
  flush_output();
  return 0;
}

}  // namespace zeb
