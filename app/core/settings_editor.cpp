#include "app/core/settings_editor.h"

namespace menuforge {

SettingsEditor::SettingsEditor(const Settings& settings) : pending_(settings) {
  // The dependent boxes are shown cleared while reading is off; the copy has to agree with them.
  if (!pending_.readJ2mest) {
    pending_.fromPhone = false;
    pending_.fromCard = false;
    pending_.patchJ2mest = false;
  }
  patchEnabled_ = pending_.readJ2mest;
}

void SettingsEditor::SetSystemAttribute(bool on) { pending_.setSystemAttribute = on; }

void SettingsEditor::SetLogging(bool on) { pending_.logging = on; }

void SettingsEditor::SetShowPhoneChanges(bool on) { pending_.showPhoneChanges = on; }

void SettingsEditor::SetWindowLanguage(const char* code) { pending_.windowLanguage = code; }

void SettingsEditor::SetReadJ2mest(bool on) {
  pending_.readJ2mest = on;
  if (on) return;
  pending_.fromPhone = false;
  pending_.fromCard = false;
  pending_.patchJ2mest = false;
  patchEnabled_ = false;
}

void SettingsEditor::SetFromPhone(bool on) {
  if (!SourceBoxesEnabled()) return;
  pending_.fromPhone = on;
  SourceChanged(on);
}

void SettingsEditor::SetFromCard(bool on) {
  if (!SourceBoxesEnabled()) return;
  pending_.fromCard = on;
  SourceChanged(on);
}

void SettingsEditor::SetPatchJ2mest(bool on) {
  if (patchEnabled_) pending_.patchJ2mest = on;
}

void SettingsEditor::SourceChanged(bool on) {
  if (on) patchEnabled_ = true;
  if (pending_.fromPhone || pending_.fromCard) return;
  pending_.readJ2mest = false;
  pending_.patchJ2mest = false;
  patchEnabled_ = false;
}

Settings SettingsEditor::Confirmed() const {
  Settings settings = pending_;
  if (!settings.fromPhone && !settings.fromCard) {
    settings.readJ2mest = false;
    settings.patchJ2mest = false;
  }
  return settings;
}

}  // namespace menuforge
