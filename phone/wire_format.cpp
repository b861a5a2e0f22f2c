#include "phone/wire_format.h"

#include <algorithm>

#include "phone/fsac_request.h"

namespace menuforge {

WireWriter& WireWriter::U16(std::uint16_t value) {
  bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  bytes_.push_back(static_cast<std::uint8_t>(value));
  return *this;
}

WireWriter& WireWriter::U32(std::uint32_t value) {
  PutU32(bytes_, value);
  return *this;
}

WireWriter& WireWriter::Append(ByteView bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

WireWriter& WireWriter::Append(const std::string& text) {
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  return *this;
}

Bytes WireWriter::Frame() const {
  Bytes frame;
  frame.reserve(kFrameHeaderSize + bytes_.size());
  PutU32(frame, static_cast<std::uint32_t>(bytes_.size()));
  frame.insert(frame.end(), bytes_.begin(), bytes_.end());
  return frame;
}

ByteView WireReader::Take(std::size_t count) {
  if (!ok_ || payload_.size() - position_ < count) {
    ok_ = false;
    return {};
  }
  const ByteView taken = payload_.subspan(position_, count);
  position_ += count;
  return taken;
}

std::uint8_t WireReader::U8() {
  const ByteView bytes = Take(1);
  return ok_ ? bytes[0] : 0;
}

std::uint16_t WireReader::U16() {
  const ByteView bytes = Take(2);
  return ok_ ? ReadU16Be(bytes, 0) : 0;
}

std::uint32_t WireReader::U32() {
  const ByteView bytes = Take(4);
  return ok_ ? ReadU32Be(bytes, 0) : 0;
}

ByteView WireReader::Rest() { return Take(payload_.size() - std::min(position_, payload_.size())); }

void FrameBuffer::Append(ByteView bytes) {
  // Frames taken so far are dropped only now, in one move, rather than one by one.
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(taken_));
  taken_ = 0;
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Bytes> FrameBuffer::Next(bool& tooLarge) {
  tooLarge = false;
  const ByteView waiting = ByteView(buffer_).subspan(taken_);
  if (waiting.size() < kFrameHeaderSize) return std::nullopt;
  const std::uint32_t length = ReadU32Be(waiting, 0);
  if (length > kMaxFramePayload) {
    tooLarge = true;
    return std::nullopt;
  }
  if (waiting.size() < kFrameHeaderSize + length) return std::nullopt;
  const auto begin = waiting.begin() + kFrameHeaderSize;
  Bytes payload(begin, begin + length);
  taken_ += kFrameHeaderSize + length;
  return payload;
}

}  // namespace menuforge
