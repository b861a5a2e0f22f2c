#include "app/core/phone_icon_queue.h"

#include <algorithm>

#include "phone/phone_text.h"
#include "pictures/picture_decoding.h"

namespace menuforge {

IconLookup PhoneIconQueue::Find(std::u16string_view phonePath) {
  if (!session_.connected()) return {IconStatus::NoPhone, nullptr};
  // A path the phone cannot hold names no file there.
  const std::optional<std::string> path = PhoneText(phonePath);
  if (!path) return {IconStatus::NotFound, nullptr};
  if (const auto known = kept_.find(*path); known != kept_.end()) {
    if (!known->second.fetched || StillFetched(*path, known->second)) return known->second.lookup;
    kept_.erase(known);
  }
  if (previews_.Known(*path)) return (kept_[*path] = Decode(*path)).lookup;
  // The picker fetches no file it could not show; neither does the preview.
  if (!IsPreviewable(*path, 1))
    return (kept_[*path] = {{IconStatus::Unreadable, nullptr}, false, std::nullopt}).lookup;
  if (ListedTooLarge(*path))
    return (kept_[*path] = {{IconStatus::TooLarge, nullptr}, false, std::nullopt}).lookup;
  if (std::find(wanted_.begin(), wanted_.end(), *path) == wanted_.end()) wanted_.push_back(*path);
  return {IconStatus::Waiting, nullptr};
}

bool PhoneIconQueue::Step() {
  if (!session_.connected() && !previews_.fetching()) {
    const bool waited = !wanted_.empty();
    wanted_.clear();
    return waited;
  }
  std::string next;
  if (!previews_.fetching()) {
    // The picker may have fetched some meanwhile.
    const auto fetched =
        std::remove_if(wanted_.begin(), wanted_.end(),
                       [&](const std::string& path) { return previews_.Known(path); });
    const bool came = fetched != wanted_.end();
    wanted_.erase(fetched, wanted_.end());
    if (came || wanted_.empty()) return came;
    next = wanted_.front();
  }
  const std::optional<std::string> fetched = previews_.FetchStep(session_, next);
  if (!fetched) return false;
  std::erase(wanted_, *fetched);
  return true;
}

void PhoneIconQueue::PhoneChanged() {
  previews_.Clear();
  kept_.clear();
  wanted_.clear();
}

bool PhoneIconQueue::StillFetched(const std::string& phonePath, const Kept& kept) const {
  if (!previews_.Known(phonePath)) return false;
  const Bytes* bytes = previews_.Find(phonePath);
  return kept.source ? bytes != nullptr && *bytes == *kept.source : bytes == nullptr;
}

PhoneIconQueue::Kept PhoneIconQueue::Decode(const std::string& phonePath) const {
  const Bytes* bytes = previews_.Find(phonePath);
  if (bytes == nullptr) return {{IconStatus::NotFound, nullptr}, true, std::nullopt};
  if (bytes->size() > kMaxPreviewBytes) return {{IconStatus::TooLarge, nullptr}, true, *bytes};
  Result<RgbaPicture> picture = DecodePicture(*bytes, phonePath);
  if (!picture) return {{IconStatus::Unreadable, nullptr}, true, *bytes};
  return {
      {IconStatus::Ready, std::make_shared<const RgbaPicture>(std::move(*picture))}, true, *bytes};
}

bool PhoneIconQueue::ListedTooLarge(const std::string& phonePath) const {
  const FileListEntry* listed = session_.ListedFile(phonePath);
  return listed && !IsPreviewable(phonePath, listed->size());
}

}  // namespace menuforge
