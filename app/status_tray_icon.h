// The notification-area icon that tells whether a phone is attached.
#pragma once

#include <QSystemTrayIcon>

namespace menuforge {

inline constexpr char kTrayBalloonTitle[] = "P2K Status";
inline constexpr char kDisconnectedBalloonText[] = "Disconnected";

class StatusTrayIcon : public QSystemTrayIcon {
  Q_OBJECT

 public:
  explicit StatusTrayIcon(QObject* parent = nullptr);

  // Shown the next time the balloon pops up.
  const QString& balloonTitle() const { return balloonTitle_; }
  const QString& balloonText() const { return balloonText_; }

 private:
  QString balloonTitle_;
  QString balloonText_;
};

}  // namespace menuforge
