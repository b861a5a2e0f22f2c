// "p2klog.txt": one line per phone operation while the setting "LogEnabled" is on.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "base/result.h"
#include "workspace/settings.h"

namespace menuforge {

class PhoneLog {
 public:
  // Follows the logging setting as it changes.
  explicit PhoneLog(const Settings& settings) : settings_(settings) {}

  // Creates the file, or empties it, whatever the setting; it stays open.
  Status Create(const std::filesystem::path& path);
  // Opens the file to add lines at its end, creating it when missing. Lines always go to the
  // end, so that a program logging and a script logging to the same file lose none of each
  // other's lines.
  Status Append(const std::filesystem::path& path);
  // Appends the line and CR LF and flushes at once, when logging is on and the file is open.
  void Write(std::string_view line);

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  const Settings& settings_;
  std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace menuforge
