#include "support/sample_menus.h"

#include "menu/tree_operations.h"

namespace menuforge::test {
namespace {

ItemBaseEntry Item(const std::string& identifier, const std::string& displayName = {}) {
  return {identifier, displayName.empty() ? identifier : displayName, true};
}

MenuNode* AddLast(MenuTree& tree, MenuNode& parent, const ItemBaseEntry& entry,
                  bool custom = false) {
  return AddEntry(tree, parent, Placement::LastChild, entry, custom);
}

ItemDataRecord Record(std::vector<ChunkSlot> slots) {
  ItemDataRecord record;
  record.slots = std::move(slots);
  return record;
}

void SetType(MenuTree& tree, MenuNode& node, std::uint8_t type) {
  tree.EditRecord(node, [type](NodeRecord& record) { record.itemType = type; });
}

ChunkSlot UnknownGroup() { return ChunkSlot::UnknownGroup({{2, {0x0A, 0x0B}}, {3, {}}}); }

}  // namespace

void AttachSampleData(MenuTree& tree, MenuNode& node, ItemDataRecord record) {
  tree.SetEntryData(node, std::move(record));
}

void BuildSampleMenu(MenuTree& tree) {
  BuildSkeleton(tree);
  MenuNode& root = *tree.menuRoot();

  MenuNode& leftKey = *tree.softkeys()->children()[0];
  AttachSampleData(tree, leftKey,
                   Record({ChunkSlot::Titles(TitleList::Softkey, {{7, u"Kontakte"}})}));
  tree.EditRecord(leftKey, [](NodeRecord& record) { record.titleMode = kTitleModeOwnTitle; });

  MenuNode& browser = *AddLast(tree, root, Item("Browser"));
  MenuNode& games = *AddLast(tree, root, Item("Games"));
  MenuNode& calculator = *AddLast(tree, games, Item("Calculator"));
  MenuNode& custom = *AddLast(tree, games, Item("Custom item"), true);
  MenuNode& camera = *AddLast(tree, games, Item("Camera"));
  MenuNode& settings = *AddLast(tree, root, Item("Settings"));
  AddLast(tree, root, Item("DialedCalls", "DialedCalls [SC]"));
  AddLast(tree, settings, Item("Tools"));

  tree.EditRecord(browser, [](NodeRecord& record) {
    record.itemType = kUrlLink;
    record.attributeByte = kAttributeWithFunction;
  });
  AttachSampleData(
      tree, browser,
      Record({ChunkSlot::Titles(TitleList::Menu, {{1, u"Web"}, {6, u"Navigateur \u00e9"}}),
              ChunkSlot::Text(TextField::Url, "http://wap.example/\xE9"),
              ChunkSlot::FileIcon(kStaticIcon, u"/a/mobile/picture/web.gif")}));

  AttachSampleData(tree, games,
                   Record({ChunkSlot::Titles(TitleList::Menu, {{1, u"Games"}}),
                           ChunkSlot::DrmIcon(DrmIconKind::List, kDrmByteFromEditor, 5)}));

  SetType(tree, calculator, kApplicationStart);
  AttachSampleData(
      tree, calculator,
      Record({ChunkSlot::Text(TextField::Midlet1, "Calc, calc.Main"),
              ChunkSlot::Text(TextField::MidletName, "Calc"),
              ChunkSlot::Text(TextField::MidletVendor, "Vendor \xC5"),
              ChunkSlot::Code(CallCode::Code12, 1), ChunkSlot::Code(CallCode::Code13, 2),
              ChunkSlot::Code(CallCode::Code14, 3)}));

  SetType(tree, custom, kShowText);
  const std::u16string loneSurrogate{u'A', char16_t{0xD800}, u'B'};
  const std::u16string russian = u"\u041F\u0440\u0438\u0432\u0435\u0442";
  AttachSampleData(tree, custom,
                   Record({ChunkSlot::Titles(TitleList::Menu, {{1, loneSurrogate}}),
                           ChunkSlot::Titles(TitleList::ShowText, {{1, u"Hello"}, {35, russian}}),
                           ChunkSlot::DrmIcon(DrmIconKind::Static, 0x34, 0x1234),
                           ChunkSlot::DrmIcon(DrmIconKind::Animated, kDrmByteFromEditor, 65535)}));

  SetType(tree, camera, kEmulatedAction);
  AttachSampleData(
      tree, camera,
      Record({ChunkSlot::Action(0x0123), ChunkSlot::FileIcon(kAnimatedIcon, u"/a/\u0416.gif"),
              ChunkSlot::FileIcon(kListIcon, u"/a/list.gif")}));

  // Unknown chunks around a title, as a newer phone might have written them.
  AttachSampleData(tree, settings,
                   Record({UnknownGroup(), ChunkSlot::Titles(TitleList::Menu, {{3, u"Setup"}})}));
}

}  // namespace menuforge::test
