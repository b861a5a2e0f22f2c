// "Show changes": before the user decides to set unsaved changes aside, to restore a phone backup
// or to write the menu to the phone, the differences that decision brings are listed.
#include "app/changes_dialog.h"
#include "app/core/change_sources.h"
#include "app/main_window.h"
#include "widgets/message_box.h"

namespace menuforge {
namespace {

// None when the phone could not be read, holds no menu file, or one that is no menu.
std::unique_ptr<OtherMenu> PhoneOtherMenu(const Result<std::optional<Bytes>>& phoneBytes,
                                          const ItemTable& items) {
  if (!phoneBytes || !*phoneBytes) return nullptr;
  Result<LoadedOtherMenu> loaded = LoadOtherMenu(**phoneBytes, items);
  return loaded ? std::move(loaded->menu) : nullptr;
}

}  // namespace

void MainWindow::ShowUnsavedChanges() {
  const CurrentMenu& current = session_.document().current();
  const Bytes* phoneCopy = session_.phoneSafety().RememberedPhoneMenu();
  const UnsavedBase base = ChooseUnsavedBase(current, phoneCopy != nullptr);
  const std::string heading = UnsavedChangesHeading(base, current);
  if (base == UnsavedBase::Nothing) {
    prompts_->Show({heading, kShowChangesButton, MessageIcon::Information});
    return;
  }
  const Result<LoadedOtherMenu> before = [&]() -> Result<LoadedOtherMenu> {
    if (base == UnsavedBase::FileOnDisk)
      return LoadOtherMenuFile(current.file(), session_.document().catalog().itemBase());
    if (base == UnsavedBase::PhoneMenu)
      return LoadOtherMenu(*phoneCopy, session_.document().catalog().itemBase());
    return LoadedOtherMenu{NewOtherMenu(session_.document().options()), {}};
  }();
  if (!before) {
    prompts_->Show(before.error());
    return;
  }
  ChangesDialog dialog(kUnsavedChangesTitle, heading,
                       CompareMenus(before->menu->compared(),
                                    {session_.document().tree(), session_.document().options()}),
                       nullptr, this);
  prompts_->ShowModal(dialog);
}

bool MainWindow::ConfirmRestore(const Message& question, const std::filesystem::path& backup) {
  for (;;) {
    if (const std::optional<bool> answer = prompts_->AskOrShowChanges(question)) return *answer;
    ShowRestoreChanges(backup);
  }
}

void MainWindow::ShowRestoreChanges(const std::filesystem::path& backup) {
  const Result<LoadedOtherMenu> after =
      LoadOtherMenuFile(backup, session_.document().catalog().itemBase());
  if (!after) {
    prompts_->Show(after.error());
    return;
  }
  // A phone that cannot be read now is compared with the open menu, as one without a menu is.
  const Result<std::optional<Bytes>> phoneBytes = session_.phoneSafety().PhoneMenuFile(false);
  const std::unique_ptr<OtherMenu> phoneMenu =
      PhoneOtherMenu(phoneBytes, session_.document().catalog().itemBase());
  const RestoreBase base = ChooseRestoreBase(phoneMenu != nullptr, session_.document().HasMenu());
  const std::string heading = RestoreChangesHeading(base, backup);
  if (base == RestoreBase::Nothing) {
    prompts_->Show({heading, kShowChangesButton, MessageIcon::Information});
    return;
  }
  const ComparedMenu before =
      base == RestoreBase::PhoneMenu
          ? phoneMenu->compared()
          : ComparedMenu{session_.document().tree(), session_.document().options()};
  ChangesDialog dialog(kRestoreChangesTitle, heading, CompareMenus(before, after->menu->compared()),
                       nullptr, this);
  prompts_->ShowModal(dialog);
}

bool MainWindow::ConfirmPhoneChanges() {
  const Result<std::optional<Bytes>> phoneBytes = session_.phoneSafety().PhoneMenuFile(false);
  if (!phoneBytes) {
    prompts_->Show(
        {kPhoneChangesUnreadText + phoneBytes.error().text, kErrorCaption, MessageIcon::Error});
    return false;
  }
  // A phone file that holds no menu is counted from a new one too: all of it is written anew.
  std::unique_ptr<OtherMenu> before =
      PhoneOtherMenu(phoneBytes, session_.document().catalog().itemBase());
  const bool phoneHoldsMenu = before != nullptr;
  if (!phoneHoldsMenu) before = NewOtherMenu(session_.document().options());
  ChangesDialog dialog(
      kSavePhoneChangesTitle, PhoneChangesHeading(phoneHoldsMenu),
      CompareMenus(before->compared(), {session_.document().tree(), session_.document().options()}),
      kWritePhoneChangesQuestion, this);
  prompts_->ShowModal(dialog);
  return dialog.result() == QDialog::Accepted;
}

}  // namespace menuforge
