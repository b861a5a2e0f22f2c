// Fetching the phone's file list for the browser: the icon list ("*.gif" files), the list of
// all files, or the list a mask asks for, volume by volume, into the session's phone file list.
#pragma once

#include <cstdint>
#include <string>

#include "base/user_messages.h"
#include "phone/phone_session.h"
#include "phone/transfer_progress.h"

namespace menuforge {

enum class ListMode : std::uint8_t { IconsOnly = 0, AllFiles = 1, ByMask = 2 };

// The volumes and the file name extension the masked list reads.
struct FileMask {
  std::string volumes = "a";
  std::string extension;  // empty, or "." and the extension typed
};

// A hostile or broken phone could announce any count; the list keeps at most this many entries
// (32 MB), which is also as many names as a folder's 16-bit count can tell.
inline constexpr std::size_t kMaxListedFiles = kMostListedFiles;

// Each empties the phone file list and fills it again; all three do nothing while no phone is
// connected. The icon list and the list of all files read the volume table first when it is
// empty. `windows` shows the one-bar window of the fetch.
void FetchIconList(PhoneSession& session, ProgressWindows& windows, UserDialogs& dialogs);
void FetchFileList(PhoneSession& session, ProgressWindows& windows, UserDialogs& dialogs);
void FetchMaskedList(PhoneSession& session, const FileMask& mask, ProgressWindows& windows);
// The fetch `mode` names.
void FetchList(ListMode mode, const FileMask& mask, PhoneSession& session, ProgressWindows& windows,
               UserDialogs& dialogs);

}  // namespace menuforge
