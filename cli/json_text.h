// JSON written straight out as it is made, laid out as a document dumped with an indent of two:
// a comparison of the largest menus holds thousands of fields, and building a document tree for
// them first, then copying its text, took longer than loading both menus.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace menuforge::cli {

class JsonText {
 public:
  explicit JsonText(std::ostream& out) : stream_(out) {}
  JsonText(const JsonText&) = delete;
  JsonText& operator=(const JsonText&) = delete;

  // Containers: every value inside one, and every key, starts with its separator and indent.
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  void Key(std::string_view key);

  // Texts are UTF-8, written in ASCII with \uXXXX for the rest; a byte that is not UTF-8 is
  // written as U+FFFD.
  void String(std::string_view text);
  void Number(std::size_t number);
  void Bool(bool value);
  void Null();

  // Writes what is left; the stream's state tells whether everything was written.
  void Finish();

 private:
  void Open(char bracket);
  void Close(char bracket);
  // The separator and indent before a value, unless it follows its key.
  void BeforeValue();
  void Quoted(std::string_view text);
  void Escaped(char32_t codePoint);
  // Hands the text made so far to the stream once it fills a block.
  void Pass();

  std::ostream& stream_;
  std::string out_;
  std::size_t depth_ = 0;
  bool empty_ = true;      // nothing written yet into the innermost container
  bool afterKey_ = false;  // the next value follows a key on the same line
};

}  // namespace menuforge::cli
