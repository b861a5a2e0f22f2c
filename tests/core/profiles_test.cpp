#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/core/profile_selector.h"
#include "catalog/catalog.h"
#include "catalog/profile_file.h"
#include "menu/record_size.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

using test::RecordingDialogs;
using test::TempFolder;
using test::WriteFileText;

constexpr char kHeader[] = "[mma_ucp format]\r\n";
constexpr char kItems[] = "[mma items]\r\n";

std::vector<std::string> Identifiers(const ItemTable& table) {
  std::vector<std::string> identifiers;
  for (const ItemBaseEntry& entry : table.entries()) identifiers.push_back(entry.identifier);
  return identifiers;
}

// Distinct from every outcome a profile can produce, so untouched settings show.
FormatOptions StartingOptions() {
  FormatOptions options;
  options.SelectSaveMode(RecordSize::k22);
  options.iconAttribute = IconAttribute::Tag06;
  options.c698pFix = true;
  options.saveAllData = true;
  return options;
}

class ProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(catalog.LoadItemBase().ok()); }

  void WriteProfile(const std::string& name, const std::string& text) {
    WriteFileText(folder.path() / "Profiles" / (name + ".prf"), text);
  }

  void ExpectOneMessage(const std::string& text, const std::string& caption) {
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], (Message{text, caption, MessageIcon::Warning}));
  }

  TempFolder folder;
  Catalog catalog{folder.path()};
  RecordingDialogs dialogs;
  FormatOptions options = StartingOptions();
};

struct FormatCase {
  std::string formatLine;
  int saveMode;
  IconAttribute iconAttribute;
  bool iconAttributeEnabled;
  bool c698pFix;
  std::string error;  // empty when the profile is accepted
};

TEST_F(ProfilesTest, FormatLineSetsTheSaveOptions) {
  const IconAttribute k06 = IconAttribute::Tag06;
  const IconAttribute k0C = IconAttribute::Tag0C;
  const std::string badLength = "Invalid mma record length (36 byte assumed)";
  const std::string badMarker = "Invalid user icon marker (0C assumed)";
  const std::string badFix = "C698p fix can be either 1 (ON) or 0 (OFF - assumed)";
  const std::vector<FormatCase> cases = {
      {"36 06 1", 36, k0C, false, true, ""},
      {"36 0C 0", 36, k0C, false, false, ""},
      {"22 06 0", 22, k06, true, false, ""},
      {"22 0C 1", 22, k0C, true, true, ""},
      {"22  0C   1", 22, k0C, true, true, ""},
      {"22 06 1 anything after", 22, k06, true, true, ""},
      {"278 06 0", 36, k0C, false, false, badLength},
      {"292 0C 0", 36, k0C, false, false, badLength},
      {"-234 06 0", 36, k0C, false, false, badLength},
      {"22 0c 1", 22, k0C, true, true, badMarker},
      {"22", 22, k0C, true, true, badMarker},
      {"36 6 0", 36, k0C, false, false, badMarker},
      {"22 06 2", 22, k06, true, false, badFix},
      {"22 06", 22, k06, true, false, badFix},
      {"36 06 ON", 36, k0C, false, false, badFix},
      {"24 06 1", 36, k0C, false, false, badLength},
      {"", 36, k0C, false, false, badLength},
      {"abc 06 1", 36, k0C, false, false, badLength},
      {" 22 06 1", 36, k0C, false, false, badLength},
      {"22x 06 1", 36, k0C, false, false, badLength},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE("format line \"" + c.formatLine + "\"");
    WriteProfile("P", kHeader + c.formatLine + "\r\n" + kItems + "PhoneBook\r\n");
    catalog.ListProfiles();
    catalog.MakeWholeBaseAvailable();
    dialogs.shown.clear();
    options = StartingOptions();

    EXPECT_TRUE(catalog.ApplyProfile("P", options, dialogs));
    EXPECT_EQ(RecordBytes(options.saveMode), c.saveMode);
    EXPECT_EQ(options.iconAttribute, c.iconAttribute);
    EXPECT_EQ(options.iconAttributeEnabled, c.iconAttributeEnabled);
    EXPECT_EQ(options.c698pEnabled, c.saveMode == 22);
    EXPECT_EQ(options.c698pFix, c.c698pFix);
    EXPECT_TRUE(options.saveAllData);
    if (c.error.empty()) {
      EXPECT_TRUE(dialogs.shown.empty());
      EXPECT_EQ(Identifiers(catalog.availableItems()),
                (std::vector<std::string>{"PhoneBook", "Custom item"}));
      EXPECT_EQ(ProfileSelectorIndex(catalog), 1);
    } else {
      ExpectOneMessage(c.error, "Profile error");
      EXPECT_EQ(catalog.availableItems().entries(), catalog.itemBase().entries());
      EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
    }
  }
}

