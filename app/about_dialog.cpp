#include "app/about_dialog.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/about_text.h"
#include "base/version.h"

namespace menuforge {

namespace {

const QColor kProductColour(255, 0, 0);
constexpr int kLicenceWidth = 560;
constexpr int kLicenceHeight = 220;

QString LibrariesText() {
  QString text = QCoreApplication::translate("menuforge::AboutDialog",
                                             "Built with Qt %1 (LGPL-3.0), running on Qt %2")
                     .arg(QString::fromLatin1(QT_VERSION_STR), QString::fromLatin1(qVersion()));
  for (const LinkedLibrary& library : CoreLibraries())
    text += QStringLiteral(", ") + QString::fromStdString(LibraryLine(library));
  return text;
}

// The licence travels inside the program, so the box shows it wherever the program runs.
QString LicenceText() {
  QFile file(QStringLiteral(":/LICENSE"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QLabel* WrappedLabel(const QString& text, const char* name) {
  auto* label = new QLabel(text);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignCenter);
  label->setFixedWidth(kLicenceWidth);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(tr("About"));
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

  auto* version = new QLabel(tr("Version %1").arg(QString::fromLatin1(kVersion)));
  version->setObjectName(QStringLiteral("versionLabel"));
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(version);
  layout->addWidget(WrappedLabel(QString::fromLatin1(kLicenceLine), "licenceLabel"));

  auto* licence = new QPlainTextEdit(LicenceText());
  licence->setObjectName(QStringLiteral("licenceText"));
  licence->setAccessibleName(tr("Licence"));
  licence->setReadOnly(true);
  licence->setLineWrapMode(QPlainTextEdit::NoWrap);
  licence->setFixedSize(kLicenceWidth, kLicenceHeight);
  layout->addWidget(licence);
  layout->addWidget(WrappedLabel(LibrariesText(), "librariesLabel"));

  auto* ok = new QPushButton(tr("OK"));
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace menuforge
