#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "app/core/settings_editor.h"
#include "support/test_support.h"
#include "workspace/settings.h"

namespace menuforge {
namespace {

using test::ReadFileText;
using test::TempFolder;
using test::WriteFileText;

Settings Make(bool systemAttr, bool logging, bool read, bool phone, bool card, bool patch,
              bool showPhoneChanges = false) {
  return Settings{systemAttr, logging, read, phone, card, patch, showPhoneChanges, {}};
}

std::string FileText(const std::string& systemAttr, const std::string& log, const std::string& read,
                     const std::string& patch, const std::string& showPhoneChanges = "0") {
  return "[setup]\r\nSetSystemAttr=" + systemAttr + "\r\nLogEnabled=" + log +
         "\r\nReadJ2MEST=" + read + "\r\nPatchJ2MEST=" + patch +
         "\r\nShowPhoneChanges=" + showPhoneChanges + "\r\n";
}

struct ReadCase {
  std::string name;
  std::string text;
  Settings expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ReadSettingsTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettingsTest, ReadsAsTheRulesSay) {
  TempFolder folder;
  WriteFileText(folder / kSettingsFileName, GetParam().text);
  EXPECT_EQ(ReadSettings(folder / kSettingsFileName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadSettingsTest,
    ::testing::Values(
        ReadCase{"AllOn", FileText("1", "1", "Both", "1"),
                 Make(true, true, true, true, true, true)},
        ReadCase{"PhoneOnly", FileText("0", "0", "Phone", "0"),
                 Make(false, false, true, true, false, false)},
        ReadCase{"CardOnly", FileText("0", "1", "Card", "1"),
                 Make(false, true, true, false, true, true)},
        ReadCase{"NoneIgnoresPatch", FileText("0", "0", "None", "1"), Settings{}},
        ReadCase{"LowerCasePhoneIsNotRead", FileText("0", "0", "phone", "1"), Settings{}},
        ReadCase{"UnknownSourceIsNotRead", FileText("0", "0", "Memory", "1"), Settings{}},
        ReadCase{"ValuesMatchExactly", FileText("true", "01", "Both", "yes"),
                 Make(false, false, true, true, true, false)},
        ReadCase{
            "NamesIgnoreLetterCase",
            "[SETUP]\r\nlogenabled=1\r\nSETSYSTEMATTR=1\r\nreadj2mest=Card\r\npatchJ2Mest=1\r\n",
            Make(true, true, true, false, true, true)},
        ReadCase{"LineFeedsAndSpaces", "[setup]\nLogEnabled = 1\nReadJ2MEST = Phone\n",
                 Make(false, true, true, true, false, false)},
        ReadCase{"FirstOfRepeatedKeysCounts", "[setup]\r\nLogEnabled=1\r\nLogEnabled=0\r\n",
                 Make(false, true, false, false, false, false)},
        ReadCase{"KeysOfAnotherSection", "[other]\r\nLogEnabled=1\r\nReadJ2MEST=Both\r\n",
                 Settings{}},
        ReadCase{"ShowPhoneChanges", FileText("0", "0", "None", "0", "1"),
                 Make(false, false, false, false, false, false, true)},
        ReadCase{"ShowPhoneChangesOnlyWhenOne", FileText("0", "0", "None", "0", "yes"), Settings{}},
        ReadCase{"WindowLanguage", "[setup]\r\nWindowLanguage=pt_BR\r\n",
                 Settings{.windowLanguage = "pt_BR"}},
        ReadCase{"Empty", "", Settings{}},
        ReadCase{"Garbage", std::string("\0\xff[\r\n=\x01]]\n[", 11), Settings{}}),
    [](const auto& info) { return info.param.name; });

TEST(ReadSettings, MissingFileOrFolderGivesDefaults) {
  TempFolder folder;
  EXPECT_EQ(ReadSettings(folder / kSettingsFileName), Settings{});
  std::filesystem::create_directory(folder / "folder.ini");
  EXPECT_EQ(ReadSettings(folder / "folder.ini"), Settings{});
}

struct WriteCase {
  std::string name;
  Settings settings;
  std::string expected;
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

class WriteSettingsTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteSettingsTest, WritesTheFiveKeysInOrderWithCrLf) {
  TempFolder folder;
  const auto path = folder / kSettingsFileName;
  ASSERT_TRUE(WriteSettings(path, GetParam().settings));
  EXPECT_EQ(ReadFileText(path), GetParam().expected);
  // Nothing is left beside the file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WriteSettingsTest,
    ::testing::Values(
        WriteCase{"Defaults", Settings{}, FileText("0", "0", "None", "0")},
        WriteCase{"AllOn", Make(true, true, true, true, true, true, true),
                  FileText("1", "1", "Both", "1", "1")},
        WriteCase{"Phone", Make(false, true, true, true, false, true),
                  FileText("0", "1", "Phone", "1")},
        WriteCase{"Card", Make(true, false, true, false, true, false),
                  FileText("1", "0", "Card", "0")},
        WriteCase{"WindowLanguageOnlyWhenChosen", Settings{.windowLanguage = "de"},
                  FileText("0", "0", "None", "0") + "WindowLanguage=de\r\n"},
        // Reading switched on without a source is not "Card": that would read the card next run.
        WriteCase{"ReadWithoutSource", Make(false, false, true, false, false, false),
                  FileText("0", "0", "None", "0")}),
    [](const auto& info) { return info.param.name; });

TEST(WriteSettings, KeepsTheRestOfAnExistingFile) {
  TempFolder folder;
  const auto path = folder / kSettingsFileName;
  WriteFileText(path, "[other]\r\nx=1\r\n[SETUP]\r\nlogenabled=1\r\nExtra=5\r\nPatchJ2MEST=1\r\n");
  ASSERT_TRUE(WriteSettings(path, Make(true, false, true, true, false, false)));
  const std::string expected =
      "[other]\r\nx=1\r\n\r\n\r\n[SETUP]\r\nExtra=5\r\nSetSystemAttr=1\r\nLogEnabled=0\r\n"
      "ReadJ2MEST=Phone\r\nPatchJ2MEST=0\r\nShowPhoneChanges=0\r\n";
  EXPECT_EQ(ReadFileText(path), expected);
  ASSERT_TRUE(WriteSettings(path, Make(true, false, true, true, false, false)));
  EXPECT_EQ(ReadFileText(path), expected);
}

TEST(WriteSettings, TheSystemsLanguageAgainRemovesTheChosenOne) {
  TempFolder folder;
  const auto path = folder / kSettingsFileName;
  ASSERT_TRUE(WriteSettings(path, Settings{.windowLanguage = "ru"}));
  ASSERT_TRUE(WriteSettings(path, Settings{}));
  EXPECT_EQ(ReadFileText(path), FileText("0", "0", "None", "0"));
}

TEST(WriteSettings, FailureIsReportedAndLeavesTheOldFile) {
  TempFolder folder;
  const auto missingFolder = folder / "missing" / kSettingsFileName;
  EXPECT_EQ(WriteSettings(missingFolder, Settings{}).errorText(),
            "Cannot create file \"" + missingFolder.string() + "\". No such file or directory");
  EXPECT_FALSE(std::filesystem::exists(missingFolder));

  // A folder in the file's place cannot be read, so it is not replaced.
  const auto folderInPlace = folder / "taken.ini";
  std::filesystem::create_directory(folderInPlace);
  WriteFileText(folderInPlace / "inside", "kept");
  EXPECT_EQ(WriteSettings(folderInPlace, Settings{}).errorText(),
            "Cannot open file \"" + folderInPlace.string() + "\". It is not a regular file");
  EXPECT_EQ(ReadFileText(folderInPlace / "inside"), "kept");
}

// The settings window's check boxes, clicked in order.
enum class Box { SystemAttr, Logging, Read, Phone, Card, Patch, ShowPhoneChanges };
struct Click {
  Box box;
  bool on;
};

void Apply(SettingsEditor& editor, const std::vector<Click>& clicks) {
  for (const Click& click : clicks) {
    switch (click.box) {
      case Box::SystemAttr: editor.SetSystemAttribute(click.on); break;
      case Box::Logging: editor.SetLogging(click.on); break;
      case Box::Read: editor.SetReadJ2mest(click.on); break;
      case Box::Phone: editor.SetFromPhone(click.on); break;
      case Box::Card: editor.SetFromCard(click.on); break;
      case Box::Patch: editor.SetPatchJ2mest(click.on); break;
      case Box::ShowPhoneChanges: editor.SetShowPhoneChanges(click.on); break;
    }
  }
}

struct EditCase {
  std::string name;
  Settings start;
  std::vector<Click> clicks;
  Settings pending;
  bool sourcesEnabled;
  bool patchEnabled;
  std::string stored;  // ReadJ2MEST and PatchJ2MEST of the file written on OK
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

class SettingsEditorTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(SettingsEditorTest, FollowsTheClickRulesAndStoresTheConfirmedCopy) {
  const EditCase& c = GetParam();
  SettingsEditor editor(c.start);
  Apply(editor, c.clicks);
  EXPECT_EQ(editor.Pending(), c.pending);
  EXPECT_EQ(editor.SourceBoxesEnabled(), c.sourcesEnabled);
  EXPECT_EQ(editor.PatchBoxEnabled(), c.patchEnabled);

  TempFolder folder;
  const auto path = folder / kSettingsFileName;
  ASSERT_TRUE(WriteSettings(path, editor.Confirmed()));
  EXPECT_NE(ReadFileText(path).find(c.stored), std::string::npos) << ReadFileText(path);
  EXPECT_EQ(ReadSettings(path), editor.Confirmed());
}

const Settings kPhonePatched = Make(false, false, true, true, false, true);

INSTANTIATE_TEST_SUITE_P(
    Clicks, SettingsEditorTest,
    ::testing::Values(
        EditCase{"ShownFromDefaults",
                 Settings{},
                 {},
                 Settings{},
                 false,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"},
        EditCase{"ShownFromPhonePatched",
                 kPhonePatched,
                 {},
                 kPhonePatched,
                 true,
                 true,
                 "ReadJ2MEST=Phone\r\nPatchJ2MEST=1"},
        EditCase{"ShownWithReadingOffClearsSources",
                 Make(false, false, false, true, true, true),
                 {},
                 Settings{},
                 false,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"},
        EditCase{"PlainBoxes",
                 Settings{},
                 {{Box::SystemAttr, true}, {Box::Logging, true}},
                 Make(true, true, false, false, false, false),
                 false,
                 false,
                 "SetSystemAttr=1\r\nLogEnabled=1\r\nReadJ2MEST=None"},
        EditCase{"ShowPhoneChangesOnAndOff",
                 Settings{},
                 {{Box::ShowPhoneChanges, true},
                  {Box::ShowPhoneChanges, false},
                  {Box::ShowPhoneChanges, true}},
                 Make(false, false, false, false, false, false, true),
                 false,
                 false,
                 "PatchJ2MEST=0\r\nShowPhoneChanges=1"},
        EditCase{"ReadWithoutSourceStoresNone",
                 Settings{},
                 {{Box::Read, true}},
                 Make(false, false, true, false, false, false),
                 true,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"},
        EditCase{"CardOnly",
                 Settings{},
                 {{Box::Read, true}, {Box::Card, true}},
                 Make(false, false, true, false, true, false),
                 true,
                 true,
                 "ReadJ2MEST=Card\r\nPatchJ2MEST=0"},
        EditCase{"BothWithPatch",
                 Settings{},
                 {{Box::Read, true}, {Box::Card, true}, {Box::Phone, true}, {Box::Patch, true}},
                 Make(false, false, true, true, true, true),
                 true,
                 true,
                 "ReadJ2MEST=Both\r\nPatchJ2MEST=1"},
        EditCase{"SwitchingSourceKeepsPatch",
                 kPhonePatched,
                 {{Box::Card, true}, {Box::Phone, false}},
                 Make(false, false, true, false, true, true),
                 true,
                 true,
                 "ReadJ2MEST=Card\r\nPatchJ2MEST=1"},
        EditCase{"LastSourceOffClearsReadAndPatch",
                 kPhonePatched,
                 {{Box::Phone, false}},
                 Settings{},
                 false,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"},
        EditCase{"ReadOffClearsAll",
                 Make(true, true, true, true, true, true),
                 {{Box::Read, false}},
                 Make(true, true, false, false, false, false),
                 false,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"},
        EditCase{"ReadAgainLeavesPatchDisabled",
                 kPhonePatched,
                 {{Box::Read, false}, {Box::Read, true}},
                 Make(false, false, true, false, false, false),
                 true,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"},
        EditCase{"DisabledBoxesIgnoreClicks",
                 Settings{},
                 {{Box::Phone, true},
                  {Box::Card, true},
                  {Box::Patch, true},
                  {Box::Read, true},
                  {Box::Patch, true}},
                 Make(false, false, true, false, false, false),
                 true,
                 false,
                 "ReadJ2MEST=None\r\nPatchJ2MEST=0"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace menuforge
