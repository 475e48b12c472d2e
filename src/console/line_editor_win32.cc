// Stand-in until the console editor is written.
#include "console/line_editor.h"

namespace zeb {

bool line_editor_available() { return false; }

LineResult edit_line(std::string_view, std::string&, LineUse) { return LineResult::end_of_input; }

void set_editor_completer(Completer) {}

}  // namespace zeb
