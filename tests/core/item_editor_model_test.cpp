// The item editor's rules without its window: loading, the controls' rules, committing and
// storing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/core/control_hints.h"
#include "editor/core/field_checks.h"
#include "editor/core/item_editor_model.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

ItemDataRecord Record(std::vector<ChunkSlot> slots) {
  ItemDataRecord record;
  record.slots = std::move(slots);
  return record;
}

ChunkSlot Title(TitleList list, std::u16string text, std::uint8_t language = 1) {
  return ChunkSlot::Titles(list, {{language, std::move(text)}});
}

ChunkSlot Unknown() { return ChunkSlot::UnknownGroup({{0x30, {1, 2, 3}}, {0x31, {}}}); }

struct Stored {
  bool hasData = false;
  ItemDataRecord record;
  std::uint8_t itemType = 0;
  std::uint8_t attributeByte = 0;
  std::uint8_t titleMode = 0;
};

class Editor {
 public:
  explicit Editor(EditorEnvironment environment = {})
      : model(std::move(environment), languages, dialogs) {}

  Editor& Load(const ItemDataRecord* data, std::uint8_t type = kPlainItem, bool softkey = false,
               std::uint8_t attribute = kAttributeNewEntry, std::uint8_t titleMode = 0) {
    model.LoadItem({data, type, softkey, attribute, titleMode});
    model.Shown();
    return *this;
  }

  // "OK" as the main window follows it up.
  Stored Ok(bool saveAllData = false) {
    EXPECT_TRUE(model.Accept());
    Stored stored;
    stored.hasData = model.HasItemData(saveAllData);
    if (stored.hasData) model.StoreItem(stored.record);
    stored.itemType = model.ItemType();
    stored.attributeByte = model.AttributeByte();
    stored.titleMode = model.TitleMode();
    return stored;
  }

  void AddRow(StringList list, std::u16string text, std::size_t language = 0) {
    model.FinishAdd(list, language, std::move(text));
  }

  const EditorControls& controls() const { return model.controls(); }
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : dialogs.shown) texts.push_back(message.text);
    return texts;
  }

  test::RecordingDialogs dialogs;
  EntryLanguageMemory languages;
  ItemEditorModel model;
};

std::vector<std::uint8_t> Tags(const ItemDataRecord& record) {
  std::vector<std::uint8_t> tags;
  for (const ChunkSlot& slot : record.slots) tags.push_back(slot.tag());
  return tags;
}

TEST(ItemEditorModel, NodeWithoutDataOpensEmptyAndStaysWithout) {
  for (std::uint8_t type : {kPlainItem, kUrlLink, kFolder}) {
    Editor editor;
    editor.Load(nullptr, type);
    const EditorControls& c = editor.controls();
    EXPECT_FALSE(c.resetEnabled);
    EXPECT_FALSE(c.applyEnabled);
    for (const auto& list : c.lists) EXPECT_TRUE(list.rows.empty());
    for (const auto& icon : c.icons) EXPECT_TRUE(icon.text.empty());
    for (const auto& field : c.fields) EXPECT_TRUE(field.text.empty());
    EXPECT_TRUE(c.box(AttributeBox::Lockable).checked);
    const Stored stored = editor.Ok();
    EXPECT_FALSE(stored.hasData);
    EXPECT_EQ(stored.itemType, type == kFolder ? kFolder : kPlainItem);
    EXPECT_EQ(stored.attributeByte, kAttributeNewEntry);
  }
}

TEST(ItemEditorModel, FolderHidesTheFunctionPage) {
  Editor editor;
  editor.Load(nullptr, kFolder);
  EXPECT_FALSE(editor.controls().functionPageVisible);
  EXPECT_FALSE(editor.controls().functionChoiceEnabled);
  editor.AddRow(StringList::MenuTitle, u"Box");
  EXPECT_EQ(editor.Ok().itemType, kFolder);
}

