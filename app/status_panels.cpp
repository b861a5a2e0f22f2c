#include "app/status_panels.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

#include "app/core/status_text.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr int kFormatPanelWidth = 150;
constexpr int kPhonePanelWidth = 260;
constexpr int kLampPanelWidth = 50;
constexpr int kPanelPadding = 10;

QLabel* MakePanel(const char* name, int width, Qt::Alignment alignment) {
  auto* panel = new QLabel;
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFixedWidth(width);
  panel->setAlignment(alignment | Qt::AlignVCenter);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  return panel;
}

// The panels keep their widths, so the font shrinks until the longest format text fits.
QFont FittingFont(QFont font) {
  const QString widest = ShownText(WidestFormatStatusText());
  while (font.pointSizeF() > 6 &&
         QFontMetrics(font).horizontalAdvance(widest) > kFormatPanelWidth - kPanelPadding)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  return font;
}

}  // namespace

StatusPanels::StatusPanels(QStatusBar& bar) {
  bar.setSizeGripEnabled(false);
  const QFont font = FittingFont(bar.font());
  bar.setFont(font);
  format_ = MakePanel("formatPanel", kFormatPanelWidth, Qt::AlignLeft);
  phone_ = MakePanel("phonePanel", kPhonePanelWidth, Qt::AlignRight);
  phone_->setText(ShownText(kNoPhoneStatus));
  const int imeiWidth = QFontMetrics(font).horizontalAdvance(ShownText(WidestImeiPanelText()));
  imei_ = MakePanel("imeiPanel", imeiWidth + kPanelPadding, Qt::AlignLeft);
  imei_->setText(ShownText(kNoImeiPanelText));

  auto* lampPanel = new QWidget;
  lampPanel->setFixedWidth(kLampPanelWidth);
  auto* lampLayout = new QHBoxLayout(lampPanel);
  lampLayout->setContentsMargins(4, 2, 4, 2);
  lamp_ = new QFrame;
  lamp_->setObjectName(QStringLiteral("connectionLamp"));
  lamp_->setFixedSize(30, 10);
  lamp_->setFrameShape(QFrame::Box);
  lamp_->setAutoFillBackground(true);
  lampLayout->addWidget(lamp_);
  ShowConnection(false);

  bar.addWidget(format_);
  bar.addWidget(phone_);
  bar.addWidget(imei_);
  bar.addWidget(lampPanel);
}

int StatusPanels::imeiWidth() const { return imei_->width(); }

void StatusPanels::ShowFormat(const std::string& text) { format_->setText(ShownText(text)); }

void StatusPanels::ShowPhone(const PhoneSession* session) {
  phone_->setText(ShownText(session ? PhonePanelText(*session) : kNoPhonePanelText));
  imei_->setText(ShownText(session ? ImeiPanelText(*session) : kNoImeiPanelText));
}

void StatusPanels::ShowConnection(bool connected) {
  QPalette colours = lamp_->palette();
  colours.setColor(QPalette::Window, connected ? Qt::green : Qt::red);
  lamp_->setPalette(colours);
}

}  // namespace menuforge
