#include <filesystem>
#include <system_error>

#include "test_support.h"

namespace zeb::test {

bool remove_tree(const std::string& path) {
  std::error_code error;
  std::filesystem::remove_all(path, error);
  return !error;
}

}  // namespace zeb::test
