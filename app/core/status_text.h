// The texts of the main window's status bar and of its notification-area icon.
#pragma once

#include <string>

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
inline constexpr char kSavedToPhoneStatus[] = "The menu has been written to the phone";
inline constexpr char kPhoneRestartingStatus[] = "The phone is restarting";
inline constexpr char kRestartRefusedStatus[] = "The phone did not take the restart command";
inline constexpr char kBackupRestoredStatus[] =
    "The phone holds the restored backup; the menu shown here differs from it";
inline constexpr char kOpenFromPhoneCaption[] = "Open from phone";
inline constexpr char kOpenFromPhoneCancelledText[] =
    "Open from phone was cancelled: no menu was opened, and the menu shown before it was closed.";
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
// The widest of them: the larger record size and a full main menu.
std::string WidestFormatStatusText();

}  // namespace menuforge
