// The widgets of "Item properties" and the core calls they are bound to.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/core/control_hints.h"
#include "editor/icon_row_panel.h"
#include "editor/item_editor_dialog.h"
#include "editor/shown_texts.h"
#include "editor/string_list_panel.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr std::size_t Index(auto id) { return static_cast<std::size_t>(id); }

QLabel* Label(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

// A "[?]" label explains its field, over the label and over the field alike.
QLabel* HintedLabel(const QString& text, QWidget* buddy, const char* hint) {
  QLabel* label = Label(text, buddy);
  label->setToolTip(ShownText(hint));
  buddy->setToolTip(label->toolTip());
  return label;
}

}  // namespace

StringListPanel* ItemEditorDialog::BuildList(StringList list, const QString& name,
                                             const QString& spokenName) {
  auto* panel = new StringListPanel(name, spokenName);
  lists_[Index(list)] = panel;
  connect(panel, &StringListPanel::addClicked, this, [this, list] { AddRow(list); });
  connect(panel, &StringListPanel::editClicked, this, [this, list] { EditRow(list); });
  connect(panel, &StringListPanel::deleteClicked, this, [this, list] { DeleteRow(list); });
  return panel;
}

QWidget* ItemEditorDialog::BuildVisualPage() {
  auto* titles = new QGroupBox(tr("Item title"));
  auto* titleLayout = new QVBoxLayout(titles);
  titleLayout->addWidget(new QLabel(tr("Menu title")));
  titleLayout->addWidget(
      BuildList(StringList::MenuTitle, QStringLiteral("menuTitle"), tr("Titles in the menu")));
  titleLayout->addWidget(new QLabel(tr("Softkey title")));
  titleLayout->addWidget(
      BuildList(StringList::SoftkeyTitle, QStringLiteral("softkeyTitle"), tr("Soft key titles")));

  auto* attributes = new QGroupBox(tr("Item attributes"));
  auto* attributeLayout = new QHBoxLayout(attributes);
  const std::array<std::pair<QString, const char*>, kAttributeBoxCount> boxes = {
      {{tr("Lockable"), "lockableBox"},
       {tr("Protected"), "protectedBox"},
       {tr("Non-changeable"), "nonChangeableBox"}}};
  for (std::size_t i = 0; i < kAttributeBoxCount; ++i) {
    auto* box = new QCheckBox(boxes[i].first);
    box->setObjectName(QString::fromLatin1(boxes[i].second));
    boxes_[i] = box;
    attributeLayout->addWidget(box);
    connect(box, &QCheckBox::clicked, this, [this, i](bool checked) {
      model_.SetChecked(static_cast<AttributeBox>(i), checked);
      Refresh();
    });
  }
  attributeLayout->addStretch();

  iconGroup_ = new QGroupBox(tr("Item icons"));
  iconGroup_->setObjectName(QStringLiteral("iconGroup"));
  auto* iconLayout = new QVBoxLayout(iconGroup_);
  const std::array<std::pair<QString, const char*>, kIconRowCount> rows = {
      {{tr("Animated icon"), "animatedIcon"},
       {tr("Static icon"), "staticIcon"},
       {tr("List icon"), "listIcon"}}};
  for (IconRow row : kIconRows) {
    const auto& [caption, name] = rows[Index(row)];
    auto* panel = new IconRowPanel(caption, QString::fromLatin1(name), row == IconRow::Animated);
    iconRows_[Index(row)] = panel;
    iconLayout->addWidget(panel);
    connect(panel, &IconRowPanel::sourceChosen, this, [this, row](IconSource source) {
      model_.SetIconSource(row, source);
      Refresh();
    });
    connect(panel, &IconRowPanel::textEdited, this, [this, row](const QString& text) {
      model_.SetIconText(row, Wide(text));
      Refresh();
    });
    connect(panel, &IconRowPanel::pickClicked, this, [this, row] { Pick(row); });
  }

  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("visualPage"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(titles);
  layout->addWidget(attributes);
  layout->addWidget(iconGroup_);
  layout->addStretch();
  return page;
}

QGroupBox* ItemEditorDialog::BuildFunctionGroup(ItemFunction function, const QString& name,
                                                const char* title) {
  auto* group =
      new QGroupBox(title ? tr(title) : EightBitText(kItemFunctionNames[Index(function)]));
  group->setObjectName(name);
  groups_[Index(function)] = group;
  return group;
}

QLineEdit* ItemEditorDialog::BuildField(FunctionField field, const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  fields_[Index(field)] = edit;
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    model_.SetFieldText(field, Wide(text));
    Refresh();
  });
  return edit;
}

