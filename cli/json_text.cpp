#include "cli/json_text.h"

namespace menuforge::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr std::size_t kBlock = 1 << 16;

// The length of the UTF-8 sequence that starts at `at`, or 0 when it is no whole sequence.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  return length;
}

// The code point of one whole sequence as SequenceLength measured it.
char32_t CodePoint(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  char32_t value = sequence.size() == 2   ? lead & 0x1F
                   : sequence.size() == 3 ? lead & 0x0F
                                          : lead & 0x07;
  for (std::size_t i = 1; i < sequence.size(); ++i)
    value = (value << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  return value;
}

}  // namespace

void JsonText::Pass() {
  if (out_.size() < kBlock) return;
  stream_.write(out_.data(), static_cast<std::streamsize>(out_.size()));
  out_.clear();
}

void JsonText::Finish() {
  out_ += '\n';
  stream_.write(out_.data(), static_cast<std::streamsize>(out_.size()));
  out_.clear();
}

void JsonText::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  ++depth_;
  empty_ = true;
}

void JsonText::Close(char bracket) {
  --depth_;
  if (!empty_) {
    out_ += '\n';
    out_.append(2 * depth_, ' ');
  }
  out_ += bracket;
  empty_ = false;
  Pass();
}

void JsonText::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (depth_ == 0) return;
  out_ += empty_ ? "\n" : ",\n";
  out_.append(2 * depth_, ' ');
  empty_ = false;
}

void JsonText::Key(std::string_view key) {
  BeforeValue();
  Quoted(key);
  out_ += ": ";
  afterKey_ = true;
}

void JsonText::String(std::string_view text) {
  BeforeValue();
  Quoted(text);
  Pass();
}

void JsonText::Quoted(std::string_view text) {
  out_ += '"';
  std::size_t plain = 0;  // start of the run not yet appended
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte != '"' && byte != '\\' && byte < 0x80) {
      ++i;
      continue;
    }
    out_.append(text, plain, i - plain);
    if (byte >= 0x80) {
      // Everything beyond ASCII as \uXXXX: the terminal-safe output would otherwise escape C1
      // and direction controls in a way JSON does not know.
      const std::size_t length = SequenceLength(text, i);
      if (length == 0) {
        Escaped(0xFFFD);
        ++i;
      } else {
        Escaped(CodePoint(text.substr(i, length)));
        i += length;
      }
      plain = i;
      continue;
    }
    plain = ++i;
    switch (byte) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\b': out_ += "\\b"; break;
      case '\f': out_ += "\\f"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default: Escaped(byte);
    }
  }
  out_.append(text, plain);
  out_ += '"';
}

void JsonText::Escaped(char32_t codePoint) {
  if (codePoint > 0xFFFF) {
    const char32_t rest = codePoint - 0x10000;
    Escaped(0xD800 + (rest >> 10));
    Escaped(0xDC00 + (rest & 0x3FF));
    return;
  }
  out_ += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out_ += kHexDigits[(codePoint >> shift) & 0xF];
}

void JsonText::Number(std::size_t number) {
  BeforeValue();
  out_ += std::to_string(number);
}

void JsonText::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonText::Null() {
  BeforeValue();
  out_ += "null";
}

}  // namespace menuforge::cli
