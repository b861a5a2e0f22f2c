#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/profile_selector.h"
#include "catalog/catalog.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

using test::ReadFileText;
using test::TempFolder;
using test::WriteFileText;

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

class ItemBaseTest : public ::testing::Test {
 protected:
  void WriteItemBase(const std::string& text) {
    std::filesystem::create_directory(folder.path() / kProfilesFolder);
    WriteFileText(catalog.itemBasePath(), text);
  }

  TempFolder folder;
  Catalog catalog{folder.path()};
};

TEST_F(ItemBaseTest, FirstStartWritesTheBuiltInFileByteForByte) {
  const Result<ItemBaseWarnings> result = catalog.LoadItemBase();
  ASSERT_TRUE(result) << result.errorText();
  EXPECT_TRUE(result->empty());
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Profiles"));

  const std::string text = ReadFileText(folder.path() / "Profiles" / "itembase.dat");
  const std::vector<std::string> lines = CrLfLines(text);
  ASSERT_EQ(lines.size(), 152u);
  for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos);
  const std::vector<std::pair<std::size_t, std::string>> expected = {
      {1, "2CLICK;2CLICK"},
      {5, "AirplnMode;AirplnMode"},
      {6, "AirplaneMod;AirplnMode [A630]"},
      {7, "AlarmClcok;AlarmClock [old]"},
      {67, "Mutilmedia;Multimedia"},
      {96, "SIMApp;SIMApp"},
      {97, "RingStyle;RingStyle"},
      {110, "Text Msg;Text Msg"},
      {126, "WorldTime;WorldTime"},
      {127, "DialedCalls;DialedCalls [SC]"},
      {150, "MFlashKaroke;MFlashKaroke [SC]"},
      {152, "MFlashIncomp;MFlashIncomp [SC]"},
  };
  for (const auto& [lineNumber, line] : expected)
    EXPECT_EQ(lines[lineNumber - 1], line) << lineNumber;

  const ItemTable& base = catalog.itemBase();
  ASSERT_EQ(base.count(), 153u);
  EXPECT_EQ(base.at(152).identifier, "Custom item");
  EXPECT_EQ(base.at(152).displayName, "Custom item");
  EXPECT_EQ(base.at(5).displayName, "AirplnMode [A630]");
  EXPECT_EQ(base.at(125).IsShortcut(), false);
  EXPECT_EQ(base.at(126).IsShortcut(), true);
  EXPECT_EQ(catalog.availableItems().entries(), base.entries());
  EXPECT_EQ(ProfileSelectorIndex(catalog), -1);
}

TEST_F(ItemBaseTest, TheWrittenFileReadsBackAsTheSameTable) {
  ASSERT_TRUE(catalog.LoadItemBase().ok());
  Catalog again(folder.path());
  const Result<ItemBaseWarnings> result = again.LoadItemBase();
  ASSERT_TRUE(result) << result.errorText();
  EXPECT_TRUE(result->empty());
  EXPECT_EQ(again.itemBase().entries(), catalog.itemBase().entries());
}

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<std::pair<std::string, std::string>> entries;
  std::vector<std::string> warnings;
};

TEST_F(ItemBaseTest, ReadsLinesAsTheyStand) {
  const std::vector<ParseCase> cases = {
      {"further separators belong to the name", "X;A;B\r\n", {{"X", "A;B"}}, {}},
      {"empty display name", "X;\r\n", {{"X", ""}}, {}},
      {"empty identifier", ";Name\r\n", {{"", "Name"}}, {}},
      {"no trimming", " X ; A \r\n", {{" X ", " A "}}, {}},
      {"LF line ends", "A;a\nB;b\n", {{"A", "a"}, {"B", "b"}}, {}},
      {"no break after the last line", "A;a\r\nB;b", {{"A", "a"}, {"B", "b"}}, {}},
      {"empty file", "", {}, {}},
      {"line without separator",
       "A;a\r\nnothing here\r\nB;b\r\n",
       {{"A", "a"}, {"B", "b"}},
       {"itembase.dat line 2 has no \";\" and was skipped"}},
      {"empty line",
       "A;a\r\n\r\nB;b\r\n",
       {{"A", "a"}, {"B", "b"}},
       {"itembase.dat line 2 has no \";\" and was skipped"}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteItemBase(c.text);
    const Result<ItemBaseWarnings> result = catalog.LoadItemBase();
    ASSERT_TRUE(result) << result.errorText();
    EXPECT_EQ(*result, c.warnings);
    const ItemTable& base = catalog.itemBase();
    ASSERT_EQ(base.count(), c.entries.size() + 1);
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
      EXPECT_EQ(base.at(i).identifier, c.entries[i].first);
      EXPECT_EQ(base.at(i).displayName, c.entries[i].second);
    }
    EXPECT_TRUE(base.IsCustomItem(c.entries.size()));
    EXPECT_EQ(catalog.availableItems().entries(), base.entries());
  }
}

TEST_F(ItemBaseTest, UsesOnlyTheFirst254Entries) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "Item" + std::to_string(i) + ";Name\r\n";
  WriteItemBase(text);
  const Result<ItemBaseWarnings> result = catalog.LoadItemBase();
  ASSERT_TRUE(result) << result.errorText();
  EXPECT_EQ(*result, std::vector<std::string>{
                         "itembase.dat holds more than 254 items; only the first 254 are used"});
  ASSERT_EQ(catalog.itemBase().count(), 255u);
  EXPECT_EQ(catalog.itemBase().at(253).identifier, "Item254");
  EXPECT_EQ(catalog.itemBase().at(254).identifier, "Custom item");
}

