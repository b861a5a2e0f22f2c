#include "app/changes_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/compare_panel.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 380;

QLabel* MakeLabel(const std::string& text, const char* name) {
  auto* label = new QLabel(ShownText(text));
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

ChangesDialog::ChangesDialog(const char* title, const std::string& heading,
                             const MenuComparison& comparison, const char* question,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("changesDialog"));
  setWindowTitle(ShownText(title));
  resize(kWidth, kHeight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeLabel(heading, "changesHeading"));
  auto* panel = new ComparePanel;
  // The tree is behind a modal window: the lines only show, they lead nowhere.
  panel->ShowComparison(comparison, ComparePanel::ShownMenu::Second);
  layout->addWidget(panel, 1);
  auto* buttons = new QDialogButtonBox;
  if (question) {
    layout->addWidget(MakeLabel(question, "changesQuestion"));
    buttons->setStandardButtons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    buttons->button(QDialogButtonBox::Yes)->setObjectName(QStringLiteral("yesButton"));
    buttons->button(QDialogButtonBox::No)->setObjectName(QStringLiteral("noButton"));
    // Writing to a phone is never the default.
    buttons->button(QDialogButtonBox::No)->setDefault(true);
  } else {
    buttons->setStandardButtons(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("closeButton"));
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

}  // namespace menuforge
