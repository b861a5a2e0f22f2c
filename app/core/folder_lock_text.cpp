#include "app/core/folder_lock_text.h"

namespace menuforge {
namespace {

constexpr char kChoice[] = "\r\nOpen it read-only (nothing is written into the folder), or quit?";

}  // namespace

std::string FolderInUseText(const std::string& folder, const FolderHolder& holder) {
  std::string text = "The working folder " + folder + " is in use by " +
                     (holder.program.empty() ? std::string("another program") : holder.program) +
                     ", process " + std::to_string(holder.processId);
  if (!holder.host.empty()) text += " on " + holder.host;
  return text +
         ".\r\nTwo programs in one folder would empty each other's log and overwrite each "
         "other's settings and working files." +
         kChoice;
}

std::string FolderNotLockableText(const std::string& folder, const std::string& reason) {
  return "The working folder " + folder + " cannot be locked for this program; " + reason + "." +
         kChoice;
}

}  // namespace menuforge