TEST(ItemEditorModel, SoftKeyShowsTitlesButNeitherShowsNorKeepsIcons) {
  const ItemDataRecord data =
      Record({Title(TitleList::Softkey, u"Key"), ChunkSlot::FileIcon(kStaticIcon, u"/a/s.gif"),
              ChunkSlot::DrmIcon(DrmIconKind::List, 0x12, 7)});
  Editor editor(EditorEnvironment{true, {}});
  editor.Load(&data, kPlainItem, true, kAttributeProtected | kAttributeNonChangeable);
  const EditorControls& c = editor.controls();
  ASSERT_EQ(c.list(StringList::SoftkeyTitle).rows.size(), 1u);
  for (const auto& icon : c.icons) {
    EXPECT_TRUE(icon.text.empty());
    EXPECT_FALSE(icon.enabled);
    EXPECT_FALSE(icon.pickEnabled);
  }
  EXPECT_FALSE(c.iconGroupEnabled);
  EXPECT_FALSE(c.box(AttributeBox::Protected).enabled);
  EXPECT_TRUE(c.box(AttributeBox::Protected).checked);
  EXPECT_TRUE(c.box(AttributeBox::NonChangeable).enabled);
  const Stored stored = editor.Ok();
  EXPECT_EQ(Tags(stored.record), std::vector<std::uint8_t>{kTagSoftkeyTitle});
  EXPECT_EQ(stored.attributeByte, kAttributeProtected | kAttributeNonChangeable);
}

TEST(ItemEditorModel, StoringAUrlGivesType3AndAttribute60WhateverTheBoxesSay) {
  Editor editor;
  editor.Load(nullptr, kPlainItem, false, kAttributeLockable | kAttributeProtected);
  editor.model.ChooseFunction(ItemFunction::UrlLink);
  editor.model.SetFieldText(FunctionField::Url, u"http://m.example/");
  const Stored stored = editor.Ok();
  ASSERT_EQ(stored.record.slots.size(), 1u);
  EXPECT_EQ(stored.record.slots[0], ChunkSlot::Text(TextField::Url, "http://m.example/"));
  EXPECT_EQ(stored.itemType, kUrlLink);
  EXPECT_EQ(stored.attributeByte, kAttributeWithFunction);
}

TEST(ItemEditorModel, TwelveRowsDisableAddAndDeletingEnablesIt) {
  Editor editor;
  editor.Load(nullptr);
  for (int i = 0; i < 12; ++i) {
    EXPECT_TRUE(editor.controls().list(StringList::MenuTitle).addEnabled);
    editor.AddRow(StringList::MenuTitle, u"t" + std::u16string(1, u'a' + i));
  }
  const auto& list = editor.controls().list(StringList::MenuTitle);
  EXPECT_FALSE(list.addEnabled);
  EXPECT_EQ(list.rows.back().number, "#12");
  editor.AddRow(StringList::MenuTitle, u"thirteenth");
  EXPECT_EQ(list.rows.size(), 12u);
  editor.model.DeleteRow(StringList::MenuTitle, 3);
  EXPECT_TRUE(list.addEnabled);
  // Rows keep their numbers; a new one counts the rows it joins.
  editor.AddRow(StringList::MenuTitle, u"again");
  EXPECT_EQ(list.rows[3].number, "#5");
  EXPECT_EQ(list.rows.back().number, "#12");

  std::vector<TitleEntry> twelve(12, TitleEntry{3, u"x"});
  const ItemDataRecord data = Record({ChunkSlot::Titles(TitleList::Menu, twelve)});
  Editor loaded;
  loaded.Load(&data);
  EXPECT_FALSE(loaded.controls().list(StringList::MenuTitle).addEnabled);
  EXPECT_EQ(loaded.controls().list(StringList::MenuTitle).rows[0].languageId, 3);
}

TEST(ItemEditorModel, DeletingTheLastSoftkeyRowDisablesOnlyItsButtons) {
  const ItemDataRecord data =
      Record({Title(TitleList::Menu, u"Menu"), Title(TitleList::Softkey, u"Key")});
  Editor editor;
  editor.Load(&data);
  editor.model.DeleteRow(StringList::SoftkeyTitle, 0);
  const auto& softkey = editor.controls().list(StringList::SoftkeyTitle);
  const auto& menu = editor.controls().list(StringList::MenuTitle);
  EXPECT_FALSE(softkey.editEnabled);
  EXPECT_FALSE(softkey.deleteEnabled);
  EXPECT_TRUE(menu.editEnabled);
  EXPECT_TRUE(menu.deleteEnabled);
  EXPECT_EQ(Tags(editor.Ok().record), std::vector<std::uint8_t>{kTagMenuTitle});
}

