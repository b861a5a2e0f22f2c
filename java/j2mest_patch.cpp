#include "java/j2mest_patch.h"

#include <string>
#include <vector>

#include "base/local_file.h"
#include "java/jad_file.h"
#include "workspace/working_files.h"

namespace menuforge {
namespace {

constexpr char kDownloadingTitle[] = "Downloading j2me";
constexpr char kJadPrefix[] = "j2me";
constexpr char kJadSuffix[] = ".jad";
// Only scales the progress bar.
constexpr std::uint32_t kJadExpectedSize = 500;
// A JAD is a few lines of text; a phone that sends more than this sends no JAD.
constexpr std::uint64_t kJadFileBytes = 64 * 1024;

enum class CopyPatch { Unchanged, Patched, Stopped };

struct CopyToPatch {
  const std::vector<PatchTarget>& targets;
  const std::string& midletFolder;
  std::filesystem::path copy;
};

class Patcher {
 public:
  Patcher(PhoneLink& link, const std::filesystem::path& workingFolder, UserDialogs& dialogs)
      : link_(link), jad_(workingFolder / kJadWorkFile), dialogs_(dialogs) {}

  bool cancelled() const { return cancelled_; }

  // The copy is changed in memory and written back in one piece, so that a failure part way
  // leaves it as the phone sent it.
  CopyPatch Patch(const CopyToPatch& copy) {
    if (copy.targets.empty()) return CopyPatch::Unchanged;
    Result<Bytes> read = ReadJ2mestFile(copy.copy);
    if (!read) return Stop(read.error().text);
    Bytes& bytes = *read;
    // A copy that fits no layout changed since the parse; it might even have been read cut
    // short, and must not be written back so.
    if (!J2mestLayoutFor(bytes.size())) {
      dialogs_.Show(UnsupportedJ2mestMessage());
      return CopyPatch::Stopped;
    }
    bool changed = false;
    for (const PatchTarget& target : copy.targets) {
      std::string name;
      if (!DownloadName(copy.midletFolder, target.record, name)) return CopyPatch::Stopped;
      if (!name.empty() && WriteLaunchTextField(bytes, target.offset, name)) changed = true;
    }
    if (!changed) return CopyPatch::Unchanged;
    if (const Status written = WriteFileAtomically(copy.copy, bytes); !written)
      return Stop(written.error().text);
    return CopyPatch::Patched;
  }

 private:
  CopyPatch Stop(const std::string& error) {
    dialogs_.Show(J2mestFileFailure(error));
    return CopyPatch::Stopped;
  }

  // False after a local failure, which has been shown, or a cancel; `name` stays empty when the
  // phone did not give the whole JAD.
  bool DownloadName(const std::string& midletFolder, std::uint8_t record, std::string& name) {
    const std::string number = std::to_string(record);
    const TransferResult result = link_.transfer.P2KFileRead(
        midletFolder + kJadPrefix + number + kJadSuffix, jad_, kJadExpectedSize,
        kDownloadingTitle + number + kJadSuffix, kJadFileBytes);
    if (result.cancelled) {
      cancelled_ = true;
      return false;
    }
    if (!result.localError.empty()) {
      dialogs_.Show(result.LocalErrorMessage());
      return false;
    }
    if (!result.complete) return true;
    const Result<std::string> text = ReadWholeFile(jad_);
    if (!text) {
      dialogs_.Show(J2mestFileFailure(text.error().text));
      return false;
    }
    name = ReadJadMidletName(*text);
    return true;
  }

  PhoneLink& link_;
  std::filesystem::path jad_;
  UserDialogs& dialogs_;
  bool cancelled_ = false;
};

}  // namespace

void PatchJ2mest(PhoneLink& link, const J2mestTables& tables,
                 const std::filesystem::path& workingFolder, UserDialogs& dialogs) {
  J2mestState& state = link.menuFiles.j2mest;
  state.phoneCopyPatched = false;
  state.cardCopyPatched = false;
  Patcher patcher(link, workingFolder, dialogs);
  const CopyPatch phone = patcher.Patch(
      {tables.phonePatches, state.phoneMidletFolder, workingFolder / kPhoneJ2mestWorkFile});
  state.phoneCopyPatched = phone == CopyPatch::Patched;
  if (phone != CopyPatch::Stopped)
    state.cardCopyPatched =
        patcher.Patch({tables.cardPatches, state.cardMidletFolder,
                       workingFolder / kCardJ2mestWorkFile}) == CopyPatch::Patched;
  if (!patcher.cancelled()) return;
  // A copy patched before the cancel stays here; the phone keeps its own.
  state.phoneCopyPatched = false;
  state.cardCopyPatched = false;
  dialogs.Show({kPatchCancelledText, "", MessageIcon::Information});
}

}  // namespace menuforge
