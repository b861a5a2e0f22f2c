#include "menu/menu_merge.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "menu/comparison_lines.h"
#include "menu/entry_matching.h"
#include "menu/format_limits.h"
#include "menu/tree_edit.h"
#include "menu/tree_operations.h"
#include "menu/work_tree.h"

namespace menuforge {
namespace {

// As the comparison's lines show a change of value.
constexpr char kArrow[] = " \u2192 ";

// How the lines name the two sides.
struct Sides {
  const char* mine;
  const char* theirs;
  bool missingIsConflict;  // a change list expects every entry it names to be there
};
constexpr Sides kMergeSides{"mine", "theirs", false};
constexpr Sides kListSides{"the menu", "the change list", true};

constexpr char kRecordSizeField[] = "record-size";
constexpr char kC698pField[] = "c698p-fix";
constexpr char kIconAttributeField[] = "icon-attribute";
constexpr char kSaveAllDataField[] = "save-all-data";

std::string OnOff(bool on) { return on ? "on" : "off"; }

std::string FormatValue(const FormatOptions& options, const std::string& field) {
  if (field == kRecordSizeField) return std::to_string(RecordBytes(options.saveMode));
  if (field == kC698pField) return OnOff(options.c698pFix);
  if (field == kIconAttributeField)
    return ByteToHex(static_cast<std::uint8_t>(options.iconAttribute));
  if (field == kSaveAllDataField) return OnOff(options.saveAllData);
  return {};
}

void SetFormatValue(FormatOptions& options, const std::string& field, const std::string& value) {
  if (field == kRecordSizeField)
    options.saveMode = value == "22" ? RecordSize::k22 : RecordSize::k36;
  else if (field == kC698pField)
    options.c698pFix = value == "on";
  else if (field == kIconAttributeField)
    options.iconAttribute = value == "06" ? IconAttribute::Tag06 : IconAttribute::Tag0C;
  else if (field == kSaveAllDataField)
    options.saveAllData = value == "on";
}

// The 36-byte format fixes the icon attribute at "0C" and has no c698p fix.
void Settle(FormatOptions& options) {
  const FormatOptions chosen = options;
  options.SelectSaveMode(chosen.saveMode);
  if (chosen.saveMode == RecordSize::k22) {
    options.c698pFix = chosen.c698pFix;
    options.iconAttribute = chosen.iconAttribute;
  }
}

// Whether the entry holds other values than `expected`, the item name included.
bool Differs(const WorkNode& node, const CarriedEntry& expected) {
  if (node.record.itemName != expected.record.itemName) return true;
  const ItemDataRecord* data = node.data ? &*node.data : nullptr;
  const ItemDataRecord* other = expected.data ? &*expected.data : nullptr;
  const std::vector<EntryField> a = EntryFields(node.record, data);
  const std::vector<EntryField> b = EntryFields(expected.record, other);
  if (a.size() != b.size()) return true;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].order != b[i].order || !a[i].SameValue(b[i])) return true;
  return false;
}

std::unique_ptr<WorkNode> NodeFrom(const CarriedEntry& entry) {
  auto node = std::make_unique<WorkNode>();
  node->record = entry.record;
  node->displayText = entry.displayText;
  node->data = entry.data;
  return node;
}

// Finds the node an entry of the first menu became in the menu being changed, before any change.
using Locate = std::function<WorkNode*(const WorkTree&, const ChangeTarget&)>;

class Merger {
 public:
  Merger(WorkTree work, FormatOptions options, const ChangeList& changes, Sides sides,
         const ConflictChoices& choices)
      : work_(std::move(work)),
        options_(options),
        changes_(changes),
        sides_(sides),
        choices_(choices) {}

  std::set<const WorkNode*> movedByMine;

  Result<MergedMenu> Run(const Locate& locate) {
    MergeFormat();
    NoteCustomNames();
    for (const CarriedChange& change : changes_.entries)
      for (const ChangeTarget* target : {&change.entry, &change.parent, &change.previous})
        if (target->kind == ChangeTarget::Kind::Entry && !located_.contains(target->place.path))
          located_[target->place.path] = locate(work_, *target);
    created_.assign(changes_.entries.size(), nullptr);
    std::vector<std::size_t> removals;
    for (index_ = 0; index_ < changes_.entries.size(); ++index_) {
      const CarriedChange& change = changes_.entries[index_];
      if (change.change == EntryChange::Removed)
        removals.push_back(index_);
      else if (change.change == EntryChange::Added)
        Add(change);
      else
        Change(change);
    }
    Remove(removals);
    MergedMenu merged;
    Settle(options_);
    merged.tree = BuildMenuTree(std::move(work_), options_.saveAllData);
    if (const Status fits = CheckFormatLimits(merged.tree, options_.saveAllData); !fits)
      return Failure(fits.error());
    merged.options = options_;
    merged.conflicts = std::move(conflicts_);
    return merged;
  }