TEST_F(ProfilesTest, BadHeadersStopWithFormattingErrorAfterKeepingWhatWasRead) {
  WriteProfile("NoHeader", "[mma_ucp]\r\n36 0C 0\r\n[mma items]\r\nPhoneBook\r\n");
  EXPECT_TRUE(catalog.ApplyProfile("NoHeader", options, dialogs));
  ExpectOneMessage("Invalid profile formatting", "Profile error");
  EXPECT_EQ(options, StartingOptions());
  EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
  EXPECT_EQ(catalog.availableItems().count(), 153u);

  dialogs.shown.clear();
  WriteProfile("BadThird", std::string(kHeader) + "36 0C 0\r\n[mma item]\r\nPhoneBook\r\n");
  EXPECT_TRUE(catalog.ApplyProfile("BadThird", options, dialogs));
  ExpectOneMessage("Invalid profile formatting", "Profile error");
  EXPECT_EQ(options.saveMode, RecordSize::k36);
  EXPECT_EQ(options.iconAttribute, IconAttribute::Tag0C);
  EXPECT_FALSE(options.c698pFix);
  EXPECT_EQ(catalog.availableItems().count(), 153u);

  dialogs.shown.clear();
  WriteProfile("Empty", "");
  EXPECT_TRUE(catalog.ApplyProfile("Empty", options, dialogs));
  ExpectOneMessage("Invalid profile formatting", "Profile error");
}

TEST_F(ProfilesTest, ErrorAtTheThirdLineKeepsTheEarlierProfilesItems) {
  WriteProfile("Good", std::string(kHeader) + "22 06 1\r\n" + kItems + "Message\r\n");
  WriteProfile("Broken", std::string(kHeader) + "36 0C 1\r\nnot items\r\nPhoneBook\r\n");
  catalog.ListProfiles();
  ASSERT_TRUE(catalog.ApplyProfile("Good", options, dialogs));
  ASSERT_TRUE(catalog.ApplyProfile("Broken", options, dialogs));
  EXPECT_EQ(Identifiers(catalog.availableItems()),
            (std::vector<std::string>{"Message", "Custom item"}));
  EXPECT_EQ(options.saveMode, RecordSize::k36);
  EXPECT_TRUE(options.c698pFix);
  EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
}

TEST_F(ProfilesTest, UnsupportedItemsAreOmittedAndTheLastOneNamed) {
  WriteProfile("V3x", std::string(kHeader) + "22 06 1\r\n" + kItems +
                          "PhoneBook\r\nFoo\r\nMessage\r\nBar\r\n");
  catalog.ListProfiles();
  EXPECT_TRUE(catalog.ApplyProfile("V3x", options, dialogs));
  EXPECT_EQ(Identifiers(catalog.availableItems()),
            (std::vector<std::string>{"PhoneBook", "Message", "Custom item"}));
  ExpectOneMessage("Unsupported mma item(s) found and omitted: Bar", "Profile error");
  EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
  EXPECT_EQ(options.saveMode, RecordSize::k22);
}

TEST_F(ProfilesTest, AnOverlongUnsupportedNameIsNamedByItsStartOnly) {
  WriteProfile("Huge", std::string(kHeader) + "22 06 1\r\n" + kItems + "PhoneBook\r\n" +
                           std::string(1 << 20, 'N') + "\r\n");
  catalog.ListProfiles();
  EXPECT_TRUE(catalog.ApplyProfile("Huge", options, dialogs));
  ExpectOneMessage("Unsupported mma item(s) found and omitted: " + std::string(80, 'N') + "\u2026",
                   "Profile error");
}

TEST_F(ProfilesTest, ItemsTakeTheItemBaseDisplayNameAndMatchExactly) {
  WriteProfile("P",
               std::string(kHeader) + "36 0C 0\n[mma items]\nAlarmClcok\nDialedCalls\nphonebook\n");
  catalog.ListProfiles();
  EXPECT_TRUE(catalog.ApplyProfile("P", options, dialogs));
  const ItemTable& available = catalog.availableItems();
  ASSERT_EQ(available.count(), 3u);
  EXPECT_EQ(available.at(0).displayName, "AlarmClock [old]");
  EXPECT_TRUE(available.at(1).IsShortcut());
  EXPECT_TRUE(available.IsCustomItem(2));
  ExpectOneMessage("Unsupported mma item(s) found and omitted: phonebook", "Profile error");
}

