#include "app/main_window.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/apply_changes_binder.h"
#include "app/core/status_text.h"
#include "app/document_title.h"
#include "app/format_options_controls.h"
#include "app/history_actions.h"
#include "app/item_list_box.h"
#include "app/main_window_accessibility.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "app/status_panels.h"
#include "app/tree_menus.h"
#include "base/user_messages.h"
#include "base/version.h"
#include "phone/phone_socket_path.h"
#include "phone/socket_library.h"
#include "widgets/phone_wait_turn.h"
#include "widgets/shown_text.h"
#include "workspace/phone_backups.h"
#include "workspace/window_size.h"

namespace menuforge {
namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 516;
constexpr int kRightColumnWidth = 218;
constexpr int kToolBarGap = 8;
constexpr int kProfileSelectorWidth = 150;

constexpr int kPhonePollInterval = 500;

constexpr char kProfileSelectorHint[] =
    "Select a profile for target phone.\r\nProfile excludes unsupported mma items and sets proper "
    "mma_ucp format";

QString Text(const char* text) { return ShownText(text); }

// Read-only, the working copies of the phone's files go to the private folder. Without one,
// they get a folder that is not there, so that their commands fail instead of writing into the
// working folder.
std::filesystem::path FilesFolderOf(const QTemporaryDir* privateFiles,
                                    const std::filesystem::path& workingFolder) {
  if (!privateFiles) return workingFolder;
  std::error_code error;
  if (!privateFiles->isValid())
    return std::filesystem::temp_directory_path(error) / "menuforge-no-private-folder";
  return LocalPath(privateFiles->path());
}

SessionFolders FoldersIn(const std::filesystem::path& workingFolder,
                         const QTemporaryDir* privateFiles) {
  return {workingFolder, FilesFolderOf(privateFiles, workingFolder), privateFiles != nullptr};
}

std::unique_ptr<P2kLibrary> OrSocketLibrary(std::unique_ptr<P2kLibrary> library) {
  if (library) return library;
  return std::make_unique<SocketPhoneLibrary>(PhoneSocketPath(std::nullopt));
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<WindowPrompts> prompts,
                       std::unique_ptr<P2kLibrary> phoneLibrary, QWidget* parent, bool readOnly)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      prompts_(prompts ? std::move(prompts) : std::make_unique<QtWindowPrompts>(this)),
      privateFiles_(readOnly ? std::make_unique<QTemporaryDir>() : nullptr),
      fadeTimer_(new QTimer(this)),
      phonePollTimer_(new QTimer(this)),
      progressWindows_(this, CancelButton::Offered),
      phoneLibrary_(OrSocketLibrary(std::move(phoneLibrary))),
      session_(FoldersIn(std::filesystem::current_path(), privateFiles_.get()), *phoneLibrary_,
               *prompts_, progressWindows_, *this, PhoneBackupFolder()) {
  setObjectName(QStringLiteral("mainWindow"));
  setAcceptDrops(true);
  fadeTimer_->setObjectName(QStringLiteral("fadeTimer"));
  connect(fadeTimer_, &QTimer::timeout, this, &MainWindow::FadeTimerTick);
  phonePollTimer_->setObjectName(QStringLiteral("phonePollTimer"));
  phonePollTimer_->setInterval(kPhonePollInterval);
  connect(phonePollTimer_, &QTimer::timeout, this, &MainWindow::PollPhone);
  LetWindowsTurnWhileWaiting(*phoneLibrary_);
  editorContext_.phoneConnected = [this] { return session_.phone().session.connected(); };
  editorContext_.midlets = &phoneMidlets_;
  editorContext_.pickers.drmIcons = &drmIcons_;
  editorContext_.pickers.phonePictures = &phonePictures_;

  history_ = new HistoryActions(session_.document(), *this);
  connect(history_, &HistoryActions::NodeEdited, this, &MainWindow::ShowEditedNode);
  CreateMenus();
  CreateToolBar();
  CreateCentralArea();
  CreateStatusBar();
  CreateContextMenus();
  ConnectControls();
  CreatePreview();
  CreateComparison();
  NameMainWindowControls(*this);
  SizeAndCentre();
  title_ = new DocumentTitle(session_.document(), *this, session_.readOnly());
  session_.document().AddObserver(*this);
  StartUp();
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(Text("&File"));
  file->setObjectName(QStringLiteral("fileMenu"));
  file->addActions({actions_.newMenu, actions_.open});
  recentMenu_ = file->addMenu(Text("Open &recent"));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  file->addActions({actions_.save, actions_.saveAs, actions_.openFromPhone, actions_.saveToPhone,
                    actions_.restartPhone, actions_.restoreBackup});
  AddApplyChangesAction(*file, session_.document(), this);
  file->addSeparator();
  file->addAction(actions_.exit);
  QMenu* edit = menuBar()->addMenu(Text("&Edit"));
  edit->setObjectName(QStringLiteral("editMenu"));
  edit->addActions({history_->undo(), history_->redo()});
  menuBar()->addAction(actions_.setup);
  QMenu* help = menuBar()->addMenu(Text("&Help"));
  help->setObjectName(QStringLiteral("helpMenu"));
  help->addActions({actions_.help, actions_.about});
}

void MainWindow::CreateToolBar() {
  QToolBar* bar = addToolBar(Text("Tools"));
  bar->setObjectName(QStringLiteral("toolBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->addActions({actions_.newMenu, actions_.open, actions_.save});
  bar->addSeparator();
  bar->addActions({history_->undo(), history_->redo()});
  bar->addSeparator();
  bar->addActions({actions_.openFromPhone, actions_.saveToPhone});
  bar->addSeparator();
  bar->addAction(actions_.restartPhone);
  auto* gap = new QWidget;
  gap->setFixedWidth(kToolBarGap);
  bar->addWidget(gap);

  profileSelector_ = new QComboBox;
  profileSelector_->setObjectName(QStringLiteral("profileSelector"));
  profileSelector_->setToolTip(Text(kProfileSelectorHint));
  profileSelector_->setMinimumWidth(kProfileSelectorWidth);
  bar->addWidget(profileSelector_);
}

void MainWindow::CreateCentralArea() {
  auto* central = new QWidget;
  auto* columns = new QHBoxLayout(central);
  columns->setContentsMargins(4, 4, 4, 4);

  model_ = new MenuTreeModel(session_.document(), this);
  treeView_ = new MenuTreeView(*model_, session_.document().tree());
  treeView_->setObjectName(QStringLiteral("menuTree"));
  // The see-through toggle hides the tree; its place must stay where it was.
  QSizePolicy treePolicy = treeView_->sizePolicy();
  treePolicy.setRetainSizeWhenHidden(true);
  treeView_->setSizePolicy(treePolicy);
  columns->addWidget(treeView_, 1);

  auto* right = new QWidget;
  right->setFixedWidth(kRightColumnWidth);
  auto* rows = new QVBoxLayout(right);
  rows->setContentsMargins(0, 0, 0, 0);

  formatControls_ = new FormatOptionsControls(session_.document(), this);
  rows->addWidget(formatControls_->saveModeGroup());
  rows->addWidget(formatControls_->iconAttributeGroup());

  availableItemsLabel_ = new QLabel(Text("Available mma items"));
  availableItemsLabel_->setObjectName(QStringLiteral("availableItemsLabel"));
  availableItemsLabel_->installEventFilter(this);
  rows->addWidget(availableItemsLabel_);

  itemList_ = new ItemListBox;
  itemList_->setObjectName(QStringLiteral("itemList"));
  rows->addWidget(itemList_);

  summary_ = new QPlainTextEdit;
  summary_->setObjectName(QStringLiteral("itemSummary"));
  summary_->setReadOnly(true);
  summary_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  summary_->hide();
  rows->addWidget(summary_, 1);
  rows->addStretch();

  columns->addWidget(right);
  setCentralWidget(central);
}

void MainWindow::CreateStatusBar() {
  statusPanels_ = std::make_unique<StatusPanels>(*statusBar());
  ShowConnection(false);
}

// The written size is the smallest the window takes, unless the screen is smaller still; the
// size it had when it last closed comes back.
void MainWindow::SizeAndCentre() {
  // The IMEI has a panel of its own beside those the written width holds; the status bar's
  // spacing comes on top, so that no panel covers another.
  const int width =
      std::max(kClientWidth + statusPanels_->imeiWidth(), statusBar()->sizeHint().width());
  QSize smallest(width, kClientHeight + menuBar()->sizeHint().height());
  const QScreen* screen = this->screen();
  if (screen) smallest = smallest.boundedTo(screen->availableSize());
  setMinimumSize(smallest);
  const std::optional<WindowSize> remembered =
      ReadWindowSize(session_.workingFolder() / kSettingsFileName);
  resize(remembered ? QSize(remembered->width, remembered->height).expandedTo(smallest) : smallest);
  if (screen) {
    QRect placed(QPoint(0, 0), frameGeometry().size());
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
  }
  if (remembered && remembered->maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::ConnectControls() {
  connect(actions_.newMenu, &QAction::triggered, this, &MainWindow::NewMenu);
  connect(actions_.open, &QAction::triggered, this, &MainWindow::OpenMenu);
  connect(actions_.save, &QAction::triggered, this, &MainWindow::SaveMenu);
  connect(actions_.saveAs, &QAction::triggered, this, &MainWindow::SaveMenuAs);
  connect(actions_.openFromPhone, &QAction::triggered, this, &MainWindow::OpenFromPhone);
  connect(actions_.saveToPhone, &QAction::triggered, this, &MainWindow::SaveToPhone);
  connect(actions_.restartPhone, &QAction::triggered, this, &MainWindow::RestartPhone);
  connect(actions_.restoreBackup, &QAction::triggered, this, &MainWindow::RestorePhoneBackup);
  connect(actions_.exit, &QAction::triggered, this, &QWidget::close);
  connect(actions_.setup, &QAction::triggered, this, &MainWindow::ShowSetup);
  connect(actions_.about, &QAction::triggered, this, &MainWindow::ShowAbout);
  connect(actions_.help, &QAction::triggered, this, &MainWindow::ShowHelp);

  connect(profileSelector_, &QComboBox::activated, this, &MainWindow::ChooseProfile);

  connect(itemList_, &QComboBox::activated, this, &MainWindow::ChooseItemListEntry);
  connect(itemList_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { treeMenus_->itemMenu()->popup(itemList_->mapToGlobal(at)); });
  connect(treeView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    treeMenus_->treeMenu()->popup(treeView_->viewport()->mapToGlobal(at));
  });
  connect(treeView_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    RefreshSummary();
    RefreshStatus();
    UpdateTreeMenu();
  });
  connect(treeView_, &QAbstractItemView::clicked, this, &MainWindow::RefreshSummary);
  connect(treeView_, &QAbstractItemView::doubleClicked, this, &MainWindow::DoubleClickNode);
  connect(treeView_, &MenuTreeView::NodeDropped, this, &MainWindow::DropNode);
  connect(treeView_, &MenuTreeView::EntryDropped, this, &MainWindow::DropEntry);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &MainWindow::RefreshStatus);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &MainWindow::RefreshStatus);
  connect(model_, &QAbstractItemModel::modelReset, this, &MainWindow::RefreshStatus);
  // The tree menu's actions also answer keys, so their enabled state follows the tree.
  connect(model_, &QAbstractItemModel::rowsInserted, this, &MainWindow::UpdateTreeMenu);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &MainWindow::UpdateTreeMenu);
  connect(model_, &QAbstractItemModel::rowsMoved, this, &MainWindow::UpdateTreeMenu);
  connect(model_, &QAbstractItemModel::modelReset, this, &MainWindow::UpdateTreeMenu);
}

void MainWindow::RefreshStatus() {
  statusPanels_->ShowFormat(
      FormatStatusText(session_.document().formatState(), session_.document().tree()));
}

}  // namespace menuforge
