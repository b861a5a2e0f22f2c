#include "java/jad_file.h"

namespace menuforge {
namespace {

constexpr std::string_view kMidlet1Key = "MIDlet-1:";
// The key and at least one character after it.
constexpr std::size_t kShortestMidlet1Line = 10;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string ReadJadMidletName(std::string_view jad) {
  std::string name;
  while (!jad.empty()) {
    const std::size_t end = jad.find_first_of("\r\n");
    const std::string_view line = Trimmed(jad.substr(0, end));
    jad.remove_prefix(end == std::string_view::npos ? jad.size() : end + 1);
    if (line.size() < kShortestMidlet1Line || !line.starts_with(kMidlet1Key)) continue;
    const std::string_view value = Trimmed(line.substr(kMidlet1Key.size()));
    name += value.substr(0, value.find(','));
  }
  return std::string(Trimmed(name));
}

}  // namespace menuforge
