// A menu as loose nodes that each hold their own data, for edits that move, add and remove
// entries freely before any record key means anything; made into a MenuTree at the end.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "menu/menu_tree.h"

namespace menuforge {

struct WorkNode {
  NodeRecord record;
  std::string displayText;
  std::optional<ItemDataRecord> data;
  WorkNode* parent = nullptr;
  std::vector<std::unique_ptr<WorkNode>> children;

  std::size_t Index() const;
  bool IsAncestorOf(const WorkNode* other) const;
  // Display names from the top node down to this one (UTF-8).
  std::vector<std::string> Names() const;
};

struct WorkTree {
  std::vector<std::unique_ptr<WorkNode>> top;
  std::uint8_t customItemCounter = 0;

  WorkNode* menuRoot() const { return top.size() > 1 ? top[1].get() : nullptr; }
};

// `copies` gets, for every node of the tree, its copy.
WorkTree CopyToWork(const MenuTree& tree, std::unordered_map<const MenuNode*, WorkNode*>& copies);

std::unique_ptr<WorkNode> Detach(WorkNode& node);
WorkNode& Attach(WorkNode& parent, std::size_t index, std::unique_ptr<WorkNode> node);

// Renumbered, with every node's data under its key and its length as saved with or without
// "Save all data"; the custom item counter raised by every custom name in the main menu.
MenuTree BuildMenuTree(WorkTree work, bool saveAllData);

}  // namespace menuforge
