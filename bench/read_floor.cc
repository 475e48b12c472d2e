// The floor of a bulk import: reads the same "l NAME" script from standard
// input and, for each name, opens the file, reads 192 bytes and closes it.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main() {
  static char line[8192];
  unsigned char block[192];
  long files = 0;
  while (std::fgets(line, sizeof line, stdin)) {
    std::size_t n = std::strlen(line);
    if (n > 0 && line[n - 1] == '\n') line[--n] = '\0';
    if (n < 3 || line[0] != 'l' || line[1] != ' ') continue;
    int fd = ::open(line + 2, O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    if (::read(fd, block, sizeof block) > 0) ++files;
    ::close(fd);
  }
  std::printf("%ld\n", files);
  return 0;
}