TEST_F(ProfilesTest, EmptyItemSectionLeavesOnlyCustomItem) {
  WriteProfile("Bare", std::string(kHeader) + "36 0C 0\r\n" + kItems);
  WriteProfile("Another", std::string(kHeader) + "36 0C 0\r\n" + kItems);
  catalog.ListProfiles();
  EXPECT_TRUE(catalog.ApplyProfile("Bare", options, dialogs));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(Identifiers(catalog.availableItems()), std::vector<std::string>{"Custom item"});
  EXPECT_EQ(ProfileSelectorEntries(catalog)[ProfileSelectorIndex(catalog)], "Bare");
}

TEST_F(ProfilesTest, AnUnlistedProfileLeavesTheSelectorOnCreateNew) {
  catalog.ListProfiles();
  WriteProfile("Fresh", std::string(kHeader) + "36 0C 0\r\n" + kItems + "PhoneBook\r\n");
  EXPECT_TRUE(catalog.ApplyProfile("Fresh", options, dialogs));
  EXPECT_EQ(ProfilePickAt(catalog, ProfileSelectorIndex(catalog)).kind,
            ProfilePick::Kind::CreateNew);
}

TEST_F(ProfilesTest, TheSelectorShowsTheAppliedProfileAndNamesEachPick) {
  for (const char* name : {"A", "B", "C"})
    WriteProfile(name, std::string(kHeader) + "36 0C 0\r\n" + kItems);
  catalog.ListProfiles();
  std::filesystem::remove(folder.path() / "Profiles" / "C.prf");
  WriteProfile("Unlisted", std::string(kHeader) + "36 0C 0\r\n" + kItems);
  EXPECT_EQ(ProfileSelectorEntries(catalog),
            (std::vector<std::string>{"Default", "A", "B", "C", "Create new..."}));

  // The profile applied before, or none; the entry the selector then shows.
  const std::vector<std::pair<std::optional<std::string>, int>> shown = {
      {std::nullopt, -1}, {"B", 2}, {"Unlisted", 4}, {"C", 0}, {"A", 1}};
  for (const auto& [profile, index] : shown) {
    if (profile) static_cast<void>(catalog.ApplyProfile(*profile, options, dialogs));
    EXPECT_EQ(ProfileSelectorIndex(catalog), index) << profile.value_or("none");
  }

  using Kind = ProfilePick::Kind;
  const std::vector<std::pair<int, ProfilePick>> picks = {{-1, {}},
                                                          {0, {Kind::Default, ""}},
                                                          {1, {Kind::Profile, "A"}},
                                                          {3, {Kind::Profile, "C"}},
                                                          {4, {Kind::CreateNew, ""}},
                                                          {5, {}}};
  for (const auto& [index, pick] : picks) EXPECT_EQ(ProfilePickAt(catalog, index), pick) << index;
}

TEST_F(ProfilesTest, OverlongProfileIsCutToTheTablesCapacity) {
  std::string text = std::string(kHeader) + "36 0C 0\r\n" + kItems;
  for (int i = 0; i < 300; ++i) text += "PhoneBook\r\n";
  WriteProfile("Long", text);
  catalog.ListProfiles();
  EXPECT_TRUE(catalog.ApplyProfile("Long", options, dialogs));
  EXPECT_TRUE(dialogs.shown.empty());
  ASSERT_EQ(catalog.availableItems().count(), 256u);
  EXPECT_TRUE(catalog.availableItems().IsCustomItem(255));
}

TEST_F(ProfilesTest, MissingProfileAppliesTheDefault) {
  WriteProfile("Gone", std::string(kHeader) + "22 06 1\r\n" + kItems + "PhoneBook\r\n");
  catalog.ListProfiles();
  ASSERT_TRUE(catalog.ApplyProfile("Gone", options, dialogs));
  std::filesystem::remove(folder.path() / "Profiles" / "Gone.prf");
  WriteFileText(folder.path() / "Escape.prf", std::string(kHeader) + "22 06 1\r\n" + kItems);

  for (const std::string name : {"Gone", "", "../Escape", "R3624"}) {
    SCOPED_TRACE("profile \"" + name + "\"");
    dialogs.shown.clear();
    options = StartingOptions();
    EXPECT_FALSE(catalog.ApplyProfile(name, options, dialogs));
    ExpectOneMessage("Profile not found. Default profile will be applied", "Missing profile");
    EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
    EXPECT_EQ(catalog.availableItems().entries(), catalog.itemBase().entries());
    EXPECT_EQ(options.saveMode, RecordSize::k36);
    EXPECT_EQ(options.iconAttribute, IconAttribute::Tag0C);
    EXPECT_FALSE(options.iconAttributeEnabled);
    EXPECT_FALSE(options.c698pFix);
    EXPECT_FALSE(options.c698pEnabled);
  }
}

