// Helpers shared by the core tests: a recording stand-in for the user, temporary folders, files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "base/user_messages.h"

namespace menuforge::test {

// Records every message and answers questions from a queue (Yes when the queue is empty).
class RecordingDialogs : public UserDialogs {
 public:
  std::vector<Message> shown;
  std::vector<Message> asked;
  std::vector<bool> answers;

  void Show(const Message& message) override { shown.push_back(message); }
  bool Ask(const Message& question) override {
    asked.push_back(question);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
};

// A fresh folder below the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

Bytes ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileText(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);
void WriteFileText(const std::filesystem::path& path, const std::string& text);
// "00 01 0D" style hex to bytes.
Bytes HexBytes(const std::string& hex);

}  // namespace menuforge::test
