#include "browser/core/file_mask.h"

#include "base/text_encoding.h"
#include "phone/phone_text.h"

namespace menuforge {

bool MaskChoiceEnabled(const std::string& volumes) { return !volumes.empty(); }

MaskDialogContent BeginMaskDialog(BrowserRunState& state, const std::string& volumes) {
  std::string letters;
  for (const char letter : volumes)
    if (letters.find(letter) == std::string::npos) letters += letter;
  state.mask.volumes = letters;
  const std::string& extension = state.mask.extension;
  return {letters, extension.empty() ? std::string() : extension.substr(1)};
}

std::optional<Message> AcceptMask(BrowserRunState& state, const std::string& checkedLetters,
                                  std::u16string_view typed) {
  const std::optional<std::string> extension = PhoneText(typed);
  if (!extension) return NotEightBitMessage(WideToUtf8(typed));
  state.mask.volumes = checkedLetters;
  state.mask.extension = extension->empty() ? std::string() : "." + *extension;
  state.listMode = ListMode::ByMask;
  return std::nullopt;
}

}  // namespace menuforge
