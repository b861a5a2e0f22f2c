#include "editor/drm_picker_dialog.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "editor/core/drm_picker_rules.h"

namespace menuforge {
namespace {

constexpr char kSelectIconText[] =
    QT_TRANSLATE_NOOP("menuforge::DrmPickerDialog", "Select an icon");
constexpr char kPreviewGroupTitle[] =
    QT_TRANSLATE_NOOP("menuforge::DrmPickerDialog", "Picture preview");
constexpr char kCenteredText[] = QT_TRANSLATE_NOOP("menuforge::DrmPickerDialog", "Centered");
constexpr char kScreenSizeTitle[] = QT_TRANSLATE_NOOP("menuforge::DrmPickerDialog", "Screen size");
constexpr char kLoadNewText[] = QT_TRANSLATE_NOOP("menuforge::DrmPickerDialog", "Load new...");
constexpr char kLoadNewHint[] =
    QT_TRANSLATE_NOOP("menuforge::DrmPickerDialog", "Open new CG15 binary");
constexpr int kNumberFieldWidth = 60;

struct ScreenSize {
  const char* caption;
  int width;
  int height;
};
constexpr std::array<ScreenSize, 4> kScreenSizes = {
    {{"128x128", 128, 128}, {"120x160", 120, 160}, {"176x220", 176, 220}, {"240x320", 240, 320}}};
constexpr int kDefaultScreenSize = 2;

// The dialog's own texts in the user's language; others (screen sizes) have no translation and
// stay as they are.
QString Text(const char* text) {
  return QCoreApplication::translate("menuforge::DrmPickerDialog", text);
}

QToolButton* ArrowButton(const char* name, Qt::ArrowType arrow, const QString& spoken) {
  auto* button = new QToolButton;
  button->setObjectName(Text(name));
  button->setAccessibleName(spoken);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFixedSize(18, 12);
  return button;
}

}  // namespace

DrmPickerDialog::DrmPickerDialog(CurrentDrmBinary& binary, DrmBinaryChooser choose,
                                 UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), binary_(binary), choose_(std::move(choose)), dialogs_(dialogs) {
  setObjectName(QStringLiteral("drmPickerDialog"));
  setWindowTitle(Text(kDrmPickerCaption));

  auto* previewGroup = new QGroupBox(Text(kPreviewGroupTitle));
  previewGroup->setObjectName(QStringLiteral("previewGroup"));
  preview_ = new QLabel;
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setAutoFillBackground(true);
  preview_->setBackgroundRole(QPalette::Base);
  auto* previewLayout = new QVBoxLayout(previewGroup);
  previewLayout->addWidget(preview_);

  auto* middle = new QHBoxLayout;
  middle->addWidget(previewGroup);
  middle->addWidget(CreateOptions(), 0, Qt::AlignTop);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreateNumberRow());
  layout->addLayout(middle);
  layout->addWidget(CreateButtons());
  // The window follows the preview's size.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  field_->installEventFilter(this);
  ChooseScreenSize(kDefaultScreenSize);
  SetCentered(true);
  ShowBinary();
}

QWidget* DrmPickerDialog::CreateNumberRow() {
  auto* row = new QWidget;
  auto* label = new QLabel(Text(kSelectIconText));
  field_ = new QLineEdit;
  field_->setObjectName(QStringLiteral("numberField"));
  label->setBuddy(field_);
  field_->setAccessibleDescription(tr("The number of the icon in the DRM binary"));
  field_->setFixedWidth(kNumberFieldWidth);
  // Only typed digits reach the field; pasting and dropping would pass the key rules by.
  field_->setContextMenuPolicy(Qt::NoContextMenu);
  field_->setAcceptDrops(false);
  auto* up = ArrowButton("upButton", Qt::UpArrow, tr("Next icon"));
  auto* down = ArrowButton("downButton", Qt::DownArrow, tr("Previous icon"));
  connect(up, &QToolButton::clicked, this, [this] { Step(true); });
  connect(down, &QToolButton::clicked, this, [this] { Step(false); });
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(up);
  arrows->addWidget(down);
  sizeLabel_ = new QLabel;
  sizeLabel_->setObjectName(QStringLiteral("sizeLabel"));

  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(field_);
  layout->addLayout(arrows);
  layout->addSpacing(12);
  layout->addWidget(sizeLabel_);
  layout->addStretch();
  return row;
}

