// Safety copies of the phone's menu file: where they are kept, how they are named and pruned,
// that nothing is written to the phone without one, and restoring one.
#include "phone/phone_menu_safety.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "support/phone_test_rig.h"
#include "workspace/phone_backups.h"

namespace menuforge::test {
namespace {

constexpr char kImei[] = "354678012345679";
// 2024-03-01 noon, in the test's time zone.
const std::time_t kNoon = [] {
  std::tm noon{};
  noon.tm_year = 124;
  noon.tm_mon = 2;
  noon.tm_mday = 1;
  noon.tm_hour = 12;
  noon.tm_isdst = -1;
  return std::mktime(&noon);
}();

Bytes MenuBytes(const std::vector<std::string>& items) {
  MenuTree tree;
  BuildSkeleton(tree);
  std::vector<ItemBaseEntry> entries;
  for (const std::string& item : items) entries.push_back({item, item, true});
  const ItemTable table = WithDefaultSoftkeys(entries);
  for (const ItemBaseEntry& entry : entries)
    static_cast<void>(AddEntry(tree, *tree.menuRoot(), Placement::LastChild, entry, false));
  Bytes bytes;
  if (EncodeMenuFile(tree, FormatOptions{}, table, bytes).status() != SaveStatus::Saved)
    throw std::runtime_error("no menu");
  return bytes;
}

std::vector<std::string> Names(const std::vector<PhoneBackup>& backups) {
  std::vector<std::string> names;
  for (const PhoneBackup& backup : backups) names.push_back(backup.path.filename().string());
  return names;
}

TEST(PhoneBackups, NamedAfterPhoneAndTimeNewestFirstTwentyKept) {
  TempFolder folder;
  WriteFileText(folder / "notes.txt", "mine");
  for (int i = 0; i < 25; ++i)
    ASSERT_TRUE(StorePhoneBackup(folder.path(), kImei, kNoon + i, Bytes{std::uint8_t(i)}));
  const std::vector<PhoneBackup> kept = ListPhoneBackups(folder.path());
  ASSERT_EQ(kept.size(), kKeptPhoneBackups);
  EXPECT_EQ(kept.front().path.filename(), "mma_ucp_354678012345679_20240301-120024");
  EXPECT_EQ(kept.back().path.filename(), "mma_ucp_354678012345679_20240301-120005");
  EXPECT_EQ(kept.front().imei, kImei);
  EXPECT_EQ(ReadFileBytes(kept.back().path), Bytes{5});
  EXPECT_EQ(ReadFileText(folder / "notes.txt"), "mine");
}

TEST(PhoneBackups, TheSameBytesAreKeptOnceAndTheSameSecondTwice) {
  TempFolder folder;
  const std::filesystem::path first =
      StorePhoneBackup(folder.path(), kImei, kNoon, Bytes{1, 2}).value();
  EXPECT_EQ(StorePhoneBackup(folder.path(), kImei, kNoon + 9, Bytes{1, 2}).value(), first);
  EXPECT_TRUE(StorePhoneBackup(folder.path(), "35/../x", kNoon, Bytes{1, 2}));
  EXPECT_TRUE(StorePhoneBackup(folder.path(), kImei, kNoon, Bytes{3}));
  EXPECT_EQ(Names(ListPhoneBackups(folder.path())),
            (std::vector<std::string>{"mma_ucp_354678012345679_20240301-120000_2",
                                      "mma_ucp_35x_20240301-120000",
                                      "mma_ucp_354678012345679_20240301-120000"}));
}

TEST(PhoneBackups, FolderFollowsXdgDataHome) {
  struct Case {
    const char* xdg;
    const char* home;
    std::filesystem::path expected;
  };
  const char* savedXdg = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string xdgBefore = savedXdg ? savedXdg : "";
  const std::string homeBefore = savedHome ? savedHome : "";
  for (const Case& c : {Case{"/data", "/home/u", "/data/menuforge/backups"},
                        Case{"relative", "/home/u", "/home/u/.local/share/menuforge/backups"},
                        Case{nullptr, "/home/u", "/home/u/.local/share/menuforge/backups"},
                        Case{nullptr, nullptr, ""}}) {
    c.xdg ? setenv("XDG_DATA_HOME", c.xdg, 1) : unsetenv("XDG_DATA_HOME");
    c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
    EXPECT_EQ(PhoneBackupFolder(), c.expected) << (c.xdg ? c.xdg : "(none)");
  }
  savedXdg ? setenv("XDG_DATA_HOME", xdgBefore.c_str(), 1) : unsetenv("XDG_DATA_HOME");
  savedHome ? setenv("HOME", homeBefore.c_str(), 1) : unsetenv("HOME");
  EXPECT_EQ(StorePhoneBackup({}, kImei, kNoon, Bytes{1}).errorText(), kNoBackupFolderText);
}

struct SafetyRig : PhoneRig {
  explicit SafetyRig(FaultPlan faults = {}) : PhoneRig(std::move(faults)) {
    PutPhoneFile(kPhoneMenuPath, onPhone);
    WriteFileBytes(menuCopy, edited);
  }
  std::vector<PhoneBackup> Backups() const { return ListPhoneBackups(backups); }

