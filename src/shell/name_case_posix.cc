#include "shell/name_case.h"

namespace zeb {

bool name_begins_with(std::string_view name, std::string_view typed) {
  return name.starts_with(typed);
}

void spell_as_stored(std::string&) {}

}  // namespace zeb
