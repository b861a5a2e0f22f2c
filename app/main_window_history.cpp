// What the window itself shows of the document, and the node an undo or redo changed.
#include "app/main_window.h"
#include "app/menu_tree_view.h"

namespace menuforge {

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

}  // namespace menuforge
