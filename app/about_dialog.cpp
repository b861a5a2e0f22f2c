#include "app/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/version.h"

namespace menuforge {

namespace {

constexpr char kCaption[] = "About";
constexpr char kVersionPrefix[] = "Version ";
const QColor kProductColour(255, 0, 0);

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QString::fromLatin1(kCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* product = new QLabel(QString::fromLatin1(kProductName));
  product->setObjectName(QStringLiteral("productLabel"));
  product->setAlignment(Qt::AlignCenter);
  QFont font = product->font();
  font.setPointSize(24);
  font.setBold(true);
  product->setFont(font);
  QPalette palette = product->palette();
  palette.setColor(QPalette::WindowText, kProductColour);
  product->setPalette(palette);
  layout->addWidget(product);

  auto* version = new QLabel(QString::fromLatin1(kVersionPrefix) + QString::fromLatin1(kVersion));
  version->setObjectName(QStringLiteral("versionLabel"));
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(version);

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace menuforge
