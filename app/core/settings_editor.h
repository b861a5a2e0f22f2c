// The pending copy behind the settings window: the rules of its check boxes and of its OK,
// free of any window so that they can be checked on their own.
#pragma once

#include "workspace/settings.h"

namespace menuforge {

class SettingsEditor {
 public:
  explicit SettingsEditor(const Settings& settings);

  // One per check box, called with the box's new state. Clicks on a box that is disabled by the
  // rules are ignored.
  void SetSystemAttribute(bool on);
  void SetLogging(bool on);
  void SetReadJ2mest(bool on);
  void SetFromPhone(bool on);
  void SetFromCard(bool on);
  void SetPatchJ2mest(bool on);
  void SetShowPhoneChanges(bool on);
  // A code of kWindowLanguages; it takes effect at the next start.
  void SetWindowLanguage(const char* code);

  // The boxes show these flags as their checked states.
  const Settings& Pending() const { return pending_; }
  // "From phone" and "From card".
  bool SourceBoxesEnabled() const { return pending_.readJ2mest; }
  // "Allow patching to run corelets".
  bool PatchBoxEnabled() const { return patchEnabled_; }

  // The settings to keep when the user confirms.
  Settings Confirmed() const;

 private:
  void SourceChanged(bool on);

  Settings pending_;
  bool patchEnabled_;
};

}  // namespace menuforge
