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
// Record numbers of the main menu's root and of its first entry.
inline constexpr std::uint8_t kMenuRootRecord = 9;
inline constexpr std::uint8_t kFirstEntryRecord = 10;
// Record numbers are 8-bit and records 0 to 9 are fixed, so at most 245 entries fit a file.
inline constexpr std::size_t kMaxMenuEntries = 245;
// "The main menu already holds 245 entries, the most an mma_ucp file can hold"
std::string TooManyEntriesText();

extern const std::array<std::string_view, kSoftkeyCount> kSoftkeyPrefixes;

// A node of the tree. Its record, text and place are read by anyone and written only by the
// MenuTree that holds it, so that the records, the item data and the observers always agree. A
// node not yet in a tree is made whole by its constructor.
class MenuNode {
 public:
  using Children = std::vector<std::unique_ptr<MenuNode>>;

  explicit MenuNode(NodeRecord record, std::string displayText = {})
      : record_(std::move(record)), displayText_(std::move(displayText)) {}
  MenuNode(const MenuNode&) = delete;
  MenuNode& operator=(const MenuNode&) = delete;

  const NodeRecord& record() const { return record_; }
  const std::string& displayText() const { return displayText_; }  // 8-bit, as the item base
  MenuNode* parent() const { return parent_; }
  const Children& children() const { return children_; }

  std::size_t IndexInParent(const Children& siblings) const;
  std::size_t DescendantCount() const;
  bool IsAncestorOf(const MenuNode* other) const;
  // A copy of this node and its subtree, in no tree.
  std::unique_ptr<MenuNode> CopySubtree() const;

 private:
  friend class MenuTree;

  NodeRecord record_;
  std::string displayText_;
  MenuNode* parent_ = nullptr;
  Children children_;
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

// What the records say, in display order, for a tree of a given shape.
struct TreeRecords {
  struct Entry {
    NodeRecord record;
    std::string displayText;
    bool operator==(const Entry&) const = default;
  };
  std::vector<Entry> nodes;
  ItemDataTable itemData;
  std::uint8_t customItemCounter = 0;
  bool operator==(const TreeRecords&) const = default;
};

class MenuTree {
 public:
  using Siblings = MenuNode::Children;

  std::uint8_t customItemCounter = 0;

  const ItemDataTable& itemData() const { return itemData_; }
  // The one way an entry gains or loses its data: the table holds `data` under the node's key,
  // the node's record says it has data (`modified`) and how long it is (`dataLength`, as saved
  // with or without `saveAllData`), and the observer hears of it. Without data, all of it goes.
  void SetEntryData(MenuNode& node, std::optional<ItemDataRecord> data, bool saveAllData = false);
  // The loader's one write: `data` as the file holds it under `key`, whose record already says
  // it has data and how long it is. Every later change goes through SetEntryData.
  void StoreLoadedData(std::uint8_t key, ItemDataRecord data) {
    itemData_.Store(key, std::move(data));
  }
  // The data of `node` and everything under it leaves the table, as the subtree leaves the tree.
  void FreeSubtreeData(const MenuNode& node);

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
  // Every node and all their data.
  void Clear();
  // Takes the nodes, the item data and the custom item counter of `other`, which is left empty;
  // this tree's observer sees one reset.
  void TakeContentOf(MenuTree& other);

  // Record writes. The record key follows the tree's numbering and the data flag and length
  // follow its item data, so an edit that changes them has them put back; each write is told to
  // the observer.
  void EditRecord(MenuNode& node, const std::function<void(NodeRecord&)>& edit);
  void SetDisplayText(MenuNode& node, std::string displayText);
  // The length the entry's data takes as saved with or without `saveAllData`, for the saver;
  // told only when it changed.
  void RefreshDataLength(MenuNode& node, bool saveAllData);
  // Recomputes keys and links of every main menu node and moves the item data to the new keys.
  void Renumber();
  // Record writes made while `write` runs are told once for each node written, when it ends.
  void EditTogether(const std::function<void()>& write);
  // Puts back every record, the item data and the custom item counter as captured from a tree
  // of the same shape (undo); returns the first node whose record changed, or nullptr.
  MenuNode* RestoreRecords(const TreeRecords& records);

 private:
  Siblings& MutableSiblingsOf(const MenuNode* node);
  void NotifyRecordChanged(MenuNode* node) const;

  Siblings topLevel_;
  ItemDataTable itemData_;
  TreeObserver* observer_ = nullptr;
  int holding_ = 0;                      // EditTogether runs
  mutable std::vector<MenuNode*> held_;  // nodes written meanwhile, in order
};

}  // namespace menuforge
