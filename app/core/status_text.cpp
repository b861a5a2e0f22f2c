#include "app/core/status_text.h"

namespace menuforge {
namespace {

constexpr std::size_t kImeiDigits = 15;

std::string StatusText(int recordSize, std::size_t entries) {
  return "Format: " + std::to_string(recordSize) + "-byte  Entries: " + std::to_string(entries);
}

std::string ImeiText(const std::string& imei) { return " IMEI: " + imei; }

}  // namespace

std::string FormatStatusText(const FormatState& state, const MenuTree& tree) {
  return StatusText(state.recordSize, tree.EntryCount());
}

std::string WidestFormatStatusText() {
  return StatusText(RecordBytes(RecordSize::k36), kMaxMenuEntries);
}

std::string ConnectedBalloonText(const PhoneSession& session) {
  return kConnectedBalloonPrefix + session.modelName();
}

std::string PhonePanelText(const PhoneSession& session) {
  return "Phone: " + session.modelName() + "  [" + session.firmwareVersion() + "] ";
}

std::string ImeiPanelText(const PhoneSession& session) { return ImeiText(session.imei()); }

std::string WidestImeiPanelText() { return ImeiText(std::string(kImeiDigits, '0')); }

std::string PhoneInfoText(const PhoneSession& session) {
  return "Model: " + session.modelName() + "\r\n" + "F/W Version: " + session.firmwareVersion() +
         "\r\n" + "LP Version: " + session.lpVersionText();
}

Message OpenFromPhoneCancelled(bool menuShown) {
  return {menuShown ? "Open from phone was cancelled: the menu shown before stays open."
                    : "Open from phone was cancelled: no menu was opened.",
          kOpenFromPhoneCaption, MessageIcon::Information};
}

std::string SavedToPhoneStatus(const CurrentMenu& menu, bool stillModified) {
  const std::string written = "The menu has been written to the phone's mma_ucp";
  switch (menu.source()) {
    case CurrentMenu::Source::File:
      return written + (stillModified ? "; " + menu.Name() + " on disk still lacks the changes"
                                      : ", the same as " + menu.Name() + " on disk");
    case CurrentMenu::Source::New: return written + "; no file holds it yet";
    case CurrentMenu::Source::Phone:
    case CurrentMenu::Source::None: break;
  }
  return written;
}

}  // namespace menuforge
