#include "app/core/tree_rules.h"

#include <gtest/gtest.h>

#include "core/menu_test_items.h"

namespace menuforge {
namespace {

using test::AddLast;
using test::NewMenu;

// A new menu with the main menu entries A (holding A1 and A2), B and C.
class TreeRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MenuNode* a = AddLast(tree, *tree.menuRoot(), "A");
    AddLast(tree, *a, "A1");
    AddLast(tree, *a, "A2");
    AddLast(tree, *tree.menuRoot(), "B");
    AddLast(tree, *tree.menuRoot(), "C");
  }
  MenuNode* Named(const std::string& name) const {
    MenuNode* found = nullptr;
    tree.ForEach([&](MenuNode& node) {
      if (node.record().itemName == name) found = &node;
    });
    return found;
  }

  MenuTree tree = NewMenu();
};

TEST_F(TreeRulesTest, MenusOnTheFixedTopAndTheFirstEntry) {
  struct Case {
    std::size_t position;
    ItemMenuEnables item;
    TreeMenuEnables treeMenu;
  };
  const Case cases[] = {
      {0, {false, false, false}, {false, false, false, false}},
      {1, {false, false, true}, {true, false, false, false}},
      {4, {false, false, true}, {true, false, false, false}},
      {7, {false, false, true}, {true, false, false, false}},
      {8, {true, false, false}, {false, false, false, false}},
      {9, {true, true, true}, {true, true, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("position " + std::to_string(c.position));
    const MenuNode* node = tree.NodeAt(c.position);
    EXPECT_EQ(ItemMenuRules(tree, node, true), c.item);
    EXPECT_EQ(TreeMenuRules(tree, node), c.treeMenu);
  }
}

TEST_F(TreeRulesTest, MovesNeedASiblingOnThatSide) {
  EXPECT_EQ(TreeMenuRules(tree, Named("A1")), (TreeMenuEnables{true, true, false, true}));
  EXPECT_EQ(TreeMenuRules(tree, Named("A2")), (TreeMenuEnables{true, true, true, false}));
  EXPECT_EQ(TreeMenuRules(tree, Named("B")), (TreeMenuEnables{true, true, true, true}));
  EXPECT_EQ(TreeMenuRules(tree, Named("C")), (TreeMenuEnables{true, true, true, false}));
}

TEST_F(TreeRulesTest, NothingWithoutASelectedNodeOrACurrentEntry) {
  EXPECT_EQ(ItemMenuRules(tree, nullptr, true), ItemMenuEnables{});
  EXPECT_EQ(ItemMenuRules(tree, Named("B"), false), ItemMenuEnables{});
  EXPECT_EQ(TreeMenuRules(tree, nullptr), TreeMenuEnables{});
}

TEST_F(TreeRulesTest, AddSubitemFollowsTheItemsFlag) {
  MenuNode* leaf = AddEntry(tree, *Named("B"), Placement::Before, {"Leaf", "Leaf", false}, false);
  EXPECT_EQ(ItemMenuRules(tree, leaf, true), (ItemMenuEnables{false, true, true}));
}

TEST_F(TreeRulesTest, ANodeOfAnotherTreeEnablesNothing) {
  const MenuTree other = NewMenu();
  EXPECT_EQ(ItemMenuRules(tree, other.NodeAt(8), true), ItemMenuEnables{});
  EXPECT_EQ(TreeMenuRules(tree, other.NodeAt(8)), TreeMenuEnables{});
}

TEST_F(TreeRulesTest, DropsOnlyBetweenMainMenuEntries) {
  struct Case {
    std::size_t target;
    DragSource source;
    std::size_t dragged;
    bool accepted;
  };
  const Case cases[] = {
      {9, DragSource::TreeNode, 12, true},  {12, DragSource::TreeNode, 10, true},
      {9, DragSource::ItemList, 0, true},   {13, DragSource::ItemList, 0, true},
      {8, DragSource::TreeNode, 12, false}, {8, DragSource::ItemList, 0, false},
      {0, DragSource::ItemList, 0, false},  {3, DragSource::TreeNode, 12, false},
      {9, DragSource::TreeNode, 8, false},  {9, DragSource::TreeNode, 0, false},
      {12, DragSource::TreeNode, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("target " + std::to_string(c.target) + ", dragged " + std::to_string(c.dragged));
    const MenuNode* dragged = c.source == DragSource::TreeNode ? tree.NodeAt(c.dragged) : nullptr;
    EXPECT_EQ(AcceptsDrop(tree, tree.NodeAt(c.target), c.source, dragged), c.accepted);
  }
  EXPECT_FALSE(AcceptsDrop(tree, nullptr, DragSource::ItemList, nullptr));
  EXPECT_FALSE(AcceptsDrop(tree, Named("B"), DragSource::TreeNode, nullptr));
}

TEST_F(TreeRulesTest, NodesHoldingTheDroppedNodeStayOpen) {
  EXPECT_TRUE(StaysExpandedAfterDrop(*tree.menuRoot(), *Named("A1")));
  EXPECT_TRUE(StaysExpandedAfterDrop(*Named("A"), *Named("A1")));
  EXPECT_TRUE(StaysExpandedAfterDrop(*Named("A"), *Named("A")));
  EXPECT_FALSE(StaysExpandedAfterDrop(*Named("A"), *Named("B")));
  EXPECT_FALSE(StaysExpandedAfterDrop(*Named("A1"), *Named("A")));
}

}  // namespace
}  // namespace menuforge