  Bytes onPhone = MenuBytes({"Games"});
  Bytes edited = MenuBytes({"Games", "Radio"});
  std::filesystem::path menuCopy = workingFolder / "mma_temp";
  std::filesystem::path backups = folder / "backups";
  std::time_t clock = kNoon;
  PhoneMenuSafety safety{link, dialogs, backups, [this] { return clock++; }};
};

TEST(PhoneMenuSafety, TheMenuItReplacesIsKeptFirst) {
  SafetyRig rig;
  ASSERT_TRUE(rig.safety.WritePhoneMenuFiles(rig.menuCopy));
  EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), rig.edited);
  ASSERT_EQ(rig.Backups().size(), 1u);
  EXPECT_EQ(ReadFileBytes(rig.Backups()[0].path), rig.onPhone);

  // What was written is what the phone holds now; the next copy keeps it without reading.
  const Bytes third = MenuBytes({"Radio"});
  WriteFileBytes(rig.menuCopy, third);
  rig.PutPhoneFile(kPhoneMenuPath, Bytes{9});
  ASSERT_TRUE(rig.safety.WritePhoneMenuFiles(rig.menuCopy));
  ASSERT_EQ(rig.Backups().size(), 2u);
  EXPECT_EQ(ReadFileBytes(rig.Backups()[0].path), rig.edited);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(rig.backups / ".mma_ucp.reading"));
}

TEST(PhoneMenuSafety, WithoutASafetyCopyNothingIsWritten) {
  struct Case {
    const char* name;
    FaultPlan faults;
    bool backupFolderIsAFile;
    std::string reason;
  };
  const Case cases[] = {
      {"read refused", Refusing(PhoneCall::FsacRead, 1), false, kSafetyCopyReadFailedText},
      {"listing refused", Refusing(PhoneCall::CountFiles, 1), false, kSafetyCopyReadFailedText},
      {"folder cannot be made", {}, true, "Cannot create folder"},
  };
  for (const Case& c : cases) {
    SafetyRig rig(c.faults);
    if (c.backupFolderIsAFile) WriteFileText(rig.backups, "in the way");
    EXPECT_FALSE(rig.safety.WritePhoneMenuFiles(rig.menuCopy)) << c.name;
    EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), rig.onPhone) << c.name;
    ASSERT_EQ(rig.dialogs.shown.size(), 1u) << c.name;
    EXPECT_TRUE(rig.dialogs.shown[0].text.starts_with(kNoSafetyCopyText + c.reason))
        << rig.dialogs.shown[0].text;
    EXPECT_FALSE(rig.link.menuFiles.storedToPhone()) << c.name;
  }
}

TEST(PhoneMenuSafety, APhoneWithoutAMenuHasNothingToKeep) {
  SafetyRig rig;
  std::filesystem::remove(rig.PhonePath(kPhoneMenuPath));
  EXPECT_TRUE(rig.safety.WritePhoneMenuFiles(rig.menuCopy));
  EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), rig.edited);
  EXPECT_TRUE(rig.Backups().empty());
}

