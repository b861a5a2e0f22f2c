// What the simulated phone keeps on disk: a storage folder with one sub-folder per volume ("a",
// "b", "c", "e"), the file attributes in a table beside them, and the SEEM records.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/commondata.h"
#include "phone/file_list_entry.h"

namespace menuforge {

inline constexpr char kAttributeTableFile[] = "attributes";
inline constexpr char kSeemFolder[] = "seem";

class PhoneStorage {
 public:
  explicit PhoneStorage(std::filesystem::path root);

  const std::filesystem::path& root() const { return root_; }
  std::optional<std::filesystem::path> Resolve(std::string_view phonePath) const;

  // The letters of the volume folders, in alphabetical order.
  std::string Volumes() const;
  // Every file below the folder of `pattern` ("/a/*.gif", "/a/mobile/*") whose name matches its
  // last component, in path order; nothing when the folder is not a phone folder.
  std::optional<std::vector<FileListEntry>> List(std::string_view pattern) const;

  std::uint16_t Attributes(std::string_view phonePath) const;
  [[nodiscard]] bool SetAttributes(std::string_view phonePath, std::uint16_t attributes);
  void ForgetAttributes(std::string_view phonePath);

  std::optional<Bytes> ReadSeem(std::uint16_t seem, std::uint16_t record) const;
  [[nodiscard]] bool WriteSeem(std::uint16_t seem, std::uint16_t record, ByteView data);

 private:
  std::filesystem::path root_;
};

}  // namespace menuforge
