#include "browser/picture_picker_dialog.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "browser/core/file_mask.h"
#include "browser/file_mask_dialog.h"
#include "widgets/dialog_buttons.h"
#include "widgets/picture_pixmap.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 440;
constexpr int kTreeWidth = 200;
constexpr int kPreviewSide = 16;
constexpr int kPathRole = Qt::UserRole;

std::string PathOf(const QTreeWidgetItem* item) {
  return item->data(0, kPathRole).toByteArray().toStdString();
}

QAction* MakeAction(QObject* owner, const QString& text, const char* name) {
  auto* action = new QAction(text, owner);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// Rows without a picture keep their names in line with those that have one.
const QIcon& NoPreview() {
  static const QIcon blank = [] {
    QPixmap pixmap(kPreviewSide, kPreviewSide);
    pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
  }();
  return blank;
}

}  // namespace

PicturePickerDialog::PicturePickerDialog(QWidget* parent, PhoneLink& link, BrowserRunState& state,
                                         PicturePreviews& previews, BrowserPrompts& prompts)
    : QDialog(parent),
      link_(link),
      state_(state),
      previews_(previews),
      prompts_(prompts),
      browser_(link, state, previews, prompts),
      listWindows_(this),
      transferWindows_(this, CancelButton::Offered) {
  browser_.SetTransferWindows(transferWindows_);
  setObjectName(QStringLiteral("picturePicker"));
  setWindowTitle(tr("Picture Picker"));
  auto* lists = new QHBoxLayout;
  lists->addWidget(BuildFolderTree());
  lists->addWidget(BuildFileList(), 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(BuildPathFields());
  layout->addLayout(BuildButtons());
  BuildContextMenus();
  setFixedSize(kWidth, kHeight);

  previewTimer_.setSingleShot(true);
  previewTimer_.setInterval(0);
  connect(&previewTimer_, &QTimer::timeout, this, &PicturePickerDialog::FetchNextPreview);
  expanded_.insert(std::string());
  ShowAll();
}

QWidget* PicturePickerDialog::BuildFolderTree() {
  folderTree_ = new QTreeWidget;
  folderTree_->setObjectName(QStringLiteral("folderTree"));
  folderTree_->setAccessibleName(tr("Phone folders"));
  folderTree_->setHeaderHidden(true);
  folderTree_->setFixedWidth(kTreeWidth);
  folderTree_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(folderTree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> chosen = folderTree_->selectedItems();
    if (!chosen.isEmpty()) ChooseTreeItem(chosen.front());
  });
  connect(folderTree_, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { expanded_.insert(PathOf(item)); });
  connect(folderTree_, &QTreeWidget::itemCollapsed, this,
          [this](QTreeWidgetItem* item) { expanded_.erase(PathOf(item)); });
  return folderTree_;
}

QWidget* PicturePickerDialog::BuildFileList() {
  fileList_ = new QTreeWidget;
  fileList_->setObjectName(QStringLiteral("fileList"));
  fileList_->setAccessibleName(tr("Files"));
  fileList_->setColumnCount(3);
  fileList_->setHeaderLabels({tr("File"), tr("File Size"), tr("Attr")});
  fileList_->setRootIsDecorated(false);
  fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  fileList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fileList_->setIconSize(QSize(kPreviewSide, kPreviewSide));
  fileList_->setContextMenuPolicy(Qt::CustomContextMenu);
  fileList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  fileList_->header()->setStretchLastSection(false);
  connect(fileList_, &QTreeWidget::itemSelectionChanged, this, &PicturePickerDialog::ChooseRows);
  connect(fileList_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &PicturePickerDialog::SchedulePreviews);
  return fileList_;
}

