#include "app/comparison_document_link.h"

namespace menuforge {

ComparisonDocumentLink::ComparisonDocumentLink(MenuDocument& document, ComparePanel& panel)
    : panel_(panel), comparison_(document, [this] { Show(); }) {}

void ComparisonDocumentLink::Show() {
  const ShownComparison& shown = *comparison_.shown();
  panel_.ShowComparison(shown.comparison, ComparePanel::ShownMenu::First);
  if (shown.outOfDate) panel_.ShowOutOfDate(shown.outOfDate);
}

}  // namespace menuforge
