// The J2MEST copies the phone link read with the menu ("j2mest_temp" from phone memory,
// "j2mest_mmc" from the card), parsed into the MIDlet tables the item editor lists and the patch
// lists the patcher works through.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/user_messages.h"
#include "java/j2mest_format.h"
#include "phone/phone_menu_files.h"

namespace menuforge {

inline Message UnsupportedJ2mestMessage() {
  return {kUnsupportedJ2mestText, kErrorCaption, MessageIcon::Error};
}

// A working file that could not be read or written, with the system's reason.
inline Message J2mestFileFailure(const std::string& error) {
  return {error, kErrorCaption, MessageIcon::Error};
}

struct J2mestTables {
  MidletTable phone;
  MidletTable card;
  std::vector<PatchTarget> phonePatches;
  std::vector<PatchTarget> cardPatches;
  // Either patch list holds an entry.
  bool needsPatching = false;
};

// Reads a J2MEST copy, if it is a regular file: all of it, or the first LargestJ2mestSize() + 1
// bytes of a larger one, which no layout fits either.
Result<Bytes> ReadJ2mestFile(const std::filesystem::path& path);

// Empties `tables`, then parses the phone copy when the phone's J2MEST was read and the card copy
// when the card's was. False, with the message shown, after a copy that fits no layout or could
// not be read: the card copy is then not parsed, and `needsPatching` stays clear.
[[nodiscard]] bool ParseJ2mest(const J2mestState& state, const std::filesystem::path& workingFolder,
                               UserDialogs& dialogs, J2mestTables& tables);

}  // namespace menuforge
