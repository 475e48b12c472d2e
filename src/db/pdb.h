#pragma once

namespace zeb {

// pdb [flag [params]]: the whole store, or one racer, track, car, short track
// or car on a short track. Flags are accepted in any letter case.
void pdb_command(char** words, int count);

}  // namespace zeb
