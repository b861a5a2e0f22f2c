#include "preview/icon_sources.h"

#include <algorithm>

#include "base/local_file.h"
#include "pictures/drm_image.h"
#include "pictures/picture_decoding.h"
#include "preview/gif_decoding.h"

namespace menuforge {
namespace {

IconLookup Ready(std::optional<RgbaPicture> picture) {
  if (!picture) return {IconStatus::Unreadable, nullptr};
  return {IconStatus::Ready, std::make_shared<const RgbaPicture>(std::move(*picture))};
}

// "/a/mobile/x.gif" to "a/mobile/x.gif"; nothing for a path with empty, "." or ".." parts.
std::optional<std::filesystem::path> RelativePath(std::u16string_view phonePath) {
  const std::string utf8 = WideToUtf8(phonePath);
  if (!utf8.starts_with('/')) return std::nullopt;
  std::filesystem::path relative;
  std::string_view rest = std::string_view(utf8).substr(1);
  while (true) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != part.npos)
      return std::nullopt;
    relative /= std::string(part);
    if (slash == rest.npos) return relative;
    rest.remove_prefix(slash + 1);
  }
}

// Links are followed only while they stay inside the folder.
bool Inside(const std::filesystem::path& folder, const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path top = std::filesystem::canonical(folder, error);
  if (error) return false;
  const std::filesystem::path real = std::filesystem::canonical(path, error);
  if (error) return false;
  const auto [end, at] = std::mismatch(top.begin(), top.end(), real.begin(), real.end());
  return end == top.end();
}

IconLookup ReadIcon(const std::filesystem::path& folder, const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || !Inside(folder, path))
    return {IconStatus::NotFound, nullptr};
  const Result<Bytes> contents = ReadFileStartBytes(path, kMaxPreviewBytes + 1);
  if (!contents) return {IconStatus::NotFound, nullptr};
  if (contents->size() > kMaxPreviewBytes) return {IconStatus::TooLarge, nullptr};
  return Ready(DecodeGifIcon(*contents));
}

IconLookup DecodeDrmEntry(const DrmEntry& entry) {
  if (const auto* image = std::get_if<DrmImageEntry>(&entry))
    return Ready(DecodeDrmImage(image->data, image->size, image->maskColour));
  return Ready(DecodeGifIcon(std::get<DrmFileEntry>(entry).gif));
}

}  // namespace

std::string_view PlaceholderText(IconStatus status) {
  switch (status) {
    case IconStatus::Waiting: return "loading";
    case IconStatus::NoPhone: return "no phone";
    case IconStatus::NoBinary: return "no binary";
    case IconStatus::NotFound: return "not found";
    case IconStatus::Unreadable: return "bad picture";
    case IconStatus::TooLarge: return "too large";
    case IconStatus::Ready:
    case IconStatus::NoIcon: break;
  }
  return {};
}

IconLookup IconFolder::Find(std::u16string_view phonePath) {
  if (auto known = found_.find(phonePath); known != found_.end()) return known->second;
  const std::optional<std::filesystem::path> relative = RelativePath(phonePath);
  IconLookup lookup =
      relative ? ReadIcon(folder_, folder_ / *relative) : IconLookup{IconStatus::NotFound, nullptr};
  found_.emplace(std::u16string(phonePath), lookup);
  return lookup;
}

void DrmIcons::SetBinary(const DrmBinary* binary) {
  binary_ = binary;
  found_.clear();
}

IconLookup DrmIcons::Find(std::uint16_t number) {
  if (binary_ == nullptr) return {IconStatus::NoBinary, nullptr};
  if (auto known = found_.find(number); known != found_.end()) return known->second;
  const std::optional<DrmEntry> entry =
      number == 0 ? std::nullopt : binary_->Entry(std::size_t{number} - 1);
  IconLookup lookup = entry ? DecodeDrmEntry(*entry) : IconLookup{IconStatus::NotFound, nullptr};
  found_.emplace(number, lookup);
  return lookup;
}

IconLookup LookUpIcon(const IconReference& icon, const IconSources& sources) {
  switch (icon.origin) {
    case IconOrigin::PhoneFile:
      if (sources.phone == nullptr) return {IconStatus::NoPhone, nullptr};
      return sources.phone->Find(icon.phonePath);
    case IconOrigin::DrmNumber:
      if (sources.drm == nullptr) return {IconStatus::NoBinary, nullptr};
      return sources.drm->Find(icon.drmNumber);
    case IconOrigin::None: break;
  }
  return {};
}

}  // namespace menuforge