TEST(ItemEditorModel, ShortcutDataOf25CharactersHasNoTerminator) {
  const std::u16string value = u"ABCDEFGHIJKLMNOPQRSTUVWXY";
  Editor editor;
  editor.Load(nullptr);
  editor.model.ChooseFunction(ItemFunction::Shortcut);
  editor.model.SetFieldText(FunctionField::ShortcutData, value + u"Z");
  EXPECT_EQ(editor.controls().field(FunctionField::ShortcutData).text, value);
  const Stored stored = editor.Ok();
  ASSERT_EQ(stored.record.slots.size(), 1u);
  const ChunkSlot& slot = stored.record.slots[0];
  ASSERT_NE(slot.As<ShortcutChunk>(), nullptr);
  EXPECT_EQ(slot.length(), 25u);
  EXPECT_EQ(slot.As<ShortcutChunk>()->data.back(), 'Y');
  EXPECT_EQ(stored.itemType, kShortcut);

  Editor reloaded;
  reloaded.Load(&stored.record);
  EXPECT_EQ(reloaded.controls().field(FunctionField::ShortcutData).text, value);
  EXPECT_EQ(reloaded.controls().function, ItemFunction::Shortcut);
}

TEST(ItemEditorModel, StoredIconThatFailsItsCheckIsReportedAndDropped) {
  const ItemDataRecord data =
      Record({ChunkSlot::DrmIcon(DrmIconKind::Animated, 0x12, 5000),
              ChunkSlot::FileIcon(kStaticIcon, u"/a/my file.gif"),
              ChunkSlot::DrmIcon(DrmIconKind::List, 0x12, 0), Title(TitleList::Menu, u"T")});
  Editor editor;
  editor.Load(&data);
  EXPECT_EQ(editor.shownTexts(),
            (std::vector<std::string>{"Value too big\r\nInput will be ignored",
                                      "Invalid character in file name\r\nInput will be ignored",
                                      "Value too small\r\nInput will be ignored"}));
  for (const auto& icon : editor.controls().icons) {
    EXPECT_TRUE(icon.text.empty());
    EXPECT_FALSE(icon.indicatorVisible);
  }
  EXPECT_EQ(editor.controls().icon(IconRow::Animated).source, IconSource::Drm);
  EXPECT_EQ(Tags(editor.Ok().record), std::vector<std::uint8_t>{kTagMenuTitle});
}

TEST(ItemEditorModel, TypedIconInputIsCheckedOnEveryChange) {
  Editor editor;
  editor.Load(nullptr);
  std::u16string typed;
  for (char16_t c : std::u16string(u"/a/my file.gif")) {
    typed += c;
    editor.model.SetIconText(IconRow::List, typed);
    if (editor.controls().icon(IconRow::List).text.empty()) break;
  }
  EXPECT_EQ(typed, u"/a/my ");
  EXPECT_EQ(editor.shownTexts(),
            std::vector<std::string>{"Invalid character in file name\r\nInput will be ignored"});

  editor.model.SetIconSource(IconRow::List, IconSource::Drm);
  editor.model.SetIconText(IconRow::List, u"12");
  EXPECT_TRUE(editor.controls().icon(IconRow::List).indicatorVisible);
  editor.model.SetIconText(IconRow::List, u"12x");
  EXPECT_EQ(editor.shownTexts().back(), "Invalid numeric value\r\nInput will be ignored");
  EXPECT_TRUE(editor.controls().icon(IconRow::List).text.empty());
  EXPECT_FALSE(editor.controls().icon(IconRow::List).indicatorVisible);
}

