#include "app/item_list_box.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>

#include "app/drag_data.h"

namespace menuforge {
namespace {

constexpr int kVisibleLines = 16;

}  // namespace

ItemListBox::ItemListBox(QWidget* parent) : QComboBox(parent) {
  setMaxVisibleItems(kVisibleLines);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void ItemListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QComboBox::mousePressEvent(event);
    return;
  }
  pressedAt_ = event->position().toPoint();
  event->accept();
}

void ItemListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!pressedAt_ || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - *pressedAt_).manhattanLength() <
      QApplication::startDragDistance())
    return;
  pressedAt_.reset();
  if (currentIndex() < 0) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(new EntryDragData(static_cast<std::size_t>(currentIndex()), currentText()));
  drag->exec(Qt::CopyAction);
}

void ItemListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (pressedAt_ && event->button() == Qt::LeftButton) {
    pressedAt_.reset();
    showPopup();
    event->accept();
    return;
  }
  QComboBox::mouseReleaseEvent(event);
}

}  // namespace menuforge
