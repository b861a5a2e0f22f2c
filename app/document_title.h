// The window's title names the menu, marks it while modified and says when the folder is only
// read; it follows every notice of the document.
#pragma once

#include <QObject>

#include "document/menu_document.h"

class QWidget;

namespace menuforge {

class DocumentTitle final : public QObject, private DocumentObserver {
  Q_OBJECT

 public:
  DocumentTitle(MenuDocument& document, QWidget& window, bool readOnly);

  // The see-through toggle has a title of its own until it is toggled back.
  void SetShown(bool shown);
  void Show();

 private:
  void DocumentChanged(DocumentChange) override { Show(); }
  void DocumentGone() override { document_ = nullptr; }

  MenuDocument* document_;
  QWidget& window_;
  bool readOnly_;
  bool shown_ = true;
};

}  // namespace menuforge
