#include "workspace/ini_file.h"

#include <cerrno>

#include "base/local_file.h"

// The packaged header keeps its definitions behind SI_IMPLEMENTATION; only 8-bit text is needed.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace menuforge {
namespace {

std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

}  // namespace

struct IniFile::Sections : CSimpleIniA {
  Sections() : CSimpleIniA(/*a_bIsUtf8=*/false, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false) {
    SetSpaces(false);
  }
};

IniFile::IniFile() : sections_(std::make_unique<Sections>()) {}

IniFile::~IniFile() = default;

Status IniFile::Read(const std::filesystem::path& path) {
  std::error_code missing;
  if (!std::filesystem::exists(path, missing)) return {};
  const Result<std::string> text = ReadWholeFile(path);
  if (!text) return Failure(text.error());
  if (sections_->LoadData(*text) < 0) return Failure(FileError("read", path, ENOMEM));
  return {};
}

std::string_view IniFile::Value(const char* section, const char* key, const char* fallback) const {
  return sections_->GetValue(section, key, fallback);
}

void IniFile::Replace(const char* section, const char* key, const std::string& value) {
  sections_->Delete(section, key);
  sections_->SetValue(section, key, value.c_str());
}

void IniFile::Remove(const char* section, const char* key) { sections_->Delete(section, key); }

void IniFile::RemoveSection(const char* section) { sections_->Delete(section, nullptr); }

Status IniFile::Write(const std::filesystem::path& path) const {
  std::string text;
  sections_->Save(text);  // into memory and without character conversion: it cannot fail
  return WriteFileAtomically(path, WithCrLf(text));
}

}  // namespace menuforge
