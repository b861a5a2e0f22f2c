// "Item properties": the window that edits the data attached to one menu entry.
#pragma once

#include "editor/core/item_editor_model.h"
#include "editor/core/modify_item.h"

#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "editor/editor_context.h"
#include "editor/editor_prompts.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace menuforge {

class IconRowPanel;
class StringListPanel;

class ItemEditorDialog : public QDialog {
  Q_OBJECT

 public:
  ItemEditorDialog(QWidget* parent, EditorContext& context, EditorPrompts& prompts);

  // "Modify item" on `node`: opens the editor modally and, on "OK", gives the node and the item
  // data table what the editor holds, keeping data the phone does not use only with
  // `saveAllData`. False when cancelled. Without `prompts`, message boxes and dialogs are shown
  // over the editor.
  static bool Edit(QWidget* parent, MenuTree& tree, MenuNode& node, EditorContext& context,
                   bool saveAllData, EditorPrompts* prompts = nullptr);

  void LoadItem(const EditedNode& node);
  ItemEditorModel& model() { return model_; }

  // Stops the indicators however the window closes.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct EntryResult {
    std::size_t languagePosition;
    std::u16string text;
  };

  QWidget* BuildVisualPage();
  QWidget* BuildFunctionPage();
  QLayout* BuildBottomBar();
  // Titled with the function's entry in "Item function:" unless `title` says otherwise.
  QGroupBox* BuildFunctionGroup(ItemFunction function, const QString& name,
                                const char* title = nullptr);
  QLineEdit* BuildField(FunctionField field, const QString& name);
  StringListPanel* BuildList(StringList list, const QString& name);

  void Refresh();
  void RefreshFunctionPage();
  void AddRow(StringList list);
  void EditRow(StringList list);
  void DeleteRow(StringList list);
  std::optional<EntryResult> RunEntryDialog(const EntryRequest& request);
  void Pick(IconRow row);
  // The indicator of a row whose field names a phone file shows that file's picture.
  void ShowPhonePicture(IconRow row);
  bool HasPicker(IconSource source) const;
  // The phone may come or go while the window is open; the program tells of it to no one, so
  // the window looks now and then.
  void FollowPhone();
  void Ok();

  EditorContext& context_;
  EditorPrompts& prompts_;
  ItemEditorModel model_;
  bool shown_ = false;
  QTimer* phoneWatch_ = nullptr;

  QTabWidget* pages_ = nullptr;
  QWidget* functionPage_ = nullptr;
  std::array<StringListPanel*, kStringListCount> lists_{};
  std::array<QCheckBox*, kAttributeBoxCount> boxes_{};
  QGroupBox* iconGroup_ = nullptr;
  std::array<IconRowPanel*, kIconRowCount> iconRows_{};
  std::array<QGroupBox*, kItemFunctionCount> groups_{};
  std::array<QLineEdit*, kFunctionFieldCount> fields_{};
  QRadioButton* callButton_ = nullptr;
  QRadioButton* sendButton_ = nullptr;
  QComboBox* midletChoice_ = nullptr;
  QComboBox* functionChoice_ = nullptr;
  QPushButton* resetButton_ = nullptr;
  QPushButton* applyButton_ = nullptr;
};

}  // namespace menuforge