TEST(ItemEditorModel, ActionCodeAndCodesAreCheckedAsNumbers) {
  struct Case {
    FunctionField field;
    ItemFunction function;
    std::u16string accepted, refused;
  };
  const Case cases[] = {
      {FunctionField::ActionCode, ItemFunction::EmulateAction, u"65535", u"65536"},
      {FunctionField::Code12, ItemFunction::CallSend, u"255", u"256"},
      {FunctionField::Code14, ItemFunction::CallSend, u"0", u"9x"},
  };
  for (const Case& c : cases) {
    Editor editor;
    editor.Load(nullptr);
    editor.model.ChooseFunction(c.function);
    editor.model.SetFieldText(c.field, c.refused);
    EXPECT_TRUE(editor.controls().field(c.field).text.empty());
    EXPECT_EQ(editor.dialogs.shown.size(), 1u);
    editor.model.SetFieldText(c.field, c.accepted);
    EXPECT_EQ(editor.controls().field(c.field).text, c.accepted);
    EXPECT_EQ(editor.dialogs.shown.size(), 1u);
  }
}

TEST(ItemEditorModel, CharacterOutsideEightBitsKeepsTheTextTypedBefore) {
  Editor editor;
  editor.Load(nullptr);
  editor.model.ChooseFunction(ItemFunction::UrlLink);
  editor.model.SetFieldText(FunctionField::Url, u"http://caf\u00E9");
  editor.model.SetFieldText(FunctionField::Url, u"http://caf\u00E9\u20AC");
  EXPECT_EQ(editor.controls().field(FunctionField::Url).text, u"http://caf\u00E9");
  EXPECT_EQ(editor.shownTexts(),
            std::vector<std::string>{std::string(kNotEightBitText) + "\r\nInput will be ignored"});
  EXPECT_EQ(editor.Ok().record.slots[0], ChunkSlot::Text(TextField::Url, "http://caf\xE9"));
}

TEST(ItemEditorModel, ChoosingNoneDropsEveryFunctionChunkAndTheUnknownGroup) {
  const ItemDataRecord data =
      Record({Title(TitleList::Menu, u"M"), ChunkSlot::Text(TextField::Url, "u"), Unknown()});
  Editor editor;
  editor.Load(&data, kUrlLink, false, kAttributeWithFunction);
  editor.model.ChooseFunction(ItemFunction::None);
  EXPECT_EQ(editor.controls().page, EditorPage::Visual);
  EXPECT_TRUE(editor.controls().field(FunctionField::Url).text.empty());
  const Stored stored = editor.Ok();
  EXPECT_EQ(Tags(stored.record), std::vector<std::uint8_t>{kTagMenuTitle});
  EXPECT_EQ(stored.itemType, kPlainItem);
  EXPECT_EQ(stored.attributeByte, kAttributeWithFunction);
}

TEST(ItemEditorModel, EmptiedFunctionFieldsKeepWhatWasLoadedButEmptiedTitlesDoNot) {
  const ItemDataRecord data =
      Record({Title(TitleList::Menu, u"M"), ChunkSlot::Text(TextField::Url, "u"),
              ChunkSlot::DrmIcon(DrmIconKind::Static, 0x12, 4)});
  Editor editor;
  editor.Load(&data);
  editor.model.SetFieldText(FunctionField::Url, u"");
  editor.model.DeleteRow(StringList::MenuTitle, 0);
  editor.model.SetIconText(IconRow::Static, u"");
  const Stored stored = editor.Ok();
  EXPECT_EQ(stored.record.slots, std::vector<ChunkSlot>{ChunkSlot::Text(TextField::Url, "u")});
}

TEST(ItemEditorModel, TitleModeFollowsTitlesAndCustomEntriesKeep24) {
  struct Case {
    std::uint8_t loaded;
    bool reset;
    std::uint8_t stored;
  };
  for (const Case c : {Case{kTitleModeCustom, false, kTitleModeCustom},
                       Case{kTitleModePlaced, false, kTitleModeOwnTitle},
                       Case{kTitleModeCustom, true, kTitleModeOwnTitle}}) {
    Editor editor;
    editor.Load(nullptr, kPlainItem, false, 0, c.loaded);
    if (c.reset) {
      editor.model.ResetAllData();
      EXPECT_EQ(editor.model.TitleMode(), kTitleModePlaced);
    }
    editor.AddRow(StringList::SoftkeyTitle, u"Own");
    EXPECT_EQ(editor.Ok().titleMode, c.stored);
  }
  Editor withoutTitle;
  withoutTitle.Load(nullptr, kPlainItem, false, 0, kTitleModeCustom);
  EXPECT_EQ(withoutTitle.Ok().titleMode, kTitleModeCustom);
}

