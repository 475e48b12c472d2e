#include "folders/folder_walk.h"

#include <algorithm>
#include <cstring>

namespace zeb {
namespace {

std::uint32_t add_text(FolderList& list, std::string_view a, std::string_view b) {
  auto at = static_cast<std::uint32_t>(list.names.size());
  list.names.insert(list.names.end(), a.begin(), a.end());
  list.names.insert(list.names.end(), b.begin(), b.end());
  return at;
}

// The first 8 bytes of a + b as one number, zeros past the end: numbers
// compare as the texts' beginnings do (a name never holds a NUL).
std::uint64_t path_key(std::string_view a, std::string_view b) {
  std::uint64_t key = 0;
  for (int i = 0; i < 8; ++i) {
    unsigned char c = 0;
    if (a.size() > static_cast<std::size_t>(i))
      c = static_cast<unsigned char>(a[i]);
    else if (b.size() > i - a.size())
      c = static_cast<unsigned char>(b[i - a.size()]);
    key = key << 8 | c;
  }
  return key;
}

void add_walked_folder(FolderList& list, std::uint32_t parent, std::string_view name) {
  std::string_view above = folder_path(list, parent);
  std::string copy(above);  // names may move while it grows
  std::uint32_t at = add_text(list, copy, name);
  list.names.push_back('/');
  list.names.push_back('\0');
  list.folders.push_back({parent, at, static_cast<std::uint32_t>(copy.size() + name.size() + 1)});
}

void add_walked_replay(FolderList& list, std::uint32_t folder, std::string_view name) {
  std::uint32_t at = add_text(list, name, {});
  list.names.push_back('\0');
  list.entries.push_back({0, folder, at});
}

void add_unopenable(FolderList& list, std::uint32_t folder) {
  const WalkedFolder f = list.folders[folder];
  std::uint32_t above = list.folders[f.parent].length;
  std::string name(list.names.data() + f.path + above, f.length - above - 1);  // without its "/"
  std::uint32_t at = add_text(list, name, {});
  list.names.push_back('\0');
  list.entries.push_back({0, f.parent, at | WalkedEntry::unopenable_bit});
}

void sort_entries(FolderList& list) {
  for (WalkedEntry& e : list.entries)
    e.key = path_key(folder_path(list, e.folder), entry_name(list, e));
  std::sort(list.entries.begin(), list.entries.end(),
            [&list](const WalkedEntry& a, const WalkedEntry& b) {
              if (a.key != b.key) return a.key < b.key;
              if (a.folder == b.folder) return entry_name(list, a) < entry_name(list, b);
              return joined_before(folder_path(list, a.folder), entry_name(list, a),
                                   folder_path(list, b.folder), entry_name(list, b));
            });
}

}  // namespace

void add_walked(FolderList& list, std::uint32_t folder, std::string_view name, EntryKind kind,
                std::vector<std::uint32_t>& todo) {
  if (kind == EntryKind::folder) {
    add_walked_folder(list, folder, name);
    todo.push_back(static_cast<std::uint32_t>(list.folders.size() - 1));
  } else if (kind == EntryKind::replay) {
    add_walked_replay(list, folder, name);
  }
}

void walk_folders(FolderList& list, FolderReader read_folder) {
  list.names.assign(1, '\0');
  list.folders.assign(1, {0, 0, 0});
  list.entries.clear();
  std::vector<std::uint32_t> todo{0};
  while (!todo.empty()) {
    std::uint32_t folder = todo.back();
    todo.pop_back();
    if (!read_folder(list, folder, todo)) add_unopenable(list, folder);
  }
  sort_entries(list);
}

bool is_replay_name(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view end = name.substr(name.size() - 4);
  return end[0] == '.' && (end[1] | 0x20) == 's' && (end[2] | 0x20) == 'p' &&
         (end[3] | 0x20) == 'r';
}

bool joined_before(std::string_view a1, std::string_view a2, std::string_view b1,
                   std::string_view b2) {
  for (;;) {
    if (a1.empty()) std::swap(a1, a2);
    if (b1.empty()) std::swap(b1, b2);
    if (a1.empty()) return !b1.empty();
    if (b1.empty()) return false;
    std::size_t n = std::min(a1.size(), b1.size());
    int c = std::memcmp(a1.data(), b1.data(), n);
    if (c != 0) return c < 0;
    a1.remove_prefix(n);
    b1.remove_prefix(n);
  }
}

void join_path(std::string& out, std::string_view word, std::string_view below,
               std::string_view name) {
  out.assign(word);
  if (word.empty() || (word.back() != '/' && word.back() != path_separator))
    out.push_back(path_separator);
  std::size_t at = out.size();
  out.append(below);
  if (path_separator != '/')
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(), '/', path_separator);
  out.append(name);
}

std::string_view folder_path(const FolderList& list, std::uint32_t folder) {
  const WalkedFolder& f = list.folders[folder];
  return {list.names.data() + f.path, f.length};
}

std::string_view entry_name(const FolderList& list, const WalkedEntry& entry) {
  return list.names.data() + entry.name();
}

}  // namespace zeb
