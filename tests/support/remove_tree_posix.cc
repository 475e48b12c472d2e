#include <cstdlib>

#include "test_support.h"

namespace zeb::test {

// rm walks by folder, so it also removes trees too deep for one path.
bool remove_tree(const std::string& path) {
  return std::system(("rm -rf '" + path + "'").c_str()) == 0;
}

}  // namespace zeb::test