TEST_F(ProfilesTest, DefaultRestoresTheWholeBaseAnd36ByteRecords) {
  WriteProfile("P", std::string(kHeader) + "22 06 1\r\n" + kItems + "PhoneBook\r\n");
  catalog.ListProfiles();
  ASSERT_TRUE(catalog.ApplyProfile("P", options, dialogs));
  catalog.ApplyDefault(options);
  EXPECT_EQ(catalog.availableItems().entries(), catalog.itemBase().entries());
  EXPECT_EQ(options.saveMode, RecordSize::k36);
  EXPECT_EQ(options.iconAttribute, IconAttribute::Tag0C);
  EXPECT_FALSE(options.iconAttributeEnabled);
  EXPECT_FALSE(options.c698pFix);
  EXPECT_FALSE(options.c698pEnabled);
}

TEST_F(ProfilesTest, ReloadMakesTheWholeBaseAvailableAndSelectsDefault) {
  WriteProfile("P", std::string(kHeader) + "22 06 1\r\n" + kItems + "PhoneBook\r\n");
  catalog.ListProfiles();
  ASSERT_TRUE(catalog.ApplyProfile("P", options, dialogs));
  ASSERT_EQ(ProfileSelectorIndex(catalog), 1);
  ASSERT_TRUE(catalog.ReloadItemBase().ok());
  EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
  EXPECT_EQ(catalog.availableItems().count(), 153u);
}

TEST_F(ProfilesTest, ListsProfileFilesOnlySortedByteWise) {
  const std::filesystem::path profiles = folder.path() / "Profiles";
  WriteProfile("Old", "");
  WriteProfile("Ro", "");
  std::filesystem::permissions(
      profiles / "Ro.prf", std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  WriteProfile("b", "");
  WriteProfile(".hidden", "");
  WriteProfile("Two.dots", "");
  std::filesystem::create_directory(profiles / "Folder.prf");
  WriteFileText(profiles / "Upper.PRF", "");
  WriteFileText(profiles / "notes.prf.txt", "");

  catalog.ListProfiles();
  EXPECT_EQ(catalog.profileNames(), (std::vector<std::string>{"Old", "Ro", "Two.dots", "b"}));
  EXPECT_EQ(ProfileSelectorEntries(catalog),
            (std::vector<std::string>{"Default", "Old", "Ro", "Two.dots", "b", "Create new..."}));
  EXPECT_EQ(ProfileSelectorIndex(catalog), -1);
  EXPECT_FALSE(catalog.DefaultApplied());
}

TEST_F(ProfilesTest, ListingWithoutAProfilesFolderGivesNoNames) {
  Catalog elsewhere(folder.path() / "nowhere");
  elsewhere.ListProfiles();
  EXPECT_TRUE(elsewhere.profileNames().empty());
  EXPECT_EQ(ProfileSelectorEntries(elsewhere),
            (std::vector<std::string>{"Default", "Create new..."}));
}

TEST(RecordLengthValue, IsTheWholeDecimalNumber) {
  const std::vector<std::pair<std::string, std::int64_t>> cases = {
      {"22", 22},
      {"36", 36},
      {"278", 278},
      {"292", 292},
      {"0", 0},
      {"", 0},
      {"x", 0},
      {"22x", 0},
      {"-234", -234},
      {"+36", 36},
      {"-", 0},
      {"99999999999", 0},
      {"2147483647", 2147483647},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(RecordLengthValue(text), value) << text;
}

TEST(RecordSize, OnlyTheTwoSizesParse) {
  const std::vector<std::pair<std::string, std::optional<RecordSize>>> cases = {
      {"22", RecordSize::k22}, {"36", RecordSize::k36}, {"022", std::nullopt},
      {"24", std::nullopt},    {"", std::nullopt},      {"36 ", std::nullopt},
  };
  for (const auto& [text, size] : cases) EXPECT_EQ(ParseRecordSize(text), size) << text;
  EXPECT_EQ(RecordSizeOf(22), RecordSize::k22);
  EXPECT_EQ(RecordSizeOf(278), std::nullopt);
}

}  // namespace
}  // namespace menuforge
