// Any bytes through the J2MEST parser, and a JAD name from the same bytes through the field the
// patcher writes: every listed launch text lies inside the file, and writing there changes
// nothing but its 33 bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "java/j2mest_format.h"
#include "java/jad_file.h"

using namespace menuforge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteView file(data, size);
  const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
  if (parsed.has_value() != J2mestLayoutFor(size).has_value()) __builtin_trap();
  if (!parsed) return 0;

  const std::string name =
      ReadJadMidletName(std::string_view(reinterpret_cast<const char*>(data), size));
  Bytes patched(file.begin(), file.end());
  std::vector<bool> inField(size, false);
  for (const PatchTarget& target : parsed->patches) {
    const std::optional<MidletEntry>& entry = parsed->midlets.at(target.record);
    if (!entry || !entry->corelet || entry->launchText.size() < 3) __builtin_trap();
    if (!WriteLaunchTextField(patched, target.offset, name)) __builtin_trap();
    std::fill_n(inField.begin() + target.offset, kLaunchTextFieldSize, true);
  }
  for (std::size_t i = 0; i < size; ++i)
    if (!inField[i] && patched[i] != data[i]) __builtin_trap();
  for (const std::optional<MidletEntry>& entry : parsed->midlets)
    if (entry && (entry->name.empty() ||
                  entry->name.size() + entry->vendor.size() + entry->launchText.size() >=
                      parsed->layout.recordSize))
      __builtin_trap();
  return 0;
}
