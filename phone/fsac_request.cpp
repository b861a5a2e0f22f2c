#include "phone/fsac_request.h"

namespace menuforge {
namespace {

Bytes Header(std::uint32_t command, std::uint32_t argument) {
  Bytes request;
  request.reserve(kFsacHeaderSize);
  PutU32(request, command);
  PutU32(request, argument);
  return request;
}

}  // namespace

void PutU32(Bytes& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

Bytes FsacOpenRequest(std::string_view phonePath, bool withZeroByte) {
  Bytes request = Header(kFsacOpen, 0);
  request.insert(request.end(), phonePath.begin(), phonePath.end());
  if (withZeroByte) request.push_back(0);
  return request;
}

Bytes FsacSeekRequest(std::uint32_t offset, SeekMode mode) {
  Bytes request = Header(kFsacSeek, offset);
  request.push_back(mode);
  return request;
}

Bytes FsacReadRequest(std::uint32_t wanted) { return Header(kFsacRead, wanted); }

Bytes FsacWriteRequest(ByteView data) {
  Bytes request = Header(kFsacWrite, static_cast<std::uint32_t>(data.size()));
  request.insert(request.end(), data.begin(), data.end());
  return request;
}

Bytes FsacCloseRequest() {
  Bytes request;
  PutU32(request, kFsacClose);
  return request;
}

Bytes FsacVolumeListRequest() {
  Bytes request;
  PutU32(request, kFsacVolumeList);
  return request;
}

}  // namespace menuforge
