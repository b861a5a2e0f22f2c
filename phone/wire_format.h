// How the library's calls travel over the local socket to the phone simulator: frames of a
// 32-bit big-endian length and that many payload bytes. A request payload is a call code and
// its arguments; the simulator answers with one result frame, before which a file list sends
// one frame per entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/text_encoding.h"

namespace menuforge {

enum class WireCall : std::uint8_t {
  SendCommand = 1,
  Restart,
  CountFiles,
  ListFiles,
  CreateFile,
  CloseFile,
  DeleteFile,
  CreateDir,
  DeleteDir,
  SeemRead,
  SeemWrite,
};
// A new wire call goes last above and becomes this; phone/phone_calls.h checks that every wire
// call carries a call of its list.
inline constexpr WireCall kLastWireCall = WireCall::SeemWrite;

enum class WireReply : std::uint8_t { Result = 1, ListedEntry = 2 };

inline constexpr std::size_t kFrameHeaderSize = 4;
inline constexpr std::size_t kMaxFramePayload = 64 * 1024;

class WireWriter {
 public:
  explicit WireWriter(std::uint8_t code) { bytes_.push_back(code); }
  WireWriter& U16(std::uint16_t value);
  WireWriter& U32(std::uint32_t value);
  WireWriter& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
  WireWriter& Append(ByteView bytes);
  WireWriter& Append(const std::string& text);
  // The payload with its length in front.
  Bytes Frame() const;

 private:
  Bytes bytes_;
};

// Reads a payload front to back; any read past its end leaves it failed.
class WireReader {
 public:
  explicit WireReader(ByteView payload) : payload_(payload) {}
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  ByteView Rest();
  ByteView Take(std::size_t count);
  bool ok() const { return ok_; }

 private:
  ByteView payload_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

// Collects bytes as they arrive and hands out whole payloads.
class FrameBuffer {
 public:
  void Append(ByteView bytes);
  // A whole payload when one is complete; `tooLarge` when the next frame announces more than
  // kMaxFramePayload.
  std::optional<Bytes> Next(bool& tooLarge);
  // Bytes come that no whole payload has been handed out for yet.
  bool HasPartial() const { return buffer_.size() > taken_; }

 private:
  Bytes buffer_;
  std::size_t taken_ = 0;  // bytes at the front already handed out
};

}  // namespace menuforge
