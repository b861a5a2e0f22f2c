// The texts of the main window's status bar and of its notification-area icon.
#pragma once

#include <string>

#include "base/user_messages.h"
#include "document/current_menu.h"
#include "menu/format_options.h"
#include "menu/menu_tree.h"
#include "phone/phone_session.h"

namespace menuforge {

inline constexpr char kNoPhoneStatus[] = "Phone: None";
inline constexpr char kConnectedBalloonPrefix[] = "Connected:  ";
inline constexpr char kDisconnectedBalloonText[] = "Disconnected";
inline constexpr char kNoPhonePanelText[] = "Phone: None ";
inline constexpr char kNoImeiPanelText[] = "IMEI: N/A ";
inline constexpr char kPhoneInfoTitle[] = "Phone info";
inline constexpr char kPhoneRestartingStatus[] = "The phone is restarting";
inline constexpr char kRestartRefusedStatus[] = "The phone did not take the restart command";
inline constexpr char kBackupRestoredStatus[] =
    "The phone holds the restored backup; the menu shown here differs from it";
inline constexpr char kOpenFromPhoneCaption[] = "Open from phone";
// How long such a notice stays in the status bar, in milliseconds.
inline constexpr int kStatusNoticeTime = 8000;

// What the session read of the connected phone.
std::string ConnectedBalloonText(const PhoneSession& session);
std::string PhonePanelText(const PhoneSession& session);
std::string ImeiPanelText(const PhoneSession& session);
// The widest of them: a full IMEI with its check digit.
std::string WidestImeiPanelText();
// The balloon over the notification-area icon while a phone is connected.
std::string PhoneInfoText(const PhoneSession& session);

// "Format: 36-byte  Entries: 40": the record size of the last file loaded (0 before any) and the
// number of main menu entries.
std::string FormatStatusText(const FormatState& state, const MenuTree& tree);

// A cancelled Open from phone opens nothing and leaves the menu shown before as it was.
Message OpenFromPhoneCancelled(bool menuShown);
// Where Save to phone wrote the menu, and whether the file it came from still lacks the edits.
std::string SavedToPhoneStatus(const CurrentMenu& menu, bool stillModified);
// The widest of them: the larger record size and a full main menu.
std::string WidestFormatStatusText();

}  // namespace menuforge
