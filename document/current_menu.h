// Which menu the window holds: where it came from, the name it goes by in the title and in the
// question about unsaved changes.
#pragma once

#include <filesystem>
#include <string>

#include "base/user_messages.h"

namespace menuforge {

inline constexpr char kUntitledName[] = "untitled";
inline constexpr char kPhoneMenuName[] = "phone";
inline constexpr char kUnsavedChangesCaption[] = "Unsaved changes";

class CurrentMenu {
 public:
  enum class Source { None, New, File, Phone };

  CurrentMenu() = default;
  explicit CurrentMenu(Source source, std::filesystem::path file = {})
      : source_(source), file_(std::move(file)) {}

  Source source() const { return source_; }
  // The file Save writes to without asking; empty unless the menu came from or went to one.
  const std::filesystem::path& file() const { return file_; }
  // The file's name, "phone" or "untitled".
  std::string Name() const;
  // "NAME[*] – Menuforge v.0.5", where the window shows "*" for "[*]" while the menu is
  // modified (a "[*]" in the name itself is doubled, which shows it as it is); the program's
  // name alone while there is no menu.
  std::string WindowTitle() const;
  // "Save changes to NAME?"
  Message SaveChangesQuestion() const;

 private:
  Source source_ = Source::None;
  std::filesystem::path file_;
};

}  // namespace menuforge
