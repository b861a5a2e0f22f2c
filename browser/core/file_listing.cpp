#include "browser/core/file_listing.h"

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

// The volume table is read once, by the first listing that needs it.
Status ReadVolumesWhenUnknown(PhoneSession& session, const ListStyle& style) {
  if (!session.volumes().empty()) return {};
  return session.ReadVolumes(std::string(style.logPrefix) + style.volumeLine);
}

void Fetch(PhoneSession& session, const ListStyle& style, const std::string& volumes,
           const std::string& suffix, ProgressWindows& windows) {
  const PhoneSession::Busy busy(session);
  ShownProgress window(windows.Show(""), "");
  for (const char volume : volumes) {
    const std::string folder = "/" + std::string(1, volume) + "/";
    session.ListFiles(folder + "*" + suffix, style.logPrefix, style.title + folder.substr(1),
                      window);
  }
  window.Close();
}

void FetchAllVolumes(PhoneSession& session, const ListStyle& style, const std::string& suffix,
                     ProgressWindows& windows, UserDialogs& dialogs) {
  if (!session.connected()) return;
  session.ClearFileList();
  if (const Status volumes = ReadVolumesWhenUnknown(session, style); !volumes)
    return dialogs.Show(volumes.error());
  Fetch(session, style, session.volumes(), suffix, windows);
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
  session.ClearFileList();
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
