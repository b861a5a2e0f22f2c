#include "preview/entry_look.h"

#include <optional>

namespace menuforge {
namespace {

const TitlesChunk* TitlesOf(const ItemDataRecord* record, TitleList list) {
  if (record == nullptr) return nullptr;
  for (const ChunkSlot& slot : record->slots)
    if (const auto* titles = slot.As<TitlesChunk>(); titles && titles->list == list)
      return titles->titles.empty() ? nullptr : titles;
  return nullptr;
}

std::optional<EntryTitle> FromList(const TitlesChunk* titles, std::uint8_t languageId) {
  if (titles == nullptr) return std::nullopt;
  for (const TitleEntry& entry : titles->titles)
    if (entry.languageId == languageId) return EntryTitle{entry.text, TitleSource::ChosenLanguage};
  return EntryTitle{titles->titles.front().text, TitleSource::OtherLanguage};
}

bool IsSoftkey(const MenuNode& node) {
  return node.parent() != nullptr && node.parent()->record().itemName == kContainerName &&
         node.parent()->parent() == nullptr;
}

std::string_view WithoutSoftkeyPrefix(std::string_view text) {
  for (std::string_view prefix : kSoftkeyPrefixes)
    if (text.starts_with(prefix)) return text.substr(prefix.size());
  return text;
}

}  // namespace

EntryTitle TitleOf(const MenuTree& tree, const MenuNode& node, std::uint8_t languageId) {
  const ItemDataRecord* record = tree.itemData().Find(node.record().recordKey);
  const bool softkey = IsSoftkey(node);
  if (softkey) {
    if (auto title = FromList(TitlesOf(record, TitleList::Softkey), languageId)) return *title;
  }
  if (auto title = FromList(TitlesOf(record, TitleList::Menu), languageId)) return *title;
  const std::string_view name =
      softkey ? WithoutSoftkeyPrefix(node.displayText()) : std::string_view(node.displayText());
  return {Utf8ToWide(Latin1ToUtf8(name)), TitleSource::PhoneOwn};
}

std::u16string MarkedTitle(const EntryTitle& title) {
  if (title.source != TitleSource::PhoneOwn) return title.text;
  return title.text + u" " + Utf8ToWide(kPhoneOwnTitleMark);
}

IconReference ListIconOf(const MenuTree& tree, const MenuNode& node) {
  const ItemDataRecord* record = tree.itemData().Find(node.record().recordKey);
  if (record == nullptr) return {};
  for (const ChunkSlot& slot : record->slots) {
    if (const auto* file = slot.As<FileIconChunk>();
        file && file->kind != kStaticIcon && file->kind != kAnimatedIcon)
      return {IconOrigin::PhoneFile, file->path, 0};
    if (const auto* drm = slot.As<DrmIconChunk>(); drm && drm->kind == DrmIconKind::List)
      return {IconOrigin::DrmNumber, {}, drm->number};
  }
  return {};
}

bool IsFolder(const MenuNode& node) {
  return !node.children().empty() || node.record().itemType == kFolder;
}

}  // namespace menuforge
