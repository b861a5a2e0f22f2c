#include "app/compare_panel.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

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

QString OtherPlace(const EntryPlace& place) {
  return QString::fromUtf8(kOnlyInOtherMenuText) +
         QString::fromStdString(ShownEntryPath(place.FolderNames())) +
         QStringLiteral(" #%1").arg(place.Position());
}

// A list view sizes its lines to their whole text, so a long one runs past the panel's edge; this
// makes every line as wide as the panel and as high as its wrapped text.
class WrappedLines : public QStyledItemDelegate {
 public:
  explicit WrappedLines(QListWidget* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem wrapped(option);
    const int width = list_->viewport()->width();
    wrapped.rect.setWidth(width);
    wrapped.features |= QStyleOptionViewItem::WrapText;
    QSize size = QStyledItemDelegate::sizeHint(wrapped, index);
    size.setWidth(std::min(size.width(), width));
    return size;
  }

 private:
  QListWidget* list_;
};

}  // namespace

ComparePanel::ComparePanel(QWidget* parent)
    : QWidget(parent),
      heading_(new QLabel(this)),
      list_(new QListWidget(this)),
      where_(new QLabel(this)) {
  heading_->setObjectName(QStringLiteral("comparisonHeading"));
  heading_->setWordWrap(true);
  list_->setObjectName(QStringLiteral("comparisonList"));
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideMiddle);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setResizeMode(QListView::Adjust);
  list_->setItemDelegate(new WrappedLines(list_));
  where_->setObjectName(QStringLiteral("comparisonWhere"));
  where_->setWordWrap(true);
  where_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(heading_);
  layout->addWidget(list_);
  layout->addWidget(where_);
  connect(list_, &QListWidget::itemClicked, this, &ComparePanel::Choose);
  connect(list_, &QListWidget::itemActivated, this, &ComparePanel::Choose);
}

void ComparePanel::ShowComparison(const MenuComparison& comparison, ShownMenu shown) {
  heading_->setText(Heading(comparison));
  list_->setEnabled(true);
  list_->clear();
  where_->hide();
  places_.clear();
  for (const ComparisonLine& line : ComparisonLines(comparison)) {
    const QString text = QString::fromUtf8(line.text);
    auto* item = new QListWidgetItem(text, list_);
    item->setToolTip(text);
    LinePlace place;
    if (line.entry != kNoComparedEntry) {
      const EntryDifference& entry = comparison.entries[line.entry];
      const bool first = shown == ShownMenu::First;
      const std::optional<EntryPlace>& here = first ? entry.before : entry.after;
      const std::optional<EntryPlace>& there = first ? entry.after : entry.before;
      if (here)
        place.shown = here->path;
      else if (there)
        place.elsewhere = OtherPlace(*there);
    }
    places_.push_back(std::move(place));
  }
}

void ComparePanel::ShowOutOfDate(const char* reason) {
  heading_->setText(QString::fromUtf8(reason));
  list_->setEnabled(false);
  where_->hide();
  places_.assign(places_.size(), LinePlace{});
}

void ComparePanel::Choose(QListWidgetItem* item) {
  const int row = list_->row(item);
  if (row < 0 || static_cast<std::size_t>(row) >= places_.size()) return;
  const LinePlace& place = places_[static_cast<std::size_t>(row)];
  where_->setText(place.elsewhere);
  where_->setVisible(!place.elsewhere.isEmpty());
  if (place.shown)
    Q_EMIT EntryChosen(*place.shown);
  else if (!place.elsewhere.isEmpty())
    Q_EMIT EntryNotShown();
}

}  // namespace menuforge
