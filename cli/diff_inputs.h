// The two sides of "diff": a file, the phone's current menu ("phone:") or a safety copy
// ("backup:N", the newest first), each read into memory without touching the working folder.
#pragma once

#include <filesystem>
#include <string>

#include "base/text_encoding.h"
#include "cli/arguments.h"
#include "cli/backup_side.h"

namespace menuforge::cli {

inline constexpr char kPhoneSide[] = "phone:";

struct DiffInput {
  std::string bytes;
  // False when the file was larger than any menu and only its start was read: its bytes can then
  // not be said to equal another's.
  bool whole = true;
  // Where the rest of a file that was not read whole can be found.
  std::filesystem::path path;

  ByteView view() const {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  }
};

// Throws CommandFailure when the side cannot be read.
DiffInput ReadDiffInput(const std::string& side, const ParsedArguments& arguments);

// Whether the two sides hold the same bytes, however large; what was not read whole is read
// on from its file. Throws CommandFailure when that file cannot be read.
bool SameBytes(const DiffInput& a, const DiffInput& b);

}  // namespace menuforge::cli