QLayout* PicturePickerDialog::BuildPathFields() {
  iconPath_ = new QLineEdit;
  iconPath_->setObjectName(QStringLiteral("iconPathField"));
  iconPath_->setAccessibleName(tr("Icon path"));
  iconPath_->setReadOnly(true);
  usePath_ = new QCheckBox(tr("Use path"));
  usePath_->setObjectName(QStringLiteral("usePathBox"));
  usePathField_ = new QLineEdit;
  usePathField_->setObjectName(QStringLiteral("usePathField"));
  usePathField_->setAccessibleName(tr("Path to use"));
  usePathField_->setEnabled(false);
  connect(usePath_, &QCheckBox::toggled, this, [this](bool on) {
    if (busy_) return;
    browser_.SetUsePath(on);
    ShowFields();
    if (on) usePathField_->setFocus();
  });
  connect(usePathField_, &QLineEdit::textEdited, this,
          [this](const QString& text) { browser_.SetUsePathText(text.toStdU16String()); });

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(tr("Icon path/name:")), 0, 0);
  fields->addWidget(iconPath_, 0, 1);
  fields->addWidget(usePath_, 1, 0);
  fields->addWidget(usePathField_, 1, 1);
  return fields;
}

QLayout* PicturePickerDialog::BuildButtons() {
  auto* update = new QPushButton(tr("Update file list"));
  update->setObjectName(QStringLiteral("updateButton"));
  update->setAutoDefault(false);
  connect(update, &QPushButton::clicked, this, &PicturePickerDialog::UpdateFileList);

  modeMenu_ = new QMenu(this);
  modeMenu_->setObjectName(QStringLiteral("listModeMenu"));
  modes_ = new QActionGroup(this);
  modes_->setExclusive(true);
  for (QAction* action : {MakeAction(this, tr("Icons only"), "iconsOnlyAction"),
                          MakeAction(this, tr("All files"), "allFilesAction"),
                          MakeAction(this, tr("By mask..."), "byMaskAction")}) {
    action->setCheckable(true);
    modes_->addAction(action);
    modeMenu_->addAction(action);
  }
  byMaskAction_ = modes_->actions().back();
  connect(modes_, &QActionGroup::triggered, this, &PicturePickerDialog::ChooseListMode);
  connect(modeMenu_, &QMenu::aboutToShow, this, &PicturePickerDialog::ShowListMode);
  auto* modeButton = new QToolButton;
  modeButton->setObjectName(QStringLiteral("listModeButton"));
  modeButton->setAccessibleName(tr("List view"));
  modeButton->setArrowType(Qt::DownArrow);
  modeButton->setMenu(modeMenu_);
  modeButton->setPopupMode(QToolButton::InstantPopup);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  buttons->addWidget(update);
  buttons->addWidget(modeButton);
  buttons->addStretch(1);
  buttons->addWidget(MakeOkCancelButtons(this));
  return buttons;
}

void PicturePickerDialog::BuildContextMenus() {
  fileMenu_ = new QMenu(this);
  fileMenu_->setObjectName(QStringLiteral("fileMenu"));
  QAction* upload = MakeAction(this, tr("Upload to this folder"), "uploadAction");
  downloadAction_ = MakeAction(this, tr("Download selected"), "downloadAction");
  deleteAction_ = MakeAction(this, tr("Delete selected"), "deleteAction");
  QAction* attributes = MakeAction(this, tr("Set attribute"), "attributesAction");
  fileMenu_->addActions({upload, downloadAction_, deleteAction_, attributes});
  connect(upload, &QAction::triggered, this, &PicturePickerDialog::UploadFiles);
  connect(downloadAction_, &QAction::triggered, this, &PicturePickerDialog::DownloadFiles);
  connect(deleteAction_, &QAction::triggered, this, &PicturePickerDialog::DeleteFiles);
  connect(attributes, &QAction::triggered, this, &PicturePickerDialog::SetFileAttributes);
  connect(fileList_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { fileMenu_->popup(fileList_->viewport()->mapToGlobal(at)); });

  folderMenu_ = new QMenu(this);
  folderMenu_->setObjectName(QStringLiteral("folderMenu"));
  QAction* create = MakeAction(this, tr("Create folder"), "createFolderAction");
  QAction* remove = MakeAction(this, tr("Delete folder"), "deleteFolderAction");
  folderMenu_->addActions({create, remove});
  connect(create, &QAction::triggered, this, &PicturePickerDialog::CreateFolder);
  connect(remove, &QAction::triggered, this, &PicturePickerDialog::DeleteFolder);
  connect(folderTree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    folderMenu_->popup(folderTree_->viewport()->mapToGlobal(at));
  });
}

PicturePickerDialog::~PicturePickerDialog() { previews_.FinishFetching(); }

