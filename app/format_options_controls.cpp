#include "app/format_options_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "menu/record_size.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kSaveMode22Hint[] = "Old mma_ucp format";
constexpr char kSaveMode36Hint[] = "New mma_ucp format";
constexpr char kSaveAllDataHint[] = "Save all mma data including currently unsupported";
constexpr char kC698pFixHint[] = "Fix mma_ucp to act properly on R3624 FW";

template <typename Control>
Control* MakeControl(const QString& caption, const char* name, const char* hint = nullptr) {
  auto* control = new Control(caption);
  control->setObjectName(QString::fromLatin1(name));
  if (hint) control->setToolTip(ShownText(hint));
  return control;
}

}  // namespace

FormatOptionsControls::FormatOptionsControls(MenuDocument& document, QObject* parent)
    : QObject(parent),
      document_(&document),
      saveModeGroup_(MakeControl<QGroupBox>(ShownText("MMA save mode"), "saveModeGroup")),
      saveMode22_(MakeControl<QRadioButton>(ShownText(RecordSizeLabel(RecordSize::k22)),
                                            "saveMode22", kSaveMode22Hint)),
      saveMode36_(MakeControl<QRadioButton>(ShownText(RecordSizeLabel(RecordSize::k36)),
                                            "saveMode36", kSaveMode36Hint)),
      saveAllData_(
          MakeControl<QCheckBox>(ShownText("Save all data"), "saveAllData", kSaveAllDataHint)),
      c698pFix_(MakeControl<QCheckBox>(ShownText("c698p mma_ucp fix"), "c698pFix", kC698pFixHint)),
      iconAttributeGroup_(
          MakeControl<QGroupBox>(ShownText("Custom icon attribute"), "iconAttributeGroup")),
      iconAttribute06_(MakeControl<QRadioButton>(ShownText("06"), "iconAttribute06")),
      iconAttribute0C_(MakeControl<QRadioButton>(ShownText("0C"), "iconAttribute0C")) {
  auto* saveModeRows = new QVBoxLayout(saveModeGroup_);
  for (QWidget* control :
       std::initializer_list<QWidget*>{saveMode22_, saveMode36_, saveAllData_, c698pFix_})
    saveModeRows->addWidget(control);
  auto* choices = new QHBoxLayout(iconAttributeGroup_);
  choices->addWidget(iconAttribute06_);
  choices->addWidget(iconAttribute0C_);
  Connect();
  document.AddObserver(*this);
  Show();
}

void FormatOptionsControls::Connect() {
  connect(saveMode22_, &QRadioButton::clicked, this, [this] {
    Change([](FormatOptions& options) { options.SelectSaveMode(RecordSize::k22); });
  });
  connect(saveMode36_, &QRadioButton::clicked, this, [this] {
    Change([](FormatOptions& options) { options.SelectSaveMode(RecordSize::k36); });
  });
  connect(saveAllData_, &QCheckBox::clicked, this,
          [this](bool on) { Change([on](FormatOptions& options) { options.saveAllData = on; }); });
  connect(c698pFix_, &QCheckBox::clicked, this,
          [this](bool on) { Change([on](FormatOptions& options) { options.c698pFix = on; }); });
  connect(iconAttribute06_, &QRadioButton::clicked, this, [this] {
    Change([](FormatOptions& options) { options.iconAttribute = IconAttribute::Tag06; });
  });
  connect(iconAttribute0C_, &QRadioButton::clicked, this, [this] {
    Change([](FormatOptions& options) { options.iconAttribute = IconAttribute::Tag0C; });
  });
}

void FormatOptionsControls::Change(const std::function<void(FormatOptions&)>& change) {
  if (!document_) return;
  FormatOptions options = document_->options();
  change(options);
  // One step of the document, shown by the controls once it tells of it.
  document_->SetOptions(options);
}

void FormatOptionsControls::DocumentChanged(DocumentChange change) {
  if (change == DocumentChange::Options || change == DocumentChange::Profile ||
      change == DocumentChange::Contents)
    Show();
}

void FormatOptionsControls::Show() {
  if (!document_) return;
  const FormatOptions& options = document_->options();
  // Checking one radio button of a group clears the other.
  (options.saveMode == RecordSize::k22 ? saveMode22_ : saveMode36_)->setChecked(true);
  saveAllData_->setChecked(options.saveAllData);
  c698pFix_->setChecked(options.c698pFix);
  c698pFix_->setEnabled(options.c698pEnabled);
  (options.iconAttribute == IconAttribute::Tag06 ? iconAttribute06_ : iconAttribute0C_)
      ->setChecked(true);
  iconAttributeGroup_->setEnabled(options.iconAttributeEnabled);
}

}  // namespace menuforge
