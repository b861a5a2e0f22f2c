#include "app/comparison_document_link.h"

namespace menuforge {

ComparisonDocumentLink::ComparisonDocumentLink(MenuDocument& document, ComparePanel& panel)
    : document_(&document), panel_(panel) {
  soon_.setSingleShot(true);
  soon_.setInterval(0);
  QObject::connect(&soon_, &QTimer::timeout, [this] { Compare(); });
  document.AddObserver(*this);
}

void ComparisonDocumentLink::CompareSoon() {
  if (other_) soon_.start();
}

void ComparisonDocumentLink::Start(std::unique_ptr<OtherMenu> other, bool fromPhone) {
  other_ = std::move(other);
  fromPhone_ = fromPhone;
  phoneChanged_ = false;
  Compare();
}

void ComparisonDocumentLink::PhoneMenuChanged() {
  if (!other_ || !fromPhone_ || phoneChanged_) return;
  phoneChanged_ = true;
  panel_.ShowOutOfDate(kPhoneComparisonOutOfDate);
}

void ComparisonDocumentLink::Compare() {
  soon_.stop();
  if (!other_ || document_ == nullptr) return;
  if (phoneChanged_) return;
  if (!document_->HasMenu()) {
    panel_.ShowOutOfDate(kNoMenuComparisonOutOfDate);
    return;
  }
  panel_.ShowComparison(CompareMenus({document_->tree(), document_->options()}, other_->compared()),
                        ComparePanel::ShownMenu::First);
}

void ComparisonDocumentLink::DocumentChanged(DocumentChange change) {
  if (change == DocumentChange::Contents) CompareSoon();
}

}  // namespace menuforge