QWidget* DrmPickerDialog::CreateOptions() {
  auto* options = new QWidget;
  auto* layout = new QVBoxLayout(options);
  layout->setContentsMargins(0, 0, 0, 0);
  centered_ = new QCheckBox(Text(kCenteredText));
  centered_->setObjectName(QStringLiteral("centeredBox"));
  centered_->setChecked(true);
  connect(centered_, &QCheckBox::toggled, this, &DrmPickerDialog::SetCentered);
  layout->addWidget(centered_);

  auto* sizes = new QGroupBox(Text(kScreenSizeTitle));
  sizes->setObjectName(QStringLiteral("screenSizeGroup"));
  auto* sizeLayout = new QVBoxLayout(sizes);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < static_cast<int>(kScreenSizes.size()); ++i) {
    auto* button = new QRadioButton(Text(kScreenSizes[i].caption));
    button->setObjectName(QStringLiteral("screenSize%1").arg(kScreenSizes[i].caption));
    button->setChecked(i == kDefaultScreenSize);
    group->addButton(button, i);
    sizeLayout->addWidget(button);
  }
  connect(group, &QButtonGroup::idClicked, this, &DrmPickerDialog::ChooseScreenSize);
  layout->addWidget(sizes);
  return options;
}

QWidget* DrmPickerDialog::CreateButtons() {
  auto* buttons = new QWidget;
  auto* loadNew = new QPushButton(Text(kLoadNewText));
  loadNew->setObjectName(QStringLiteral("loadNewButton"));
  loadNew->setToolTip(Text(kLoadNewHint));
  loadNew->setAutoDefault(false);
  connect(loadNew, &QPushButton::clicked, this, &DrmPickerDialog::LoadNew);
  auto* ok = new QPushButton(tr("OK"));
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(tr("Cancel"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QHBoxLayout(buttons);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(loadNew);
  layout->addStretch();
  layout->addWidget(ok);
  layout->addWidget(cancel);
  return buttons;
}

std::optional<std::uint16_t> DrmPickerDialog::number() const {
  bool ok = false;
  const uint value = field_->text().toUInt(&ok);
  if (!ok || value == 0 || value > UINT16_MAX) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

bool DrmPickerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_ || event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
    Step(key->key() == Qt::Key_Up);
    return true;
  }
  // Keys without a character move the caret or the focus. Selecting, copying and cutting, and
  // the keys of the dialog (Enter, Escape, Tab) work as in any field; only pasting stays out,
  // as it would pass the digit rule by.
  if (key->text().isEmpty()) return false;
  if (key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy) ||
      key->matches(QKeySequence::Cut))
    return false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;
    default: break;
  }
  const QChar character = key->text().front();
  switch (ClassifyNumberKey(character.unicode())) {
    case NumberKey::Digit: TypeDigit(character); return true;
    case NumberKey::Edit: return false;
    case NumberKey::Swallow: return true;
  }
  return true;
}

void DrmPickerDialog::ShowBinary() {
  maximum_ = PickerMaximum(binary_.binary());
  position_ = 1;
  field_->setText(QStringLiteral("1"));
  ShowNumber(1);
}

void DrmPickerDialog::ShowNumber(std::uint16_t number) {
  const std::optional<DrmPicture> picture = ExtractDrmPicture(binary_.binary(), number - 1u);
  sizeLabel_->setText(QString::fromStdString(SizeLabelText(picture)));
  ShowPicture(picture ? QByteArray(reinterpret_cast<const char*>(picture->gif.data()),
                                   static_cast<qsizetype>(picture->gif.size()))
                      : QByteArray());
}

void DrmPickerDialog::ShowPicture(const QByteArray& gif) {
  preview_->clear();
  delete gif_;
  gif_ = nullptr;
  if (gif.isEmpty()) return;
  gif_ = new QBuffer(this);
  gif_->setData(gif);
  gif_->open(QIODevice::ReadOnly);
  auto* movie = new QMovie(gif_, QByteArrayLiteral("gif"), gif_);
  preview_->setMovie(movie);
  movie->start();
}

void DrmPickerDialog::Step(bool up) {
  position_ = UpDownStep(position_, maximum_, up);
  field_->setText(QString::number(position_));
  ShowNumber(position_);
}

void DrmPickerDialog::TypeDigit(QChar digit) {
  const std::u16string text = field_->text().toStdU16String();
  const bool selected = field_->hasSelectedText();
  const auto start =
      static_cast<std::size_t>(selected ? field_->selectionStart() : field_->cursorPosition());
  const std::size_t end = selected ? start + field_->selectedText().size() : start;
  const std::optional<std::uint16_t> number =
      NumberAfterDigit(text, start, end, digit.unicode(), maximum_);
  if (!number) return;
  position_ = *number;
  field_->setText(QString::number(position_));
  field_->setCursorPosition(static_cast<int>(start) + 1);
  ShowNumber(position_);
}

void DrmPickerDialog::LoadNew() {
  const std::optional<std::filesystem::path> path = choose_();
  if (!path) return;
  if (const std::optional<Message> error = binary_.Load(*path)) {
    dialogs_.Show(*error);
    return;
  }
  ShowBinary();
}

void DrmPickerDialog::ChooseScreenSize(int index) {
  const ScreenSize& size = kScreenSizes[static_cast<std::size_t>(index)];
  preview_->setFixedSize(size.width, size.height);
}

void DrmPickerDialog::SetCentered(bool centered) {
  preview_->setAlignment(centered ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace menuforge
