// DRM binaries made up for tests: a header, the table of 16 words, the file offsets, the image
// records and the data, laid out as the phone's firmware lays them.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/drm_binary.h"

namespace menuforge::test {

enum class DrmHeader {
  A,           // base address word first
  AZeroFirst,  // zero first word, zero layout byte
  B,           // zero first word, non-zero layout byte
};

struct RawIcon {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  Rgb maskColour{};
  Bytes data;  // pixels and mask
};

struct SyntheticDrm {
  DrmHeader header = DrmHeader::A;
  std::uint32_t base = 0x10000000;
  std::vector<Bytes> files;
  // Layout B: an end record follows them, so M = icons + 1.
  std::vector<RawIcon> icons;
};

// Where the builder puts things, for tests that break them.
inline constexpr std::size_t kSyntheticTableAt = 64;
inline constexpr std::size_t kSyntheticOffsetsAt = 128;

Bytes BuildDrmBinary(const SyntheticDrm& drm);
void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value);

// A small GIF-like stored file: "GIF89a", the size, and a filler byte that tells files apart.
Bytes StoredGif(std::uint16_t width, std::uint16_t height, std::uint8_t filler);
// A raw icon of one 5-6-5 colour with its mask bits all clear.
RawIcon PlainIcon(std::uint16_t width, std::uint16_t height, std::uint16_t rgb565);

}  // namespace menuforge::test