TEST(ItemEditorModel, ResetAllDataAsksFirst) {
  const ItemDataRecord data = Record({Title(TitleList::Menu, u"M"), ChunkSlot::Action(12)});
  Editor editor;
  editor.Load(&data, kEmulatedAction, false, kAttributeWithFunction | kAttributeLockable, 8);
  editor.dialogs.answers = {false};
  editor.model.ResetAllData();
  EXPECT_EQ(editor.dialogs.asked.at(0), (Message{"This will remove all data\r\n   Continue?",
                                                 "Warning", MessageIcon::Warning}));
  EXPECT_EQ(editor.controls().list(StringList::MenuTitle).rows.size(), 1u);

  editor.model.ResetAllData();
  EXPECT_FALSE(editor.controls().resetEnabled);
  EXPECT_TRUE(editor.controls().list(StringList::MenuTitle).rows.empty());
  EXPECT_TRUE(editor.controls().field(FunctionField::ActionCode).text.empty());
  const Stored stored = editor.Ok();
  EXPECT_FALSE(stored.hasData);
  EXPECT_EQ(stored.itemType, kPlainItem);
  EXPECT_EQ(stored.titleMode, kTitleModePlaced);
  // The boxes were unchecked, and their bits went with them.
  EXPECT_EQ(stored.attributeByte, 0x40);
}

TEST(ItemEditorModel, AttributeBoxesToggleOnlyTheirOwnBit) {
  Editor editor;
  editor.Load(nullptr, kPlainItem, false, 0xC2);
  editor.model.SetChecked(AttributeBox::Protected, true);
  EXPECT_EQ(editor.model.AttributeByte(), 0xE2);
  editor.model.SetChecked(AttributeBox::Protected, false);
  EXPECT_EQ(editor.model.AttributeByte(), 0xC2);
  editor.model.SetChecked(AttributeBox::NonChangeable, true);
  editor.model.SetChecked(AttributeBox::Lockable, true);
  EXPECT_EQ(editor.model.AttributeByte(), 0xC7);
  EXPECT_TRUE(editor.controls().applyEnabled);
}

TEST(ItemEditorModel, SwitchingTheSourceEmptiesTheFieldAndSetsThePickButton) {
  const ItemDataRecord data = Record({ChunkSlot::FileIcon(kAnimatedIcon, u"/a/anim.gif")});
  Editor editor;  // no phone
  editor.Load(&data);
  EXPECT_FALSE(editor.controls().icon(IconRow::Animated).pickEnabled);
  EXPECT_TRUE(editor.controls().icon(IconRow::Animated).indicatorVisible);
  editor.model.SetIconSource(IconRow::Animated, IconSource::Drm);
  EXPECT_TRUE(editor.controls().icon(IconRow::Animated).text.empty());
  EXPECT_TRUE(editor.controls().icon(IconRow::Animated).pickEnabled);
  editor.model.SetIconSource(IconRow::Animated, IconSource::Fs);
  EXPECT_FALSE(editor.controls().icon(IconRow::Animated).pickEnabled);
}

TEST(ItemEditorModel, PickButtonsWhenShown) {
  const ItemDataRecord data = Record({ChunkSlot::DrmIcon(DrmIconKind::Static, 0x12, 9)});
  Editor connected(EditorEnvironment{true, {}});
  connected.Load(&data);
  EXPECT_TRUE(connected.controls().icon(IconRow::Animated).pickEnabled);
  EXPECT_FALSE(connected.controls().icon(IconRow::Static).pickEnabled);
  EXPECT_TRUE(connected.model.drmOrigin(IconRow::Static));
  EXPECT_TRUE(connected.controls().icon(IconRow::List).pickEnabled);
  connected.model.PickedDrmIcon(IconRow::Static, 4000);
  EXPECT_EQ(connected.controls().icon(IconRow::Static).text, u"4000");

  Editor offline;
  offline.Load(&data);
  for (const auto& icon : offline.controls().icons) EXPECT_FALSE(icon.pickEnabled);
}

