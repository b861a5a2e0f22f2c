// What the simulated phone keeps on disk: a storage folder with one sub-folder per volume ("a",
// "b", "c", "e"), the file attributes in a table beside them, the SEEM records, and the drafts
// of files being written. Nothing it reads or writes lies outside the storage folder once links
// are resolved.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"
#include "phone/file_list_entry.h"

namespace menuforge {

inline constexpr char kAttributeTableFile[] = "attributes";
inline constexpr char kSeemFolder[] = "seem";
inline constexpr char kDraftFolder[] = "drafts";
// Room enough for any file a phone holds, and a bound on what a client can make the simulator
// store.
inline constexpr std::uint64_t kDefaultVolumeCapacity = 64u << 20;
// What the smallest file takes of a volume, an empty one included: its entry and first block.
// Without it, empty files (and SEEM records) would fill the disk under the storage for free.
inline constexpr std::uint64_t kSmallestFileCost = 512;

// The room a file of `size` bytes takes; a file that is not there takes none.
inline std::uint64_t FileCost(std::optional<std::uint64_t> size) {
  return size ? std::max(*size, kSmallestFileCost) : 0;
}

class PhoneStorage {
 public:
  explicit PhoneStorage(const std::filesystem::path& root,
                        std::uint64_t volumeCapacity = kDefaultVolumeCapacity);

  const std::filesystem::path& root() const { return root_; }
  std::uint64_t volumeCapacity() const { return volumeCapacity_; }
  std::optional<std::filesystem::path> Resolve(std::string_view phonePath) const;

  // The letters of the volume folders, in alphabetical order.
  std::string Volumes() const;
  // Every file below the folder of `pattern` ("/a/*.gif", "/a/mobile/*") whose name matches its
  // last component, in path order; nothing when the folder is not a phone folder.
  std::optional<std::vector<FileListEntry>> List(std::string_view pattern) const;

  std::uint16_t Attributes(std::string_view phonePath) const;
  [[nodiscard]] bool SetAttributes(std::string_view phonePath, std::uint16_t attributes);
  void ForgetAttributes(std::string_view phonePath);

  // Room for an open file of `volume` to grow by `bytes`, on top of the files the volume holds
  // and the room its other open files were given; false when the volume is full.
  [[nodiscard]] bool Claim(char volume, std::uint64_t bytes);
  void Release(char volume, std::uint64_t bytes);
  // Counts a file of `volume` the simulator changed from `before` to `after` bytes; nothing for a
  // file that was not there before or is gone after.
  void Resized(char volume, std::optional<std::uint64_t> before,
               std::optional<std::uint64_t> after);
  // Creates an empty file of `volume` where there is none, when the volume has room for it.
  [[nodiscard]] bool CreateEmptyFile(char volume, const std::filesystem::path& local);
  // The folder drafts are written in, made when missing; nothing when it cannot be used.
  std::optional<std::filesystem::path> DraftFolder() const;
  // Removes the drafts a simulator that was killed left behind.
  void ClearDrafts() const;

  std::optional<Bytes> ReadSeem(std::uint16_t seem, std::uint16_t record) const;
  [[nodiscard]] bool WriteSeem(std::uint16_t seem, std::uint16_t record, ByteView data);

 private:
  // The files of a volume are counted once, and again only when it seems full, so that files
  // removed behind the simulator's back free their room; what the simulator itself changes is
  // counted as it goes.
  struct VolumeSpace {
    std::optional<std::uint64_t> used;
    std::uint64_t claimed = 0;
  };

  // The room taken in a volume's folder, or in the SEEM records' (which count as one more volume).
  std::uint64_t UsedBytes(const std::string& folder) const;
  [[nodiscard]] bool ClaimIn(const std::string& folder, std::uint64_t bytes);
  void ReleaseIn(const std::string& folder, std::uint64_t bytes);
  void ResizedIn(const std::string& folder, std::uint64_t beforeCost, std::uint64_t afterCost);

  std::filesystem::path root_;
  std::uint64_t volumeCapacity_;
  std::map<std::string, VolumeSpace> space_;
};

}  // namespace menuforge
