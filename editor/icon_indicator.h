// The small picture beside an icon field that tells the field holds an icon: the icon itself
// when its picture is known, else a drawn one; the animated row's drawn picture moves while it
// is shown.
#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace menuforge {

class IconIndicator : public QWidget {
  Q_OBJECT

 public:
  IconIndicator(bool animated, QWidget* parent = nullptr);

  void SetShown(bool shown);
  // A null picture brings the drawn one back.
  void SetPicture(const QPixmap& picture);
  bool hasPicture() const { return !picture_.isNull(); }
  void Stop();
  bool isAnimating() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool animated_;
  QPixmap picture_;
  int frame_ = 0;
  QTimer timer_;
};

}  // namespace menuforge
