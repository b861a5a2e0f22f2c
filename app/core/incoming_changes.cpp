#include "app/core/incoming_changes.h"

#include "base/local_file.h"
#include "menu/comparison_lines.h"
#include "menu_json/change_list_json.h"
#include "menu_json/json_text.h"

namespace menuforge {
namespace {

// A change list is JSON text; a menu file never begins with a brace.
bool IsChangeList(const std::string& bytes) {
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string::npos && bytes[first] == '{';
}

}  // namespace

Result<IncomingChanges> LoadIncomingChanges(const std::filesystem::path& base,
                                            const std::filesystem::path& changed,
                                            const ItemTable& items) {
  Result<std::string> text = ReadWholeFile(changed);
  if (!text) return Failure(text.error());
  IncomingChanges incoming;
  if (IsChangeList(*text)) {
    try {
      incoming.list = cli::ChangeListFromJson(cli::ParseJsonText(*text, changed.string()));
    } catch (const std::exception& fault) {
      return Failure(std::string(fault.what()));
    }
    for (const CarriedChange& change : incoming.list->entries)
      incoming.lines.push_back(ShownEntryPath(change.shown.names));
    return incoming;
  }
  Result<LoadedOtherMenu> first = LoadOtherMenuFile(base, items);
  if (!first) return Failure(first.error());
  Result<LoadedOtherMenu> second = LoadOtherMenuFile(changed, items);
  if (!second) return Failure(second.error());
  incoming.base = std::move(first->menu);
  incoming.changed = std::move(second->menu);
  for (ComparisonLine& line :
       ComparisonLines(CompareMenus(incoming.base->compared(), incoming.changed->compared())))
    incoming.lines.push_back(std::move(line.text));
  return incoming;
}

Result<MergedMenu> MergeIncoming(const IncomingChanges& changes, const MenuDocument& document,
                                 const ConflictChoices& choices) {
  const ComparedMenu open{document.tree(), document.options()};
  if (changes.list) return ApplyChangeList(open, *changes.list, choices);
  return MergeMenus(changes.base->compared(), open, changes.changed->compared(), choices);
}

bool TakeMerged(MenuDocument& document, const MergedMenu& merged) {
  const bool edited = document.Edit("Apply changes", [&](MenuTree& tree) {
    while (!tree.topLevel().empty()) tree.Remove(tree.topLevel().back().get());
    for (const auto& top : merged.tree.topLevel())
      tree.Insert(nullptr, tree.topLevel().size(), top->CopySubtree());
    std::vector<MenuNode*> nodes;
    tree.ForEach([&](MenuNode& node) { nodes.push_back(&node); });
    std::size_t at = 0;
    merged.tree.ForEach([&](MenuNode& from) {
      const ItemDataRecord* data = merged.tree.itemData().Find(from.record().recordKey);
      tree.SetEntryData(*nodes[at++], data ? std::optional(*data) : std::nullopt,
                        merged.options.saveAllData);
    });
    tree.customItemCounter = merged.tree.customItemCounter;
  });
  const bool newOptions = merged.options != document.options();
  if (newOptions) document.SetOptions(merged.options);
  return edited || newOptions;
}

}  // namespace menuforge
