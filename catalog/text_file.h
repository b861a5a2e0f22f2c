// Whole-file reading and writing for the catalogue's small text files. Every function returns
// an empty text when it worked, or the system's error report.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace menuforge {

std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents);
// Writes a sibling file first and renames it over the target, so a failed write never leaves
// a shortened file behind that would later pass for a complete one.
std::string ReplaceFile(const std::filesystem::path& path, std::string_view contents);
// Appends one CR LF line to an existing file; a missing file is an error. When the file does
// not end with a line break, one is written first so the new line stays a line of its own.
std::string AppendLine(const std::filesystem::path& path, std::string_view line);

// Lines ended by LF or CR LF; a line break at the very end does not open another line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace menuforge
