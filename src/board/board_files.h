// The board's files on disk: each written whole under a temporary name in
// the same folder and then renamed over the old one, so a reader or a web
// server sees the old file or the new one, never half of one. (One file per
// system beside this one.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb {

// Creates the folder (and those above it) when missing; false with the
// system's reason when that fails.
bool make_board_folder(const std::string& path, std::string& reason);

// One file being written: open, written in pieces, then put in place.
class BoardFile {
 public:
  BoardFile() = default;
  BoardFile(const BoardFile&) = delete;
  BoardFile& operator=(const BoardFile&) = delete;
  ~BoardFile() { discard(); }  // a file never put in place is removed
  // Opens `path`'s temporary name for writing; false with the reason.
  bool open(const std::string& path, std::string& reason);
  bool write(const char* data, std::size_t size, std::string& reason);
  // Closes it and renames it over `path`.
  bool put_in_place(std::string& reason);
  // Closes it and removes the temporary file, when one is open.
  void discard();

 private:
  std::string path_;
  std::string temporary_;
  std::intptr_t handle_ = -1;
};

// Removes the file when it is there; false with the reason only when it is
// there and stays.
bool remove_board_file(const std::string& path, std::string& reason);

}  // namespace zeb
