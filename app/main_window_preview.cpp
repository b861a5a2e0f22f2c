// View > Phone preview: the dock beside the tree that draws the current folder as the phone will.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "app/phone_preview_dock.h"
#include "app/preview_phone_icons.h"
#include "widgets/shown_text.h"
#include "workspace/settings.h"

namespace menuforge {

namespace {

constexpr char kViewMenuCaption[] = "&View";
constexpr char kPhonePreviewCaption[] = "Phone &preview";

}  // namespace

void MainWindow::CreatePreview() {
  previewDock_ = new PhonePreviewDock(this);
  addDockWidget(Qt::RightDockWidgetArea, previewDock_);
  previewDock_->Restore(ReadPreviewDockState(session_.workingFolder() / kSettingsFileName));
  QAction* toggle = previewDock_->toggleViewAction();
  toggle->setObjectName(QStringLiteral("phonePreviewAction"));
  toggle->setText(ShownText(kPhonePreviewCaption));
  auto* view = new QMenu(ShownText(kViewMenuCaption), this);
  view->setObjectName(QStringLiteral("viewMenu"));
  view->addAction(toggle);
  menuBar()->insertMenu(actions_.setup, view);

  previewLink_ = std::make_unique<PreviewDocumentLink>(session_.document(), *previewDock_,
                                                       drmIcons_.current());
  connect(treeView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &MainWindow::ShowCurrentInPreview);
  connect(previewDock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) ShowCurrentInPreview();
  });
  connect(previewDock_, &PhonePreviewDock::folderOpened, this,
          [this](const MenuNode* folder) { treeView_->SelectNode(folder); });

  // The item editor and the Picture Picker use the phone themselves; the window's commands
  // finish the fetch under way first.
  previewIcons_ = new PreviewPhoneIcons(
      session_.phone().session, phonePictures_.previews(),
      [this] {
        return session_.phoneIdle() && QApplication::activeModalWidget() == nullptr &&
               previewDock_->isVisible();
      },
      this);
  previewDock_->SetPhoneIcons(previewIcons_);
  connect(previewIcons_, &PreviewPhoneIcons::iconsArrived, previewDock_,
          &PhonePreviewDock::IconsArrived);
}

void MainWindow::ShowCurrentInPreview() {
  const MenuNode* node = model_->NodeFrom(treeView_->currentIndex());
  // A folder the user opened in the preview is selected in the tree: it stays open there.
  if (node == nullptr || node == previewDock_->folder()) return;
  previewLink_->TakeDrmBinary();
  if (node->parent() == nullptr)
    previewDock_->ShowFolder(node);
  else
    previewDock_->ShowFolder(node->parent(), node);
}

}  // namespace menuforge
