#include "editor/item_editor_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/core/control_hints.h"
#include "editor/icon_row_panel.h"
#include "editor/name_settings_dialog.h"
#include "editor/shown_texts.h"
#include "editor/string_list_panel.h"
#include "editor/text_editor_dialog.h"
#include "widgets/picture_pixmap.h"

namespace menuforge {
namespace {

constexpr int kVisualTab = 0;
constexpr int kFunctionTab = 1;
constexpr int kPhoneWatchInterval = 250;  // ms

constexpr std::size_t Index(auto id) { return static_cast<std::size_t>(id); }

template <typename Dialog>
std::optional<std::pair<std::size_t, std::u16string>> Run(QWidget* parent,
                                                          const EntryRequest& request,
                                                          EditorPrompts& prompts) {
  Dialog dialog(parent, request, prompts);
  if (!prompts.RunModal(dialog)) return std::nullopt;
  return std::make_pair(dialog.languagePosition(), dialog.text());
}

}  // namespace

ItemEditorDialog::ItemEditorDialog(QWidget* parent, EditorContext& context, EditorPrompts& prompts)
    : QDialog(parent),
      context_(context),
      prompts_(prompts),
      model_(EditorEnvironment{context.phoneConnected(),
                               context.midlets ? *context.midlets : InstalledMidlets{}},
             context.languages, prompts) {
  setWindowTitle(tr("Item properties"));
  pages_ = new QTabWidget;
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setAccessibleName(tr("Item pages"));
  pages_->addTab(BuildVisualPage(), tr("Visual"));
  pages_->addTab(BuildFunctionPage(), tr("Function"));
  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
    model_.ShowPage(index == kFunctionTab ? EditorPage::Function : EditorPage::Visual);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(BuildBottomBar());
  Refresh();
  setFixedHeight(sizeHint().height());
  phoneWatch_ = new QTimer(this);
  phoneWatch_->setInterval(kPhoneWatchInterval);
  connect(phoneWatch_, &QTimer::timeout, this, &ItemEditorDialog::FollowPhone);
}

bool ItemEditorDialog::Edit(QWidget* parent, MenuTree& tree, MenuNode& node, EditorContext& context,
                            bool saveAllData, EditorPrompts* prompts) {
  QtEditorPrompts windowPrompts;
  EditorPrompts& used = prompts ? *prompts : windowPrompts;
  ItemEditorDialog dialog(parent, context, used);
  windowPrompts.SetParent(&dialog);
  dialog.LoadItem(EditedNodeOf(tree, node));
  if (!used.RunModal(dialog)) return false;
  ApplyEditorResult(tree, node, dialog.model(), saveAllData);
  return true;
}

void ItemEditorDialog::LoadItem(const EditedNode& node) {
  model_.LoadItem(node);
  Refresh();
  for (const IconRow row : kIconRows) ShowPhonePicture(row);
}

void ItemEditorDialog::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    model_.Shown();
    FollowPhone();
    Refresh();
    phoneWatch_->start();
  }
  QDialog::showEvent(event);
}

void ItemEditorDialog::done(int result) {
  for (IconRowPanel* row : iconRows_) row->StopIndicator();
  phoneWatch_->stop();
  QDialog::done(result);
}

bool ItemEditorDialog::HasPicker(IconSource source) const {
  return source == IconSource::Drm ? context_.pickers.drmIcons != nullptr
                                   : context_.pickers.phonePictures != nullptr;
}

void ItemEditorDialog::Refresh() {
  const EditorControls& c = model_.controls();
  for (std::size_t i = 0; i < kStringListCount; ++i) lists_[i]->Show(c.lists[i]);
  const bool storesFunction = model_.StoresFunction();
  const auto boxes = ShownAttributeBoxes(c, storesFunction);
  for (std::size_t i = 0; i < kAttributeBoxCount; ++i) {
    boxes_[i]->setChecked(boxes[i].checked);
    boxes_[i]->setEnabled(boxes[i].enabled);
    boxes_[i]->setToolTip(EightBitText(AttributeBoxHint(storesFunction)));
  }
  iconGroup_->setEnabled(c.iconGroupEnabled);
  for (std::size_t i = 0; i < kIconRowCount; ++i) {
    iconRows_[i]->Show(c.icons[i], HasPicker(c.icons[i].source));
    iconRows_[i]->SetPickHint(EightBitText(PickButtonHint(c.icons[i], model_.phoneConnected())));
  }

  {
    const QSignalBlocker blocker(pages_);
    pages_->setTabVisible(kFunctionTab, c.functionPageVisible);
    pages_->setCurrentIndex(c.page == EditorPage::Function ? kFunctionTab : kVisualTab);
  }
  {
    const QSignalBlocker blocker(functionChoice_);
    functionChoice_->setCurrentIndex(static_cast<int>(c.function));
  }
  functionChoice_->setEnabled(c.functionChoiceEnabled);
  RefreshFunctionPage();
  resetButton_->setEnabled(c.resetEnabled);
  applyButton_->setEnabled(c.applyEnabled);
}

