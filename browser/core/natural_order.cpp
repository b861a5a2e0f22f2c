#include "browser/core/natural_order.h"

#include <cstddef>

namespace menuforge {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The run of digits from `at`, without its leading zeros; `at` moves past the run.
std::string_view DigitRun(std::string_view text, std::size_t& at) {
  while (at < text.size() && text[at] == '0' && at + 1 < text.size() && IsDigit(text[at + 1])) ++at;
  const std::size_t first = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return text.substr(first, at - first);
}

// Negative, zero or positive, like a three-way comparison.
int Compare(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::string_view x = DigitRun(a, i);
      const std::string_view y = DigitRun(b, j);
      // Without leading zeros, the longer run is the larger number.
      if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
      if (const int order = x.compare(y); order != 0) return order;
      continue;
    }
    const auto x = static_cast<unsigned char>(Folded(a[i]));
    const auto y = static_cast<unsigned char>(Folded(b[j]));
    if (x != y) return x < y ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return 0;
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  const int order = Compare(a, b);
  // Names that read alike ("a1", "a01", "A1") still get one fixed order.
  return order != 0 ? order < 0 : a < b;
}

}  // namespace menuforge
