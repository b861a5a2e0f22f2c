// "menuforge.ini" as sections of keys: read whole, changed in memory, swapped in whole. Section
// and key names match without regard to letter case; repeated keys are kept, the first counts.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "base/result.h"

namespace menuforge {

class IniFile {
 public:
  IniFile();
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // A missing file reads as empty.
  Status Read(const std::filesystem::path& path);
  std::string_view Value(const char* section, const char* key, const char* fallback) const;
  void Replace(const char* section, const char* key, const std::string& value);
  void Remove(const char* section, const char* key);
  void RemoveSection(const char* section);
  // Writes every section with CR LF line ends, so that a failure leaves the old file as it was.
  Status Write(const std::filesystem::path& path) const;

 private:
  struct Sections;
  std::unique_ptr<Sections> sections_;
};

}  // namespace menuforge
