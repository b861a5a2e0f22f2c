// The item editor without its window: the controls' state, the working copy of one entry's
// chunks, and every rule that ties them together.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/user_messages.h"
#include "editor/core/editor_controls.h"
#include "editor/core/editor_working_copy.h"
#include "editor/core/entry_request.h"
#include "editor/core/installed_midlets.h"
#include "menu/item_data.h"
#include "menu/node_record.h"

namespace menuforge {

inline constexpr char kResetQuestionText[] = "This will remove all data\r\n   Continue?";
// "An entry holds at most 11 data chunks.\r\n...", when OK finds more.
std::string TooManyChunksText();
// "The data of one entry can take at most 65535 bytes.\r\n...", when OK finds more.
std::string TooMuchDataText();

// What the editor is given of the node it edits.
struct EditedNode {
  const ItemDataRecord* data = nullptr;
  std::uint8_t itemType = kPlainItem;
  bool softkey = false;
  std::uint8_t attributeByte = 0;
  std::uint8_t titleMode = kTitleModePlaced;
};

// What the editor reads of the rest of the program while it is open.
struct EditorEnvironment {
  bool phoneConnected = false;
  InstalledMidlets midlets;
};

class ItemEditorModel {
 public:
  ItemEditorModel(EditorEnvironment environment, EntryLanguageMemory& languages,
                  UserDialogs& dialogs);

  const EditorControls& controls() const { return controls_; }
  bool softkey() const { return softkey_; }
  bool drmOrigin(IconRow row) const { return drmOrigin_[static_cast<std::size_t>(row)]; }

  void LoadItem(const EditedNode& node);
  // The rules that run when the window is shown: pick buttons, icon group, installed MIDlets.
  void Shown();
  void ClearPanel();
  void ClearFunctionTab();
  // "Reset All Data": asks first.
  void ResetAllData();

  void SetChecked(AttributeBox box, bool checked);
  // Choosing the source a row already has does nothing, except that choosing "DRM" again brings
  // back the row's pick button, which an icon loaded as a DRM number or no phone turned off.
  void SetIconSource(IconRow row, IconSource source);
  // The phone came or went while the window is open: the pick buttons of phone files follow.
  void PhoneConnectionChanged(bool connected);
  bool phoneConnected() const { return environment_.phoneConnected; }
  void SetIconText(IconRow row, std::u16string text);
  void PickedPhonePicture(IconRow row, std::u16string path);
  void PickedDrmIcon(IconRow row, std::uint16_t number);
  void SetFieldText(FunctionField field, std::u16string text);
  void ChooseFunction(ItemFunction function);
  void ChooseSend(bool send);
  void ChooseMidlet(int index);
  // The user turned to a page.
  void ShowPage(EditorPage page) { controls_.page = page; }

  EntryRequest BeginAdd(StringList list) const;
  // Nothing without a row; remembers the row's language for later "Add" in that dialog.
  std::optional<EntryRequest> BeginEdit(StringList list, int row);
  // An empty text adds or changes nothing.
  void FinishAdd(StringList list, std::size_t languagePosition, std::u16string text);
  void FinishEdit(StringList list, int row, std::size_t languagePosition, std::u16string text);
  void DeleteRow(StringList list, int row);

  // "Apply".
  void Apply();
  // "OK": commits the controls and refuses, with a message, what one entry cannot hold.
  [[nodiscard]] bool Accept();
  void ApplyDataChange();
  bool HasItemData(bool saveAllData) const;
  // Whether OK would store a function, which stores the attribute byte 0x60 whatever the
  // attribute boxes say.
  bool StoresFunction() const;
  // Replaces the record's chunks with the working copy's, and settles the three node bytes.
  void StoreItem(ItemDataRecord& record);

  std::uint8_t ItemType() const { return itemType_; }
  std::uint8_t AttributeByte() const { return attributeByte_; }
  std::uint8_t TitleMode() const { return titleMode_; }

 private:
  // A change of a field, list, box or choice: "Apply" can commit it, and a non-empty result
  // gives "Reset All Data" something to remove.
  void Changed(bool leavesContent);
  void AppendRow(StringList list, std::uint8_t languageId, std::u16string text);
  void LoadTitles(StringList list, const TitlesChunk& chunk);
  void LoadChunk(const ChunkSlot& slot);
  void EnableField(FunctionField field);
  void DisableFunctionPage();
  // The working copy as the controls would leave it.
  EditorWorkingCopy Committed() const;
  void CommitFunction(ItemFunction function, EditorWorkingCopy& committed) const;

  EditorEnvironment environment_;
  EntryLanguageMemory& languages_;
  UserDialogs& dialogs_;

  EditorControls controls_;
  EditorWorkingCopy workingCopy_;
  std::array<bool, kIconRowCount> drmOrigin_{};
  std::uint8_t itemType_ = kPlainItem;
  bool softkey_ = false;
  std::uint8_t attributeByte_ = 0;
  std::uint8_t titleMode_ = kTitleModePlaced;
};

}  // namespace menuforge