 private:
  void NoteCustomNames() {
    nextCustom_ = work_.customItemCounter;
    std::function<void(const WorkNode&)> note = [&](const WorkNode& node) {
      if (node.record.IsCustom()) {
        customNames_.insert(node.record.itemName);
        nextCustom_ = std::max(nextCustom_, CustomNumber(node.record.itemName));
      }
      for (const auto& child : node.children) note(*child);
    };
    for (const auto& top : work_.top) note(*top);
    // Names the changes take away are free again; names they give are taken.
    for (const CarriedChange& change : changes_.entries) {
      const NodeRecord& record = change.content.record;
      if (record.IsCustom()) nextCustom_ = std::max(nextCustom_, CustomNumber(record.itemName));
      if (change.change == EntryChange::Removed) customNames_.erase(record.itemName);
      for (const FieldEdit& edit : change.fields) {
        if (edit.field != kItemFieldName) continue;
        if (edit.before) customNames_.erase(std::get<std::string>(*edit.before));
        if (edit.after) customNames_.insert(std::get<std::string>(*edit.after));
      }
    }
  }

  // Lists the conflict; true when THEIRS is to win it.
  bool Conflict(const std::string& path, const std::string& text) {
    return Clash("! " + path + ": " + text);
  }

  bool Clash(std::string line) {
    const bool theirs =
        choices_.otherwise == ConflictChoice::TakeTheirs || choices_.theirs.contains(line);
    conflicts_.push_back(std::move(line));
    return theirs;
  }

  std::string Path(const CarriedChange& change) const { return ShownEntryPath(change.shown.names); }

  void MergeFormat() {
    for (const FieldDifference& field : changes_.format) {
      const std::string before = field.before ? field.before->text : "";
      const std::string after = field.after ? field.after->text : "";
      const std::string current = FormatValue(options_, field.field);
      if (current == after) continue;
      if (current != before) {
        if (!Clash("! format: " + field.label + ": " + sides_.mine + " " + before + kArrow +
                   current + ", " + sides_.theirs + " " + before + kArrow + after))
          continue;
      }
      SetFormatValue(options_, field.field, after);
    }
  }

  WorkNode* Target(const ChangeTarget& target) const {
    switch (target.kind) {
      case ChangeTarget::Kind::None: return nullptr;
      case ChangeTarget::Kind::MenuRoot: return work_.menuRoot();
      case ChangeTarget::Kind::Entry: {
        const auto found = located_.find(target.place.path);
        return found == located_.end() ? nullptr : found->second;
      }
      case ChangeTarget::Kind::Added:
        return target.added < index_ ? created_[target.added] : nullptr;
    }
    return nullptr;
  }

  bool InMainMenu(const WorkNode* node) const {
    return node && (node == work_.menuRoot() || work_.menuRoot()->IsAncestorOf(node));
  }

  // Where the second menu has the entry: its folder here and the index after its previous
  // sibling, or the place it had there when that sibling is elsewhere here.
  std::optional<std::pair<WorkNode*, std::size_t>> Destination(const CarriedChange& change,
                                                               const WorkNode* moving) const {
    WorkNode* parent = Target(change.parent);
    if (!InMainMenu(parent) || parent == moving || (moving && moving->IsAncestorOf(parent)))
      return std::nullopt;
    const WorkNode* previous = Target(change.previous);
    if (previous == moving) previous = nullptr;
    std::size_t index = 0;
    if (previous && previous->parent == parent)
      index = previous->Index() + 1;
    else if (change.previous.kind != ChangeTarget::Kind::None)
      index = change.shown.Position() - 1;
    return std::pair{parent, index};
  }

  // Puts the node where the change says; false when its folder is not there.
  bool Place(const CarriedChange& change, std::unique_ptr<WorkNode> node) {
    const auto destination = Destination(change, nullptr);
    if (!destination) return false;
    created_[index_] = &Attach(*destination->first, destination->second, std::move(node));
    return true;
  }

