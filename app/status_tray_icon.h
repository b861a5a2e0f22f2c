// The notification-area icon that tells whether a phone is attached.
#pragma once

#include <QSystemTrayIcon>

namespace menuforge {

inline constexpr char kTrayBalloonTitle[] = "P2K Status";

class StatusTrayIcon : public QSystemTrayIcon {
  Q_OBJECT

 public:
  explicit StatusTrayIcon(QObject* parent = nullptr);

  // Both turn the picture to the new state and pop the balloon up.
  void ShowConnected(const QString& balloonText, const QString& phoneInfo);
  void ShowDisconnected();

  // Shown the next time the balloon pops up.
  const QString& balloonTitle() const { return balloonTitle_; }
  const QString& balloonText() const { return balloonText_; }

 private:
  // Pointing at the icon while a phone is attached tells about the phone; Qt reports no hover
  // over the icon, so the tooltip carries it and a click pops it up as the balloon.
  void ShowPhoneInfo();
  void PopUp();

  bool connected_ = false;
  QString phoneInfo_;
  QString balloonTitle_;
  QString balloonText_;
};

}  // namespace menuforge