QWidget* ItemEditorDialog::BuildFunctionPage() {
  QGroupBox* url = BuildFunctionGroup(ItemFunction::UrlLink, QStringLiteral("urlGroup"));
  QLineEdit* urlField = BuildField(FunctionField::Url, QStringLiteral("urlField"));
  urlField->setAccessibleName(tr("URL"));
  (new QVBoxLayout(url))->addWidget(urlField);

  QGroupBox* application =
      BuildFunctionGroup(ItemFunction::ApplicationStart, QStringLiteral("applicationGroup"));
  auto* applicationLayout = new QFormLayout(application);
  QLineEdit* midlet1 = BuildField(FunctionField::Midlet1, QStringLiteral("midlet1Field"));
  QLineEdit* midletName = BuildField(FunctionField::MidletName, QStringLiteral("midletNameField"));
  QLineEdit* midletVendor =
      BuildField(FunctionField::MidletVendor, QStringLiteral("midletVendorField"));
  midletChoice_ = new QComboBox;
  midletChoice_->setObjectName(QStringLiteral("installedMidletChoice"));
  applicationLayout->addRow(Label(tr("MIDlet-1"), midlet1), midlet1);
  applicationLayout->addRow(Label(tr("MIDlet name"), midletName), midletName);
  applicationLayout->addRow(Label(tr("MIDlet vendor"), midletVendor), midletVendor);
  applicationLayout->addRow(Label(tr("Select installed:"), midletChoice_), midletChoice_);
  connect(midletChoice_, &QComboBox::activated, this, [this](int index) {
    model_.ChooseMidlet(index);
    Refresh();
  });

  QGroupBox* action =
      BuildFunctionGroup(ItemFunction::EmulateAction, QStringLiteral("actionGroup"));
  QLineEdit* actionCode = BuildField(FunctionField::ActionCode, QStringLiteral("actionCodeField"));
  actionCode->setMaxLength(static_cast<int>(kActionCodeFieldLength));
  auto* actionLayout = new QHBoxLayout(action);
  actionLayout->addWidget(HintedLabel(tr("Action code (dec) [?]:"), actionCode, kActionCodeHint));
  actionLayout->addWidget(actionCode);

  QGroupBox* shortcut = BuildFunctionGroup(ItemFunction::Shortcut, QStringLiteral("shortcutGroup"),
                                           QT_TR_NOOP("Shortcut data [?]"));
  QLineEdit* shortcutData =
      BuildField(FunctionField::ShortcutData, QStringLiteral("shortcutField"));
  shortcutData->setMaxLength(static_cast<int>(kShortcutFieldLength));
  shortcut->setToolTip(ShownText(kShortcutDataHint));
  shortcutData->setToolTip(shortcut->toolTip());
  shortcutData->setAccessibleName(tr("Shortcut data"));
  (new QVBoxLayout(shortcut))->addWidget(shortcutData);

  QGroupBox* call = BuildFunctionGroup(ItemFunction::CallSend, QStringLiteral("callSendGroup"),
                                       QT_TR_NOOP("Call a number/Send SMS "));
  callButton_ = new QRadioButton(tr("Call"));
  sendButton_ = new QRadioButton(tr("Send"));
  callButton_->setObjectName(QStringLiteral("callButton"));
  sendButton_->setObjectName(QStringLiteral("sendButton"));
  auto* callChoice = new QButtonGroup(this);
  callChoice->addButton(callButton_);
  callChoice->addButton(sendButton_);
  connect(callButton_, &QRadioButton::clicked, this, [this] {
    model_.ChooseSend(false);
    Refresh();
  });
  connect(sendButton_, &QRadioButton::clicked, this, [this] {
    model_.ChooseSend(true);
    Refresh();
  });
  auto* callLayout = new QHBoxLayout(call);
  auto* choiceLayout = new QVBoxLayout;
  choiceLayout->addWidget(callButton_);
  choiceLayout->addWidget(sendButton_);
  callLayout->addLayout(choiceLayout);
  auto* codes = new QFormLayout;
  const std::array<std::tuple<FunctionField, QString, const char*>, 3> codeFields = {
      {{FunctionField::Code12, tr("Code 0x12 [?]"), "code12Field"},
       {FunctionField::Code13, tr("Code 0x13 [?]"), "code13Field"},
       {FunctionField::Code14, tr("Code 0x14 [?]"), "code14Field"}}};
  for (const auto& [field, caption, name] : codeFields) {
    QLineEdit* code = BuildField(field, QString::fromLatin1(name));
    code->setMaxLength(static_cast<int>(kCodeFieldLength));
    codes->addRow(HintedLabel(caption, code, kCodeByteHint), code);
  }
  callLayout->addLayout(codes, 1);

  QGroupBox* showText = BuildFunctionGroup(ItemFunction::ShowText, QStringLiteral("showTextGroup"));
  (new QVBoxLayout(showText))
      ->addWidget(BuildList(StringList::ShowText, QStringLiteral("showText"), tr("Texts shown")));

  functionPage_ = new QWidget;
  functionPage_->setObjectName(QStringLiteral("functionPage"));
  auto* layout = new QGridLayout(functionPage_);
  layout->addWidget(url, 0, 0);
  layout->addWidget(action, 0, 1);
  layout->addWidget(application, 1, 0, 2, 1);
  layout->addWidget(shortcut, 1, 1);
  layout->addWidget(call, 2, 1);
  layout->addWidget(showText, 3, 0, 1, 2);
  layout->setRowStretch(4, 1);
  return functionPage_;
}

