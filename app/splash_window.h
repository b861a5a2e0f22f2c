// The borderless window shown while the main window fades in; its owner fades it out.
#pragma once

#include <QWidget>

namespace menuforge {

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kInitialOpacity = 200;

  explicit SplashWindow(QWidget* parent = nullptr);

  // Centred on the parent window, or on the screen without one.
  void ShowCentred();

  // 0 (invisible) to 255 (opaque).
  void SetOpacity(int opacity);
  int Opacity() const { return opacity_; }

 private:
  int opacity_ = 0;
};

}  // namespace menuforge