TEST(ItemEditorModel, InstalledMidletsFillTheChoiceAndTheFields) {
  EditorEnvironment environment;
  environment.midlets.cardRead = true;
  environment.midlets.card = {{"Game,GameMain", "Game", "Maker"}, {}, {"B,b", "B", "V"}};
  environment.midlets.phone = {{"P,p", "Phone app", "X"}};  // not read: not offered
  Editor editor(environment);
  editor.Load(nullptr);
  ASSERT_EQ(editor.controls().midlets.size(), 2u);
  EXPECT_EQ(editor.controls().midlets[1].shownText(), " B");
  EXPECT_TRUE(editor.controls().midlets[1].onCard);
  editor.model.ChooseFunction(ItemFunction::ApplicationStart);
  EXPECT_TRUE(editor.controls().midletChoiceEnabled);
  editor.model.ChooseMidlet(0);
  EXPECT_EQ(editor.controls().field(FunctionField::Midlet1).text, u"Game,GameMain");
  EXPECT_EQ(editor.controls().field(FunctionField::MidletVendor).text, u"Maker");
  const Stored stored = editor.Ok();
  EXPECT_EQ(Tags(stored.record), (std::vector<std::uint8_t>{9, 10, 11}));
  EXPECT_EQ(stored.itemType, kApplicationStart);

  // Loading MIDlet chunks offers the list only when the phone's own list was read.
  const ItemDataRecord data = Record({ChunkSlot::Text(TextField::Midlet1, "m")});
  Editor loaded(environment);
  loaded.Load(&data);
  EXPECT_TRUE(loaded.controls().group(ItemFunction::ApplicationStart));
  EXPECT_TRUE(loaded.controls().field(FunctionField::MidletVendor).enabled);
  EXPECT_FALSE(loaded.controls().midletChoiceEnabled);
}

TEST(ItemEditorModel, TheMostMidletsOfferedPerListIs30) {
  EditorEnvironment environment;
  environment.midlets.phoneRead = true;
  environment.midlets.phone.assign(35, InstalledMidlet{"a,b", "n", "v"});
  Editor editor(environment);
  editor.Load(nullptr);
  EXPECT_EQ(editor.controls().midlets.size(), 30u);
}

TEST(ItemEditorModel, CallOrSendSetsTheType) {
  const ItemDataRecord data = Record({ChunkSlot::Code(CallCode::Code13, 200)});
  Editor editor;
  editor.Load(&data, kSendMessage);
  const EditorControls& c = editor.controls();
  EXPECT_TRUE(c.sendChosen);
  EXPECT_TRUE(c.callSendEnabled);
  EXPECT_TRUE(c.field(FunctionField::Code13).enabled);
  EXPECT_FALSE(c.field(FunctionField::Code12).enabled);
  EXPECT_EQ(c.field(FunctionField::Code13).text, u"200");
  EXPECT_EQ(editor.Ok().itemType, kSendMessage);
  editor.model.ChooseSend(false);
  EXPECT_EQ(editor.model.ItemType(), kCallNumber);
  EXPECT_EQ(editor.Ok().itemType, kCallNumber);
}

TEST(ItemEditorModel, ShowTextRowsComeFromTheTextEditor) {
  Editor editor;
  editor.Load(nullptr);
  EXPECT_FALSE(editor.controls().list(StringList::ShowText).addEnabled);
  editor.model.ChooseFunction(ItemFunction::ShowText);
  EXPECT_EQ(editor.controls().page, EditorPage::Function);
  const EntryRequest request = editor.model.BeginAdd(StringList::ShowText);
  EXPECT_EQ(request.dialog, EntryDialog::TextEditor);
  editor.AddRow(StringList::ShowText, u"Hello", 6);
  const Stored stored = editor.Ok();
  EXPECT_EQ(stored.record.slots,
            std::vector<ChunkSlot>{ChunkSlot::Titles(TitleList::ShowText, {{7, u"Hello"}})});
  EXPECT_EQ(stored.itemType, kShowText);
}

