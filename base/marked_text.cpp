#include "base/marked_text.h"

namespace menuforge {

std::string FilledText(std::string_view source, const std::vector<std::string>& values) {
  std::string filled;
  filled.reserve(source.size());
  for (std::size_t i = 0; i < source.size(); ++i) {
    const bool placeholder =
        source[i] == '%' && i + 1 < source.size() && source[i + 1] >= '1' && source[i + 1] <= '9';
    const std::size_t number = placeholder ? static_cast<std::size_t>(source[i + 1] - '0') : 0;
    if (placeholder && number <= values.size()) {
      filled += values[number - 1];
      ++i;
      continue;
    }
    filled += source[i];
  }
  return filled;
}

}  // namespace menuforge
