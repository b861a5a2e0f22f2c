// The demo phone's firmware files, made up here and taken from no phone: a CG1 image that the
// profile scan reads (its version, the table of menu items and the table of shortcuts), and a
// DRM binary (the firmware's code group for graphics, CG15) with a few dozen icons for its
// 176 × 220 screen, for the item editor's DRM icons.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/text_encoding.h"

namespace menuforge {

// Below the storage folder, beside the volumes; a name longer than one letter is no volume.
inline constexpr char kDemoFirmwareFolder[] = "firmware";
inline constexpr char kDemoFirmwareImageName[] = "demo_CG1.smg";
inline constexpr char kDemoDrmBinaryName[] = "demo_CG15.smg";
inline constexpr std::size_t kDemoMenuIcons = 24;  // 44 × 44, for the main menu's grid
inline constexpr std::size_t kDemoListIcons = 12;  // 16 × 16, for lists

// "@(#)" and the version, the built-in item base's items in 36-byte entries starting with
// "2CLICK", its shortcut items, and the marker that ends their table.
Bytes DemoFirmwareImage(std::string_view version);
// Layout B: kDemoMenuIcons + kDemoListIcons raw 5-6-5 icons with their masks, numbered from 1.
Bytes DemoDrmBinary();

// Writes both into STORAGE/firmware, each only when missing. Returns the error text, or empty.
[[nodiscard]] std::string WriteDemoFirmware(const std::filesystem::path& storage,
                                            std::string_view version);

}  // namespace menuforge
