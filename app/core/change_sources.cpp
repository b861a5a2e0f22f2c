#include "app/core/change_sources.h"

namespace menuforge {

RestoreBase ChooseRestoreBase(bool phoneCopyAtHand, bool menuOpen) {
  if (phoneCopyAtHand) return RestoreBase::PhoneMenu;
  return menuOpen ? RestoreBase::OpenMenu : RestoreBase::Nothing;
}

std::string RestoreChangesHeading(RestoreBase base, const std::filesystem::path& backup) {
  const std::string name = backup.filename().string();
  switch (base) {
    case RestoreBase::PhoneMenu:
      return "What the phone's menu would undergo if the backup " + name + " replaced it:";
    case RestoreBase::OpenMenu:
      return "No copy of the phone's menu is at hand. What the open menu would undergo if the "
             "backup " +
             name + " replaced it:";
    case RestoreBase::Nothing: break;
  }
  return "No copy of the phone's menu is at hand and no menu is open: there is nothing to "
         "compare the backup " +
         name + " with.";
}

UnsavedBase ChooseUnsavedBase(const CurrentMenu& menu, bool phoneCopyAtHand) {
  switch (menu.source()) {
    case CurrentMenu::Source::File: return UnsavedBase::FileOnDisk;
    case CurrentMenu::Source::New: return UnsavedBase::NewMenu;
    case CurrentMenu::Source::Phone:
      return phoneCopyAtHand ? UnsavedBase::PhoneMenu : UnsavedBase::Nothing;
    case CurrentMenu::Source::None: break;
  }
  return UnsavedBase::Nothing;
}

std::string UnsavedChangesHeading(UnsavedBase base, const CurrentMenu& menu) {
  switch (base) {
    case UnsavedBase::FileOnDisk:
      return "The changes not yet saved, from " + menu.file().filename().string() +
             " on disk to the open menu:";
    case UnsavedBase::PhoneMenu:
      return "The changes not yet saved, from the phone's menu to the open menu:";
    case UnsavedBase::NewMenu:
      return "The changes not yet saved, from a new menu to the open menu:";
    case UnsavedBase::Nothing: break;
  }
  return "No copy of the phone's menu is at hand (the phone went away since): there is nothing "
         "to compare the open menu with.";
}

std::string PhoneChangesHeading(bool phoneHoldsMenu) {
  return phoneHoldsMenu ? "What the phone's menu will undergo:"
                        : "The phone holds no menu yet; compared with a new menu:";
}

}  // namespace menuforge
