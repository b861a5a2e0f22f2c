// Synthetic CG1 images: a version string, an item table and a shortcut table laid out as the
// scanner expects them, in filler that holds none of the patterns it searches for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"

namespace menuforge::test {

inline constexpr std::uint8_t kFirmwareFiller = 0x11;
inline constexpr std::string_view kTableEndMarker{"\0\xFF\xFF\xFF\xFF\xFF\xFF", 7};

struct FirmwareLayout {
  std::string version = "R3624_G_0B";  // behind "@(#)"
  std::size_t versionAt = 64;
  std::size_t tableAt = 512;
  std::size_t entrySize = 20;  // of the item table, 20 or 36
  std::vector<std::string> items = {"2CLICK", "PhoneBook", "Zzz"};
  std::vector<std::string> shortcuts = {"DialedCalls", "Yyy"};  // in table order
  // Bytes from the end of the last shortcut entry to the end of the marker, 10 or 12; 0 puts
  // the shortcuts behind the marker as 44-byte entries (the first should be "Dialed...").
  std::size_t gap = 10;
  std::size_t size = 4096;
};

inline void Put(Bytes& image, std::size_t at, std::string_view bytes) {
  if (image.size() < at + bytes.size()) image.resize(at + bytes.size(), kFirmwareFiller);
  std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
}

// The name, zero padding, and for 20-byte item entries a data byte at the end.
inline std::string Entry(std::string_view name, std::size_t size) {
  std::string entry(name);
  entry.resize(size, '\0');
  if (size == 20) entry.back() = '\x01';
  return entry;
}

// Ends where the layout's size says, or behind the last table when that lies further.
inline Bytes SyntheticFirmware(const FirmwareLayout& layout) {
  Bytes image(layout.size, kFirmwareFiller);
  Put(image, layout.versionAt, "@(#)" + layout.version + std::string(1, '\0'));
  std::size_t at = layout.tableAt;
  for (const std::string& name : layout.items) {
    Put(image, at, Entry(name, layout.entrySize));
    at += layout.entrySize;
  }
  // Far enough that the entry before the first shortcut is filler.
  at += 64;
  if (layout.gap == 0) {
    Put(image, at, kTableEndMarker);
    at += kTableEndMarker.size() + 4;
    for (const std::string& name : layout.shortcuts) {
      Put(image, at, Entry(name, 44));
      at += 44;
    }
    return image;
  }
  for (const std::string& name : layout.shortcuts) {
    Put(image, at, Entry(name, 52));
    at += 52;
  }
  // Zero, x, zero, any, x before the marker tell a gap of 12.
  if (layout.gap == 12) Put(image, at, std::string_view("\0\x07\0\x11\x07", 5));
  Put(image, at + layout.gap - kTableEndMarker.size(), kTableEndMarker);
  return image;
}

}  // namespace menuforge::test