QLayout* ItemEditorDialog::BuildBottomBar() {
  resetButton_ = new QPushButton(tr("Reset All Data"));
  resetButton_->setObjectName(QStringLiteral("resetButton"));
  resetButton_->setToolTip(tr("Clear all data attached to the item"));
  // Red and bold call attention only while there is something to clear; disabled, the button
  // looks like every other disabled one.
  resetButton_->setStyleSheet(
      QStringLiteral("QPushButton:enabled { color: red; font-weight: bold; }"));
  connect(resetButton_, &QPushButton::clicked, this, [this] {
    model_.ResetAllData();
    Refresh();
  });

  functionChoice_ = new QComboBox;
  functionChoice_->setObjectName(QStringLiteral("functionChoice"));
  for (std::string_view name : kItemFunctionNames) functionChoice_->addItem(EightBitText(name));
  // Only a change of the entry counts: choosing the shown function again keeps its fields.
  connect(functionChoice_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.ChooseFunction(static_cast<ItemFunction>(index));
    Refresh();
  });

  auto* ok = new QPushButton(tr("OK"));
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &ItemEditorDialog::Ok);
  applyButton_ = new QPushButton(tr("Apply"));
  applyButton_->setObjectName(QStringLiteral("applyButton"));
  connect(applyButton_, &QPushButton::clicked, this, [this] {
    model_.Apply();
    Refresh();
  });
  auto* cancel = new QPushButton(tr("Cancel"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* bar = new QHBoxLayout;
  bar->addWidget(resetButton_);
  bar->addStretch();
  bar->addWidget(Label(tr("Item function:"), functionChoice_));
  bar->addWidget(functionChoice_);
  bar->addSpacing(12);
  bar->addWidget(ok);
  bar->addWidget(applyButton_);
  bar->addWidget(cancel);
  return bar;
}

}  // namespace menuforge