  // Both sides may have numbered a new custom entry alike; the one that comes over takes the
  // next free number, so that no two entries answer to one name.
  void Add(const CarriedChange& change) {
    std::unique_ptr<WorkNode> node = NodeFrom(change.content);
    if (node->record.IsCustom() && customNames_.contains(node->record.itemName) &&
        nextCustom_ < 0xFF) {
      node->record.itemName = node->displayText = CustomName(++nextCustom_);
    }
    customNames_.insert(node->record.itemName);
    if (Place(change, std::move(node))) return;
    Conflict(Path(change), std::string("added by ") + sides_.theirs + " into a folder " +
                               sides_.mine + " removed");
  }

  void Change(const CarriedChange& change) {
    const bool moved = change.change == EntryChange::Moved;
    WorkNode* node = Target(change.entry);
    // Only entries of the main menu move; the fixed top stays as it is.
    if (moved && (!InMainMenu(node) || node == work_.menuRoot())) node = nullptr;
    if (!node) {
      const bool theirs =
          sides_.missingIsConflict
              ? Conflict(Path(change), "not in the menu")
              : Conflict(Path(change), std::string("removed by ") + sides_.mine + ", " +
                                           (moved ? "moved" : "changed") + " by " + sides_.theirs);
      if (theirs && Place(change, NodeFrom(change.content)))
        located_[change.entry.place.path] = created_[index_];
      return;
    }
    // A field that goes takes the numbers of the repeats after it, so the last goes first.
    for (auto edit = change.fields.rbegin(); edit != change.fields.rend(); ++edit)
      if (!edit->after) MergeField(change, *node, *edit);
    for (const FieldEdit& edit : change.fields)
      if (edit.after) MergeField(change, *node, edit);
    if (moved) Move(change, *node);
  }

  void MergeField(const CarriedChange& change, WorkNode& node, const FieldEdit& edit) {
    const std::string& field = edit.field;
    const std::optional<FieldContent> current =
        FieldContentOf(node.record, node.data ? &*node.data : nullptr, field);
    if (current == edit.after) return;
    if (current != edit.before) {
      const std::string before = ShownValue(ShownContent(field, edit.before));
      if (!Conflict(Path(change), edit.label + ": " + sides_.mine + " " + before + kArrow +
                                      ShownValue(ShownContent(field, current)) + ", " +
                                      sides_.theirs + " " + before + kArrow +
                                      ShownValue(ShownContent(field, edit.after))))
        return;
    }
    SetField(node.record, node.data, field, edit.after);
    // The display text follows the item, as the second menu shows it.
    if (field == kItemFieldName) node.displayText = change.content.displayText;
  }

  void Move(const CarriedChange& change, WorkNode& node) {
    const auto destination = Destination(change, &node);
    const std::string path = Path(change);
    if (!destination) {
      Conflict(path, std::string("moved by ") + sides_.theirs + " into a folder " + sides_.mine +
                         " removed");
      return;
    }
    auto [parent, index] = *destination;
    if (movedByMine.contains(&node)) {
      const std::size_t at = node.parent == parent ? node.Index() : SIZE_MAX;
      if (at == index) return;
      EntryPlace mine;
      mine.names = node.Names();
      mine.path.assign(mine.names.size() - 1, 0);
      mine.path.push_back(node.Index());
      if (!Conflict(path, std::string("moved by ") + sides_.mine + " to " + ShownPlace(mine) +
                              ", by " + sides_.theirs + " to " + ShownPlace(change.shown)))
        return;
    }
    if (node.parent == parent && node.Index() < index) --index;
    Attach(*parent, index, Detach(node));
  }

