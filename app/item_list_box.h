// The drop-down list of available items. Its current entry can be dragged onto the tree: a press
// that moves far enough starts a drag, a plain click opens the list as usual.
#pragma once

#include <QComboBox>
#include <QPoint>
#include <optional>

namespace menuforge {

class ItemListBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ItemListBox(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::optional<QPoint> pressedAt_;
};

}  // namespace menuforge
