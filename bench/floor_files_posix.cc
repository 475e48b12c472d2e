// The floor's file work on POSIX systems: open, read and close by path;
// readdir, whose entry types say which names are folders.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include "floor_files.h"

bool read_192(const char* name) {
  unsigned char block[192];
  int fd = ::open(name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool got = ::read(fd, block, sizeof block) > 0;
  ::close(fd);
  return got;
}

long walk_and_read(const char* folder) {
  long files = 0;
  std::vector<std::string> todo{folder};
  while (!todo.empty()) {
    std::string path = todo.back() + "/";
    todo.pop_back();
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) continue;
    while (const dirent* entry = ::readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      if (entry->d_type == DT_DIR)
        todo.push_back(path + entry->d_name);
      else if (entry->d_type == DT_REG && name.ends_with(".spr") &&
               read_192((path + entry->d_name).c_str()))
        ++files;
    }
    ::closedir(dir);
  }
  return files;
}
