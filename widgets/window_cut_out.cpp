#include "widgets/window_cut_out.h"

#include <QEvent>
#include <QPointer>
#include <QRegion>
#include <QWidget>

namespace menuforge {
namespace {

const QString kKeeperName = QStringLiteral("windowCutOut");

// A mask is a fixed region: set once, it leaves the area a larger window gains invisible.
class CutOutKeeper : public QObject {
 public:
  CutOutKeeper(QWidget& window, QWidget& hole) : QObject(&window), window_(window), hole_(&hole) {
    setObjectName(kKeeperName);
    window.installEventFilter(this);
    // The layout places the hole after the window's own resize has been seen here.
    if (QWidget* holder = hole.parentWidget(); holder && holder != &window)
      holder->installEventFilter(this);
    Update();
  }

  void Update() {
    if (!hole_) return;
    const QRect place(hole_->mapTo(&window_, QPoint(0, 0)), hole_->size());
    window_.setMask(QRegion(window_.rect()).subtracted(QRegion(place)));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
      QMetaObject::invokeMethod(
          this, [this] { Update(); }, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
  QPointer<QWidget> hole_;
};

}  // namespace

void CutOut(QWidget& window, QWidget& hole) {
  EndCutOut(window);
  new CutOutKeeper(window, hole);
}

void EndCutOut(QWidget& window) {
  for (QObject* keeper : window.findChildren<QObject*>(kKeeperName, Qt::FindDirectChildrenOnly))
    delete keeper;
  window.clearMask();
}

}  // namespace menuforge
