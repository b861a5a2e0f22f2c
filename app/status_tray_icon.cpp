#include "app/status_tray_icon.h"

#include <QPainter>
#include <QPixmap>

#include "app/core/status_text.h"
#include "base/version.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr int kIconSize = 16;
constexpr int kBalloonTimeout = 1000;
const QColor kDisconnectedColour(200, 0, 0);
const QColor kConnectedColour(0, 180, 0);

// A small phone outline with a lamp in the colour of the connection state.
QIcon PhoneIcon(const QColor& lamp) {
  QPixmap picture(kIconSize, kIconSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(230, 230, 230));
  painter.drawRoundedRect(QRectF(3.5, 0.5, 9, 15), 2, 2);
  painter.setBrush(QColor(120, 170, 220));
  painter.drawRect(QRectF(5.5, 2.5, 5, 5));
  painter.setBrush(lamp);
  painter.drawEllipse(QRectF(6.5, 10.5, 3, 3));
  return QIcon(picture);
}

}  // namespace

StatusTrayIcon::StatusTrayIcon(QObject* parent)
    : QSystemTrayIcon(PhoneIcon(kDisconnectedColour), parent),
      balloonTitle_(QString::fromLatin1(kTrayBalloonTitle)),
      balloonText_(QString::fromLatin1(kDisconnectedBalloonText)) {
  setToolTip(QString::fromStdString(WindowTitle()));
  connect(this, &QSystemTrayIcon::activated, this, &StatusTrayIcon::ShowPhoneInfo);
}

void StatusTrayIcon::ShowConnected(const QString& balloonText, const QString& phoneInfo) {
  connected_ = true;
  phoneInfo_ = phoneInfo;
  setIcon(PhoneIcon(kConnectedColour));
  setToolTip(ShownText(kPhoneInfoTitle) + QLatin1Char('\n') + phoneInfo);
  balloonText_ = balloonText;
  PopUp();
}

void StatusTrayIcon::ShowDisconnected() {
  connected_ = false;
  phoneInfo_.clear();
  setIcon(PhoneIcon(kDisconnectedColour));
  setToolTip(QString::fromStdString(WindowTitle()));
  balloonText_ = QString::fromLatin1(kDisconnectedBalloonText);
  PopUp();
}

void StatusTrayIcon::ShowPhoneInfo() {
  if (!connected_) return;
  balloonTitle_ = ShownText(kPhoneInfoTitle);
  balloonText_ = phoneInfo_;
  PopUp();
}

void StatusTrayIcon::PopUp() {
  showMessage(balloonTitle_, balloonText_, QSystemTrayIcon::Information, kBalloonTimeout);
}

}  // namespace menuforge
