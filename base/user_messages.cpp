#include "base/user_messages.h"

namespace menuforge {
namespace {

constexpr std::size_t kMostQuotedCharacters = 80;
constexpr std::size_t kMostShownWarnings = 10;
constexpr char kCutMark[] = "\u2026";

std::string MoreWarnings(std::size_t count) {
  return std::string(kCutMark) + " and " + std::to_string(count) + " more";
}

}  // namespace

Message FilledMessage(std::string_view source, std::vector<std::string> values, std::string caption,
                      MessageIcon icon) {
  Message message{FilledText(source, values), std::move(caption), icon};
  message.source = std::string(source);
  message.values = std::move(values);
  return message;
}

std::string ShortenedForMessage(std::string_view text) {
  if (text.size() <= kMostQuotedCharacters) return std::string(text);
  return std::string(text.substr(0, kMostQuotedCharacters)) + kCutMark;
}

std::string QuotedForMessage(std::string_view text) {
  return '"' + ShortenedForMessage(text) + '"';
}

std::vector<std::string> ShownWarnings(const std::vector<std::string>& warnings) {
  if (warnings.size() <= kMostShownWarnings) return warnings;
  std::vector<std::string> shown(warnings.begin(), warnings.begin() + kMostShownWarnings);
  shown.push_back(MoreWarnings(warnings.size() - kMostShownWarnings));
  return shown;
}

}  // namespace menuforge
