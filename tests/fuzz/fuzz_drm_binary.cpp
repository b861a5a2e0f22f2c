// Any bytes as a DRM binary: parsing never reads outside them, and every entry it offers as a
// picture converts.
#include <cstddef>
#include <cstdint>

#include "pictures/drm_picture.h"

namespace {

using namespace menuforge;

// Entries from both ends of the numbering, where the tables begin and end.
constexpr std::size_t kEntriesPerEnd = 32;

std::uint8_t Touch(ByteView bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t b : bytes) sum ^= b;
  return sum;
}

void CheckEntry(const DrmBinary& binary, std::size_t index) {
  const std::optional<DrmEntry> entry = binary.Entry(index);
  if (!entry) return;
  if (const auto* image = std::get_if<DrmImageEntry>(&*entry)) {
    (void)Touch(image->data);
    if (!ExtractDrmPicture(binary, index)) __builtin_trap();
  } else {
    (void)Touch(std::get<DrmFileEntry>(*entry).gif);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DrmBinary binary = DrmBinary::Parse(Bytes(data, data + size));
  // Every offered entry has a 4-byte offset or a 16-byte record in the file.
  if (binary.highestNumber() > size / 4 + size / 16) __builtin_trap();
  const std::size_t count = binary.highestNumber();
  for (std::size_t i = 0; i < count && i < kEntriesPerEnd; ++i) CheckEntry(binary, i);
  for (std::size_t i = count > kEntriesPerEnd ? count - kEntriesPerEnd : 0; i < count + 2; ++i)
    CheckEntry(binary, i);
  return 0;
}
