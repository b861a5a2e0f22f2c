// The browser's folder tree: a root "Phone", below it the volume letters, then the folders, each
// folder carrying the names of its files in the order they were added (`BrowserFolderFiles`).
// Components are matched with their exact letter case; siblings are kept sorted by text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "phone/file_list_entry.h"

namespace menuforge {

inline constexpr char kTreeRootText[] = "Phone";

struct FolderNode {
  std::string text;
  FolderNode* parent = nullptr;
  std::vector<std::unique_ptr<FolderNode>> children;
  // BrowserFolderFiles: the file names, each once.
  std::vector<std::string> files;

  // The child with exactly this text, or nullptr.
  FolderNode* Child(std::string_view childText) const;
  // The child with exactly this text, added in its sorted place when there is none.
  FolderNode& ChildOrNew(std::string_view childText);
  bool isRoot() const { return parent == nullptr; }
};

// Empty for the root; else the parent's path + "/" + the text ("/a", "/a/mobile").
std::string FolderPath(const FolderNode& node);

class FolderTree {
 public:
  FolderTree();

  FolderNode& root() { return *root_; }
  const FolderNode& root() const { return *root_; }

  // Empties the tree down to the root and adds every entry's path.
  void Build(const std::vector<FileListEntry>& list);
  // Adds the folders of a file's full path and its name to the last folder; returns that
  // folder, or nullptr for a path that names no file in a folder.
  FolderNode* AddFilePath(std::string_view path);
  // Adds the folders of a folder path ("/a/new"); returns the last, or nullptr for a path with
  // an empty, "." or ".." component.
  FolderNode* AddFolderPath(std::string_view path);
  // The node of a folder path, or nullptr.
  const FolderNode* Find(std::string_view path) const;
  FolderNode* Find(std::string_view path) {
    return const_cast<FolderNode*>(std::as_const(*this).Find(path));
  }
  // Takes the node and everything below it out of the tree; the root stays.
  void Remove(FolderNode& node);

 private:
  std::unique_ptr<FolderNode> root_;
};

}  // namespace menuforge
