// What the window itself shows of the document, the node an undo or redo changed, and the
// see-through toggle behind the item list's label.
#include <QEvent>
#include <QLabel>

#include "app/document_title.h"
#include "app/main_window.h"
#include "app/menu_tree_view.h"
#include "widgets/shown_text.h"
#include "widgets/window_cut_out.h"

namespace menuforge {
namespace {

constexpr char kOopsTitle[] = "O-ops... We must have done smth wrong :(";

}  // namespace

void MainWindow::ShowEditedNode(MenuNode* node) {
  if (node) treeView_->SelectNode(node);
}

void MainWindow::DocumentChanged(DocumentChange change) {
  switch (change) {
    case DocumentChange::Contents:
      HideSummary();
      ShowCatalogState();
      RefreshStatus();
      ShowCommandStates();
      break;
    case DocumentChange::Entries:
      RefreshSummary();
      RefreshStatus();
      break;
    case DocumentChange::Profile: ShowCatalogState(); break;
    // A save may have changed the file's format, and so may a copy written to the phone.
    case DocumentChange::File:
    case DocumentChange::PhoneCopyOutOfDate: RefreshStatus(); break;
    case DocumentChange::Options:
    case DocumentChange::History:
    case DocumentChange::Modified: break;
  }
}

void MainWindow::DocumentGone() {
  for (const QObject* sender :
       std::initializer_list<const QObject*>{model_, treeView_, treeView_->selectionModel()})
    disconnect(sender, nullptr, this, nullptr);
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
  title_->SetShown(seeThrough_);
  if (!seeThrough_) {
    setWindowTitle(ShownText(kOopsTitle));
    treeView_->hide();
    CutOut(*this, *treeView_);
  } else {
    treeView_->show();
    EndCutOut(*this);
  }
}

}  // namespace menuforge
