#include "document/current_menu.h"

#include "base/version.h"

namespace menuforge {

std::string CurrentMenu::Name() const {
  switch (source_) {
    case Source::File: return file_.filename().string();
    case Source::Phone: return kPhoneMenuName;
    case Source::New:
    case Source::None: break;
  }
  return kUntitledName;
}

std::string CurrentMenu::WindowTitle() const {
  if (source_ == Source::None) return menuforge::WindowTitle();
  std::string name = Name();
  for (std::size_t at = name.find("[*]"); at != std::string::npos; at = name.find("[*]", at + 6))
    name.insert(at, "[*]");
  return name + "[*] \u2013 " + menuforge::WindowTitle();
}

Message CurrentMenu::SaveChangesQuestion() const {
  return {"Save changes to " + Name() + "?", kUnsavedChangesCaption, MessageIcon::Warning};
}

}  // namespace menuforge
