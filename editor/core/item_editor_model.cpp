#include "editor/core/item_editor_model.h"

#include <algorithm>

#include "base/text_encoding.h"
#include "editor/core/field_checks.h"
#include "menu/languages.h"
#include "menu/mma_format.h"

namespace menuforge {
namespace {

constexpr std::size_t kNoLimit = std::u16string::npos;

// Each function field with the chunk it becomes and the function it belongs to, by FunctionField.
struct FieldChunk {
  FunctionField field;
  FunctionChunk chunk;
  ItemFunction function;
};

constexpr std::array<FieldChunk, kFunctionFieldCount> kFieldChunks = {{
    {FunctionField::Url, FunctionChunk::Url, ItemFunction::UrlLink},
    {FunctionField::Midlet1, FunctionChunk::Midlet1, ItemFunction::ApplicationStart},
    {FunctionField::MidletName, FunctionChunk::MidletName, ItemFunction::ApplicationStart},
    {FunctionField::MidletVendor, FunctionChunk::MidletVendor, ItemFunction::ApplicationStart},
    {FunctionField::ActionCode, FunctionChunk::EmulatedAction, ItemFunction::EmulateAction},
    {FunctionField::ShortcutData, FunctionChunk::ShortcutData, ItemFunction::Shortcut},
    {FunctionField::Code12, FunctionChunk::Code12, ItemFunction::CallSend},
    {FunctionField::Code13, FunctionChunk::Code13, ItemFunction::CallSend},
    {FunctionField::Code14, FunctionChunk::Code14, ItemFunction::CallSend},
}};

const FieldChunk* FieldChunkOf(FunctionChunk chunk) {
  for (const FieldChunk& entry : kFieldChunks)
    if (entry.chunk == chunk) return &entry;
  return nullptr;
}

std::size_t Index(auto id) { return static_cast<std::size_t>(id); }

// 8-bit texts are shown byte for byte as Latin-1.
std::u16string BytesToWide(std::string_view bytes) {
  std::u16string wide(bytes.size(), u'\0');
  std::transform(bytes.begin(), bytes.end(), wide.begin(),
                 [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
  return wide;
}

// Only for texts CheckEightBitText has passed.
std::string WideToBytes(std::u16string_view wide) {
  std::string bytes(wide.size(), '\0');
  std::transform(wide.begin(), wide.end(), bytes.begin(),
                 [](char16_t c) { return static_cast<char>(c); });
  return bytes;
}

std::size_t FieldLength(FunctionField field) {
  switch (field) {
    case FunctionField::ActionCode: return kActionCodeFieldLength;
    case FunctionField::ShortcutData: return kShortcutFieldLength;
    case FunctionField::Code12:
    case FunctionField::Code13:
    case FunctionField::Code14: return kCodeFieldLength;
    default: return kNoLimit;
  }
}

std::optional<InputFault> CheckField(FunctionField field, std::u16string_view text) {
  switch (field) {
    case FunctionField::ActionCode: return CheckNumber(text, kActionCodeRange);
    case FunctionField::Code12:
    case FunctionField::Code13:
    case FunctionField::Code14: return CheckNumber(text, kCodeByteRange);
    default: return CheckEightBitText(text);
  }
}

std::u16string FieldTextOf(const ChunkSlot& slot) {
  return std::visit(
      Overloaded{
          [](const TextChunk& chunk) { return BytesToWide(chunk.text); },
          [](const CodeChunk& chunk) { return U16ToWide(chunk.value); },
          [](const ActionChunk& chunk) { return U16ToWide(chunk.code); },
          [](const ShortcutChunk& chunk) {
            const auto& data = chunk.data;
            return BytesToWide(std::string(data.begin(), data.begin() + ZeroTextLength(data)));
          },
          [](const auto&) { return std::u16string(); },
      },
      slot.content);
}

ChunkSlot SlotFromField(FunctionChunk chunk, std::u16string_view text) {
  const auto code = [text](CallCode which) {
    return ChunkSlot::Code(which, static_cast<std::uint8_t>(DecimalToU16(text)));
  };
  switch (chunk) {
    case FunctionChunk::Url: return ChunkSlot::Text(TextField::Url, WideToBytes(text));
    case FunctionChunk::Midlet1: return ChunkSlot::Text(TextField::Midlet1, WideToBytes(text));
    case FunctionChunk::MidletName:
      return ChunkSlot::Text(TextField::MidletName, WideToBytes(text));
    case FunctionChunk::MidletVendor:
      return ChunkSlot::Text(TextField::MidletVendor, WideToBytes(text));
    case FunctionChunk::EmulatedAction: return ChunkSlot::Action(DecimalToU16(text));
    case FunctionChunk::Code12: return code(CallCode::Code12);
    case FunctionChunk::Code13: return code(CallCode::Code13);
    case FunctionChunk::Code14: return code(CallCode::Code14);
    default: break;
  }
  // A value of the full 25 characters fills the field and has no terminator.
  ShortcutChunk shortcut;
  const std::string bytes = WideToBytes(text.substr(0, kShortcutDataBytes));
  std::copy(bytes.begin(), bytes.end(), shortcut.data.begin());
  return {shortcut};
}

ChunkSlot TitlesFromRows(TitleList list, const std::vector<ListRow>& rows) {
  std::vector<TitleEntry> titles;
  for (const ListRow& row : rows) titles.push_back({row.languageId, row.text});
  return ChunkSlot::Titles(list, std::move(titles));
}

IconRow RowOfFileIcon(std::uint8_t kind) {
  if (kind == kStaticIcon) return IconRow::Static;
  if (kind == kAnimatedIcon) return IconRow::Animated;
  return IconRow::List;
}

IconRow RowOfDrmIcon(DrmIconKind kind) {
  switch (kind) {
    case DrmIconKind::Animated: return IconRow::Animated;
    case DrmIconKind::Static: return IconRow::Static;
    case DrmIconKind::List: break;
  }
  return IconRow::List;
}

constexpr std::array<std::uint8_t, kIconRowCount> kFileIconKinds = {kAnimatedIcon, kStaticIcon,
                                                                    kListIcon};
constexpr std::array<DrmIconKind, kIconRowCount> kDrmIconKinds = {
    DrmIconKind::Animated, DrmIconKind::Static, DrmIconKind::List};
constexpr std::array<std::uint8_t, kAttributeBoxCount> kAttributeBits = {
    kAttributeLockable, kAttributeProtected, kAttributeNonChangeable};

EntryDialog DialogOf(StringList list) {
  return list == StringList::ShowText ? EntryDialog::TextEditor : EntryDialog::NameSettings;
}

bool ValidLanguage(std::uint8_t id) { return id >= 1 && id <= kLanguageCount; }

}  // namespace

std::string TooManyChunksText() {
  return "An entry holds at most " + std::to_string(kMaxSlots) +
         " data chunks.\r\nRemove a title, an icon or a function, then press OK again";
}

std::string TooMuchDataText() {
  return "The data of one entry can take at most " + std::to_string(kMaxDataSectionBytes) +
         " bytes.\r\nShorten its titles or texts, then press OK again";
}

ItemEditorModel::ItemEditorModel(EditorEnvironment environment, EntryLanguageMemory& languages,
                                 UserDialogs& dialogs)
    : environment_(std::move(environment)), languages_(languages), dialogs_(dialogs) {}

void ItemEditorModel::Changed(bool leavesContent) {
  controls_.applyEnabled = true;
  if (leavesContent) controls_.resetEnabled = true;
}

void ItemEditorModel::LoadItem(const EditedNode& node) {
  itemType_ = node.itemType;
  softkey_ = node.softkey;
  attributeByte_ = node.attributeByte;
  titleMode_ = node.titleMode;
  ClearPanel();

  SetChecked(AttributeBox::Lockable, attributeByte_ & kAttributeLockable);
  SetChecked(AttributeBox::Protected, attributeByte_ & kAttributeProtected);
  SetChecked(AttributeBox::NonChangeable, attributeByte_ & kAttributeNonChangeable);

  if (node.data) {
    controls_.resetEnabled = true;
    for (const ChunkSlot& slot : node.data->slots) LoadChunk(slot);
  }
  controls_.applyEnabled = false;
}

void ItemEditorModel::LoadChunk(const ChunkSlot& slot) {
  if (const auto* titles = slot.As<TitlesChunk>()) {
    if (titles->list == TitleList::Menu) return LoadTitles(StringList::MenuTitle, *titles);
    if (titles->list == TitleList::Softkey) return LoadTitles(StringList::SoftkeyTitle, *titles);
    LoadTitles(StringList::ShowText, *titles);
    controls_.list(StringList::ShowText).listEnabled = true;
    workingCopy_.function(FunctionChunk::ShowText) = slot;
    controls_.groupEnabled[Index(ItemFunction::ShowText)] = true;
    controls_.function = ItemFunction::ShowText;
    return;
  }
  const std::optional<FunctionChunk> chunk = FunctionChunkOf(slot);
  if (chunk == FunctionChunk::UnknownGroup) {
    workingCopy_.function(FunctionChunk::UnknownGroup) = slot;
    return;
  }
  if (const FieldChunk* entry = chunk ? FieldChunkOf(*chunk) : nullptr) {
    workingCopy_.function(entry->chunk) = slot;
    SetFieldText(entry->field, FieldTextOf(slot));
    controls_.groupEnabled[Index(entry->function)] = true;
    controls_.function = entry->function;
    EnableField(entry->field);
    if (entry->function == ItemFunction::ApplicationStart) {
      EnableField(FunctionField::Midlet1);
      EnableField(FunctionField::MidletName);
      EnableField(FunctionField::MidletVendor);
      // Here only the phone's own list counts; the memory card's does not.
      controls_.midletChoiceEnabled = environment_.midlets.phoneRead;
    }
    if (entry->function == ItemFunction::CallSend) controls_.callSendEnabled = true;
    return;
  }
  // A soft key's icons are neither shown nor kept.
  if (softkey_) return;
  if (const auto* icon = slot.As<FileIconChunk>()) {
    const IconRow row = RowOfFileIcon(icon->kind);
    SetIconSource(row, IconSource::Fs);
    SetIconText(row, icon->path);
  } else if (const auto* drm = slot.As<DrmIconChunk>()) {
    const IconRow row = RowOfDrmIcon(drm->kind);
    SetIconSource(row, IconSource::Drm);
    SetIconText(row, U16ToWide(drm->number));
    drmOrigin_[Index(row)] = true;
  }
}

void ItemEditorModel::LoadTitles(StringList list, const TitlesChunk& chunk) {
  for (const TitleEntry& title : chunk.titles) AppendRow(list, title.languageId, title.text);
  StringListControls& controls = controls_.list(list);
  controls.editEnabled = true;
  controls.deleteEnabled = true;
  controls.addEnabled = controls.rows.size() < kMaxListRows;
}

void ItemEditorModel::AppendRow(StringList list, std::uint8_t languageId, std::u16string text) {
  auto& rows = controls_.list(list).rows;
  rows.push_back({"#" + std::to_string(rows.size() + 1), languageId, std::move(text)});
}

void ItemEditorModel::Shown() {
  for (IconRow row : kIconRows)
    controls_.icon(row).pickEnabled =
        environment_.phoneConnected && !softkey_ && !drmOrigin_[Index(row)];
  controls_.iconGroupEnabled = !softkey_;

  controls_.midlets.clear();
  const auto add = [this](const std::vector<InstalledMidlet>& list, bool onCard) {
    const std::size_t count = std::min(list.size(), kMaxInstalledMidletsPerList);
    for (std::size_t i = 0; i < count; ++i)
      if (!list[i].empty()) controls_.midlets.push_back({list[i], onCard});
  };
  if (environment_.midlets.phoneRead) add(environment_.midlets.phone, false);
  if (environment_.midlets.cardRead) add(environment_.midlets.card, true);
}

void ItemEditorModel::ClearPanel() {
  controls_.sendChosen = itemType_ == kSendMessage;
  const bool folder = itemType_ == kFolder;
  controls_.function = ItemFunction::None;
  controls_.functionChoiceEnabled = !folder;
  controls_.functionPageVisible = !folder;

  controls_.applyEnabled = false;
  controls_.page = EditorPage::Visual;
  for (auto& list : controls_.lists) list.rows.clear();
  for (StringList title : {StringList::MenuTitle, StringList::SoftkeyTitle}) {
    StringListControls& list = controls_.list(title);
    list.editEnabled = false;
    list.deleteEnabled = false;
    list.addEnabled = true;
  }

  for (IconRow row : kIconRows) {
    controls_.icon(row).enabled = !softkey_;
    SetIconText(row, {});
    SetIconSource(row, IconSource::Fs);
  }

  for (const FieldChunk& entry : kFieldChunks) SetFieldText(entry.field, {});
  controls_.resetEnabled = false;
  DisableFunctionPage();

  for (std::size_t box = 0; box < kAttributeBoxCount; ++box)
    SetChecked(static_cast<AttributeBox>(box), false);
  controls_.box(AttributeBox::Lockable).enabled = true;
  controls_.box(AttributeBox::Protected).enabled = !softkey_;
  controls_.box(AttributeBox::NonChangeable).enabled = softkey_;

  workingCopy_ = {};
  drmOrigin_ = {};
  if (itemType_ != kFolder) itemType_ = kPlainItem;
}

void ItemEditorModel::DisableFunctionPage() {
  controls_.midletChoice = -1;
  controls_.midletChoiceEnabled = false;
  controls_.callSendEnabled = false;
  StringListControls& showText = controls_.list(StringList::ShowText);
  showText.listEnabled = false;
  showText.addEnabled = false;
  showText.editEnabled = false;
  showText.deleteEnabled = false;
  controls_.groupEnabled = {};
  for (auto& field : controls_.fields) field.enabled = false;
}

void ItemEditorModel::ClearFunctionTab() {
  controls_.sendChosen = itemType_ == kSendMessage;
  controls_.applyEnabled = false;
  controls_.page = EditorPage::Visual;
  controls_.list(StringList::ShowText).rows.clear();
  for (const FieldChunk& entry : kFieldChunks) SetFieldText(entry.field, {});
  DisableFunctionPage();
  workingCopy_.ClearFunction(true);
  if (itemType_ != kFolder) itemType_ = kPlainItem;
}

void ItemEditorModel::ResetAllData() {
  if (!dialogs_.Ask({kResetQuestionText, kWarningCaption, MessageIcon::Warning})) return;
  ClearPanel();
  titleMode_ = kTitleModePlaced;
}

void ItemEditorModel::SetChecked(AttributeBox box, bool checked) {
  CheckControl& control = controls_.box(box);
  if (control.checked == checked) return;
  control.checked = checked;
  const std::uint8_t bit = kAttributeBits[Index(box)];
  attributeByte_ =
      static_cast<std::uint8_t>(checked ? attributeByte_ | bit : attributeByte_ & ~bit);
  Changed(false);
}

void ItemEditorModel::SetIconSource(IconRow row, IconSource source) {
  IconRowControls& icon = controls_.icon(row);
  if (icon.source == source) {
    if (source == IconSource::Drm && icon.enabled && !softkey_) icon.pickEnabled = true;
    return;
  }
  icon.source = source;
  SetIconText(row, {});
  icon.pickEnabled = source == IconSource::Drm || environment_.phoneConnected;
  Changed(false);
}

void ItemEditorModel::PhoneConnectionChanged(bool connected) {
  environment_.phoneConnected = connected;
  for (IconRowControls& icon : controls_.icons)
    if (icon.source == IconSource::Fs) icon.pickEnabled = connected && icon.enabled && !softkey_;
}

void ItemEditorModel::SetIconText(IconRow row, std::u16string text) {
  IconRowControls& icon = controls_.icon(row);
  if (icon.text == text) return;
  const std::optional<InputFault> fault = icon.source == IconSource::Drm
                                              ? CheckNumber(text, kDrmIconNumberRange)
                                              : CheckPhonePath(text);
  if (fault) {
    dialogs_.Show(InputFaultMessage(*fault));
    text.clear();
  }
  icon.text = std::move(text);
  icon.indicatorVisible = !icon.text.empty();
  Changed(!icon.text.empty());
}

void ItemEditorModel::PickedPhonePicture(IconRow row, std::u16string path) {
  if (path.empty()) return;
  SetIconSource(row, IconSource::Fs);
  SetIconText(row, std::move(path));
}

void ItemEditorModel::PickedDrmIcon(IconRow row, std::uint16_t number) {
  SetIconText(row, U16ToWide(number));
}

void ItemEditorModel::SetFieldText(FunctionField id, std::u16string text) {
  FieldControl& field = controls_.field(id);
  if (text.size() > FieldLength(id)) text.resize(FieldLength(id));
  if (field.text == text) return;
  if (const std::optional<InputFault> fault = CheckField(id, text)) {
    dialogs_.Show(InputFaultMessage(*fault));
    // A refused number empties the field; a text keeps what it held before the character it
    // cannot carry, so nothing typed earlier is lost.
    if (*fault == InputFault::NotEightBit) return;
    text.clear();
  }
  field.text = std::move(text);
  Changed(!field.text.empty());
}

void ItemEditorModel::EnableField(FunctionField field) { controls_.field(field).enabled = true; }

void ItemEditorModel::ChooseFunction(ItemFunction function) {
  ClearFunctionTab();
  controls_.function = function;
  if (function == ItemFunction::None) return;
  controls_.page = EditorPage::Function;
  controls_.groupEnabled[Index(function)] = true;
  for (const FieldChunk& entry : kFieldChunks)
    if (entry.function == function) EnableField(entry.field);
  if (function == ItemFunction::ApplicationStart)
    controls_.midletChoiceEnabled = environment_.midlets.phoneRead || environment_.midlets.cardRead;
  if (function == ItemFunction::CallSend) controls_.callSendEnabled = true;
  if (function == ItemFunction::ShowText) {
    StringListControls& showText = controls_.list(StringList::ShowText);
    showText.listEnabled = true;
    showText.addEnabled = true;
  }
}

void ItemEditorModel::ChooseSend(bool send) {
  if (controls_.sendChosen == send) return;
  controls_.sendChosen = send;
  itemType_ = send ? kSendMessage : kCallNumber;
  Changed(false);
}

void ItemEditorModel::ChooseMidlet(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= controls_.midlets.size()) return;
  controls_.midletChoice = index;
  const InstalledMidlet midlet = controls_.midlets[static_cast<std::size_t>(index)].midlet;
  SetFieldText(FunctionField::Midlet1, BytesToWide(midlet.midlet1));
  SetFieldText(FunctionField::MidletName, BytesToWide(midlet.name));
  SetFieldText(FunctionField::MidletVendor, BytesToWide(midlet.vendor));
}

EntryRequest ItemEditorModel::BeginAdd(StringList list) const {
  const EntryDialog dialog = DialogOf(list);
  return {dialog, languages_.of(dialog), {}};
}

std::optional<EntryRequest> ItemEditorModel::BeginEdit(StringList list, int row) {
  const auto& rows = controls_.list(list).rows;
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return std::nullopt;
  const ListRow& chosen = rows[static_cast<std::size_t>(row)];
  const EntryDialog dialog = DialogOf(list);
  // A language outside the table has nothing to preselect; the dialog's last one stands in.
  if (ValidLanguage(chosen.languageId)) languages_.of(dialog) = chosen.languageId - 1u;
  return EntryRequest{dialog, languages_.of(dialog), chosen.text};
}

void ItemEditorModel::FinishAdd(StringList list, std::size_t languagePosition,
                                std::u16string text) {
  StringListControls& controls = controls_.list(list);
  if (text.empty() || CheckEntryText(text) || controls.rows.size() >= kMaxListRows ||
      languagePosition >= kLanguageCount)
    return;
  AppendRow(list, static_cast<std::uint8_t>(languagePosition + 1), std::move(text));
  if (controls.rows.size() == kMaxListRows) controls.addEnabled = false;
  controls.editEnabled = true;
  controls.deleteEnabled = true;
  Changed(true);
}

void ItemEditorModel::FinishEdit(StringList list, int row, std::size_t languagePosition,
                                 std::u16string text) {
  auto& rows = controls_.list(list).rows;
  if (text.empty() || CheckEntryText(text) || row < 0 ||
      static_cast<std::size_t>(row) >= rows.size() || languagePosition >= kLanguageCount)
    return;
  ListRow& edited = rows[static_cast<std::size_t>(row)];
  edited.languageId = static_cast<std::uint8_t>(languagePosition + 1);
  edited.text = std::move(text);
  Changed(true);
}

void ItemEditorModel::DeleteRow(StringList list, int row) {
  StringListControls& controls = controls_.list(list);
  if (row < 0 || static_cast<std::size_t>(row) >= controls.rows.size()) return;
  controls.rows.erase(controls.rows.begin() + row);
  controls.addEnabled = true;
  if (controls.rows.empty()) {
    controls.editEnabled = false;
    controls.deleteEnabled = false;
  }
  Changed(!controls.rows.empty());
}

void ItemEditorModel::Apply() {
  ApplyDataChange();
  controls_.applyEnabled = false;
}

bool ItemEditorModel::Accept() {
  ApplyDataChange();
  ItemDataRecord stored;
  stored.slots = workingCopy_.Chunks();
  if (stored.slots.size() > kMaxSlots) {
    dialogs_.Show({TooManyChunksText(), kErrorCaption, MessageIcon::Error});
    return false;
  }
  // Counted as "Save all data" counts, so that the entry fits whichever way it is saved.
  if (DataLength(&stored, true) > kMaxDataSectionBytes) {
    dialogs_.Show({TooMuchDataText(), kErrorCaption, MessageIcon::Error});
    return false;
  }
  return true;
}

void ItemEditorModel::ApplyDataChange() { workingCopy_ = Committed(); }

bool ItemEditorModel::StoresFunction() const { return Committed().HasFunctionChunk(); }

EditorWorkingCopy ItemEditorModel::Committed() const {
  EditorWorkingCopy committed = workingCopy_;
  committed.ClearVisual();
  const auto& menuTitles = controls_.list(StringList::MenuTitle).rows;
  if (!menuTitles.empty()) committed.menuTitle = TitlesFromRows(TitleList::Menu, menuTitles);
  const auto& softkeyTitles = controls_.list(StringList::SoftkeyTitle).rows;
  if (!softkeyTitles.empty())
    committed.softkeyTitle = TitlesFromRows(TitleList::Softkey, softkeyTitles);

  for (IconRow row : kIconRows) {
    const IconRowControls& icon = controls_.icon(row);
    if (icon.text.empty()) continue;
    const std::size_t i = Index(row);
    if (icon.source == IconSource::Drm)
      committed.drmIcons[i] =
          ChunkSlot::DrmIcon(kDrmIconKinds[i], kDrmByteFromEditor, DecimalToU16(icon.text));
    else
      committed.fileIcons[i] = ChunkSlot::FileIcon(kFileIconKinds[i], icon.text);
  }

  if (controls_.function == ItemFunction::None) {
    committed.ClearFunction(false);
    return committed;
  }
  // Normally only the chosen function's group is enabled; an entry loaded with chunks of
  // several functions has each of their groups enabled, and none of their fields is ignored.
  for (std::size_t function = 1; function < kItemFunctionCount; ++function)
    if (controls_.groupEnabled[function])
      CommitFunction(static_cast<ItemFunction>(function), committed);
  return committed;
}

void ItemEditorModel::CommitFunction(ItemFunction function, EditorWorkingCopy& committed) const {
  if (function == ItemFunction::ShowText) {
    const auto& rows = controls_.list(StringList::ShowText).rows;
    if (!rows.empty())
      committed.function(FunctionChunk::ShowText) = TitlesFromRows(TitleList::ShowText, rows);
    return;
  }
  // An empty field keeps what was loaded for it.
  for (const FieldChunk& entry : kFieldChunks) {
    const std::u16string& text = controls_.field(entry.field).text;
    if (entry.function == function && !text.empty())
      committed.function(entry.chunk) = SlotFromField(entry.chunk, text);
  }
}

bool ItemEditorModel::HasItemData(bool saveAllData) const {
  return workingCopy_.HasData(saveAllData);
}

void ItemEditorModel::StoreItem(ItemDataRecord& record) {
  record.slots = workingCopy_.Chunks();
  if ((workingCopy_.menuTitle || workingCopy_.softkeyTitle) && titleMode_ != kTitleModeCustom)
    titleMode_ = kTitleModeOwnTitle;
  itemType_ = workingCopy_.ItemTypeFor(itemType_, controls_.sendChosen);
  if (workingCopy_.HasFunctionChunk()) attributeByte_ = kAttributeWithFunction;
}

}  // namespace menuforge
