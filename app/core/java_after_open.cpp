#include "app/core/java_after_open.h"

#include "java/j2mest_patch.h"

namespace menuforge {
namespace {

std::vector<InstalledMidlet> Listed(const MidletTable& table) {
  std::vector<InstalledMidlet> list;
  for (const std::optional<MidletEntry>& slot : table)
    list.push_back(slot ? InstalledMidlet{slot->launchText, slot->name, slot->vendor}
                        : InstalledMidlet{});
  return list;
}

}  // namespace

InstalledMidlets ReadJ2mestAfterOpen(PhoneLink& link, bool patchAllowed,
                                     const std::filesystem::path& workingFolder,
                                     UserDialogs& dialogs) {
  const J2mestState& state = link.menuFiles.j2mest;
  J2mestTables tables;
  if (ParseJ2mest(state, workingFolder, dialogs, tables) && patchAllowed && tables.needsPatching &&
      dialogs.Ask({kPatchRequestText, kPatchRequestCaption, MessageIcon::Question})) {
    PatchJ2mest(link, tables, workingFolder, dialogs);
    // The editor lists what the phone will get back. A failure of this parse has been shown,
    // and the tables keep what it read.
    if (state.phoneCopyPatched || state.cardCopyPatched)
      static_cast<void>(ParseJ2mest(state, workingFolder, dialogs, tables));
  }
  return InstalledMidletsOf(tables, state);
}

InstalledMidlets InstalledMidletsOf(const J2mestTables& tables, const J2mestState& state) {
  return {Listed(tables.phone), state.readFromPhone, Listed(tables.card), state.readFromCard};
}

}  // namespace menuforge
