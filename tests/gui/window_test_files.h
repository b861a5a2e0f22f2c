// Files the main window's tests put in the working folder before the window starts.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/catalog.h"
#include "catalog/item_base_file.h"
#include "menu/menu_tree.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"

namespace menuforge::test {

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void WriteProfile(const std::string& name, const std::string& formatLine,
                         const std::string& items) {
  WriteText(std::filesystem::path(kProfilesFolder) / (name + ".prf"),
            "[mma_ucp format]\r\n" + formatLine + "\r\n[mma items]\r\n" + items);
}

// A 36-byte menu file whose only main menu entry is `identifier`, which the built-in item base
// does not know.
inline bool WriteMenuWithUnknownItem(const std::filesystem::path& path,
                                     const std::string& identifier) {
  MenuTree tree;
  BuildSkeleton(tree);
  const ItemBaseEntry unknown{identifier, identifier, true};
  if (!AddEntry(tree, *tree.menuRoot(), Placement::LastChild, unknown, false)) return false;
  std::vector<ItemBaseEntry> known = BuiltInItemBase();
  known.push_back(unknown);
  return SaveMenuFile(path, tree, FormatOptions{}, ItemTable(known)).status() == SaveStatus::Saved;
}

}  // namespace menuforge::test
