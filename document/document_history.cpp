#include "document/document_history.h"

namespace menuforge {
namespace {

// Each step keeps two copies of every record, a few dozen kilobytes for the largest menus.
constexpr std::size_t kStepLimit = 200;

}  // namespace

void DocumentHistory::Push(DocumentStep step) {
  entries_.resize(done_);
  entries_.push_back({std::move(step), next_++});
  if (entries_.size() > kStepLimit) {
    start_ = entries_.front().after;
    entries_.erase(entries_.begin());
  }
  done_ = entries_.size();
}

void DocumentHistory::Clear() {
  entries_.clear();
  done_ = 0;
  start_ = next_++;
  written_ = start_;
}

const DocumentStep* DocumentHistory::ToUndo() const {
  return done_ > 0 ? &entries_[done_ - 1].step : nullptr;
}

const DocumentStep* DocumentHistory::ToRedo() const {
  return done_ < entries_.size() ? &entries_[done_].step : nullptr;
}

void DocumentHistory::StepBack() {
  if (done_ > 0) --done_;
}

void DocumentHistory::StepForward() {
  if (done_ < entries_.size()) ++done_;
}

DocumentHistory::Position DocumentHistory::position() const {
  return done_ > 0 ? entries_[done_ - 1].after : start_;
}

}  // namespace menuforge
