#include "menu/chunk_codec.h"

#include <algorithm>

namespace menuforge {
namespace {

std::uint16_t ReadU16(ByteView bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void WriteU16(Bytes& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

std::string TagText(std::uint8_t tag) { return "tag " + std::to_string(tag); }

// Title list content: n, then n entries (language, separator byte, end offset), then the strings.
// Nothing when the list is too damaged to keep any of it.
std::optional<std::vector<TitleEntry>> DecodeTitles(ByteView content,
                                                    std::vector<std::string>& problems) {
  std::vector<TitleEntry> titles;
  if (content.empty()) {
    problems.push_back("an empty title list was dropped");
    return std::nullopt;
  }
  std::size_t n = content[0];
  const std::size_t tableEnd = 1 + 4 * n;
  if (tableEnd > content.size()) {
    problems.push_back("a title list whose table runs past its chunk was dropped");
    return std::nullopt;
  }
  if (n > kMaxTitlesPerSlot) {
    problems.push_back("a title list held " + std::to_string(n) + " titles; only the first " +
                       std::to_string(kMaxTitlesPerSlot) + " were kept");
    n = kMaxTitlesPerSlot;
  }
  const ByteView strings = content.subspan(tableEnd);
  std::size_t previousEnd = 0;
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint8_t language = content[1 + 4 * j];
    const std::size_t end = ReadU16(content, 3 + 4 * j);
    if (end <= previousEnd && j > 0) {
      problems.push_back("title " + std::to_string(j + 1) +
                         " does not lie behind the one before; it and the titles after it were "
                         "dropped");
      break;
    }
    if (end > strings.size()) {
      problems.push_back("title " + std::to_string(j + 1) +
                         " runs past its chunk; it and the titles after it were dropped");
      break;
    }
    std::u16string text = Ucs2BeToWide(strings.subspan(previousEnd, end - previousEnd));
    if (text.size() > kMaxTitleCharacters) {
      problems.push_back("title " + std::to_string(j + 1) + " was cut to " +
                         std::to_string(kMaxTitleCharacters) + " characters");
      text.resize(kMaxTitleCharacters);
    }
    titles.push_back({language, std::move(text)});
    previousEnd = end;
  }
  return titles;
}

void EncodeTitles(const ChunkSlot& slot, RecordSize recordSize, Bytes& out) {
  out.push_back(static_cast<std::uint8_t>(slot.titles.size()));
  const std::uint8_t separator = recordSize == RecordSize::k36 ? 0xCD : 0x00;
  std::size_t end = 0;
  for (const auto& title : slot.titles) {
    end += title.text.size() * 2 + 2;
    out.push_back(title.languageId);
    out.push_back(separator);
    WriteU16(out, end);
  }
  for (const auto& title : slot.titles) {
    const Bytes text = WideToUcs2Be(title.text);
    out.insert(out.end(), text.begin(), text.end());
  }
}

}  // namespace

DecodedChunks DecodeChunks(ByteView data) {
  DecodedChunks decoded;
  auto& slots = decoded.record.slots;
  auto& problems = decoded.problems;
  std::optional<std::size_t> unknownSlot;

  std::size_t p = 0;
  while (p < data.size()) {
    if (p + 3 > data.size()) {
      problems.push_back("a chunk header is cut off at the end of the data; it was dropped");
      break;
    }
    const std::uint8_t tag = data[p];
    const std::size_t length = ReadU16(data, p + 1);
    const ByteView rest = data.subspan(p + 3);

    // Fixed-size chunks step over their own size, whatever their length field says.
    std::size_t need = length, step = length + 3;
    if (IsCodeTag(tag)) need = 1, step = 4;
    if (tag == kTagEmulatedAction) need = 2, step = 5;
    if (tag == kTagShortcutData) need = kShortcutDataBytes, step = 3 + kShortcutDataBytes;
    if (IsDrmIconTag(tag)) need = std::max<std::size_t>(length, 4);
    if (need > rest.size()) {
      problems.push_back("a chunk (" + TagText(tag) +
                         ") runs past the end of the data; it and "
                         "what follows were dropped");
      break;
    }
    const ByteView content = rest.first(need);

    const bool opensSlot = IsKnownFileTag(tag) || !unknownSlot;
    if (opensSlot && slots.size() == kMaxSlots) {
      problems.push_back("more than " + std::to_string(kMaxSlots) + " chunks; the chunks from " +
                         TagText(tag) + " on were dropped");
      break;
    }

    if (IsTitleTag(tag)) {
      if (auto titles = DecodeTitles(content, problems))
        slots.push_back(ChunkSlot::Titles(tag, std::move(*titles)));
    } else if (tag == kTagFileIcon || tag == kTagFileIcon06) {
      if (content.empty()) {
        problems.push_back("an empty icon chunk was dropped");
      } else {
        slots.push_back(ChunkSlot::FileIcon(content[0], Ucs2BeToWide(content.subspan(1))));
        decoded.lastIconTag = tag == kTagFileIcon06 ? IconAttribute::Tag06 : IconAttribute::Tag0C;
      }
    } else if (IsTextTag(tag)) {
      slots.push_back(ChunkSlot::Text(tag, ZeroTextToString(content)));
    } else if (IsDrmIconTag(tag)) {
      slots.push_back(ChunkSlot::DrmIcon(tag, content[0], ReadU16(content, 2)));
    } else if (IsCodeTag(tag)) {
      slots.push_back(ChunkSlot::Code(tag, content[0]));
    } else if (tag == kTagEmulatedAction) {
      slots.push_back(ChunkSlot::Action(ReadU16(content, 0)));
    } else if (tag == kTagShortcutData) {
      ChunkSlot slot;
      slot.tag = kTagShortcutData;
      std::copy(content.begin(), content.end(), slot.shortcutData.begin());
      slots.push_back(slot);
    } else if (length > kMaxUnknownChunkBytes) {
      problems.push_back("an unknown chunk (" + TagText(tag) + ") of " + std::to_string(length) +
                         " bytes is larger than 2048 bytes and was dropped");
    } else {
      if (!unknownSlot) {
        unknownSlot = slots.size();
        ChunkSlot group;
        group.tag = kTagUnknownGroup;
        slots.push_back(group);
      }
      auto& unknown = slots[*unknownSlot].unknown;
      if (unknown.size() == kMaxUnknownChunks)
        problems.push_back("more than " + std::to_string(kMaxUnknownChunks) + " unknown chunks; " +
                           TagText(tag) + " was dropped");
      else
        unknown.push_back({tag, Bytes(content.begin(), content.end())});
    }
    p += step;
  }
  return decoded;
}

void EncodeChunks(const ItemDataRecord& record, const ChunkWriteOptions& options, Bytes& out) {
  for (const ChunkSlot& slot : record.slots) {
    if (slot.tag == kTagUnknownGroup) {
      if (!options.saveAllData) continue;
      for (const auto& chunk : slot.unknown) {
        out.push_back(chunk.tag);
        WriteU16(out, chunk.data.size());
        out.insert(out.end(), chunk.data.begin(), chunk.data.end());
      }
      continue;
    }
    const bool icon06 = slot.tag == kTagFileIcon && options.iconAttribute == IconAttribute::Tag06;
    out.push_back(icon06 ? std::uint8_t{kTagFileIcon06} : slot.tag);
    WriteU16(out, slot.length());
    if (IsTitleTag(slot.tag)) {
      EncodeTitles(slot, options.recordSize, out);
    } else if (slot.tag == kTagFileIcon) {
      out.push_back(slot.iconKind);
      const Bytes path = WideToUcs2Be(slot.path);
      out.insert(out.end(), path.begin(), path.end());
    } else if (IsTextTag(slot.tag)) {
      const Bytes text = StringToZeroText(slot.text);
      out.insert(out.end(), text.begin(), text.end());
    } else if (IsDrmIconTag(slot.tag)) {
      out.push_back(slot.drmByte);
      out.push_back(0);
      WriteU16(out, slot.drmIconNumber);
    } else if (IsCodeTag(slot.tag)) {
      out.push_back(slot.code);
    } else if (slot.tag == kTagEmulatedAction) {
      WriteU16(out, slot.actionCode);
    } else if (slot.tag == kTagShortcutData) {
      out.insert(out.end(), slot.shortcutData.begin(), slot.shortcutData.end());
    }
  }
}

}  // namespace menuforge
