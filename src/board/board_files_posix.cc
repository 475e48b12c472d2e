// POSIX: open, write, fsync-free rename(2), which replaces the old file at once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "board/board_files.h"

namespace zeb {
namespace {

std::string reason_of(int error) { return std::strerror(error); }

}  // namespace

bool make_board_folder(const std::string& path, std::string& reason) {
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at != path.size() && path[at] != '/') continue;
    std::string part = path.substr(0, at);
    if (::mkdir(part.c_str(), 0777) == 0 || errno == EEXIST) continue;
    reason = reason_of(errno);
    return false;
  }
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    reason = reason_of(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    reason = reason_of(ENOTDIR);
    return false;
  }
  return true;
}

void BoardFile::discard() {
  if (handle_ == -1) return;
  ::close(static_cast<int>(handle_));
  ::unlink(temporary_.c_str());
  handle_ = -1;
}

bool BoardFile::open(const std::string& path, std::string& reason) {
  path_ = path;
  std::size_t slash = path.rfind('/');
  std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  temporary_ = path.substr(0, name) + "." + path.substr(name) + ".zeb-new";
  int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    reason = reason_of(errno);
    return false;
  }
  handle_ = fd;
  return true;
}

bool BoardFile::write(const char* data, std::size_t size, std::string& reason) {
  while (size > 0) {
    ssize_t n = ::write(static_cast<int>(handle_), data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = reason_of(errno);
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool BoardFile::put_in_place(std::string& reason) {
  int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (::close(fd) != 0 || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
    reason = reason_of(errno);
    ::unlink(temporary_.c_str());
    return false;
  }
  return true;
}

bool remove_board_file(const std::string& path, std::string& reason) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  reason = reason_of(errno);
  return false;
}

}  // namespace zeb
