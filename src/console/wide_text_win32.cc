#include <windows.h>

#include "console/wide_text.h"

namespace zeb {

std::wstring wide_from_utf8(std::string_view text) {
  std::wstring wide;
  if (text.empty()) return wide;
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  wide.resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string utf8_from_wide(std::wstring_view text) {
  std::string narrow;
  if (text.empty()) return narrow;
  int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
  return narrow;
}

}  // namespace zeb
