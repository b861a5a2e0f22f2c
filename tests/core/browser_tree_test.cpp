// The browser's folder tree built from the phone file list.
#include <gtest/gtest.h>

#include "browser/core/folder_tree.h"
#include "browser/core/natural_order.h"

namespace menuforge {
namespace {

// One line per node, indented by depth: its text and, after ":", its files.
void Dump(const FolderNode& node, int depth, std::string& out) {
  out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text;
  if (!node.files.empty()) out += ":";
  for (const std::string& file : node.files) out += " " + file;
  out += "\n";
  for (const auto& child : node.children) Dump(*child, depth + 1, out);
}

std::string TreeOf(const std::vector<std::string>& paths) {
  std::vector<FileListEntry> list;
  for (const std::string& path : paths) list.push_back(FileListEntry::Make(1, 0, path));
  FolderTree tree;
  tree.Build(list);
  std::string out;
  Dump(tree.root(), 0, out);
  return out;
}

TEST(BrowserTreeTest, BuildsOneNodePerComponent) {
  struct Case {
    const char* name;
    std::vector<std::string> paths;
    const char* tree;
  };
  const Case cases[] = {
      {"an empty list gives only the root", {}, "Phone\n"},
      {"volumes without matches get no node",
       {"/a/mobile/picture/x.gif"},
       "Phone\n  a\n    mobile\n      picture: x.gif\n"},
      {"letter case tells components apart",
       {"/a/Pic/x.gif", "/a/pic/y.gif", "/a/pic/z.gif"},
       "Phone\n  a\n    Pic: x.gif\n    pic: y.gif z.gif\n"},
      {"nodes sort by text, files keep their order",
       {"/e/z.gif", "/b/m/c.gif", "/b/m/a.gif", "/b/L/q.gif", "/a/k.gif"},
       "Phone\n  a: k.gif\n  b\n    L: q.gif\n    m: c.gif a.gif\n  e: z.gif\n"},
      {"a name comes once", {"/a/x.gif", "/a/x.gif"}, "Phone\n  a: x.gif\n"},
      {"paths with empty, \".\" or \"..\" components are left out",
       {"/a//x.gif", "/a/../x.gif", "/a/.", "/a/", "/a", "", "/c/ok.gif"},
       "Phone\n  c: ok.gif\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(TreeOf(c.paths), c.tree) << c.name;
}

TEST(BrowserTreeTest, NodePathsAndFolderPaths) {
  FolderTree tree;
  EXPECT_EQ(FolderPath(tree.root()), "");
  FolderNode* folder = tree.AddFolderPath("/a/mobile/new");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(FolderPath(*folder), "/a/mobile/new");
  EXPECT_EQ(tree.Find("/a/mobile"), folder->parent);
  EXPECT_EQ(tree.Find("/a/Mobile"), nullptr);
  EXPECT_EQ(tree.AddFolderPath("/a/../b"), nullptr);
  tree.Remove(*folder->parent);
  EXPECT_EQ(tree.Find("/a/mobile"), nullptr);
  EXPECT_NE(tree.Find("/a"), nullptr);
}

TEST(BrowserTreeTest, FileListOrderIsNatural) {
  const std::vector<std::pair<const char*, const char*>> ordered = {
      {"icon_1.gif", "icon_2.gif"},
      {"icon_2.gif", "icon_10.gif"},
      {"icon_9", "icon_010"},
      {"Icon.gif", "icon_1.gif"},
      {"a01", "a1"},
      {"A1", "a1"},
      {"x", "x0"},
      {"x99999999999999999999", "x100000000000000000000"},
      {"icon_1b", "icon_1c"},
      {"\x41.gif", "\xE9.gif"},
  };
  for (const auto& [first, second] : ordered) {
    EXPECT_TRUE(NaturalLess(first, second)) << first << " < " << second;
    EXPECT_FALSE(NaturalLess(second, first)) << second << " < " << first;
  }
  EXPECT_FALSE(NaturalLess("same", "same"));
}

}  // namespace
}  // namespace menuforge
