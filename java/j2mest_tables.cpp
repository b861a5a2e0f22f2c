#include "java/j2mest_tables.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "base/local_file.h"
#include "workspace/working_files.h"

namespace menuforge {
namespace {

// True when the copy was parsed; fills the slots and the list of the copy.
bool ParseCopy(const std::filesystem::path& path, UserDialogs& dialogs, MidletTable& table,
               std::vector<PatchTarget>& patches) {
  const Result<Bytes> bytes = ReadJ2mestFile(path);
  if (!bytes) {
    dialogs.Show(J2mestFileFailure(bytes.error().text));
    return false;
  }
  std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(*bytes);
  if (!parsed) {
    dialogs.Show(UnsupportedJ2mestMessage());
    return false;
  }
  table = std::move(parsed->midlets);
  patches = std::move(parsed->patches);
  return true;
}

}  // namespace

Result<Bytes> ReadJ2mestFile(const std::filesystem::path& path) {
  return ReadFileStartBytes(path, LargestJ2mestSize() + 1);
}

bool ParseJ2mest(const J2mestState& state, const std::filesystem::path& workingFolder,
                 UserDialogs& dialogs, J2mestTables& tables) {
  tables = J2mestTables{};
  if (state.readFromPhone &&
      !ParseCopy(workingFolder / kPhoneJ2mestWorkFile, dialogs, tables.phone, tables.phonePatches))
    return false;
  if (state.readFromCard &&
      !ParseCopy(workingFolder / kCardJ2mestWorkFile, dialogs, tables.card, tables.cardPatches))
    return false;
  tables.needsPatching = !tables.phonePatches.empty() || !tables.cardPatches.empty();
  return true;
}

}  // namespace menuforge
