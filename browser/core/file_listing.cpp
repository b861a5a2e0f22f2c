#include "browser/core/file_listing.h"

#include <algorithm>
#include <array>
#include <span>

#include "phone/fsac_request.h"
#include "phone/phone_menu_files.h"

namespace menuforge {
namespace {

constexpr char kPictureListTitle[] = "Retrieving picture list from volume /";
constexpr char kFileListTitle[] = "Retrieving file list from volume /";

struct ListStyle {
  const char* logPrefix;
  // Nothing for the masked list, which reads the mask's volumes and never asks for them.
  const char* volumeLine;
  const char* title;
};

constexpr ListStyle kIconList{"[GetIconList] ", "Get volume info RC=", kPictureListTitle};
constexpr ListStyle kFileList{"[GetFileList] ", "Get volume info  RC=", kFileListTitle};
constexpr ListStyle kMaskedList{"[GetMaskedList] ", nullptr, kFileListTitle};

// False after showing the message when the phone refused the volume list.
[[nodiscard]] bool ReadVolumesWhenUnknown(PhoneSession& session, const ListStyle& style,
                                          UserDialogs& dialogs) {
  if (!session.volumes.empty()) return true;
  std::array<std::uint8_t, kFsacBufferSize> response{};
  std::uint32_t received = kVolumeListCapacity;
  const std::int32_t result =
      session.library().P2K_SendCMD(kCommandFsac, FsacVolumeListRequest(), response, received);
  session.log().Write(std::string(style.logPrefix) + style.volumeLine + std::to_string(result));
  if (result == kP2kFailure) {
    dialogs.Show({kGettingVolumesFailedText, "", MessageIcon::Error});
    return false;
  }
  session.FillVolumeTable(response, received);
  return true;
}

// Appends the matches of `pattern` to the phone file list.
void ListVolume(PhoneSession& session, const ListStyle& style, char volume,
                const std::string& pattern, ShownProgress& window) {
  const std::int32_t count = session.library().File_CountEx(pattern);
  session.log().Write(std::string(style.logPrefix) + "FileCountEx  RC=" + std::to_string(count));
  std::vector<FileListEntry>& list = session.fileList;
  const std::size_t room = kMaxListedFiles - std::min(list.size(), kMaxListedFiles);
  const std::size_t wanted = std::min(static_cast<std::size_t>(std::max(count, 0)), room);
  if (wanted == 0) return;
  const std::size_t first = list.size();
  window.SetPosition(0);
  session.progressTitle = style.title + std::string(1, volume) + "/";
  window.SetCaption(session.progressTitle);
  const std::int32_t result = session.library().File_ListEx(
      list, wanted, [&](std::int32_t, std::int32_t done, std::int32_t total) {
        session.ShowListProgress(done, total, window);
      });
  session.log().Write(std::string(style.logPrefix) + "FileListEx  RC=" + std::to_string(result));
  if (result == kP2kFailure) {
    list.resize(first);
    return;
  }
  // Entries the phone left unfilled name no file.
  const auto unfilled =
      std::remove_if(list.begin() + static_cast<std::ptrdiff_t>(first), list.end(),
                     [](const FileListEntry& entry) { return entry.path().empty(); });
  list.erase(unfilled, list.end());
}

void Fetch(PhoneSession& session, const ListStyle& style, const std::string& volumes,
           const std::string& suffix, ProgressWindows& windows) {
  const PhoneSession::Busy busy(session);
  ShownProgress window(windows.Show(""), "");
  for (const char volume : volumes)
    ListVolume(session, style, volume, "/" + std::string(1, volume) + "/*" + suffix, window);
  window.Close();
}

void FetchAllVolumes(PhoneSession& session, const ListStyle& style, const std::string& suffix,
                     ProgressWindows& windows, UserDialogs& dialogs) {
  if (!session.connected()) return;
  session.fileList.clear();
  if (!ReadVolumesWhenUnknown(session, style, dialogs)) return;
  Fetch(session, style, session.volumes, suffix, windows);
}

}  // namespace

void FetchIconList(PhoneSession& session, ProgressWindows& windows, UserDialogs& dialogs) {
  FetchAllVolumes(session, kIconList, ".gif", windows, dialogs);
}

void FetchFileList(PhoneSession& session, ProgressWindows& windows, UserDialogs& dialogs) {
  FetchAllVolumes(session, kFileList, "", windows, dialogs);
}

void FetchMaskedList(PhoneSession& session, const FileMask& mask, ProgressWindows& windows) {
  if (!session.connected()) return;
  session.fileList.clear();
  Fetch(session, kMaskedList, mask.volumes, mask.extension, windows);
}

void FetchList(ListMode mode, const FileMask& mask, PhoneSession& session, ProgressWindows& windows,
               UserDialogs& dialogs) {
  switch (mode) {
    case ListMode::IconsOnly: FetchIconList(session, windows, dialogs); break;
    case ListMode::AllFiles: FetchFileList(session, windows, dialogs); break;
    case ListMode::ByMask: FetchMaskedList(session, mask, windows); break;
  }
}

}  // namespace menuforge
