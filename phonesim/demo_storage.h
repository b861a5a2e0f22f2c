// A phone to show a new user: volumes "a", "b", "c" and "e", a menu file built with the
// program's own saver, a few GIF icons, Java applications, and the SEEM records.
#pragma once

#include <filesystem>
#include <string>

namespace menuforge {

// True for a folder that does not exist or holds nothing.
bool IsEmptyStorage(const std::filesystem::path& root);
// Fills an empty storage folder. Returns the error text, or empty.
[[nodiscard]] std::string CreateDemoStorage(const std::filesystem::path& root);

}  // namespace menuforge
