#include "phone/phone_text.h"

#include "base/text_encoding.h"

namespace menuforge {

std::optional<std::string> PhoneText(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) {
    if (c == 0 || c > 0xFF) return std::nullopt;
    bytes += static_cast<char>(c);
  }
  return bytes;
}

std::optional<std::string> PhoneNameOfLocal(const std::filesystem::path& local) {
  Result<std::string> name = Utf8ToLatin1(local.filename().string());
  if (!name) return std::nullopt;
  return std::move(*name);
}

std::filesystem::path LocalNameOfPhone(std::string_view name) { return Latin1ToUtf8(name); }

std::string ShownPhonePath(std::string_view path) { return Latin1ToUtf8(path); }

Message NotEightBitMessage(std::string_view shown) {
  return {kNotEightBitPathPrefix + std::string(shown), kErrorCaption, MessageIcon::Error};
}

}  // namespace menuforge
