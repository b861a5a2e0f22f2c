#include "app/document_title.h"

#include <QWidget>

namespace menuforge {

DocumentTitle::DocumentTitle(MenuDocument& document, QWidget& window, bool readOnly)
    : QObject(&window), document_(&document), window_(window), readOnly_(readOnly) {
  document.AddObserver(*this);
}

void DocumentTitle::SetShown(bool shown) {
  shown_ = shown;
  Show();
}

void DocumentTitle::Show() {
  if (!shown_ || !document_) return;
  window_.setWindowTitle(QString::fromStdString(document_->current().WindowTitle()) +
                         (readOnly_ ? QStringLiteral(" (read-only folder)") : QString()));
  window_.setWindowModified(document_->modified());
}

}  // namespace menuforge
