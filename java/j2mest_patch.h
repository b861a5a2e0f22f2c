// The CORELET patch: each launch text with wrong CORELET info in the J2MEST copies is replaced
// with the MIDlet's name from its JAD file on the phone, so that the MIDlet starts from the main
// menu once the copies are written back.
#pragma once

#include <filesystem>

#include "base/user_messages.h"
#include "java/j2mest_tables.h"
#include "phone/phone_link.h"

namespace menuforge {

// Where each JAD file is downloaded to, in the working folder; overwritten for every entry.
inline constexpr char kJadWorkFile[] = "temp.jad";
inline constexpr char kPatchCancelledText[] =
    "Patching was cancelled: the J2MEST files on the phone stay as they are.";

// Works through the patch lists of `tables`: downloads "j2me" + record + ".jad" from the copy's
// MIDlet folder and writes its MIDlet name over the launch text. A JAD that does not come or
// names no MIDlet leaves its entry as it was. Each copy is written whole once its entries are
// done, and its patched flag in `link.menuFiles.j2mest` set; a copy or JAD file that cannot be
// read or written stops the patch with the error shown and leaves that copy as it was. A JAD
// download the user cancels stops the patch too, and clears both patched flags, so that no
// J2MEST file goes back to the phone.
void PatchJ2mest(PhoneLink& link, const J2mestTables& tables,
                 const std::filesystem::path& workingFolder, UserDialogs& dialogs);

}  // namespace menuforge