TEST(PhoneMenuSafety, RestoreAsksKeepsACopyAndWritesTheBackup) {
  SafetyRig rig;
  const std::filesystem::path backup = rig.folder / "mma_ucp_1_20240101-000000";
  WriteFileBytes(backup, rig.edited);

  rig.dialogs.answers = {false};
  EXPECT_FALSE(rig.safety.RestoreBackup(backup));
  EXPECT_EQ(rig.dialogs.asked,
            (std::vector<Message>{
                {RestoreBackupQuestion(backup), "Restore phone backup", MessageIcon::Question}}));
  EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), rig.onPhone);

  EXPECT_TRUE(rig.safety.RestoreBackup(backup));
  EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), rig.edited);
  ASSERT_EQ(rig.Backups().size(), 1u);
  EXPECT_EQ(ReadFileBytes(rig.Backups()[0].path), rig.onPhone);
  EXPECT_TRUE(rig.link.menuFiles.storedToPhone());
  EXPECT_EQ(rig.dialogs.shown,
            (std::vector<Message>{{kBackupRestoredText, "", MessageIcon::Information}}));
}

TEST(PhoneMenuSafety, RestoreRefusesWhatIsNoMenu) {
  SafetyRig rig;
  const std::filesystem::path notAMenu = rig.folder / "notes.txt";
  WriteFileText(notAMenu, "not a menu");
  EXPECT_FALSE(rig.safety.RestoreBackup(notAMenu));
  EXPECT_TRUE(rig.dialogs.asked.empty());
  EXPECT_EQ(rig.dialogs.shown,
            (std::vector<Message>{{"notes.txt" + std::string(kNotAMenuBackupText),
                                   "Restore phone backup", MessageIcon::Error}}));
  EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), rig.onPhone);
}

TEST(PhoneMenuSafety, ThePhoneMenuFileIsTheRememberedOneOrReadAgain) {
  struct Case {
    const char* name;
    FaultPlan faults;
    bool remembered;  // the edited menu, as after a write
    bool readAgain;
    bool onPhone;
    std::optional<std::string> error;
    std::optional<bool> edited;  // which menu comes back: the edited one, else the phone's
  };
  const Case cases[] = {
      {"read", {}, false, false, true, std::nullopt, false},
      {"remembered, nothing read", Refusing(PhoneCall::FsacRead, 1), true, false, true,
       std::nullopt, true},
      {"read again", {}, true, true, true, std::nullopt, false},
      {"no file", {}, false, false, false, std::nullopt, std::nullopt},
      {"refused", Refusing(PhoneCall::FsacRead, 1), false, false, true,
       std::string(kSafetyCopyReadFailedText), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SafetyRig rig(c.faults);
    if (c.remembered) rig.safety.RememberPhoneMenu(rig.menuCopy);
    if (!c.onPhone) std::filesystem::remove(rig.PhonePath(kPhoneMenuPath));
    const Result<std::optional<Bytes>> read = rig.safety.PhoneMenuFile(c.readAgain);
    EXPECT_EQ(read.errorText(), c.error.value_or(""));
    const std::optional<Bytes> menu = read ? *read : std::nullopt;
    ASSERT_EQ(menu.has_value(), c.edited.has_value());
    if (menu) {
      EXPECT_EQ(*menu, *c.edited ? rig.edited : rig.onPhone);
    }
    // What was read is remembered; a phone without a menu file leaves nothing to remember.
    const Bytes* remembered = rig.safety.RememberedPhoneMenu();
    EXPECT_EQ(remembered != nullptr, menu.has_value() || (c.error && c.remembered));
    if (remembered && menu) {
      EXPECT_EQ(*remembered, *menu);
    }
    // Only read: no safety copy is kept, and the scratch file is gone.
    EXPECT_TRUE(!std::filesystem::exists(rig.backups) || std::filesystem::is_empty(rig.backups));
  }
}

TEST(PhoneMenuSafety, RestoreAsksThroughTheGivenConfirmation) {
  for (const bool yes : {false, true}) {
    SafetyRig rig;
    const std::filesystem::path backup = rig.folder / "mma_ucp_1_20240101-000000";
    WriteFileBytes(backup, rig.edited);
    std::vector<Message> asked;
    EXPECT_EQ(rig.safety.RestoreBackup(backup,
                                       [&](const Message& question) {
                                         asked.push_back(question);
                                         return yes;
                                       }),
              yes);
    EXPECT_EQ(asked, (std::vector<Message>{{RestoreBackupQuestion(backup), "Restore phone backup",
                                            MessageIcon::Question}}));
    EXPECT_TRUE(rig.dialogs.asked.empty());
    EXPECT_EQ(rig.PhoneFile(kPhoneMenuPath), yes ? rig.edited : rig.onPhone);
  }
}

}  // namespace
}  // namespace menuforge::test
