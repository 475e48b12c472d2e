// Windows speaks UTF-16 to its file and console calls; zeb keeps UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

// Invalid sequences become U+FFFD either way.
std::wstring wide_from_utf8(std::string_view text);
std::string utf8_from_wide(std::wstring_view text);

}  // namespace zeb