void PicturePickerDialog::done(int result) {
  previews_.FinishFetching();
  if (result == QDialog::Accepted) {
    if (const std::optional<Message> refused = browser_.Accept()) {
      prompts_.Show(*refused);
      return;
    }
  } else {
    browser_.Cancel();
  }
  previewTimer_.stop();
  QDialog::done(result);
}

void PicturePickerDialog::ShowAll() {
  ShowTree();
  ShowRows();
  ShowFields();
  // A list read just now may have brought the volume table "By mask..." waits for.
  ShowListMode();
}

void PicturePickerDialog::ShowTree() {
  const QSignalBlocker blocker(folderTree_);
  folderTree_->clear();
  QTreeWidgetItem* selected = nullptr;
  const auto add = [&](auto& self, const FolderNode& node, QTreeWidgetItem* item) -> void {
    const std::string path = FolderPath(node);
    item->setText(0, EightBitText(node.text));
    item->setData(0, kPathRole, QByteArray::fromStdString(path));
    if (&node == browser_.selectedNode()) selected = item;
    for (const auto& child : node.children) self(self, *child, new QTreeWidgetItem(item));
    item->setExpanded(expanded_.contains(path));
  };
  auto* root = new QTreeWidgetItem(folderTree_);
  add(add, browser_.tree().root(), root);
  // The root lists nothing and stays unselected.
  if (selected != nullptr && selected != root) {
    selected->setSelected(true);
    folderTree_->setCurrentItem(selected);
    folderTree_->scrollToItem(selected);
  }
}

void PicturePickerDialog::ShowRows() {
  const QSignalBlocker blocker(fileList_);
  fileList_->clear();
  for (const FileRow& row : browser_.rows()) {
    const std::string path = browser_.PhonePathOf(row);
    auto* item =
        new QTreeWidgetItem(fileList_, {EightBitText(row.name), QString::number(row.size),
                                        QString::fromStdString(AttributeText(row.attributes))});
    item->setData(0, kPathRole, QByteArray::fromStdString(path));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setIcon(0, IsPreviewable(row.name, row.size) ? PreviewOf(path) : NoPreview());
    QStringList why;
    // Still selectable, for the file operations; greyed, because OK will not take it.
    if (const std::optional<std::string> refusal = browser_.IconPathRefusal(row)) {
      for (int column = 0; column < fileList_->columnCount(); ++column)
        item->setForeground(column, palette().brush(QPalette::Disabled, QPalette::Text));
      why << QString::fromStdString(*refusal);
    }
    if (const auto noPreview = NoPreviewReason(row.name, row.size))
      why << QString::fromUtf8(noPreview->data(), static_cast<qsizetype>(noPreview->size()));
    if (!why.isEmpty())
      for (int column = 0; column < fileList_->columnCount(); ++column)
        item->setToolTip(column, why.join(QLatin1Char('\n')));
  }
  for (const std::size_t row : browser_.selectedRows())
    fileList_->topLevelItem(static_cast<int>(row))->setSelected(true);
  SchedulePreviews();
}

void PicturePickerDialog::ShowFields() {
  iconPath_->setText(EightBitText(browser_.iconPath()));
  {
    const QSignalBlocker blocker(usePath_);
    usePath_->setChecked(browser_.usePath());
  }
  usePathField_->setEnabled(browser_.usePath());
  const QString usePathText = QString::fromStdU16String(browser_.usePathText());
  if (usePathField_->text() != usePathText) usePathField_->setText(usePathText);
  const bool rowSelected = !browser_.selectedRows().empty();
  downloadAction_->setEnabled(rowSelected);
  deleteAction_->setEnabled(rowSelected);
}

void PicturePickerDialog::ChooseTreeItem(QTreeWidgetItem* item) {
  // Choices made while a transfer lets events through wait for the transfer; the views show
  // the browser's state again when it ends.
  if (busy_) return;
  browser_.SelectNode(browser_.tree().Find(PathOf(item)));
  if (browser_.selectedNode() != nullptr && browser_.selectedNode()->isRoot()) {
    const QSignalBlocker blocker(folderTree_);
    folderTree_->clearSelection();
  }
  ShowRows();
  ShowFields();
}

void PicturePickerDialog::ChooseRows() {
  if (busy_) return;
  std::vector<std::size_t> rows;
  for (int row = 0; row < fileList_->topLevelItemCount(); ++row)
    if (fileList_->topLevelItem(row)->isSelected()) rows.push_back(static_cast<std::size_t>(row));
  browser_.SelectRows(std::move(rows));
  ShowFields();
}