TEST(ItemEditorModel, EditRemembersItsLanguageForLaterAdds) {
  const ItemDataRecord data =
      Record({Title(TitleList::Menu, u"Hallo", 7), Title(TitleList::ShowText, u"t", 0)});
  Editor editor;
  editor.Load(&data);
  EXPECT_EQ(editor.model.BeginAdd(StringList::SoftkeyTitle).languagePosition, 0u);
  EXPECT_FALSE(editor.model.BeginEdit(StringList::MenuTitle, 1));
  const std::optional<EntryRequest> edit = editor.model.BeginEdit(StringList::MenuTitle, 0);
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->languagePosition, 6u);
  EXPECT_EQ(edit->text, u"Hallo");
  EXPECT_EQ(editor.model.BeginAdd(StringList::SoftkeyTitle).languagePosition, 6u);
  EXPECT_EQ(editor.model.BeginAdd(StringList::ShowText).languagePosition, 0u);
  // A row whose language is outside the table keeps it until the user picks one.
  EXPECT_EQ(editor.controls().list(StringList::ShowText).rows[0].languageId, 0);
  editor.model.FinishEdit(StringList::MenuTitle, 0, 2, u"Hello");
  EXPECT_EQ(editor.controls().list(StringList::MenuTitle).rows[0], (ListRow{"#1", 3, u"Hello"}));
  editor.model.FinishEdit(StringList::MenuTitle, 0, 4, u"");
  EXPECT_EQ(editor.controls().list(StringList::MenuTitle).rows[0].text, u"Hello");
}

TEST(ItemEditorModel, TooLongEntriesAreNotAdded) {
  Editor editor;
  editor.Load(nullptr);
  editor.AddRow(StringList::MenuTitle, std::u16string(400, u'x'));
  EXPECT_TRUE(editor.controls().list(StringList::MenuTitle).rows.empty());
  editor.AddRow(StringList::MenuTitle, std::u16string(399, u'x'));
  EXPECT_EQ(editor.Ok().record.slots.at(0).As<TitlesChunk>()->titles.at(0).text.size(), 399u);
}

TEST(ItemEditorModel, FunctionChunkAndUnknownGroupAreBothKept) {
  const ItemDataRecord data = Record({Unknown(), ChunkSlot::Action(300)});
  Editor editor;
  editor.Load(&data, kEmulatedAction);
  EXPECT_EQ(editor.Ok().record.slots, (std::vector<ChunkSlot>{ChunkSlot::Action(300), Unknown()}));
}

// Unknown chunks are saved only under "Save all data", so only then do they keep the record.
TEST(ItemEditorModel, AnEntryWithOnlyUnknownChunksKeepsThemOnlyUnderSaveAllData) {
  const ItemDataRecord data = Record({Unknown()});
  for (const bool saveAllData : {true, false}) {
    Editor editor;
    editor.Load(&data);
    const Stored stored = editor.Ok(saveAllData);
    EXPECT_EQ(stored.hasData, saveAllData);
    if (saveAllData) {
      EXPECT_EQ(stored.record.slots, std::vector<ChunkSlot>{Unknown()});
    }
    EXPECT_EQ(stored.attributeByte, kAttributeNewEntry);
  }
}

TEST(ItemEditorModel, MoreThanElevenChunksAreRefusedAtOk) {
  ItemDataRecord data = Record(
      {ChunkSlot::Text(TextField::Url, "u"), ChunkSlot::Text(TextField::Midlet1, "a"),
       ChunkSlot::Text(TextField::MidletName, "b"), ChunkSlot::Text(TextField::MidletVendor, "c"),
       ChunkSlot::Action(1), ChunkSlot::Shortcut("S"), ChunkSlot::Code(CallCode::Code12, 1),
       ChunkSlot::Code(CallCode::Code13, 2), ChunkSlot::Code(CallCode::Code14, 3),
       Title(TitleList::ShowText, u"x"), Unknown()});
  Editor editor;
  editor.Load(&data);
  EXPECT_TRUE(editor.model.Accept());
  editor.AddRow(StringList::MenuTitle, u"one too many");
  EXPECT_FALSE(editor.model.Accept());
  EXPECT_EQ(editor.dialogs.shown.back().text, TooManyChunksText());
}

