// A phone to show a new user: volumes "a", "b", "c" and "e", a menu file built with the
// program's own saver, a few GIF icons, and the SEEM records.
#pragma once

#include <filesystem>
#include <string>

#include "menu/commondata.h"

namespace menuforge {

// True for a folder that does not exist or holds nothing.
bool IsEmptyStorage(const std::filesystem::path& root);
// Fills an empty storage folder. Returns the error text, or empty.
std::string CreateDemoStorage(const std::filesystem::path& root);

// A 16 × 16 picture in four colours as a GIF file; `shape` picks the colour of each pixel.
Bytes DemoIcon(int (*shape)(int x, int y));

}  // namespace menuforge
