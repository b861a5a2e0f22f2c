#include "app/main_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/about_dialog.h"
#include "app/apply_changes_binder.h"
#include "app/core/command_hints.h"
#include "app/core/profile_selector.h"
#include "app/core/status_text.h"
#include "app/item_list_box.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "app/splash_window.h"
#include "app/status_tray_icon.h"
#include "base/user_messages.h"
#include "base/version.h"
#include "phone/phone_socket_path.h"
#include "phone/restart_at_close.h"
#include "phone/socket_library.h"
#include "widgets/phone_wait_turn.h"
#include "widgets/shown_text.h"
#include "widgets/window_cut_out.h"
#include "workspace/phone_backups.h"
#include "workspace/window_size.h"
#include "workspace/working_files.h"

namespace menuforge {
namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 516;
constexpr int kRightColumnWidth = 218;
constexpr int kFormatPanelWidth = 150;
constexpr int kPhonePanelWidth = 260;
constexpr int kLampPanelWidth = 50;
constexpr int kToolBarGap = 8;
constexpr int kProfileSelectorWidth = 150;
constexpr int kPanelPadding = 10;

constexpr int kPhonePollInterval = 500;

constexpr char kOopsTitle[] = "O-ops... We must have done smth wrong :(";

constexpr char kNewHint[] = "Create new mma_ucp from scratch";
constexpr char kOpenHint[] = "Open mma_ucp from file";
constexpr char kSaveHint[] = "Save mma_ucp to file";
constexpr char kOpenFromPhoneHint[] = "Open mma_ucp from phone";
constexpr char kSaveToPhoneHint[] = "Save mma_ucp to phone";
constexpr char kRestartPhoneHint[] = "Restart phone";
constexpr char kProfileSelectorHint[] =
    "Select a profile for target phone.\r\nProfile excludes unsupported mma items and sets proper "
    "mma_ucp format";
constexpr char kSaveMode22Hint[] = "Old mma_ucp format";
constexpr char kSaveMode36Hint[] = "New mma_ucp format";
constexpr char kSaveAllDataHint[] = "Save all mma data including currently unsupported";
constexpr char kC698pFixHint[] = "Fix mma_ucp to act properly on R3624 FW";

QString Text(const char* text) { return ShownText(text); }

QAction* MakeAction(QObject* owner, const char* name, const char* caption, const char* hint,
                    const QIcon& icon) {
  auto* action = new QAction(icon, Text(caption), owner);
  action->setObjectName(QString::fromLatin1(name));
  if (hint != nullptr) action->setToolTip(Text(hint));
  return action;
}

// While off, the tooltip says why after the command's own hint; on, it is the hint alone (or,
// without one, the command's text, which Qt shows when no tooltip is set).
void ExplainWhenOff(QAction* action, const char* hint, const char* offHint) {
  const QString on = hint ? Text(hint) : QString();
  const QString off = (hint ? on + QLatin1Char('\n') : QString()) + Text(offHint);
  const auto show = [action, on, off](bool enabled) { action->setToolTip(enabled ? on : off); };
  QObject::connect(action, &QAction::enabledChanged, action, show);
  show(action->isEnabled());
}

QLabel* MakePanel(const char* name, int width, Qt::Alignment alignment) {
  auto* panel = new QLabel;
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFixedWidth(width);
  panel->setAlignment(alignment | Qt::AlignVCenter);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  return panel;
}

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
      workingFolder_(std::filesystem::current_path()),
      readOnly_(readOnly),
      privateFiles_(readOnly ? std::make_unique<QTemporaryDir>() : nullptr),
      filesFolder_(FilesFolderOf(privateFiles_.get(), workingFolder_)),
      document_(workingFolder_),
      fadeTimer_(new QTimer(this)),
      phonePollTimer_(new QTimer(this)),
      progressWindows_(this, CancelButton::Offered),
      phoneLibrary_(OrSocketLibrary(std::move(phoneLibrary))),
      phone_(*phoneLibrary_, settings_, *prompts_, progressWindows_, *this, filesFolder_),
      phoneSafety_(phone_, *prompts_, PhoneBackupFolder()) {
  setObjectName(QStringLiteral("mainWindow"));
  setAcceptDrops(true);
  fadeTimer_->setObjectName(QStringLiteral("fadeTimer"));
  connect(fadeTimer_, &QTimer::timeout, this, &MainWindow::FadeTimerTick);
  phonePollTimer_->setObjectName(QStringLiteral("phonePollTimer"));
  phonePollTimer_->setInterval(kPhonePollInterval);
  connect(phonePollTimer_, &QTimer::timeout, this, &MainWindow::PollPhone);
  LetWindowsTurnWhileWaiting(*phoneLibrary_);
  editorContext_.phoneConnected = [this] { return phone_.session.connected(); };
  editorContext_.midlets = &phoneMidlets_;
  editorContext_.pickers.drmIcons = &drmIcons_;
  editorContext_.pickers.phonePictures = &phonePictures_;
  if (readOnly_) document_.catalog().SetReadOnly();

  CreateActions();
  CreateUndoActions();
  CreateMenus();
  CreateToolBar();
  CreateCentralArea();
  CreateStatusBar();
  CreateContextMenus();
  ConnectControls();
  CreatePreview();
  CreateComparison();
  SizeAndCentre();
  document_.AddObserver(*this);
  StartUp();
}

void MainWindow::CreateActions() {
  QStyle* look = style();
  newAction_ =
      MakeAction(this, "newAction", "&New", kNewHint, look->standardIcon(QStyle::SP_FileIcon));
  newAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  openAction_ = MakeAction(this, "openAction", "&Open", kOpenHint,
                           look->standardIcon(QStyle::SP_DialogOpenButton));
  openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  saveAction_ = MakeAction(this, "saveAction", "&Save", kSaveHint,
                           look->standardIcon(QStyle::SP_DialogSaveButton));
  saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveAsAction_ = MakeAction(this, "saveAsAction", "Save &as...", nullptr, QIcon());
  saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  openFromPhoneAction_ = MakeAction(this, "openFromPhoneAction", "Open from &phone",
                                    kOpenFromPhoneHint, look->standardIcon(QStyle::SP_ArrowDown));
  saveToPhoneAction_ = MakeAction(this, "saveToPhoneAction", "Save to p&hone", kSaveToPhoneHint,
                                  look->standardIcon(QStyle::SP_ArrowUp));
  restartPhoneAction_ = MakeAction(this, "restartPhoneAction", "&Restart Phone", kRestartPhoneHint,
                                   look->standardIcon(QStyle::SP_BrowserReload));
  restoreBackupAction_ =
      MakeAction(this, "restoreBackupAction", "Restore phone backup\u2026", nullptr, QIcon());
  exitAction_ = MakeAction(this, "exitAction", "E&xit", nullptr, QIcon());
  exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  helpAction_ = MakeAction(this, "helpAction", "Menuforge &help", nullptr,
                           look->standardIcon(QStyle::SP_DialogHelpButton));
  helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
  setupAction_ = MakeAction(this, "setupAction", "Setup", nullptr, QIcon());
  aboutAction_ = MakeAction(this, "aboutAction", "&About...", nullptr, QIcon());

  for (QAction* action : {saveAction_, saveAsAction_, openFromPhoneAction_, saveToPhoneAction_,
                          restartPhoneAction_, restoreBackupAction_})
    action->setEnabled(false);
  ExplainWhenOff(saveAction_, kSaveHint, kNeedsMenuHint);
  ExplainWhenOff(saveAsAction_, nullptr, kNeedsMenuHint);
  ExplainWhenOff(openFromPhoneAction_, kOpenFromPhoneHint, kNeedsPhoneToOpenHint);
  ExplainWhenOff(saveToPhoneAction_, kSaveToPhoneHint, kNeedsPhoneAndMenuHint);
  ExplainWhenOff(restartPhoneAction_, kRestartPhoneHint, kNeedsPhoneToOpenHint);
  ExplainWhenOff(restoreBackupAction_, nullptr, kNeedsPhoneToOpenHint);
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(Text("&File"));
  file->setObjectName(QStringLiteral("fileMenu"));
  file->addActions({newAction_, openAction_});
  recentMenu_ = file->addMenu(Text("Open &recent"));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  file->addActions({saveAction_, saveAsAction_, openFromPhoneAction_, saveToPhoneAction_,
                    restartPhoneAction_, restoreBackupAction_});
  AddApplyChangesAction(*file, document_, this);
  file->addSeparator();
  file->addAction(exitAction_);
  QMenu* edit = menuBar()->addMenu(Text("&Edit"));
  edit->setObjectName(QStringLiteral("editMenu"));
  edit->addActions({undoAction_, redoAction_});
  menuBar()->addAction(setupAction_);
  QMenu* help = menuBar()->addMenu(Text("&Help"));
  help->setObjectName(QStringLiteral("helpMenu"));
  help->addActions({helpAction_, aboutAction_});
}

void MainWindow::CreateToolBar() {
  QToolBar* bar = addToolBar(Text("Tools"));
  bar->setObjectName(QStringLiteral("toolBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->addActions({newAction_, openAction_, saveAction_});
  bar->addSeparator();
  bar->addActions({undoAction_, redoAction_});
  bar->addSeparator();
  bar->addActions({openFromPhoneAction_, saveToPhoneAction_});
  bar->addSeparator();
  bar->addAction(restartPhoneAction_);
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

  model_ = new MenuTreeModel(document_, this);
  treeView_ = new MenuTreeView(*model_, document_.tree());
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

  auto* saveMode = new QGroupBox(Text("MMA save mode"));
  saveMode->setObjectName(QStringLiteral("saveModeGroup"));
  auto* saveModeRows = new QVBoxLayout(saveMode);
  saveMode22_ = new QRadioButton(ShownText(RecordSizeLabel(RecordSize::k22)));
  saveMode22_->setObjectName(QStringLiteral("saveMode22"));
  saveMode22_->setToolTip(Text(kSaveMode22Hint));
  saveMode36_ = new QRadioButton(ShownText(RecordSizeLabel(RecordSize::k36)));
  saveMode36_->setObjectName(QStringLiteral("saveMode36"));
  saveMode36_->setToolTip(Text(kSaveMode36Hint));
  saveAllData_ = new QCheckBox(Text("Save all data"));
  saveAllData_->setObjectName(QStringLiteral("saveAllData"));
  saveAllData_->setToolTip(Text(kSaveAllDataHint));
  c698pFix_ = new QCheckBox(Text("c698p mma_ucp fix"));
  c698pFix_->setObjectName(QStringLiteral("c698pFix"));
  c698pFix_->setToolTip(Text(kC698pFixHint));
  for (QWidget* control :
       std::initializer_list<QWidget*>{saveMode22_, saveMode36_, saveAllData_, c698pFix_})
    saveModeRows->addWidget(control);
  rows->addWidget(saveMode);

  iconAttributeGroup_ = new QGroupBox(Text("Custom icon attribute"));
  iconAttributeGroup_->setObjectName(QStringLiteral("iconAttributeGroup"));
  auto* choices = new QHBoxLayout(iconAttributeGroup_);
  iconAttribute06_ = new QRadioButton(Text("06"));
  iconAttribute06_->setObjectName(QStringLiteral("iconAttribute06"));
  iconAttribute0C_ = new QRadioButton(Text("0C"));
  iconAttribute0C_->setObjectName(QStringLiteral("iconAttribute0C"));
  choices->addWidget(iconAttribute06_);
  choices->addWidget(iconAttribute0C_);
  rows->addWidget(iconAttributeGroup_);

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
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(false);
  // The panels keep their widths, so the font shrinks until the longest format text fits.
  QFont font = bar->font();
  const QString widest = ShownText(WidestFormatStatusText());
  while (font.pointSizeF() > 6 &&
         QFontMetrics(font).horizontalAdvance(widest) > kFormatPanelWidth - kPanelPadding)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  bar->setFont(font);
  formatPanel_ = MakePanel("formatPanel", kFormatPanelWidth, Qt::AlignLeft);
  phonePanel_ = MakePanel("phonePanel", kPhonePanelWidth, Qt::AlignRight);
  phonePanel_->setText(Text(kNoPhoneStatus));
  const int imeiWidth = QFontMetrics(font).horizontalAdvance(ShownText(WidestImeiPanelText()));
  imeiPanel_ = MakePanel("imeiPanel", imeiWidth + kPanelPadding, Qt::AlignLeft);
  imeiPanel_->setText(Text(kNoImeiPanelText));

  auto* lampPanel = new QWidget;
  lampPanel->setFixedWidth(kLampPanelWidth);
  auto* lampLayout = new QHBoxLayout(lampPanel);
  lampLayout->setContentsMargins(4, 2, 4, 2);
  connectionLamp_ = new QFrame;
  connectionLamp_->setObjectName(QStringLiteral("connectionLamp"));
  connectionLamp_->setFixedSize(30, 10);
  connectionLamp_->setFrameShape(QFrame::Box);
  connectionLamp_->setAutoFillBackground(true);
  lampLayout->addWidget(connectionLamp_);
  ShowConnection(false);

  bar->addWidget(formatPanel_);
  bar->addWidget(phonePanel_);
  bar->addWidget(imeiPanel_);
  bar->addWidget(lampPanel);
}

// The written size is the smallest the window takes, unless the screen is smaller still; the
// size it had when it last closed comes back.
void MainWindow::SizeAndCentre() {
  // The IMEI has a panel of its own beside those the written width holds; the status bar's
  // spacing comes on top, so that no panel covers another.
  const int width = std::max(kClientWidth + imeiPanel_->width(), statusBar()->sizeHint().width());
  QSize smallest(width, kClientHeight + menuBar()->sizeHint().height());
  const QScreen* screen = this->screen();
  if (screen) smallest = smallest.boundedTo(screen->availableSize());
  setMinimumSize(smallest);
  const std::optional<WindowSize> remembered = ReadWindowSize(workingFolder_ / kSettingsFileName);
  resize(remembered ? QSize(remembered->width, remembered->height).expandedTo(smallest) : smallest);
  if (screen) {
    QRect placed(QPoint(0, 0), frameGeometry().size());
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
  }
  if (remembered && remembered->maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::ConnectControls() {
  connect(newAction_, &QAction::triggered, this, &MainWindow::NewMenu);
  connect(openAction_, &QAction::triggered, this, &MainWindow::OpenMenu);
  connect(saveAction_, &QAction::triggered, this, &MainWindow::SaveMenu);
  connect(saveAsAction_, &QAction::triggered, this, &MainWindow::SaveMenuAs);
  connect(openFromPhoneAction_, &QAction::triggered, this, &MainWindow::OpenFromPhone);
  connect(saveToPhoneAction_, &QAction::triggered, this, &MainWindow::SaveToPhone);
  connect(restartPhoneAction_, &QAction::triggered, this, &MainWindow::RestartPhone);
  connect(restoreBackupAction_, &QAction::triggered, this, &MainWindow::RestorePhoneBackup);
  connect(exitAction_, &QAction::triggered, this, &QWidget::close);
  connect(setupAction_, &QAction::triggered, this, &MainWindow::ShowSetup);
  connect(aboutAction_, &QAction::triggered, this, &MainWindow::ShowAbout);
  connect(helpAction_, &QAction::triggered, this, &MainWindow::ShowHelp);

  connect(profileSelector_, &QComboBox::activated, this, &MainWindow::ChooseProfile);
  connect(saveMode22_, &QRadioButton::clicked, this, [this] {
    ChangeOptions([](FormatOptions& options) { options.SelectSaveMode(RecordSize::k22); });
  });
  connect(saveMode36_, &QRadioButton::clicked, this, [this] {
    ChangeOptions([](FormatOptions& options) { options.SelectSaveMode(RecordSize::k36); });
  });
  connect(saveAllData_, &QCheckBox::clicked, this, [this](bool on) {
    ChangeOptions([on](FormatOptions& options) { options.saveAllData = on; });
  });
  connect(c698pFix_, &QCheckBox::clicked, this, [this](bool on) {
    ChangeOptions([on](FormatOptions& options) { options.c698pFix = on; });
  });
  connect(iconAttribute06_, &QRadioButton::clicked, this, [this] {
    ChangeOptions([](FormatOptions& options) { options.iconAttribute = IconAttribute::Tag06; });
  });
  connect(iconAttribute0C_, &QRadioButton::clicked, this, [this] {
    ChangeOptions([](FormatOptions& options) { options.iconAttribute = IconAttribute::Tag0C; });
  });

  connect(itemList_, &QComboBox::activated, this, &MainWindow::ChooseItemListEntry);
  connect(itemList_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { itemMenu_->popup(itemList_->mapToGlobal(at)); });
  connect(treeView_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { treeMenu_->popup(treeView_->viewport()->mapToGlobal(at)); });
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

void MainWindow::StartUp() {
  ShowItemBaseRead(document_.catalog().LoadItemBase());
  ShowAvailableItems();

  document_.catalog().ListProfiles();
  for (const std::string& entry : ProfileSelectorEntries(document_.catalog()))
    profileSelector_->addItem(ShownText(entry));
  ShowProfileSelection();

  settings_ = ReadSettings(workingFolder_ / kSettingsFileName);
  recentFiles_ = ReadRecentFiles(workingFolder_ / kSettingsFileName);
  lastFolder_ =
      recentFiles_.paths().empty() ? workingFolder_ : recentFiles_.paths().front().parent_path();
  ShowRecentFiles();
  ShowTitle();
  ShowFormatOptions();
  RefreshStatus();

  setWindowOpacity(0);
  about_ = new AboutDialog(this);

  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    tray_ = new StatusTrayIcon(this);
    tray_->show();
  }

  // Read-only, the log of the program holding the folder stays as it is; phone operations go
  // unlogged.
  if (!readOnly_)
    if (const Status logCreated = phone_.log.Create(workingFolder_ / kPhoneLogFile); !logCreated)
      prompts_->Show(logCreated.error());
  const Status phoneLibraryStarted = phone_.session.Start();
  if (!phoneLibraryStarted) prompts_->Show(phoneLibraryStarted.error());

  splash_ = new SplashWindow(this);
  splash_->ShowCentred();
  fadeTimer_->start(kFadeInInterval);
  // A library that refused to start has no phone to tell of.
  if (!phoneLibraryStarted) return;
  // A phone already attached shows up as soon as the window runs, not a poll interval later.
  // Showing the splash handles pending events, so this is queued only after it.
  QTimer::singleShot(0, this, &MainWindow::PollPhone);
  phonePollTimer_->start();
}

void MainWindow::ShowItemBaseRead(const Result<ItemBaseWarnings>& loaded) {
  if (!loaded) {
    prompts_->Show(loaded.error());
    return;
  }
  ShowWarnings(*loaded);
}

void MainWindow::ShowWarnings(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  std::string text;
  for (const std::string& line : ShownWarnings(warnings)) text += (text.empty() ? "" : "\n") + line;
  prompts_->Show({text, kWarningCaption, MessageIcon::Warning});
}

void MainWindow::FadeTimerTick() {
  const FadeStep step = fade_.Tick(splash_ ? splash_->Opacity() : 0);
  setWindowOpacity(step.windowOpacity / 255.0);
  if (splash_) {
    splash_->SetOpacity(step.splashOpacity);
    if (step.hideSplash) splash_->hide();
  }
  if (step.finished) {
    fadeTimer_->setInterval(kFadeOutInterval);
    fadeTimer_->stop();
  }
  if (step.hideSplash) {
    profileNotices_.WindowShown();
    Q_EMIT FadeInFinished();
  }
  if (step.requestClose) close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing now would delete the working file under the transfer and the window it reports to.
  if (!phoneIdle_) {
    closeWhenPhoneIdle_ = true;
    event->ignore();
    return;
  }
  // The fade-out asks to close at every step; only the request that begins it asks the user.
  if (fade_.CloseBegins() && !MaySetMenuAside()) {
    event->ignore();
    return;
  }
  phonePictures_.previews().FinishFetching();
  AskRestartAtClose(phone_.session, phone_.menuFiles, *prompts_);
  const CloseDecision decision = fade_.CloseRequested();
  if (decision.startFadeOut) fadeTimer_->start();
  if (!decision.allowClose) {
    event->ignore();
    return;
  }
  fadeTimer_->stop();
  ShutDown();
  event->accept();
}

void MainWindow::ShutDown() {
  RememberWindowSize();
  delete splash_;
  splash_ = nullptr;
  phonePollTimer_->stop();
  RemoveWorkingFiles(filesFolder_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == availableItemsLabel_ && event->type() == QEvent::MouseButtonDblClick) {
    ToggleSeeThrough();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ToggleSeeThrough() {
  seeThrough_ = !seeThrough_;
  if (!seeThrough_) {
    setWindowTitle(Text(kOopsTitle));
    treeView_->hide();
    CutOut(*this, *treeView_);
  } else {
    treeView_->show();
    ShowTitle();
    EndCutOut(*this);
  }
}

void MainWindow::RefreshStatus() {
  formatPanel_->setText(ShownText(FormatStatusText(document_.formatState(), document_.tree())));
}

}  // namespace menuforge
