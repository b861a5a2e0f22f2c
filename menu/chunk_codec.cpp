#include "menu/chunk_codec.h"

#include <algorithm>

namespace menuforge {
namespace {

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
  const std::size_t n = content[0];
  const std::size_t tableEnd = 1 + 4 * n;
  if (tableEnd > content.size()) {
    problems.push_back("a title list whose table runs past its chunk was dropped");
    return std::nullopt;
  }
  const ByteView strings = content.subspan(tableEnd);
  std::size_t previousEnd = 0;
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint8_t language = content[1 + 4 * j];
    const std::size_t end = ReadU16Be(content, 3 + 4 * j);
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

void EncodeTitles(const TitlesChunk& chunk, RecordSize recordSize, Bytes& out) {
  out.push_back(static_cast<std::uint8_t>(chunk.titles.size()));
  const std::uint8_t separator = recordSize == RecordSize::k36 ? 0xCD : 0x00;
  std::size_t end = 0;
  for (const auto& title : chunk.titles) {
    end += title.text.size() * 2 + 2;
    out.push_back(title.languageId);
    out.push_back(separator);
    WriteU16(out, end);
  }
  for (const auto& title : chunk.titles) {
    const Bytes text = WideToUcs2Be(title.text);
    out.insert(out.end(), text.begin(), text.end());
  }
}

void Append(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

// The kind a tag of the file names; the unknown group is no tag of the file.
std::optional<ChunkSlot> KnownChunkOfFileTag(std::uint8_t tag) {
  if (tag == kTagUnknownGroup) return std::nullopt;
  return ChunkOfTag(tag == kTagFileIcon06 ? std::uint8_t{kTagFileIcon} : tag);
}

struct ChunkExtent {
  std::size_t need;  // content bytes read
  std::size_t step;  // bytes to the next chunk header
};

// Fixed-size chunks step over their own size, whatever their length field says.
ChunkExtent ExtentOf(const std::optional<ChunkSlot>& known, std::size_t length) {
  const ChunkExtent declared{length, length + 3};
  if (!known) return declared;
  return std::visit(Overloaded{
                        [](const CodeChunk&) {
                          return ChunkExtent{1, 4};
                        },
                        [](const ActionChunk&) {
                          return ChunkExtent{2, 5};
                        },
                        [](const ShortcutChunk&) {
                          return ChunkExtent{kShortcutDataBytes, 3 + kShortcutDataBytes};
                        },
                        [&](const DrmIconChunk&) {
                          return ChunkExtent{std::max<std::size_t>(length, 4), length + 3};
                        },
                        [&](const auto&) { return declared; },
                    },
                    known->content);
}

}  // namespace

DecodedChunks DecodeChunks(ByteView data) {
  DecodedChunks decoded;
  auto& slots = decoded.record.slots;
  auto& problems = decoded.problems;
  std::optional<std::size_t> unknownSlot;

  // Whatever was cut or dropped is kept as the file holds it, so that data the model cannot
  // hold still tells two menus apart.
  auto dropRest = [&](std::size_t from) {
    decoded.dropped.insert(decoded.dropped.end(), data.begin() + from, data.end());
  };
  std::size_t p = 0;
  std::size_t chunkStart = 0, problemsBefore = 0;
  auto dropChunkIfCut = [&] {
    if (problems.size() > problemsBefore)
      decoded.dropped.insert(decoded.dropped.end(), data.begin() + chunkStart,
                             data.begin() + std::min(p, data.size()));
  };
  for (; p < data.size(); dropChunkIfCut()) {
    chunkStart = p;
    problemsBefore = problems.size();
    if (p + 3 > data.size()) {
      problems.push_back("a chunk header is cut off at the end of the data; it was dropped");
      dropRest(p);
      break;
    }
    const std::uint8_t tag = data[p];
    const std::size_t length = ReadU16Be(data, p + 1);
    const ByteView rest = data.subspan(p + 3);
    std::optional<ChunkSlot> known = KnownChunkOfFileTag(tag);

    const ChunkExtent extent = ExtentOf(known, length);
    if (extent.need > rest.size()) {
      problems.push_back("a chunk (" + TagText(tag) +
                         ") runs past the end of the data; it and "
                         "what follows were dropped");
      dropRest(p);
      break;
    }
    const ByteView content = rest.first(extent.need);

    if ((known || !unknownSlot) && slots.size() == kMaxSlots) {
      problems.push_back("more than " + std::to_string(kMaxSlots) + " chunks; the chunks from " +
                         TagText(tag) + " on were dropped");
      dropRest(p);
      break;
    }
    p += extent.step;

    if (!known) {
      if (length > kMaxUnknownChunkBytes) {
        problems.push_back("an unknown chunk (" + TagText(tag) + ") of " + std::to_string(length) +
                           " bytes is larger than " + std::to_string(kMaxUnknownChunkBytes) +
                           " bytes and was dropped");
        continue;
      }
      if (!unknownSlot) {
        unknownSlot = slots.size();
        slots.push_back(ChunkSlot::UnknownGroup({}));
      }
      auto& unknown = std::get<UnknownGroupChunk>(slots[*unknownSlot].content).chunks;
      if (unknown.size() == kMaxUnknownChunks)
        problems.push_back("more than " + std::to_string(kMaxUnknownChunks) + " unknown chunks; " +
                           TagText(tag) + " was dropped");
      else
        unknown.push_back({tag, Bytes(content.begin(), content.end())});
      continue;
    }

    // False when the chunk is too damaged to keep.
    const bool kept =
        std::visit(Overloaded{
                       [&](TitlesChunk& chunk) {
                         auto titles = DecodeTitles(content, problems);
                         if (titles) chunk.titles = std::move(*titles);
                         return titles.has_value();
                       },
                       [&](FileIconChunk& chunk) {
                         if (content.empty()) {
                           problems.push_back("an empty icon chunk was dropped");
                           return false;
                         }
                         chunk.kind = content[0];
                         chunk.path = Ucs2BeToWide(content.subspan(1));
                         decoded.lastIconTag =
                             tag == kTagFileIcon06 ? IconAttribute::Tag06 : IconAttribute::Tag0C;
                         return true;
                       },
                       [&](TextChunk& chunk) {
                         chunk.text = ZeroTextToString(content);
                         return true;
                       },
                       [&](DrmIconChunk& chunk) {
                         chunk.drmByte = content[0];
                         chunk.number = ReadU16Be(content, 2);
                         return true;
                       },
                       [&](CodeChunk& chunk) {
                         chunk.value = content[0];
                         return true;
                       },
                       [&](ActionChunk& chunk) {
                         chunk.code = ReadU16Be(content, 0);
                         return true;
                       },
                       [&](ShortcutChunk& chunk) {
                         std::copy(content.begin(), content.end(), chunk.data.begin());
                         return true;
                       },
                       [](UnknownGroupChunk&) { return false; },
                   },
                   known->content);
    if (kept) slots.push_back(std::move(*known));
  }
  return decoded;
}

void EncodeChunks(const ItemDataRecord& record, const ChunkWriteOptions& options, Bytes& out) {
  for (const ChunkSlot& slot : record.slots) {
    if (const auto* group = slot.As<UnknownGroupChunk>()) {
      if (!options.saveAllData) continue;
      for (const auto& chunk : group->chunks) {
        out.push_back(chunk.tag);
        WriteU16(out, chunk.data.size());
        out.insert(out.end(), chunk.data.begin(), chunk.data.end());
      }
      continue;
    }
    const bool icon06 = slot.As<FileIconChunk>() && options.iconAttribute == IconAttribute::Tag06;
    out.push_back(icon06 ? std::uint8_t{kTagFileIcon06} : slot.tag());
    WriteU16(out, slot.length());
    std::visit(Overloaded{
                   [&](const TitlesChunk& chunk) { EncodeTitles(chunk, options.recordSize, out); },
                   [&](const FileIconChunk& chunk) {
                     out.push_back(chunk.kind);
                     Append(out, WideToUcs2Be(chunk.path));
                   },
                   [&](const TextChunk& chunk) { Append(out, StringToZeroText(chunk.text)); },
                   [&](const DrmIconChunk& chunk) {
                     out.push_back(chunk.drmByte);
                     out.push_back(0);
                     WriteU16(out, chunk.number);
                   },
                   [&](const CodeChunk& chunk) { out.push_back(chunk.value); },
                   [&](const ActionChunk& chunk) { WriteU16(out, chunk.code); },
                   [&](const ShortcutChunk& chunk) {
                     out.insert(out.end(), chunk.data.begin(), chunk.data.end());
                   },
                   [](const UnknownGroupChunk&) {},
               },
               slot.content);
  }
}

}  // namespace menuforge
