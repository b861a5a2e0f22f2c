#include "browser/core/folder_tree.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace menuforge {
namespace {

// Letter case matters only to tell apart texts that are otherwise equal, so "Pictures" sorts
// beside "pictures" and not after every lower-case text.
bool TextLess(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  const bool less = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) < lower(y); });
  const bool greater = std::lexicographical_compare(
      b.begin(), b.end(), a.begin(), a.end(), [&](char x, char y) { return lower(x) < lower(y); });
  return less || (!greater && a < b);
}

// A component a phone path can carry; "." and ".." would lead a download out of its folder.
bool IsUsableComponent(std::string_view component) {
  return !component.empty() && component != "." && component != "..";
}

// The components after the leading character, or nothing when one is unusable.
std::optional<std::vector<std::string_view>> Components(std::string_view path) {
  std::vector<std::string_view> components;
  if (path.empty()) return components;
  path.remove_prefix(1);
  while (true) {
    const std::size_t slash = path.find('/');
    const std::string_view component = path.substr(0, slash);
    if (!IsUsableComponent(component)) return std::nullopt;
    components.push_back(component);
    if (slash == std::string_view::npos) return components;
    path.remove_prefix(slash + 1);
  }
}

}  // namespace

FolderNode* FolderNode::Child(std::string_view childText) const {
  for (const auto& child : children)
    if (child->text == childText) return child.get();
  return nullptr;
}

FolderNode& FolderNode::ChildOrNew(std::string_view childText) {
  if (FolderNode* existing = Child(childText)) return *existing;
  auto node = std::make_unique<FolderNode>();
  node->text = std::string(childText);
  node->parent = this;
  const auto place = std::upper_bound(
      children.begin(), children.end(), childText,
      [](std::string_view text, const auto& child) { return TextLess(text, child->text); });
  return **children.insert(place, std::move(node));
}

std::string FolderPath(const FolderNode& node) {
  if (node.isRoot()) return {};
  return FolderPath(*node.parent) + "/" + node.text;
}

FolderTree::FolderTree() : root_(std::make_unique<FolderNode>()) { root_->text = kTreeRootText; }

void FolderTree::Build(const std::vector<FileListEntry>& list) {
  root_->children.clear();
  root_->files.clear();
  for (const FileListEntry& entry : list) AddFilePath(entry.path());
}

FolderNode* FolderTree::AddFilePath(std::string_view path) {
  const auto components = Components(path);
  if (!components || components->size() < 2) return nullptr;
  FolderNode* folder = root_.get();
  for (std::size_t i = 0; i + 1 < components->size(); ++i)
    folder = &folder->ChildOrNew((*components)[i]);
  const std::string_view name = components->back();
  if (std::find(folder->files.begin(), folder->files.end(), name) == folder->files.end())
    folder->files.emplace_back(name);
  return folder;
}

FolderNode* FolderTree::AddFolderPath(std::string_view path) {
  const auto components = Components(path);
  if (!components) return nullptr;
  FolderNode* folder = root_.get();
  for (const std::string_view component : *components) folder = &folder->ChildOrNew(component);
  return folder;
}

const FolderNode* FolderTree::Find(std::string_view path) const {
  const auto components = Components(path);
  if (!components) return nullptr;
  const FolderNode* folder = root_.get();
  for (const std::string_view component : *components) {
    folder = folder->Child(component);
    if (folder == nullptr) return nullptr;
  }
  return folder;
}

void FolderTree::Remove(FolderNode& node) {
  if (node.isRoot()) return;
  auto& siblings = node.parent->children;
  std::erase_if(siblings, [&](const auto& child) { return child.get() == &node; });
}

}  // namespace menuforge
