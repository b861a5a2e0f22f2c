#include "app/splash_window.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "base/version.h"

namespace menuforge {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;
const QColor kBackground(191, 255, 191);
const QColor kTitleColour(255, 0, 0);
const QColor kDedicationColour(0, 0, 255);
constexpr char kFontFamily[] = "Tahoma";
constexpr char kReady[] = "P2K05 Ready";
constexpr char kDedicationFirst[] = "For everyone who keeps an old phone alive";
constexpr char kDedicationSecond[] = "and its menu the way they like it";

QLabel* AddLabel(QVBoxLayout* layout, const QString& text, const char* name, int pointSize,
                 bool bold, const QColor& colour) {
  auto* label = new QLabel(text);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignCenter);
  QFont font(QString::fromLatin1(kFontFamily), pointSize);
  font.setBold(bold);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  layout->addWidget(label);
  return label;
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBackground);
  setPalette(palette);

  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  AddLabel(layout, QString::fromLatin1(kProductName), "productLabel", 36, true, kTitleColour);
  AddLabel(layout, QString::fromStdString(ShortVersion()), "versionLabel", 14, true, kTitleColour);
  AddLabel(layout, QString::fromLatin1(kReady), "readyLabel", 14, true, kTitleColour);
  layout->addSpacing(16);
  AddLabel(layout, QString::fromLatin1(kDedicationFirst), "dedicationFirstLabel", 11, false,
           kDedicationColour);
  AddLabel(layout, QString::fromLatin1(kDedicationSecond), "dedicationSecondLabel", 11, false,
           kDedicationColour);
  layout->addStretch();

  SetOpacity(kInitialOpacity);
}

void SplashWindow::ShowCentred() {
  QRect area;
  if (parentWidget() != nullptr) {
    area = parentWidget()->window()->frameGeometry();
  } else if (const QScreen* screen = this->screen()) {
    area = screen->availableGeometry();
  }
  QRect frame(QPoint(0, 0), size());
  frame.moveCenter(area.center());
  move(frame.topLeft());
  show();
}

void SplashWindow::SetOpacity(int opacity) {
  opacity_ = std::clamp(opacity, 0, 255);
  setWindowOpacity(opacity_ / 255.0);
}

}  // namespace menuforge
