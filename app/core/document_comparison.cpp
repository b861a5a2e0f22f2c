#include "app/core/document_comparison.h"

namespace menuforge {

DocumentComparison::DocumentComparison(MenuDocument& document, std::function<void()> shown)
    : document_(&document), tell_(std::move(shown)) {
  document.AddObserver(*this);
}

void DocumentComparison::Start(std::unique_ptr<OtherMenu> other, bool fromPhone) {
  other_ = std::move(other);
  fromPhone_ = fromPhone;
  phoneChanged_ = false;
  Compare();
}

void DocumentComparison::Compare() {
  if (!other_ || document_ == nullptr) return;
  if (!document_->HasMenu()) {
    if (shown_) shown_->outOfDate = kNoMenuComparisonOutOfDate;
  } else {
    shown_ =
        ShownComparison{CompareMenus({document_->tree(), document_->options()}, other_->compared()),
                        phoneChanged_ ? kPhoneComparisonOutOfDate : nullptr};
  }
  if (shown_) tell_();
}

void DocumentComparison::DocumentChanged(DocumentChange change) {
  switch (change) {
    case DocumentChange::PhoneCopyOutOfDate:
      if (!fromPhone_ || phoneChanged_) return;
      phoneChanged_ = true;
      break;
    case DocumentChange::Contents:
    case DocumentChange::Entries:
    case DocumentChange::Options:
    case DocumentChange::Profile: break;
    case DocumentChange::File:
    case DocumentChange::Modified:
    case DocumentChange::History: return;
  }
  Compare();
}

}  // namespace menuforge
