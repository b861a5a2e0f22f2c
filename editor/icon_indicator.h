// The small picture beside an icon field that tells the field holds an icon; the animated row's
// indicator moves while it is shown.
#pragma once

#include <QTimer>
#include <QWidget>

namespace menuforge {

class IconIndicator : public QWidget {
  Q_OBJECT

 public:
  IconIndicator(bool animated, QWidget* parent = nullptr);

  void SetShown(bool shown);
  void Stop();
  bool isAnimating() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool animated_;
  int frame_ = 0;
  QTimer timer_;
};

}  // namespace menuforge
