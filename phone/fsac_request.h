// The request bytes of the phone's file-system commands (command code 0x4A) and of the version
// query (command code 0x39). Numbers in requests are big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/text_encoding.h"

namespace menuforge {

enum FsacCommand : std::uint32_t {
  kFsacOpen = 0x0000,
  kFsacRead = 0x0001,
  kFsacWrite = 0x0002,
  kFsacSeek = 0x0003,
  kFsacClose = 0x0004,
  kFsacVolumeList = 0x000A,
};

enum SeekMode : std::uint8_t { kSeekFromStart = 0, kSeekFromCurrent = 1, kSeekFromEnd = 2 };

inline constexpr std::size_t kFsacHeaderSize = 8;
inline constexpr std::size_t kFsacBlockSize = 1024;
inline constexpr std::size_t kFsacBufferSize = 4096;
inline constexpr std::size_t kSeekRequestSize = 9;
// A read answered with exactly this one byte has reached the end of the file.
inline constexpr std::uint8_t kEndOfFileMarker = 0x08;
inline constexpr std::uint32_t kEndOfFileCheckOffset = 0x3FF;

inline constexpr std::uint32_t kVolumeListCapacity = 128;
inline constexpr std::size_t kVolumeRecordSize = 6;
inline constexpr std::size_t kVolumeLetterOffset = 3;

inline constexpr std::array<std::uint8_t, 2> kFirmwareVersionRequest = {0xFF, 0xFF};
inline constexpr std::array<std::uint8_t, 2> kLpVersionRequest = {0x00, 0x04};
inline constexpr std::uint32_t kFirmwareVersionCapacity = 256;
inline constexpr std::uint32_t kLpVersionCapacity = 4;

// `withZeroByte` puts a zero byte after the path, as the single-file write sends it.
Bytes FsacOpenRequest(std::string_view phonePath, bool withZeroByte);
Bytes FsacSeekRequest(std::uint32_t offset, SeekMode mode);
Bytes FsacReadRequest(std::uint32_t wanted);
Bytes FsacWriteRequest(ByteView data);
Bytes FsacCloseRequest();
Bytes FsacVolumeListRequest();

void PutU32(Bytes& bytes, std::uint32_t value);

}  // namespace menuforge