void ItemEditorDialog::RefreshFunctionPage() {
  const EditorControls& c = model_.controls();
  for (std::size_t function = 1; function < kItemFunctionCount; ++function)
    groups_[function]->setEnabled(c.groupEnabled[function]);
  for (std::size_t i = 0; i < kFunctionFieldCount; ++i) {
    const QString text = Wide(c.fields[i].text);
    if (fields_[i]->text() != text) fields_[i]->setText(text);
    fields_[i]->setEnabled(c.fields[i].enabled);
  }
  (c.sendChosen ? sendButton_ : callButton_)->setChecked(true);
  callButton_->setEnabled(c.callSendEnabled);
  sendButton_->setEnabled(c.callSendEnabled);

  if (midletChoice_->count() != static_cast<int>(c.midlets.size())) {
    midletChoice_->clear();
    for (const MidletChoice& midlet : c.midlets) {
      const QIcon picture =
          style()->standardIcon(midlet.onCard ? QStyle::SP_DriveFDIcon : QStyle::SP_ComputerIcon);
      midletChoice_->addItem(picture, EightBitText(midlet.shownText()));
    }
  }
  midletChoice_->setCurrentIndex(c.midletChoice);
  midletChoice_->setEnabled(c.midletChoiceEnabled);
  midletChoice_->setToolTip(
      EightBitText(MidletChoiceHint(c, context_.midlets && context_.midlets->phoneRead)));
}

void ItemEditorDialog::AddRow(StringList list) {
  if (const auto entry = RunEntryDialog(model_.BeginAdd(list)))
    model_.FinishAdd(list, entry->languagePosition, entry->text);
  Refresh();
}

void ItemEditorDialog::EditRow(StringList list) {
  const int row = lists_[Index(list)]->selectedRow();
  if (const std::optional<EntryRequest> request = model_.BeginEdit(list, row))
    if (const auto entry = RunEntryDialog(*request))
      model_.FinishEdit(list, row, entry->languagePosition, entry->text);
  Refresh();
}

void ItemEditorDialog::DeleteRow(StringList list) {
  model_.DeleteRow(list, lists_[Index(list)]->selectedRow());
  Refresh();
}

std::optional<ItemEditorDialog::EntryResult> ItemEditorDialog::RunEntryDialog(
    const EntryRequest& request) {
  const auto result = request.dialog == EntryDialog::TextEditor
                          ? Run<TextEditorDialog>(this, request, prompts_)
                          : Run<NameSettingsDialog>(this, request, prompts_);
  if (!result) return std::nullopt;
  return EntryResult{result->first, result->second};
}

void ItemEditorDialog::FollowPhone() {
  const bool connected = context_.phoneConnected();
  if (connected == model_.phoneConnected()) return;
  model_.PhoneConnectionChanged(connected);
  Refresh();
}

void ItemEditorDialog::Pick(IconRow row) {
  FollowPhone();
  if (!model_.controls().icon(row).pickEnabled) return;
  const PickerSet& pickers = context_.pickers;
  if (model_.controls().icon(row).source == IconSource::Drm) {
    if (pickers.drmIcons)
      if (const std::optional<std::uint16_t> number = pickers.drmIcons->PickDrmIcon(this))
        model_.PickedDrmIcon(row, *number);
  } else if (pickers.phonePictures) {
    if (std::optional<std::u16string> path = pickers.phonePictures->PickPhonePicture(this, row))
      model_.PickedPhonePicture(row, std::move(*path));
  }
  Refresh();
  ShowPhonePicture(row);
}

void ItemEditorDialog::ShowPhonePicture(IconRow row) {
  const IconRowControls& icon = model_.controls().icon(row);
  PhonePicturePicker* pictures = context_.pickers.phonePictures;
  if (icon.source != IconSource::Fs || icon.text.empty() || pictures == nullptr) return;
  const std::optional<Bytes> bytes = pictures->PictureOf(icon.text);
  if (!bytes) return;
  if (const QPixmap picture = PictureFromBytes(*bytes); !picture.isNull())
    iconRows_[Index(row)]->ShowPicture(Wide(icon.text), picture);
}

void ItemEditorDialog::Ok() {
  if (model_.Accept())
    accept();
  else
    Refresh();
}

}  // namespace menuforge