  // Removals go last, so that what the other side moved out of a removed folder is out by then.
  void Remove(const std::vector<std::size_t>& removals) {
    std::map<WorkNode*, std::size_t> targets;
    for (std::size_t i : removals) {
      index_ = i;
      const CarriedChange& change = changes_.entries[i];
      WorkNode* node = Target(change.entry);
      if (node && InMainMenu(node) && node != work_.menuRoot())
        targets[node] = i;
      else if (sides_.missingIsConflict)
        Conflict(Path(change), "not in the menu");
    }
    std::map<WorkNode*, bool> removable;
    std::function<bool(WorkNode*)> canRemove = [&](WorkNode* node) -> bool {
      if (const auto known = removable.find(node); known != removable.end()) return known->second;
      const CarriedChange& change = changes_.entries[targets.at(node)];
      bool ok = true;
      const bool moved = movedByMine.contains(node);
      if (moved || Differs(*node, change.content)) {
        ok = Conflict(Path(change), std::string("removed by ") + sides_.theirs + ", " +
                                        (moved ? "moved" : "changed") + " by " + sides_.mine);
      }
      for (const auto& child : node->children) {
        if (targets.contains(child.get())) {
          ok = canRemove(child.get()) && ok;
        } else {
          ok = Conflict(ShownEntryPath(child->Names()), std::string("added by ") + sides_.mine +
                                                            " into a folder " + sides_.theirs +
                                                            " removed") &&
               ok;
        }
      }
      return removable[node] = ok;
    };
    std::vector<WorkNode*> topmost;
    for (const auto& [node, change] : targets) {
      if (!canRemove(node)) continue;
      const bool parentGoes = targets.contains(node->parent) && canRemove(node->parent);
      if (!parentGoes) topmost.push_back(node);
    }
    for (WorkNode* node : topmost) Detach(*node);
  }

  WorkTree work_;
  FormatOptions options_;
  const ChangeList& changes_;
  Sides sides_;
  const ConflictChoices& choices_;
  std::map<std::vector<std::size_t>, WorkNode*> located_;
  std::vector<WorkNode*> created_;
  std::size_t index_ = 0;
  std::vector<std::string> conflicts_;
  std::set<std::string> customNames_;
  std::uint8_t nextCustom_ = 0;
};

}  // namespace

namespace {

// The node with the display name (or, last, the item name) at each level, the one at the
// remembered index when several match.
WorkNode* LocateByName(const WorkTree& work, const ChangeTarget& target) {
  const EntryPlace& place = target.place;
  if (place.path.empty() || place.path.size() != place.names.size() ||
      place.path[0] >= work.top.size())
    return nullptr;
  WorkNode* node = work.top[place.path[0]].get();
  for (std::size_t level = 1; node && level < place.path.size(); ++level) {
    const auto& children = node->children;
    const bool last = level + 1 == place.path.size();
    auto matches = [&](const WorkNode& child) {
      if (last) return child.record.itemName == target.identifier;
      return child.Names().back() == place.names[level];
    };
    const std::size_t wanted = place.path[level];
    WorkNode* best = nullptr;
    std::size_t bestDistance = SIZE_MAX;
    for (std::size_t i = 0; i < children.size(); ++i) {
      const std::size_t distance = i > wanted ? i - wanted : wanted - i;
      if (distance < bestDistance && matches(*children[i])) {
        best = children[i].get();
        bestDistance = distance;
      }
    }
    node = best;
  }
  return node;
}

}  // namespace

Result<MergedMenu> MergeMenus(const ComparedMenu& base, const ComparedMenu& mine,
                              const ComparedMenu& theirs, const ConflictChoices& choices) {
  const EntryMatching baseToMine = MatchEntries(base.tree, mine.tree, CompareMenus(base, mine));
  const ChangeList changes = CarriedChanges(base.tree, theirs.tree, CompareMenus(base, theirs));
  std::unordered_map<const MenuNode*, WorkNode*> copies;
  WorkTree work = CopyToWork(mine.tree, copies);
  work.customItemCounter = std::max(mine.tree.customItemCounter, theirs.tree.customItemCounter);
  Merger merger(std::move(work), mine.options, changes, kMergeSides, choices);
  for (const MenuNode* moved : baseToMine.moved)
    if (const MenuNode* inMine = baseToMine.SecondOf(moved))
      merger.movedByMine.insert(copies[inMine]);
  return merger.Run([&](const WorkTree&, const ChangeTarget& target) -> WorkNode* {
    const MenuNode* inMine = baseToMine.SecondOf(NodeAtPath(base.tree, target.place.path));
    const auto copy = copies.find(inMine);
    return copy == copies.end() ? nullptr : copy->second;
  });
}

Result<MergedMenu> ApplyChangeList(const ComparedMenu& menu, const ChangeList& changes,
                                   const ConflictChoices& choices) {
  std::unordered_map<const MenuNode*, WorkNode*> copies;
  Merger merger(CopyToWork(menu.tree, copies), menu.options, changes, kListSides, choices);
  return merger.Run(LocateByName);
}

}  // namespace menuforge
