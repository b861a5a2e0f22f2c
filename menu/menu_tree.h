// The menu as a tree in display order, with its fixed top and the item data table.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/item_data.h"
#include "menu/node_record.h"

namespace menuforge {

// Display positions of the fixed top of every open menu.
inline constexpr std::size_t kSoftkeysPosition = 0;
inline constexpr std::size_t kFirstSoftkeyPosition = 1;
inline constexpr std::size_t kSoftkeyCount = 7;
inline constexpr std::size_t kMenuRootPosition = 8;
inline constexpr std::size_t kFirstEntryPosition = 9;
inline constexpr std::size_t kFixedNodeCount = 9;
// Record numbers are 8-bit and records 0 to 9 are fixed, so at most 245 entries fit a file.
inline constexpr std::size_t kMaxMenuEntries = 245;
// "The main menu already holds 245 entries, the most an mma_ucp file can hold"
std::string TooManyEntriesText();

extern const std::array<std::string_view, kSoftkeyCount> kSoftkeyPrefixes;

struct MenuNode {
  NodeRecord record;
  std::string displayText;  // 8-bit, as the item base holds display names
  MenuNode* parent = nullptr;
  std::vector<std::unique_ptr<MenuNode>> children;

  std::size_t IndexInParent(const std::vector<std::unique_ptr<MenuNode>>& siblings) const;
  std::size_t DescendantCount() const;
  bool IsAncestorOf(const MenuNode* other) const;
};

// Told of every change of shape, so that a view can follow the tree step by step.
class TreeObserver {
 public:
  virtual ~TreeObserver() = default;
  virtual void AboutToInsert(MenuNode* parent, std::size_t index) = 0;
  virtual void Inserted() = 0;
  virtual void AboutToRemove(MenuNode* node) = 0;
  virtual void Removed() = 0;
  virtual void AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) = 0;
  virtual void Moved() = 0;
  virtual void AboutToReset() = 0;
  virtual void Reset() = 0;
  virtual void RecordChanged(MenuNode* node) = 0;
};

class MenuTree {
 public:
  using Siblings = std::vector<std::unique_ptr<MenuNode>>;

  std::uint8_t customItemCounter = 0;

  const ItemDataTable& itemData() const { return itemData_; }
  // The one way an entry gains or loses its data: the table holds `data` under the node's key,
  // the node's record says it has data (`modified`) and how long it is (`dataLength`, as saved
  // with or without `saveAllData`), and the observer hears of it. Without data, all of it goes.
  void SetEntryData(MenuNode& node, std::optional<ItemDataRecord> data, bool saveAllData = false);
  // The whole table, for the code that moves every entry's data at once: the loader, the
  // renumbering, undo, emptying. An edit of one entry goes through SetEntryData.
  ItemDataTable& WholeItemData() { return itemData_; }

  void SetObserver(TreeObserver* observer) { observer_ = observer; }
  TreeObserver* observer() const { return observer_; }

  const Siblings& topLevel() const { return topLevel_; }
  bool empty() const { return topLevel_.empty(); }
  std::size_t NodeCount() const;
  std::size_t EntryCount() const;  // main menu entries: node count minus the fixed nine

  MenuNode* NodeAt(std::size_t position) const;  // nullptr when out of range
  // Display position; NodeCount() for a node not in this tree.
  std::size_t PositionOf(const MenuNode* node) const;
  MenuNode* softkeys() const;  // nullptr on an empty tree
  MenuNode* menuRoot() const;

  const Siblings& SiblingsOf(const MenuNode* node) const;
  MenuNode* PreviousSibling(const MenuNode* node) const;
  MenuNode* NextSibling(const MenuNode* node) const;
  std::size_t IndexOf(const MenuNode* node) const;

  // Depth-first pre-order over the whole tree.
  void ForEach(const std::function<void(MenuNode&)>& visit) const;

  // Shape changes; parent nullptr means top level.
  MenuNode* Insert(MenuNode* parent, std::size_t index, std::unique_ptr<MenuNode> node);
  void Remove(MenuNode* node);
  void Move(MenuNode* node, MenuNode* newParent, std::size_t newIndex);
  void Clear();  // nodes only; the item data table is left to the caller
  // Takes the nodes, the item data and the custom item counter of `other`, which is left empty;
  // this tree's observer sees one reset.
  void TakeContentOf(MenuTree& other);
  void NotifyRecordChanged(MenuNode* node) const;

 private:
  Siblings& MutableSiblingsOf(const MenuNode* node);

  Siblings topLevel_;
  ItemDataTable itemData_;
  TreeObserver* observer_ = nullptr;
};

}  // namespace menuforge