void PicturePickerDialog::WithPhone(const std::function<void()>& operation) {
  if (busy_) return;
  busy_ = true;
  previews_.FinishFetching();
  operation();
  busy_ = false;
  ShowAll();
}

void PicturePickerDialog::UpdateFileList() {
  WithPhone([this] { browser_.Update(listWindows_); });
}

void PicturePickerDialog::ChooseListMode(QAction* action) {
  const QList<QAction*> actions = modes_->actions();
  if (action == actions[0]) {
    state_.listMode = ListMode::IconsOnly;
  } else if (action == actions[1]) {
    state_.listMode = ListMode::AllFiles;
  } else {
    FileMaskDialog dialog(this, BeginMaskDialog(state_, link_.session.volumes()));
    if (prompts_.RunModal(dialog))
      if (const std::optional<Message> refused =
              AcceptMask(state_, dialog.checkedLetters(), dialog.extension()))
        prompts_.Show(*refused);
  }
  ShowListMode();
}

void PicturePickerDialog::ShowListMode() {
  modes_->actions()[static_cast<int>(state_.listMode)]->setChecked(true);
  byMaskAction_->setEnabled(MaskChoiceEnabled(link_.session.volumes()));
}

void PicturePickerDialog::SchedulePreviews() {
  if (!previewTimer_.isActive()) previewTimer_.start();
}

void PicturePickerDialog::FetchNextPreview() {
  if (busy_) return;
  // Another call waits for the phone and the window has a turn meanwhile: the next turn tries
  // again.
  if (link_.session.library().callInFlight()) {
    SchedulePreviews();
    return;
  }
  std::string path;
  if (!previews_.fetching()) {
    const std::optional<std::string> missing = NextMissingPreview();
    if (!missing) return;
    path = *missing;
  }
  if (const std::optional<std::string> fetched = previews_.FetchStep(link_.session, path))
    ShowPreview(*fetched);
  // The next block waits for the next turn, so the window answers in between.
  SchedulePreviews();
}

std::optional<std::string> PicturePickerDialog::NextMissingPreview() const {
  if (!link_.session.connected()) return std::nullopt;
  const int count = fileList_->topLevelItemCount();
  const QRect shown = fileList_->viewport()->rect();
  QTreeWidgetItem* top = fileList_->itemAt(shown.topLeft());
  QTreeWidgetItem* bottom = fileList_->itemAt(shown.bottomLeft());
  const int first = top ? fileList_->indexOfTopLevelItem(top) : 0;
  const int last = bottom ? fileList_->indexOfTopLevelItem(bottom) : count - 1;
  const std::vector<FileRow>& rows = browser_.rows();
  for (int row = first; row <= last && row < static_cast<int>(rows.size()); ++row) {
    const std::string path = PathOf(fileList_->topLevelItem(row));
    if (IsPreviewable(rows[static_cast<std::size_t>(row)].name,
                      rows[static_cast<std::size_t>(row)].size) &&
        !previews_.Known(path))
      return path;
  }
  return std::nullopt;
}

void PicturePickerDialog::ShowPreview(const std::string& phonePath) {
  // The list may have been scrolled, or shown again, since the fetch began.
  for (int row = 0; row < fileList_->topLevelItemCount(); ++row)
    if (QTreeWidgetItem* item = fileList_->topLevelItem(row); PathOf(item) == phonePath)
      item->setIcon(0, PreviewOf(phonePath));
}

QIcon PicturePickerDialog::PreviewOf(const std::string& phonePath) {
  const QString key = EightBitText(phonePath);
  const Bytes* bytes = previews_.Find(phonePath);
  // A file written over or deleted was forgotten; so is its picture.
  if (bytes == nullptr) {
    shownPreviews_.remove(key);
    return NoPreview();
  }
  if (const auto shown = shownPreviews_.constFind(key); shown != shownPreviews_.cend())
    return *shown;
  const QPixmap picture = PictureFromBytes(*bytes);
  if (picture.isNull()) return NoPreview();
  const QIcon icon(
      picture.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  shownPreviews_.insert(key, icon);
  return icon;
}

}  // namespace menuforge