// A function is stored with attribute 0x60, so the boxes show that from the moment OK would
// store one, and say why they cannot be changed.
TEST(ItemEditorModel, AttributeBoxesShowWhatAFunctionStores) {
  Editor editor;
  editor.Load(nullptr);
  const auto own = ShownAttributeBoxes(editor.controls(), editor.model.StoresFunction());
  EXPECT_TRUE(own[0].checked && own[0].enabled && !own[1].checked && own[1].enabled);
  EXPECT_EQ(AttributeBoxHint(false), "");

  editor.model.ChooseFunction(ItemFunction::UrlLink);
  EXPECT_FALSE(editor.model.StoresFunction());
  editor.model.SetFieldText(FunctionField::Url, u"http://x/");
  ASSERT_TRUE(editor.model.StoresFunction());
  const auto shown = ShownAttributeBoxes(editor.controls(), true);
  const std::array<bool, kAttributeBoxCount> checked = {false, true, false};
  for (std::size_t i = 0; i < kAttributeBoxCount; ++i) {
    EXPECT_EQ(shown[i].checked, checked[i]) << i;
    EXPECT_FALSE(shown[i].enabled) << i;
  }
  EXPECT_EQ(AttributeBoxHint(true), kStoredWithFunctionText);
  EXPECT_EQ(editor.Ok().attributeByte, kAttributeWithFunction);
}

TEST(ItemEditorModel, DisabledPickersSayWhatTheyNeed) {
  struct Case {
    bool connected;
    bool phoneRead;
    std::string_view pick;
    std::string_view midlets;
  };
  for (const Case& c : {Case{false, false, kConnectPhoneToPickText, kNeedsJ2mestReadText},
                        Case{true, true, "", ""}}) {
    EditorEnvironment environment;
    environment.phoneConnected = c.connected;
    environment.midlets.phoneRead = c.phoneRead;
    Editor editor(environment);
    editor.Load(nullptr);
    editor.model.ChooseFunction(ItemFunction::ApplicationStart);
    EXPECT_EQ(PickButtonHint(editor.controls().icon(IconRow::List), c.connected), c.pick);
    EXPECT_EQ(MidletChoiceHint(editor.controls(), c.phoneRead), c.midlets);
  }
  // A DRM row off since the window opened says how to get its button back.
  IconRowControls drm{IconSource::Drm, u"12", true, false, true};
  EXPECT_EQ(PickButtonHint(drm, true), kChooseDrmAgainText);
  drm.pickEnabled = true;
  EXPECT_EQ(PickButtonHint(drm, false), "");
}

// The pick buttons follow the phone as it is now; the DRM button comes back as its tooltip says.
TEST(ItemEditorModel, PickButtonsFollowThePhoneWhileOpen) {
  const ItemDataRecord data = Record({ChunkSlot::DrmIcon(DrmIconKind::Static, 0x12, 9)});
  constexpr std::string_view kConnect = "Connect a phone to pick a file from it";
  constexpr std::string_view kAgain =
      "Click the source DRM again to pick an icon from a DRM binary";
  const struct {
    bool atOpen;
    std::optional<bool> now;  // the phone plugged in or out since
    bool drmAgain;
    std::string_view fileHint, drmHint;  // empty: the button works
  } cases[] = {
      {false, {}, false, kConnect, kAgain},
      {false, true, false, "", kAgain},
      {true, false, false, kConnect, kAgain},
      {false, {}, true, kConnect, ""},
  };
  for (const auto& c : cases) {
    Editor editor(EditorEnvironment{c.atOpen, {}});
    editor.Load(&data);
    if (c.now) editor.model.PhoneConnectionChanged(*c.now);
    if (c.drmAgain) editor.model.SetIconSource(IconRow::Static, IconSource::Drm);
    for (const auto& [row, hint] :
         {std::pair{IconRow::List, c.fileHint}, {IconRow::Static, c.drmHint}}) {
      const IconRowControls& icon = editor.controls().icon(row);
      EXPECT_EQ(icon.pickEnabled, hint.empty()) << c.atOpen << c.drmAgain;
      EXPECT_EQ(PickButtonHint(icon, editor.model.phoneConnected()), hint) << c.atOpen;
    }
    EXPECT_EQ(editor.controls().icon(IconRow::Static).text, u"9");  // kept when chosen again
  }
}

}  // namespace
}  // namespace menuforge
