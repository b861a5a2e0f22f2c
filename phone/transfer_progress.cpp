#include "phone/transfer_progress.h"

namespace menuforge {
namespace {

constexpr int kFull = 100;

}  // namespace

int Percent(std::uint64_t part, std::uint64_t whole) {
  if (part >= whole) return kFull;
  const std::uint64_t scaled = part * kFull;
  std::uint64_t quotient = scaled / whole;
  const std::uint64_t twiceRemainder = 2 * (scaled % whole);
  if (twiceRemainder > whole || (twiceRemainder == whole && quotient % 2 == 1)) ++quotient;
  return static_cast<int>(quotient);
}

void ShownProgress::SetCaption(const std::string& caption) {
  if (!window_ || caption == caption_) return;
  caption_ = caption;
  window_->SetCaption(caption);
}

void ShownProgress::SetPosition(int percent) {
  if (window_) window_->SetPosition(percent);
}

void ShownProgress::Close() {
  if (!window_) return;
  window_->Close();
  window_.reset();
}

void GroupProgress::SetCaption(const std::string& newCaption) {
  if (newCaption == caption) return;
  caption = newCaption;
  window.SetCaption(newCaption);
}

}  // namespace menuforge
