// The two sides of "diff": a file, the phone's current menu ("phone:") or a safety copy
// ("backup:N", the newest first), each read into memory without touching the working folder.
#pragma once

#include <string>

#include "base/text_encoding.h"
#include "cli/arguments.h"

namespace menuforge::cli {

inline constexpr char kPhoneSide[] = "phone:";
inline constexpr char kBackupSidePrefix[] = "backup:";

struct DiffInput {
  std::string bytes;
  // False when the file was larger than any menu and only its start was read: its bytes can then
  // not be said to equal another's.
  bool whole = true;

  ByteView view() const {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  }
};

// Throws CommandFailure when the side cannot be read.
DiffInput ReadDiffInput(const std::string& side, const ParsedArguments& arguments);

}  // namespace menuforge::cli
