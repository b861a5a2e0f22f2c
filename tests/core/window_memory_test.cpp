// What the window keeps in the settings file besides the settings, and what it calls the menu.
#include <gtest/gtest.h>

#include "app/core/backup_rows.h"
#include "app/core/help_file.h"
#include "base/version.h"
#include "document/current_menu.h"
#include "support/test_support.h"
#include "workspace/recent_files.h"
#include "workspace/settings.h"
#include "workspace/window_size.h"

namespace menuforge::test {
namespace {

constexpr char kSetup[] = "[setup]\r\nSetSystemAttr=1\r\nLogEnabled=0\r\nReadJ2MEST=Both\r\n";

TEST(RecentFiles, NewestFirstEightAtMostEachOnce) {
  RecentFiles files;
  for (int i = 0; i < 10; ++i) files.Add("/m/menu" + std::to_string(i));
  files.Add("/m/menu5");
  files.Add("/m/ends with a space ");
  files.Add("/m/two\nlines");
  std::vector<std::filesystem::path> expected = {"/m/menu5", "/m/menu9", "/m/menu8", "/m/menu7",
                                                 "/m/menu6", "/m/menu4", "/m/menu3", "/m/menu2"};
  EXPECT_EQ(files.paths(), expected);
  files.Remove("/m/menu9");
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(files.paths(), expected);
}

TEST(RecentFiles, SurviveInTheirOwnSectionLeavingTheSettingsAsTheyWere) {
  TempFolder folder;
  const std::filesystem::path ini = folder / kSettingsFileName;
  WriteFileText(ini, kSetup);
  RecentFiles files;
  files.Add("/m/b=c.mma");
  files.Add("/m/a b");
  ASSERT_TRUE(WriteRecentFiles(ini, files));
  ASSERT_TRUE(WriteWindowSize(ini, {700, 600, true}));
  files.Remove("/m/a b");
  ASSERT_TRUE(WriteRecentFiles(ini, files));

  EXPECT_EQ(ReadRecentFiles(ini), files);
  EXPECT_EQ(ReadWindowSize(ini), (WindowSize{700, 600, true}));
  const std::string text = ReadFileText(ini);
  EXPECT_TRUE(text.starts_with(kSetup)) << text;
  EXPECT_NE(text.find("[recent]\r\nFile1=/m/b=c.mma\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("File2"), std::string::npos) << text;
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    EXPECT_EQ(text[at - 1], '\r');
  EXPECT_EQ(ReadSettings(ini).fromCard, true);
}

TEST(RecentFiles, EntriesGetANumberKeyAndTheFolderAfterTheName) {
  const std::tuple<std::size_t, const char*, const char*> cases[] = {
      {0, "/home/me/menus/mma_ucp", "&1 mma_ucp (/home/me/menus)"},
      {7, "/m&m/a&b.mma", "&8 a&&b.mma (/m&&m)"},
      {2, "plain.mma", "&3 plain.mma"},
  };
  for (const auto& [index, path, text] : cases) EXPECT_EQ(RecentMenuEntryText(index, path), text);
}

TEST(HelpFile, InstalledOrFromTheSourcesTheBuildNamesOrNone) {
  const TempFolder top;
  const std::filesystem::path installed = top.path() / "usr/share/doc/menuforge/README.md";
  const std::filesystem::path checkout = top.path() / "src/README.md";
  std::filesystem::create_directories(installed.parent_path());
  std::filesystem::create_directories(top.path() / "src");
  WriteFileBytes(installed, Bytes{'#'});
  WriteFileBytes(checkout, Bytes{'#'});
  const std::string namesSources = "CMAKE_BUILD_TYPE:STRING=Debug\nMenuforge_SOURCE_DIR:STATIC=" +
                                   (top.path() / "src").string() + "\n";
  const std::string namesNoReadme =
      "Menuforge_SOURCE_DIR:STATIC=" + (top.path() / "gone").string() + "\n";
  // Build folder, its cache (none when empty), where Help opens.
  const std::tuple<const char*, std::string, std::optional<std::filesystem::path>> cases[] = {
      {"usr", "", installed},
      {"src/build", namesSources, checkout},
      {"src/build/sanitize", namesSources, checkout},
      {"tmp/out-of-tree", namesSources, checkout},
      {"tmp/moved-sources", namesNoReadme, std::nullopt},
      {"src/uncached", "", std::nullopt},
      {"elsewhere", "Other_SOURCE_DIR:STATIC=/src\n", std::nullopt},
  };
  for (const auto& [build, cache, expected] : cases) {
    std::filesystem::create_directories(top.path() / build / "bin");
    if (!cache.empty()) WriteFileText(top.path() / build / "CMakeCache.txt", cache);
    EXPECT_EQ(FindHelpFile(top.path() / build / "bin"), expected) << build;
  }
}

TEST(PhoneBackupRows, NameThePhoneAndTheTimeInFull) {
  const PhoneBackup backup{"mma_ucp_354_20261207-172205", "354", "20261207-172205"};
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"354", "V3x", "V3x"},
      {"354", "", "this phone"},
      {"999", "V3x", "another phone"},
      {"", "", "another phone"}};
  for (const auto& [imei, model, phone] : cases) {
    const BackupRow row = BackupRowOf(backup, imei, model);
    EXPECT_EQ(row.phone, phone) << imei << " " << model;
    EXPECT_EQ(row.imei, "354");
    EXPECT_EQ(row.taken, "2026-12-07 17:22:05");
  }
}

TEST(WindowSizes, NoSizeOrANonsenseOneIsNone) {
  TempFolder folder;
  const std::filesystem::path ini = folder / kSettingsFileName;
  EXPECT_EQ(ReadWindowSize(ini), std::nullopt);
  for (const char* text :
       {"[window]\r\nWidth=700\r\n", "[window]\r\nWidth=0\r\nHeight=5\r\n",
        "[window]\r\nWidth=7x\r\nHeight=5\r\n", "[window]\r\nWidth=-7\r\nHeight=5\r\n",
        "[window]\r\nWidth=9999999999\r\nHeight=5\r\n"}) {
    WriteFileText(ini, text);
    EXPECT_EQ(ReadWindowSize(ini), std::nullopt) << text;
  }
}

TEST(CurrentMenu, TitleAndQuestionName) {
  struct Case {
    CurrentMenu menu;
    std::string title;
  };
  const std::string program = " \u2013 " + WindowTitle();
  const Case cases[] = {
      {CurrentMenu(), WindowTitle()},
      {CurrentMenu(CurrentMenu::Source::New), "untitled[*]" + program},
      {CurrentMenu(CurrentMenu::Source::Phone), "phone[*]" + program},
      {CurrentMenu(CurrentMenu::Source::File, "/m/my menu"), "my menu[*]" + program},
      {CurrentMenu(CurrentMenu::Source::File, "/m/a[*]"), "a[*][*][*]" + program},
  };
  for (const Case& c : cases) EXPECT_EQ(c.menu.WindowTitle(), c.title);
  EXPECT_EQ(CurrentMenu(CurrentMenu::Source::File, "/m/x").SaveChangesQuestion(),
            (Message{"Save changes to x?", "Unsaved changes", MessageIcon::Warning}));
}

}  // namespace
}  // namespace menuforge::test