TEST_F(ItemBaseTest, Exactly254EntriesAreNoWarning) {
  std::string text;
  for (int i = 1; i <= 254; ++i) text += "Item" + std::to_string(i) + ";Name\r\n";
  WriteItemBase(text);
  const Result<ItemBaseWarnings> result = catalog.LoadItemBase();
  ASSERT_TRUE(result) << result.errorText();
  EXPECT_TRUE(result->empty());
  EXPECT_EQ(catalog.itemBase().count(), 255u);
}

TEST_F(ItemBaseTest, AppendedLinesShowOnlyAfterAReload) {
  ASSERT_TRUE(catalog.LoadItemBase().ok());
  const std::string before = ReadFileText(catalog.itemBasePath());

  ASSERT_TRUE(catalog.AppendItemBaseEntry("MFlashVshow2", true).ok());
  ASSERT_TRUE(catalog.AppendItemBaseEntry("Plain", false).ok());
  EXPECT_EQ(ReadFileText(catalog.itemBasePath()),
            before + "MFlashVshow2;MFlashVshow2 [SC]\r\nPlain;Plain\r\n");
  EXPECT_EQ(catalog.itemBase().count(), 153u);
  EXPECT_FALSE(catalog.itemBase().Contains("MFlashVshow2"));

  ASSERT_TRUE(catalog.ReloadItemBase().ok());
  EXPECT_TRUE(catalog.DefaultApplied());
  const ItemTable& base = catalog.itemBase();
  ASSERT_EQ(base.count(), 155u);
  EXPECT_TRUE(base.at(152).IsShortcut());
  EXPECT_EQ(base.at(152).displayName, "MFlashVshow2 [SC]");
  EXPECT_FALSE(base.at(153).IsShortcut());
  EXPECT_EQ(base.at(153).displayName, "Plain");
  EXPECT_EQ(catalog.availableItems().entries(), base.entries());
}

TEST_F(ItemBaseTest, AppendKeepsTheNewLineApartFromAnUnfinishedLastLine) {
  WriteItemBase("A;a");
  ASSERT_TRUE(catalog.AppendItemBaseEntry("B", false).ok());
  EXPECT_EQ(ReadFileText(catalog.itemBasePath()), "A;a\r\nB;B\r\n");

  WriteItemBase("");
  ASSERT_TRUE(catalog.AppendItemBaseEntry("B", false).ok());
  EXPECT_EQ(ReadFileText(catalog.itemBasePath()), "B;B\r\n");
}

TEST_F(ItemBaseTest, AppendRefusesNamesThatWouldBreakTheLine) {
  WriteItemBase("A;a\r\n");
  for (const std::string name : {"X;Y", "X\nY", "X\rY", "X\tY", "\x01\x02\x03", "Z\x7F"}) {
    EXPECT_FALSE(catalog.AppendItemBaseEntry(name, false)) << name;
  }
  EXPECT_EQ(catalog.AppendItemBaseEntry("X;Y", false).errorText(),
            "Cannot add \"X;Y\" to itembase.dat: an item name may not be empty or hold \";\" or "
            "control characters");
  EXPECT_EQ(ReadFileText(catalog.itemBasePath()), "A;a\r\n");
}

TEST_F(ItemBaseTest, AppendToAMissingFileFailsInsteadOfStartingAnEmptyBase) {
  const Status result = catalog.AppendItemBaseEntry("A", false);
  EXPECT_EQ(result.errorText(), "Cannot open file \"" + catalog.itemBasePath().string() +
                                    "\". No such file or directory");
  EXPECT_FALSE(std::filesystem::exists(catalog.itemBasePath()));
}

TEST_F(ItemBaseTest, LookupIsExactAndFindsCustomItemLast) {
  ASSERT_TRUE(catalog.LoadItemBase().ok());
  const ItemTable& base = catalog.itemBase();
  EXPECT_EQ(base.Find("PhoneBook"), 82u);
  EXPECT_EQ(base.Find("phonebook"), base.count());
  EXPECT_EQ(base.Find("PhoneBook "), base.count());
  EXPECT_EQ(base.Find("Custom item"), base.count() - 1);
}

TEST_F(ItemBaseTest, ReadFailureKeepsTheTables) {
  WriteItemBase("A;a\r\n");
  ASSERT_TRUE(catalog.LoadItemBase().ok());
  std::filesystem::remove(catalog.itemBasePath());
  std::filesystem::create_directory(catalog.itemBasePath());

  const Result<ItemBaseWarnings> result = catalog.ReloadItemBase();
  EXPECT_EQ(result.errorText(), "Cannot open file \"" + catalog.itemBasePath().string() +
                                    "\". It is not a regular file");
  EXPECT_EQ(catalog.itemBase().count(), 2u);
  EXPECT_EQ(catalog.itemBase().at(0).identifier, "A");
  EXPECT_EQ(catalog.profileSource(), Catalog::ProfileSource::None);
}

TEST_F(ItemBaseTest, AProfilesFileInTheWayIsReported) {
  WriteFileText(folder.path() / "Profiles", "not a folder");
  const Result<ItemBaseWarnings> result = catalog.LoadItemBase();
  EXPECT_TRUE(result.errorText().starts_with("Cannot create folder \"" +
                                             (folder.path() / "Profiles").string() + "\". "))
      << result.errorText();
  EXPECT_EQ(catalog.itemBase().count(), 1u);
}

}  // namespace
}  // namespace menuforge
