#include "menu/tree_edit.h"

#include <gtest/gtest.h>

#include <functional>

#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "support/sample_menus.h"

namespace menuforge::test {
namespace {

ItemTable SampleItems() {
  std::vector<ItemBaseEntry> entries;
  for (const char* id :
       {"Browser", "Games", "Calculator", "Camera", "Settings", "DialedCalls", "Tools"})
    entries.push_back({id, id, true});
  entries[5].displayName = "DialedCalls [SC]";
  return WithDefaultSoftkeys(std::move(entries));
}

// The file the tree saves as, unknown chunks included.
Bytes Saved(MenuTree& tree) {
  FormatOptions options;
  options.saveAllData = true;
  Bytes bytes;
  const SaveResult result = EncodeMenuFile(tree, options, SampleItems(), bytes);
  EXPECT_EQ(result.status(), SaveStatus::Saved) << result.errorText();
  return bytes;
}

MenuNode& Named(const MenuTree& tree, const std::string& itemName) {
  MenuNode* found = nullptr;
  tree.ForEach([&](MenuNode& node) {
    if (node.record().itemName == itemName) found = &node;
  });
  if (!found) throw std::runtime_error("no node " + itemName);
  return *found;
}

const ItemBaseEntry& Item(const std::string& identifier) {
  static const ItemTable items = SampleItems();
  return items.at(items.Find(identifier));
}

using Operation = std::function<void(MenuTree&)>;

struct EditCase {
  const char* name;
  Operation operation;
};

const EditCase kEdits[] = {
    {"add a subitem",
     [](MenuTree& t) {
       static_cast<void>(
           AddEntry(t, Named(t, "Games"), Placement::LastChild, Item("Tools"), false));
     }},
    {"add a custom item first",
     [](MenuTree& t) {
       static_cast<void>(
           AddEntry(t, Named(t, "Browser"), Placement::FirstSibling, Item("Tools"), true));
     }},
    {"add a shortcut",
     [](MenuTree& t) {
       static_cast<void>(
           AddEntry(t, Named(t, "Settings"), Placement::Before, Item("DialedCalls"), false));
     }},
    {"add under an entry with a function, which loses it",
     [](MenuTree& t) {
       static_cast<void>(
           AddEntry(t, Named(t, "Calculator"), Placement::FirstChild, Item("Camera"), false));
     }},
    {"delete a folder with data below", [](MenuTree& t) { DeleteEntry(t, Named(t, "Games")); }},
    {"delete a custom item", [](MenuTree& t) { DeleteEntry(t, Named(t, "~1")); }},
    {"move up", [](MenuTree& t) { MoveUp(t, Named(t, "Settings")); }},
    {"move down", [](MenuTree& t) { MoveDown(t, Named(t, "Browser")); }},
    {"drag into an earlier level",
     [](MenuTree& t) { MoveBefore(t, Named(t, "Tools"), Named(t, "Calculator")); }},
    {"drag into a later sibling's level",
     [](MenuTree& t) { MoveBefore(t, Named(t, "Browser"), Named(t, "Tools")); }},
    {"replace by a custom item",
     [](MenuTree& t) { ReplaceEntry(t, Named(t, "Browser"), Item("Tools"), true); }},
    {"replace by a shortcut",
     [](MenuTree& t) { ReplaceEntry(t, Named(t, "Camera"), Item("DialedCalls"), false); }},
    {"new data, as the item editor's OK gives it",
     [](MenuTree& t) {
       ItemDataRecord record;
       record.slots.push_back(ChunkSlot::Text(TextField::Url, "http://x/"));
       AttachSampleData(t, Named(t, "Tools"), std::move(record));
     }},
};

class TreeEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(TreeEditTest, UndoGivesBackTheFileAndRedoTheEditedOne) {
  MenuTree tree;
  BuildSampleMenu(tree);
  const Bytes before = Saved(tree);
  TreeEditRecorder recorder(tree);
  tree.SetObserver(&recorder);
  GetParam().operation(tree);
  const std::optional<TreeEdit> edit = recorder.Finish();
  tree.SetObserver(nullptr);
  ASSERT_TRUE(edit.has_value());
  const Bytes after = Saved(tree);
  ASSERT_NE(after, before);

  EXPECT_NE(UndoTreeEdit(tree, *edit), nullptr);
  EXPECT_EQ(Saved(tree), before);
  EXPECT_EQ(CaptureRecords(tree), edit->before);
  EXPECT_NE(RedoTreeEdit(tree, *edit), nullptr);
  EXPECT_EQ(Saved(tree), after);
  EXPECT_EQ(CaptureRecords(tree), edit->after);
}

INSTANTIATE_TEST_SUITE_P(Edits, TreeEditTest, ::testing::ValuesIn(kEdits), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

TEST(TreeEdit, EditsAreTakenBackInTurn) {
  MenuTree tree;
  BuildSampleMenu(tree);
  std::vector<Bytes> files{Saved(tree)};
  std::vector<TreeEdit> edits;
  // Each one still finds what it works on after the ones before it.
  for (const std::size_t i : {0, 2, 6, 9, 4, 10}) {
    TreeEditRecorder recorder(tree);
    tree.SetObserver(&recorder);
    kEdits[i].operation(tree);
    edits.push_back(*recorder.Finish());
    tree.SetObserver(nullptr);
    files.push_back(Saved(tree));
  }
  for (std::size_t i = edits.size(); i-- > 0;) {
    UndoTreeEdit(tree, edits[i]);
    EXPECT_EQ(Saved(tree), files[i]) << i;
  }
  EXPECT_EQ(tree.customItemCounter, 1);
  for (const TreeEdit& edit : edits) RedoTreeEdit(tree, edit);
  EXPECT_EQ(Saved(tree), files.back());
  EXPECT_EQ(tree.customItemCounter, 2);
}

TEST(TreeEdit, NothingChangedIsNoEdit) {
  MenuTree tree;
  BuildSampleMenu(tree);
  TreeEditRecorder recorder(tree);
  tree.SetObserver(&recorder);
  MoveBefore(tree, Named(tree, "Games"), Named(tree, "Calculator"));
  MoveUp(tree, Named(tree, "Browser"));
  EXPECT_FALSE(recorder.Finish().has_value());
}

}  // namespace
}  // namespace menuforge::test
