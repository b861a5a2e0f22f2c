#include "editor/icon_indicator.h"

#include <QPainter>

namespace menuforge {
namespace {

constexpr int kSide = 16;
constexpr int kFrames = 8;
constexpr int kFrameMilliseconds = 120;

}  // namespace

IconIndicator::IconIndicator(bool animated, QWidget* parent)
    : QWidget(parent), animated_(animated) {
  setFixedSize(kSide, kSide);
  setVisible(false);
  timer_.setInterval(kFrameMilliseconds);
  connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kFrames;
    update();
  });
}

void IconIndicator::SetShown(bool shown) {
  setVisible(shown);
  if (animated_ && shown)
    timer_.start();
  else
    Stop();
}

void IconIndicator::Stop() { timer_.stop(); }

void IconIndicator::SetPicture(const QPixmap& picture) {
  picture_ = picture.isNull()
                 ? QPixmap()
                 : picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  update();
}

void IconIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull()) {
    const QRect place(QPoint(), picture_.size());
    painter.drawPixmap(place.translated(rect().center() - place.center()), picture_);
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(1.5, 2.5, -1.5, -2.5);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBrush(QColor(0xE8, 0xF0, 0xFF));
  painter.drawRect(frame);
  // A hill and a sun: a picture, whatever the style.
  QPolygonF hill;
  hill << frame.bottomLeft() << QPointF(frame.left() + 5, frame.top() + 5)
       << QPointF(frame.left() + 9, frame.bottom() - 2) << frame.bottomRight();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x3A, 0x8A, 0x3A));
  painter.drawPolygon(hill);
  const int glow = animated_ ? frame_ * 255 / (kFrames - 1) : 255;
  painter.setBrush(QColor(0xF0, 0xA0 + glow / 6, 0x20));
  const double radius = animated_ ? 1.5 + frame_ % 4 * 0.4 : 2.0;
  painter.drawEllipse(QPointF(frame.right() - 3.5, frame.top() + 3.5), radius, radius);
}

}  // namespace menuforge
