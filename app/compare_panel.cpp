#include "app/compare_panel.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "menu/comparison_lines.h"

namespace menuforge {
namespace {

QString Heading(const MenuComparison& comparison) {
  if (comparison.Same()) return QString::fromUtf8(kSameMenusText);
  if (comparison.entries.empty()) return QString::fromUtf8(kFormatOnlyHeading);
  const auto count = static_cast<int>(comparison.entries.size());
  return count == 1 ? QStringLiteral("1 entry differs")
                    : QStringLiteral("%1 entries differ").arg(count);
}

}  // namespace

ComparePanel::ComparePanel(QWidget* parent)
    : QWidget(parent), heading_(new QLabel(this)), list_(new QListWidget(this)) {
  heading_->setObjectName(QStringLiteral("comparisonHeading"));
  list_->setObjectName(QStringLiteral("comparisonList"));
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(heading_);
  layout->addWidget(list_);
  connect(list_, &QListWidget::itemClicked, this, &ComparePanel::Choose);
  connect(list_, &QListWidget::itemActivated, this, &ComparePanel::Choose);
}

void ComparePanel::ShowComparison(const MenuComparison& comparison, ShownMenu shown) {
  heading_->setText(Heading(comparison));
  list_->setEnabled(true);
  list_->clear();
  places_.clear();
  for (const ComparisonLine& line : ComparisonLines(comparison)) {
    list_->addItem(QString::fromUtf8(line.text));
    std::optional<std::vector<std::size_t>> place;
    if (line.entry != kNoComparedEntry) {
      const EntryDifference& entry = comparison.entries[line.entry];
      const std::optional<EntryPlace>& side =
          shown == ShownMenu::First ? entry.before : entry.after;
      if (side) place = side->path;
    }
    places_.push_back(std::move(place));
  }
}

void ComparePanel::ShowOutOfDate(const char* reason) {
  heading_->setText(QString::fromUtf8(reason));
  list_->setEnabled(false);
  places_.assign(places_.size(), std::nullopt);
}

void ComparePanel::Choose(QListWidgetItem* item) {
  const int row = list_->row(item);
  if (row < 0 || static_cast<std::size_t>(row) >= places_.size() || !places_[row]) return;
  Q_EMIT EntryChosen(*places_[row]);
}

}  // namespace menuforge
