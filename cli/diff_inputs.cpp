#include "cli/diff_inputs.h"

#include <fstream>

#include "base/local_file.h"
#include "cli/backup_side.h"
#include "cli/command.h"
#include "cli/phone_connection.h"
#include "cli/scratch_folder.h"

namespace menuforge::cli {
namespace {

// Far beyond the largest menu file, which stays below 150 KB.
constexpr std::size_t kReadLimit = 1 << 20;
constexpr char kScratchPattern[] = "menuforge-diff-XXXXXX";
constexpr char kPhoneReadFailed[] = "the phone's menu file could not be read";

DiffInput ReadFile(const std::filesystem::path& path) {
  DiffInput input;
  Result<std::string> read = ReadFileStart(path, kReadLimit);
  if (!read) throw CommandFailure(read.error().text);
  input.bytes = std::move(*read);
  input.whole = input.bytes.size() < kReadLimit;
  if (!input.whole) input.path = path;
  return input;
}

// Reads on from where ReadFile stopped; the open stream fails on the first short or bad read.
class FileRest {
 public:
  explicit FileRest(const std::filesystem::path& path) : path_(path), in_(path, std::ios::binary) {
    in_.seekg(static_cast<std::streamoff>(kReadLimit));
    if (!in_) throw CommandFailure(FileError("read", path_, errno));
  }

  // The next `size` bytes, fewer only at the end of the file.
  std::string_view Next(std::size_t size) {
    buffer_.resize(size);
    in_.read(buffer_.data(), static_cast<std::streamsize>(size));
    if (in_.bad()) throw CommandFailure(FileError("read", path_, errno));
    return {buffer_.data(), static_cast<std::size_t>(in_.gcount())};
  }

 private:
  std::filesystem::path path_;
  std::ifstream in_;
  std::string buffer_;
};

DiffInput ReadPhone(const ParsedArguments& arguments) {
  const ScratchFolder scratch(TemporaryFolder(), kScratchPattern);
  PhoneConnection phone(arguments, Settings{}, scratch.path());
  const std::filesystem::path copy = phone.link().menuFiles.ReadPhoneMenuFiles();
  if (copy.empty()) throw CommandFailure(kPhoneReadFailed);
  return ReadFile(copy);
}

}  // namespace

bool SameBytes(const DiffInput& a, const DiffInput& b) {
  if (a.whole != b.whole || a.bytes != b.bytes) return false;
  if (a.whole) return true;
  FileRest restA(a.path), restB(b.path);
  constexpr std::size_t kStep = 1 << 16;
  for (;;) {
    const std::string_view partA = restA.Next(kStep);
    if (partA != restB.Next(kStep)) return false;
    if (partA.size() < kStep) return true;
  }
}

DiffInput ReadDiffInput(const std::string& side, const ParsedArguments& arguments) {
  if (side == kPhoneSide) return ReadPhone(arguments);
  if (side.starts_with(kBackupSidePrefix)) return ReadFile(NumberedPhoneBackup(side));
  return ReadFile(side);
}

}  // namespace menuforge::cli
