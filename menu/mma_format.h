// Byte layout of the mma_ucp file: a 10-byte header, 22- or 36-byte records, then data chunks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "menu/record_size.h"

namespace menuforge {

inline constexpr std::size_t kHeaderSize = 10;
inline constexpr std::size_t kFixedRecordCount =
    10;                                              // "Root", "Container", 7 soft keys, "MenuRoot"
inline constexpr std::size_t kMaxRecordCount = 255;  // header byte 2
inline constexpr std::size_t kMaxDataSectionBytes = 0xFFFF;
// Byte 41 is record 0's marker in a 36-byte file and a letter of "Container" in a 22-byte one.
inline constexpr std::size_t kRecordSizeProbeOffset = 41;
inline constexpr std::uint8_t kHeaderC698pOn = 0x03;
inline constexpr std::uint8_t kHeaderC698pOff = 0x01;

struct RecordLayout {
  std::size_t size;         // 22 or 36
  std::size_t nameWidth;    // 12 or 25
  bool hasMarker;           // only 36-byte records carry the marker byte
  std::size_t offsetField;  // data offset; the data length follows it

  static constexpr RecordLayout For(RecordSize recordSize) {
    return recordSize == RecordSize::k22 ? RecordLayout{22, 12, false, 18}
                                         : RecordLayout{36, 25, true, 32};
  }
};

inline constexpr std::size_t kNameField = 6;
inline constexpr std::size_t kMarkerField = 31;

}  // namespace menuforge
