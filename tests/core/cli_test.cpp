// Runs the built menuforge-cli in a fresh working folder and checks exit codes, output and bytes.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "menu/mma_format.h"
#include "menu/mma_saver.h"
#include "menu/record_size.h"
#include "menu/tree_operations.h"
#include "pictures/gif_encoding.h"
#include "pictures/picture_decoding.h"
#include "support/cli_runner.h"
#include "support/drm_binaries.h"
#include "support/j2mest_files.h"
#include "support/picture_files.h"
#include "support/sample_menus.h"
#include "support/synthetic_firmware.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

using test::CliRun;
using test::ReadFileBytes;
using test::ReadFileText;
using test::TempFolder;
using test::WriteFileBytes;
using test::WriteFileText;
using Json = nlohmann::ordered_json;

constexpr char kMismatchOnLoad[] =
    "Selected profile doesn't match mma_ucp\r\n    Default profile will be applied";
constexpr char kMismatchOnSave[] = "mma_ucp doesn't match current profile";
constexpr char kProfileNotFound[] = "Profile not found. Default profile will be applied";

class CliTest : public ::testing::Test {
 protected:
  CliRun Run(const std::string& arguments) const {
    return test::RunCli(MENUFORGE_CLI, folder.path(), arguments);
  }

  bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }

  // The sample menu written by the core itself, as the reference the tool is held to.
  void SaveSample(const std::string& name, const FormatOptions& options) const {
    MenuTree tree;
    test::BuildSampleMenu(tree);
    const SaveResult saved = SaveMenuFile(folder / name, tree, options, SampleItems());
    ASSERT_EQ(saved.status(), SaveStatus::Saved) << saved.errorText();
  }

  // The sample menu and one item, "Foo", that no item base holds.
  void SaveWithFoo(const std::string& name) const {
    MenuTree tree;
    test::BuildSampleMenu(tree);
    ASSERT_NE(AddEntry(tree, *tree.menuRoot(), Placement::LastChild, {"Foo", "Foo", true}, false),
              nullptr);
    ASSERT_EQ(SaveMenuFile(folder / name, tree, FormatOptions{}, SampleItems()).status(),
              SaveStatus::Saved);
  }

  // The sample's items, which the built-in item base holds, and "Foo", which it lacks.
  static ItemTable SampleItems() {
    std::vector<ItemBaseEntry> entries;
    for (const char* id :
         {"Browser", "Games", "Calculator", "Camera", "Settings", "DialedCalls", "Tools", "Foo"})
      entries.push_back({id, id, true});
    return WithDefaultSoftkeys(std::move(entries));
  }

  TempFolder folder;
};

FormatOptions Options(int recordSize, bool saveAllData, IconAttribute icon = IconAttribute::Tag0C,
                      bool c698pFix = false) {
  FormatOptions options;
  options.SelectSaveMode(*RecordSizeOf(recordSize));
  options.iconAttribute = icon;
  options.c698pFix = c698pFix;
  options.saveAllData = saveAllData;
  return options;
}

// One fixed record as the format lays it out.
Bytes FixedRecord(int recordSize, std::vector<std::uint8_t> leading, const std::string& name,
                  std::uint8_t marker) {
  const RecordLayout layout = RecordLayout::For(*RecordSizeOf(recordSize));
  Bytes record = std::move(leading);
  for (std::size_t i = 0; i < layout.nameWidth; ++i)
    record.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
  if (layout.hasMarker) record.push_back(marker);
  record.insert(record.end(), {0, 0, 0, 0});
  return record;
}

Bytes ExpectedSkeleton(int recordSize) {
  Bytes file = test::HexBytes(recordSize == 36 ? "00 01 0A 01 FF FF 15 02 FF FF"
                                               : "00 01 0A 01 FF FF FF FF FF FF");
  auto append = [&](const Bytes& record) { file.insert(file.end(), record.begin(), record.end()); };
  append(FixedRecord(recordSize, {1, 0xFF, 0xFF, 1, 0, 0}, "Root", 0xCC));
  append(FixedRecord(recordSize, {1, 1, 2, 0xFF, 0, 0}, "Container", 0xCC));
  for (const ItemBaseEntry& key : DefaultSoftkeyItems())
    append(FixedRecord(recordSize, {0, 0xFF, 0xFF, 0xFF, 0, 0x41}, key.identifier, 0xCC));
  append(FixedRecord(recordSize, {1, 0xFF, 0xFF, 0xFF, 0, 0}, "MenuRoot", 0xCD));
  return file;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  const auto lines = Lines(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(CliTest, NewWritesTheExactSkeletonInBothRecordSizes) {
  for (const auto& [arguments, recordSize] : std::vector<std::pair<std::string, int>>{
           {"new a", 36}, {"new b --records 36", 36}, {"new c --records 22", 22}}) {
    const CliRun run = Run(arguments);
    ASSERT_EQ(run.exitCode, 0) << arguments << ": " << run.err;
    EXPECT_EQ(run.out, "");
    const Bytes written = ReadFileBytes(folder / arguments.substr(4, 1));
    EXPECT_EQ(written.size(), 10u + 10u * recordSize) << arguments;
    EXPECT_EQ(written, ExpectedSkeleton(recordSize)) << arguments;
  }
  EXPECT_TRUE(Exists("Profiles/itembase.dat"));
}

TEST_F(CliTest, HelpOnTheToolAndEveryCommand) {
  for (const std::string command : {"", "new ", "dump ", "convert ", "check ", "export ", "import ",
                                    "scan-firmware ", "j2mest ", "gif ", "drm ", "diff "}) {
    for (const std::string help : {"--help", "-h"}) {
      const CliRun run = Run(command + help);
      EXPECT_EQ(run.exitCode, 0) << command << help;
      EXPECT_EQ(run.out.rfind("usage: menuforge-cli " + command, 0), 0u) << run.out;
      EXPECT_EQ(run.err, "") << command << help;
    }
  }
}

TEST_F(CliTest, BadUsageExitsTwoAndWritesNothing) {
  SaveSample("in", Options(36, false));
  for (const std::string arguments : {"",
                                      "frobnicate",
                                      "new",
                                      "new out extra",
                                      "new out --records 24",
                                      "new out --records",
                                      "new out --frob",
                                      "dump in --records 36",
                                      "convert in out --records 36 --c698p",
                                      "convert in out --icon-attr 06",
                                      "convert in out --c698p --no-c698p",
                                      "convert in out --icon-attr 6",
                                      "import in out --save-all",
                                      "scan-firmware",
                                      "scan-firmware in out",
                                      "j2mest",
                                      "j2mest in out",
                                      "j2mest in --records 36",
                                      "gif in",
                                      "drm",
                                      "drm in",
                                      "drm in frob",
                                      "drm in extract x out",
                                      "drm in list out"}) {
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_NE(run.err.find("error: "), std::string::npos) << arguments << ": " << run.err;
    EXPECT_FALSE(Exists("out")) << arguments;
  }
  EXPECT_NE(Run("new out --records 24").err.find(kInvalidRecordLengthText), std::string::npos);
}

TEST_F(CliTest, ConvertBetweenRecordSizesKeepsTreeAndData) {
  SaveSample("s36", Options(36, true));
  SaveSample("s22", Options(22, true));

  ASSERT_EQ(Run("convert s36 t22 --records 22 --save-all").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "t22"), ReadFileBytes(folder / "s22"));
  ASSERT_EQ(Run("convert t22 t36 --records 36 --save-all").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "t36"), ReadFileBytes(folder / "s36"));

  // Options not given keep what loading found: 22-byte records, the fix and the 06 icon tag.
  SaveSample("s22fix", Options(22, true, IconAttribute::Tag06, true));
  ASSERT_EQ(Run("convert s36 u22 --records 22 --c698p --icon-attr 06 --save-all").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "u22"), ReadFileBytes(folder / "s22fix"));
  ASSERT_EQ(Run("convert u22 v22 --save-all").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "v22"), ReadFileBytes(folder / "s22fix"));
  // A 36-byte file whose chunks carry 06 is written back with 0C, as 36-byte files always are.
  SaveSample("s36six", Options(36, true, IconAttribute::Tag06));
  ASSERT_NE(ReadFileBytes(folder / "s36six"), ReadFileBytes(folder / "s36"));
  ASSERT_EQ(Run("convert s36six x36 --save-all").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "x36"), ReadFileBytes(folder / "s36"));

  // Without --save-all the unknown chunks are dropped, as the window's default does.
  SaveSample("s36plain", Options(36, false));
  ASSERT_EQ(Run("convert s36 w36").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "w36"), ReadFileBytes(folder / "s36plain"));
}

TEST_F(CliTest, CheckAnswersWhetherTheFileFitsTheProfile) {
  {
    MenuTree tree;
    test::BuildSampleMenu(tree);
    ASSERT_NE(AddEntry(tree, *tree.menuRoot(), Placement::LastChild, {"Foo", "Foo", true}, false),
              nullptr);
    ASSERT_EQ(SaveMenuFile(folder / "foo", tree, Options(36, false), SampleItems()).status(),
              SaveStatus::Saved);
  }
  SaveSample("sample", Options(36, false));
  std::filesystem::create_directory(folder / "Profiles");
  const std::string items =
      "PhoneBook\r\nMessage\r\nRecentCall\r\nMutilmedia\r\nDatebook\r\nMMRingStyle\r\n"
      "VoiceRecord\r\nBrowser\r\nGames\r\nCalculator\r\nCamera\r\nSettings\r\nDialedCalls\r\n"
      "Tools\r\n";
  WriteFileText(folder / "Profiles" / "Full.prf",
                "[mma_ucp format]\r\n36 0C 0\r\n[mma items]\r\n" + items);
  WriteFileText(folder / "Profiles" / "Small.prf",
                "[mma_ucp format]\r\n36 0C 0\r\n[mma items]\r\nPhoneBook\r\n");

  struct Case {
    std::string arguments;
    int exitCode;
    std::vector<std::string> errorTexts;
  };
  const std::vector<Case> cases = {
      {"check sample", 0, {}},
      {"check sample --profile Full", 0, {}},
      {"check foo", 1, {"item \"Foo\" is not among the available items\n", kMismatchOnSave}},
      {"check foo --profile Full", 1, {"item \"Foo\" is not among", kMismatchOnSave}},
      {"check sample --profile Small", 1, {"item \"Message\" is not among", kMismatchOnSave}},
      {"check sample --profile Missing", 1, {"error: no profile named Missing in Profiles/\n"}},
      {"check nothing", 1, {"error: Cannot open file"}},
  };
  for (const Case& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << ": " << run.err;
    for (const std::string& text : c.errorTexts)
      EXPECT_NE(run.err.find(text), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.err.find(kMismatchOnLoad), std::string::npos) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.err.find(kProfileNotFound), std::string::npos) << c.arguments << ": " << run.err;
    if (c.exitCode == 0) {
      EXPECT_EQ(run.out, "ok: 8 main menu entries, 36-byte records\n");
    }
    EXPECT_FALSE(Exists("Profiles/itembase.dat")) << c.arguments;
  }
}

TEST_F(CliTest, ScanFirmwareWritesTheProfileOrNothing) {
  test::FirmwareLayout noVersion;
  noVersion.version = "Q_";
  WriteFileBytes(folder / "none.smg", test::SyntheticFirmware(noVersion));
  WriteFileBytes(folder / "cg1.smg", test::SyntheticFirmware({}));
  struct Case {
    std::string arguments;
    int exitCode;
    std::string out;
    std::string err;
  };
  const std::vector<Case> cases = {
      {"scan-firmware none.smg", 1, "Fail\n", "error: the image holds no firmware version"},
      {"scan-firmware missing.smg", 1, "", "error: Cannot open file"},
      {"scan-firmware cg1.smg", 0, "R3624\n", "Item base has been updated\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << c.arguments << ": " << run.err;
    EXPECT_EQ(Exists("Profiles"), c.exitCode == 0) << c.arguments;
  }
  EXPECT_EQ(ReadFileText(folder / "Profiles" / "R3624.prf"),
            "[mma_ucp format]\r\n22 0C 1\r\n[mma items]\r\n2CLICK\r\nPhoneBook\r\nZzz\r\nYyy\r\n"
            "DialedCalls\r\n");
  EXPECT_TRUE(ReadFileText(folder / "Profiles" / "itembase.dat")
                  .ends_with("\r\nZzz;Zzz\r\nYyy;Yyy [SC]\r\n"));
}

TEST_F(CliTest, ExportThenImportGivesTheSameBytes) {
  struct Case {
    std::string name;
    FormatOptions options;
    std::string convertFlags;
  };
  const std::vector<Case> cases = {
      {"plain36", Options(36, false), ""},
      {"all36", Options(36, true), " --save-all"},
      {"fix22", Options(22, true, IconAttribute::Tag06, true), " --save-all"},
      {"plain22", Options(22, false), ""},
  };
  for (const Case& c : cases) {
    SaveSample(c.name, c.options);
    ASSERT_EQ(Run("convert " + c.name + " " + c.name + ".again" + c.convertFlags).exitCode, 0);
    const Bytes expected = ReadFileBytes(folder / (c.name + ".again"));
    EXPECT_EQ(expected, ReadFileBytes(folder / c.name)) << c.name;

    const CliRun exported = Run("export " + c.name);
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    Json json = Json::parse(exported.out);
    json["format"]["saveAllData"] = c.options.saveAllData;
    WriteFileText(folder / (c.name + ".json"), json.dump());

    const CliRun imported = Run("import " + c.name + ".json " + c.name + ".imported");
    ASSERT_EQ(imported.exitCode, 0) << c.name << ": " << imported.err;
    EXPECT_EQ(ReadFileBytes(folder / (c.name + ".imported")), expected) << c.name;
  }
}

TEST_F(CliTest, ExportShowsTextsReadablyAndSurrogatesAsHex) {
  SaveSample("sample", Options(22, true, IconAttribute::Tag06, true));
  const CliRun run = Run("export sample");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Json json = Json::parse(run.out);

  EXPECT_EQ(json["format"], Json::parse(R"({"recordSize":22,"c698pFix":true,
      "customIconAttribute":"06","saveAllData":false})"));
  ASSERT_EQ(json["softkeys"].size(), 7u);
  EXPECT_EQ(json["softkeys"][0]["display"], "LSK: PhoneBook");
  EXPECT_EQ(json["softkeys"][0]["data"],
            Json::parse(R"([{"tag":1,"titles":[{"language":7,"text":"Kontakte"}]}])"));

  const Json& menu = json["menu"];
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(menu[0]["name"], "Browser");
  EXPECT_EQ(menu[0]["data"], Json::parse(R"([
      {"tag":0,"titles":[{"language":1,"text":"Web"},{"language":6,"text":"Navigateur é"}]},
      {"tag":5,"text":"http://wap.example/é"},
      {"tag":12,"kind":3,"path":"/a/mobile/picture/web.gif"}])"));
  const Json& custom = menu[1]["children"][1];
  EXPECT_EQ(custom["name"], "~1");
  EXPECT_EQ(custom["data"][0]["titles"][0], Json::parse(R"({"language":1,"ucs2":"0041D8000042"})"));
  EXPECT_EQ(custom["data"][3], Json::parse(R"({"tag":17,"drmByte":18,"number":65535})"));
  EXPECT_EQ(menu[1]["children"][2]["data"][0], Json::parse(R"({"tag":22,"action":291})"));
  EXPECT_EQ(menu[2]["data"][0],
            Json::parse(R"({"tag":254,"chunks":[{"tag":2,"hex":"0A0B"},{"tag":3,"hex":""}]})"));
  EXPECT_EQ(menu[3]["type"], 9);
  EXPECT_EQ(menu[3]["data"][0]["hex"], "4469616C656443616C6C730000000000000000000000000000");
}

struct BadJsonCase {
  std::string what;
  std::function<void(Json&)> spoil;
  std::string message;
};

TEST_F(CliTest, ImportRefusesBadJsonAndWritesNothing) {
  SaveSample("sample", Options(36, true));
  const CliRun exported = Run("export sample");
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const Json good = Json::parse(exported.out);
  auto firstTitles = [](Json& json) -> Json& { return json["menu"][0]["data"][0]["titles"]; };

  const std::vector<BadJsonCase> cases = {
      {"six soft keys", [](Json& j) { j["softkeys"].erase(0); }, "expected exactly 7 soft keys"},
      {"eight soft keys", [](Json& j) { j["softkeys"].push_back(j["softkeys"][0]); },
       "softkeys: more than 7 soft keys"},
      {"twelve chunks",
       [](Json& j) {
         for (int i = 0; i < 12; ++i) j["menu"][3]["data"].push_back({{"tag", 18}, {"code", 1}});
       },
       "menu[3].data: more than 11 chunks"},
      {"unknown tag", [](Json& j) { j["menu"][0]["data"][0]["tag"] = 7; }, "unknown chunk tag 7"},
      {"title too long", [&](Json& j) { firstTitles(j)[0]["text"] = std::string(400, 'x'); },
       "menu[0].data[0].titles[0]: a title holds at most 399 characters"},
      {"language out of range", [&](Json& j) { firstTitles(j)[0]["language"] = 256; },
       "language: expected a whole number from 0 to 255"},
      {"negative number", [](Json& j) { j["menu"][0]["attribute"] = -1; },
       "menu[0].attribute: expected a whole number"},
      {"type as text", [](Json& j) { j["menu"][0]["type"] = "3"; }, "expected a whole number"},
      {"name beyond Latin-1", [](Json& j) { j["menu"][0]["name"] = "Br\u0100wser"; },
       "menu[0].name: characters above U+00FF"},
      {"name too long", [](Json& j) { j["softkeys"][0]["name"] = std::string(26, 'N'); },
       "at most 25 characters"},
      {"title beyond UCS-2", [&](Json& j) { firstTitles(j)[0]["text"] = "\U0001F600"; },
       "beyond U+FFFF"},
      {"text and ucs2", [&](Json& j) { firstTitles(j)[0]["ucs2"] = "0041"; },
       "exactly one of \"text\" and \"ucs2\""},
      {"odd ucs2",
       [&](Json& j) {
         firstTitles(j)[0] = {{"language", 1}, {"ucs2", "004"}};
       },
       "four per character"},
      {"zero in ucs2",
       [&](Json& j) {
         firstTitles(j)[0] = {{"language", 1}, {"ucs2", "0000"}};
       },
       "U+0000"},
      {"short shortcut", [](Json& j) { j["menu"][3]["data"][0]["hex"] = std::string(48, '0'); },
       "expected exactly 25 bytes"},
      {"known tag in unknown group",
       [](Json& j) { j["menu"][2]["data"][0]["chunks"][0]["tag"] = 5; }, "is a known chunk"},
      {"empty unknown group", [](Json& j) { j["menu"][2]["data"][0]["chunks"] = Json::array(); },
       "at least one chunk"},
      {"two unknown groups",
       [](Json& j) { j["menu"][2]["data"].push_back(j["menu"][2]["data"][0]); },
       "at most one unknown group"},
      {"big unknown chunk",
       [](Json& j) { j["menu"][2]["data"][0]["chunks"][0]["hex"] = std::string(4098, 'A'); },
       "more than 2048 bytes"},
      {"bad record size", [](Json& j) { j["format"]["recordSize"] = 24; },
       "Invalid mma record length"},
      {"one entry too many",
       [](Json& j) {
         while (j["menu"].size() < kMaxMenuEntries) j["menu"].push_back(j["menu"][0]);
         j["menu"][0]["children"].push_back(j["menu"][0]);
       },
       TooManyEntriesText()},
      {"06 with 36", [](Json& j) { j["format"]["customIconAttribute"] = "06"; },
       "needs 22-byte records"},
      {"fix with 36", [](Json& j) { j["format"]["c698pFix"] = true; }, "needs 22-byte records"},
      {"misspelt member", [](Json& j) { j["menu"][0]["titel"] = 1; }, "unknown member \"titel\""},
      {"soft key with children",
       [](Json& j) { j["softkeys"][1]["children"].push_back(j["menu"][3]); },
       "a soft key cannot have children"},
      {"missing name", [](Json& j) { j["menu"][1]["children"][0].erase("name"); },
       "menu[1].children[0]: missing member \"name\""},
      {"item outside the item base", [](Json& j) { j["menu"][0]["name"] = "Nope"; },
       "menu[0].name: item \"Nope\" is not in the item base, and no profile was given"},
      {"not an object", [](Json& j) { j = Json::array(); }, "top level: expected an object"},
  };
  for (const BadJsonCase& c : cases) {
    Json json = good;
    c.spoil(json);
    WriteFileText(folder / "bad.json", json.dump());
    const CliRun run = Run("import bad.json out");
    EXPECT_EQ(run.exitCode, 1) << c.what;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.what << ": " << run.err;
    EXPECT_FALSE(Exists("out")) << c.what;
  }

  WriteFileText(folder / "broken.json", "{\"format\":");
  const CliRun run = Run("import broken.json out");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("error: broken.json: not valid JSON"), std::string::npos) << run.err;
  EXPECT_FALSE(Exists("out"));
}

TEST_F(CliTest, DumpListsEveryRecordInFileOrderWithItsChunks) {
  SaveSample("sample", Options(36, true));
  const CliRun run = Run("dump sample");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_FALSE(lines.empty());
  const Bytes file = ReadFileBytes(folder / "sample");
  EXPECT_EQ(lines[0], "header record-size=36 records=18 c698p-fix=off data-section-offset=" +
                          std::to_string(10 + 18 * 36));

  std::vector<std::string> records;
  for (const std::string& line : lines)
    if (line.starts_with("record ")) records.push_back(line);
  ASSERT_EQ(records.size(), 18u);
  for (std::size_t i = 0; i < records.size(); ++i)
    EXPECT_TRUE(records[i].starts_with("record " + std::to_string(i) + " ")) << records[i];

  const std::string& out = run.out;
  EXPECT_TRUE(HasLine(out,
                      "record 10 (0A) name=\"Browser\" display=\"Browser\" type=3 "
                      "title-mode=0 (0x00) attribute=0x60 parent=09 next=0B first-child=FF "
                      "data-offset=26 data-length=126"))
      << out;
  EXPECT_TRUE(HasLine(out,
                      "record 14 (0E) name=\"Calculator\" display=\"Calculator\" type=6 "
                      "title-mode=0 (0x00) attribute=0x41 parent=0B next=0F first-child=FF "
                      "data-offset=235 data-length=51"))
      << out;
  EXPECT_TRUE(HasLine(out, "  titles tag=0 list=menu count=2"));
  EXPECT_TRUE(HasLine(out, "  title tag=0 language=06 name=\"French\" text=\"Navigateur é\""));
  EXPECT_TRUE(HasLine(out, "  title tag=0 language=01 name=\"English US\" ucs2=0041D8000042"));
  EXPECT_TRUE(HasLine(out, "  title tag=21 language=23 name=\"Russian\" text=\"Привет\""));
  EXPECT_TRUE(HasLine(out, "  title tag=1 language=07 name=\"German\" text=\"Kontakte\""));
  EXPECT_TRUE(HasLine(out, "  url tag=5 text=\"http://wap.example/é\""));
  EXPECT_TRUE(HasLine(out, "  icon tag=12 kind=static path=\"/a/mobile/picture/web.gif\""));
  EXPECT_TRUE(HasLine(out, "  icon tag=12 kind=animated path=\"/a/Ж.gif\""));
  EXPECT_TRUE(HasLine(out, "  midlet-vendor tag=11 text=\"Vendor Å\""));
  EXPECT_TRUE(HasLine(out, "  drm-icon tag=16 kind=static drm-byte=0x34 number=4660"));
  EXPECT_TRUE(HasLine(out, "  code tag=19 byte=0x02"));
  EXPECT_TRUE(HasLine(out, "  action tag=22 code=291"));
  EXPECT_TRUE(HasLine(out,
                      "  shortcut tag=23 text=\"DialedCalls\" "
                      "hex=4469616C656443616C6C730000000000000000000000000000"));
  EXPECT_TRUE(HasLine(out, "  unknown tag=2 length=2 hex=0A0B"));
  EXPECT_TRUE(HasLine(out, "  unknown tag=3 length=0 hex="));

  // A file cut inside its data section still dumps, with one warning per entry that lost data.
  WriteFileBytes(folder / "cut", Bytes(file.begin(), file.end() - 30));
  const CliRun cut = Run("dump cut");
  EXPECT_EQ(cut.exitCode, 0);
  EXPECT_EQ(cut.err.rfind("warning: Entry \"", 0), 0u) << cut.err;
}

TEST_F(CliTest, FailuresExitOneWithOneErrorLine) {
  WriteFileBytes(folder / "short", test::HexBytes("00 01 0A 01 FF"));
  for (const std::string arguments :
       {"dump short", "export short", "convert short out", "dump missing",
        "import missing.json out", "j2mest missing", "j2mest short", "drm missing extract 1 out",
        "gif missing out"}) {
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(run.err.rfind("error: ", 0), 0u) << arguments << ": " << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << arguments << ": " << run.err;
    EXPECT_FALSE(Exists("out")) << arguments;
  }
}

TEST_F(CliTest, J2mestListsEntriesAndPatchOffsets) {
  WriteFileBytes(folder / "J2MEST", test::J2mestFile(test::kJ2mest708, 3,
                                                     {{0, "Chess", "Games", "2: chess.Main", true},
                                                      {4, "Caf\xE9", "\"Q\"", "", false}}));
  const CliRun text = Run("j2mest J2MEST");
  EXPECT_EQ(text.exitCode, 0) << text.err;
  EXPECT_EQ(text.out,
            "j2mest record-size=708 leading-block=3\n"
            "entry record=0 name=\"Chess\" vendor=\"Games\" launch-text=\"2: chess.Main\" "
            "corelet=yes\n"
            "entry record=4 name=\"Caf\xC3\xA9\" vendor=\"\\\"Q\\\"\" launch-text=\"\" corelet=no\n"
            "patch record=0 offset=155\n");

  const CliRun json = Run("j2mest J2MEST --json");
  EXPECT_EQ(json.exitCode, 0) << json.err;
  EXPECT_EQ(Json::parse(json.out),
            Json::parse(R"({"recordSize": 708, "leadingBlock": 3, "entries": [
              {"record": 0, "name": "Chess", "vendor": "Games", "launchText": "2: chess.Main",
               "corelet": true},
              {"record": 4, "name": "Caf\u00e9", "vendor": "\"Q\"", "launchText": "",
               "corelet": false}],
              "patches": [{"record": 0, "offset": 155}]})"));

  WriteFileBytes(folder / "odd", Bytes(31 * 700, 1));
  const CliRun odd = Run("j2mest odd --json");
  EXPECT_EQ(odd.exitCode, 1);
  EXPECT_EQ(odd.out, "");
  EXPECT_EQ(odd.err, "error: Unsupported J2MEST format\n");
}

// Layout B: two raw icons, the end record, three stored files.
Bytes IconBinary() {
  test::RawIcon masked = test::PlainIcon(3, 2, 0xF800);
  masked.maskColour = {0xFF, 0, 0};
  masked.data.back() = 0b1000'0000;  // the first pixel
  return test::BuildDrmBinary({test::DrmHeader::B,
                               0x10000000,
                               {test::StoredGif(16, 16, 1), test::StoredGif(24, 12, 2), {}},
                               {test::PlainIcon(4, 4, 0x07E0), masked}});
}

TEST_F(CliTest, DrmListsAndExtractsEntries) {
  WriteFileBytes(folder / "icons.smg", IconBinary());
  EXPECT_EQ(Run("drm icons.smg list --help").out.rfind("usage: menuforge-cli drm FILE list\n", 0),
            0u);
  const CliRun list = Run("drm icons.smg list");
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(list.out, "1 image 4x4\n2 image 3x2\n3 image [no image]\n4 file 16x16\n5 file 24x12\n");

  ASSERT_EQ(Run("drm icons.smg extract 4 stored.gif").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "stored.gif"), test::StoredGif(16, 16, 1));
  ASSERT_EQ(Run("drm icons.smg extract 2 raw.gif").exitCode, 0);
  // The masked pixel turns transparent, the others stay pure red.
  const Result<RgbaPicture> decoded = DecodePicture(ReadFileBytes(folder / "raw.gif"), "raw.gif");
  ASSERT_TRUE(decoded) << decoded.errorText();
  const RgbaPicture& raw = *decoded;
  EXPECT_EQ(raw.size, (PictureSize{3, 2}));
  EXPECT_EQ(raw.pixels[0].alpha, 0);
  for (int i = 1; i < 6; ++i) EXPECT_EQ(raw.pixels[i], (Colour{255, 0xF8, 0, 0})) << i;
}

TEST_F(CliTest, DrmNumberWithoutPictureExitsOneAndWritesNothing) {
  WriteFileBytes(folder / "icons.smg", IconBinary());
  WriteFileText(folder / "out.gif", "old");
  for (const std::string number : {"0", "3", "6", "99999999999999999999999"}) {
    const CliRun run = Run("drm icons.smg extract " + number + " out.gif");
    EXPECT_EQ(run.exitCode, 1) << number;
    EXPECT_EQ(run.err, "error: [no image]\n") << number;
    EXPECT_EQ(ReadFileText(folder / "out.gif"), "old");
  }
}

TEST_F(CliTest, GifConvertsPngBmpAndGif) {
  // Left column opaque blue, right column half transparent.
  const Colour blue{255, 0, 0, 255};
  const std::vector<Colour> pixels = {blue, {100, 9, 9, 9}, blue, {0, 9, 9, 9}};
  WriteFileBytes(folder / "in.png", test::PngFile({2, 2}, pixels));
  WriteFileBytes(folder / "in.bmp", test::BmpFile({2, 2}, pixels));
  for (const std::string in : {"in.png", "in.bmp"}) {
    const CliRun run = Run("gif " + in + " out.gif");
    ASSERT_EQ(run.exitCode, 0) << in << run.err;
    RgbaPicture out;
    ASSERT_EQ(DecodeGif(ReadFileBytes(folder / "out.gif"), out).kind, PictureFault::Kind::None);
    EXPECT_EQ(out.size, (PictureSize{2, 2}));
    EXPECT_EQ(out.pixels, (std::vector<Colour>{blue, {}, blue, {}})) << in;
  }
  // A GIF in gives the same GIF out.
  const Bytes first = ReadFileBytes(folder / "out.gif");
  ASSERT_EQ(Run("gif out.gif again.gif").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "again.gif"), first);
}

TEST_F(CliTest, GifRefusesWhatItCannotConvertAndKeepsTheOldFile) {
  WriteFileText(folder / "text.png", "not a picture");
  WriteFileText(folder / "p.pgm", "P5\n1600 1200\n65535\n");
  const Colour black{255, 0, 0, 0};
  WriteFileBytes(folder / "wide.png", test::PngFile({1601, 1200}, std::vector(1601 * 1200, black)));
  Bytes cut = test::BmpFile({40, 30}, std::vector(40 * 30, black));
  cut.resize(cut.size() - 100);
  WriteFileBytes(folder / "cut.bmp", cut);
  WriteFileText(folder / "huge.png", "");
  std::filesystem::resize_file(folder / "huge.png", 17 * 1024 * 1024);
  WriteFileText(folder / "out.gif", "old");
  const std::pair<std::string, std::string> cases[] = {
      {"text.png", "Cannot read the picture \"text.png\": it is not a PNG, GIF or BMP file"},
      {"p.pgm", "Cannot read the picture \"p.pgm\": it is not a PNG, GIF or BMP file"},
      {"wide.png", "Picture too large: at most 1920000 pixels (1600 x 1200) and 65535 on a side"},
      {"cut.bmp", "The picture \"cut.bmp\" is damaged: it ends before its last row"},
      {"huge.png",
       "Cannot read file \"huge.png\". It is too large for a picture file: 17825792 bytes, at "
       "most 16777216"},
  };
  for (const auto& [in, message] : cases) {
    const CliRun run = Run("gif " + in + " out.gif");
    EXPECT_EQ(run.exitCode, 1) << in;
    EXPECT_EQ(run.err, "error: " + message + "\n");
  }
  EXPECT_EQ(ReadFileText(folder / "out.gif"), "old");
  EXPECT_FALSE(Exists("Profiles"));
}

// Sparse files far larger than any genuine one of their kind are refused by their size alone.
TEST_F(CliTest, WholeFileReadsRefuseFilesBeyondTheLargestOfTheirKind) {
  const std::pair<std::string, std::string> cases[] = {
      {"drm big list", "a DRM binary: 68157440 bytes, at most 67108864"},
      {"import big out", "a JSON menu: 68157440 bytes, at most 8388608"},
      {"gif big out.gif", "a picture file: 68157440 bytes, at most 16777216"},
  };
  WriteFileText(folder / "big", "");
  std::filesystem::resize_file(folder / "big", 65 * 1024 * 1024);
  for (const auto& [arguments, message] : cases) {
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_EQ(run.err, "error: Cannot read file \"big\". It is too large for " + message + "\n");
    EXPECT_FALSE(Exists("out"));
    EXPECT_FALSE(Exists("out.gif"));
  }
}

// --- The working folder, refusals and messages ------------------------------------------

using FolderContents = std::map<std::string, std::string>;

// Every file below the folder with its contents, and every folder (with an empty text).
FolderContents Contents(const std::filesystem::path& folder) {
  FolderContents contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = std::filesystem::relative(entry.path(), folder).string();
    contents[name] = entry.is_regular_file() ? ReadFileText(entry.path()) : "";
  }
  return contents;
}

TEST_F(CliTest, OnlyAWrittenMenuChangesTheWorkingFolder) {
  SaveWithFoo("foo");
  for (const bool itemBaseThere : {false, true}) {
    SCOPED_TRACE(itemBaseThere ? "with an item base" : "without an item base");
    std::filesystem::remove_all(folder / "Profiles");
    if (itemBaseThere) {
      std::filesystem::create_directory(folder / "Profiles");
      WriteFileText(folder / "Profiles" / "itembase.dat", "Browser;Browser\r\n");
    }
    const FolderContents before = Contents(folder.path());
    for (const std::string arguments : {"dump foo", "export foo", "check foo",
                                        "convert foo missing/out", "dump foo --profile Nope"}) {
      const CliRun run = Run(arguments);
      EXPECT_EQ(run.exitCode, arguments.starts_with("check") || arguments.starts_with("convert") ||
                                      arguments.ends_with("Nope")
                                  ? 1
                                  : 0)
          << arguments << ": " << run.err;
      EXPECT_EQ(Contents(folder.path()), before) << arguments;
    }
    // The dump still names the item, from the item base held in memory.
    EXPECT_NE(Run("dump foo").out.find("name=\"Foo\" display=\"Foo\""), std::string::npos);

    ASSERT_EQ(Run("convert foo out").exitCode, 0);
    const std::string itemBase = ReadFileText(folder / "Profiles" / "itembase.dat");
    EXPECT_TRUE(itemBase.starts_with(itemBaseThere ? "Browser;Browser\r\n" : "2CLICK;2CLICK\r\n"));
    EXPECT_TRUE(itemBase.ends_with("\r\nFoo;Foo\r\n")) << itemBase;
    std::filesystem::remove(folder / "out");
  }
}

TEST_F(CliTest, AFullItemBaseTakesNothingMoreAndSaysSoOnce) {
  SaveWithFoo("foo");
  std::filesystem::create_directory(folder / "Profiles");
  std::string itemBase;
  for (const char* id :
       {"Browser", "Games", "Calculator", "Camera", "Settings", "DialedCalls", "Tools"})
    itemBase += std::string(id) + ";" + id + "\r\n";
  for (const ItemBaseEntry& key : DefaultSoftkeyItems())
    itemBase += key.identifier + ";" + key.identifier + "\r\n";
  for (int i = 0; Lines(itemBase).size() < 254; ++i)
    itemBase += "Item" + std::to_string(i) + ";Item\r\n";
  itemBase += "Foo;Foo\r\n";  // past the 254 that are read
  WriteFileText(folder / "Profiles" / "itembase.dat", itemBase);

  for (int run = 0; run < 3; ++run) {
    const CliRun converted = Run("convert foo out");
    EXPECT_EQ(converted.exitCode, 1);
    const std::vector<std::string> lines = Lines(converted.err);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                              return line.starts_with("warning: The item base is full (254 items)");
                            }),
              1)
        << converted.err;
    EXPECT_EQ(ReadFileText(folder / "Profiles" / "itembase.dat"), itemBase);
    EXPECT_FALSE(Exists("out"));
  }
}

TEST_F(CliTest, AProfileIsAppliedAsNamedOrTheCommandIsRefused) {
  SaveSample("sample", Options(36, false));
  std::filesystem::create_directory(folder / "Profiles");
  WriteFileText(folder / "Profiles" / "Small.prf",
                "[mma_ucp format]\r\n36 0C 0\r\n[mma items]\r\nPhoneBook\r\n");
  const std::string noProfile = "error: no profile named Nope in Profiles/\n";
  for (const std::string arguments : {"convert sample out --profile Nope",
                                      "export sample --profile Nope", "new out --profile Nope"}) {
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_EQ(run.err, noProfile) << arguments;
    EXPECT_FALSE(Exists("out")) << arguments;
  }
  const CliRun mismatch = Run("convert sample out --profile Small");
  EXPECT_EQ(mismatch.exitCode, 1);
  EXPECT_TRUE(HasLine(mismatch.err, "item \"Browser\" is not among the available items"))
      << mismatch.err;
  EXPECT_TRUE(mismatch.err.ends_with(std::string("error: ") + kMismatchOnSave + "\n"));
  EXPECT_EQ(mismatch.err.find("Default profile will be applied"), std::string::npos);
  EXPECT_FALSE(Exists("out"));
}

TEST_F(CliTest, NewLeavesAnExistingFileUnlessForced) {
  WriteFileText(folder / "mine", "precious");
  const CliRun refused = Run("new mine");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, "error: mine already exists; give --force to replace it\n");
  EXPECT_EQ(ReadFileText(folder / "mine"), "precious");
  ASSERT_EQ(Run("new mine --force").exitCode, 0);
  EXPECT_EQ(ReadFileBytes(folder / "mine"), ExpectedSkeleton(36));
}

TEST_F(CliTest, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0644), 0);
  std::filesystem::create_symlink("fifo", folder / "link");
  for (const std::string arguments :
       {"dump fifo", "check fifo", "export link", "import fifo out", "convert fifo out",
        "j2mest fifo", "scan-firmware fifo", "drm fifo list", "gif fifo out"}) {
    const CliRun run = test::RunCli(MENUFORGE_CLI, folder.path(), arguments, "timeout 60");
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_TRUE(run.err.starts_with("error: Cannot open file \"")) << arguments << ": " << run.err;
    EXPECT_TRUE(run.err.ends_with("\". It is not a regular file\n")) << run.err;
    EXPECT_FALSE(Exists("out")) << arguments;
  }
}

TEST_F(CliTest, BytesThatAreNoMenuAreRefusedWithOneMessage) {
  Bytes garbage(5000);
  std::mt19937 random(11);
  for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
  WriteFileBytes(folder / "garbage.bin", garbage);
  for (const std::string arguments : {"dump garbage.bin", "convert garbage.bin out"}) {
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.starts_with("error: The file is not an mma_ucp file: ")) << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_FALSE(Exists("Profiles"));
    EXPECT_FALSE(Exists("out"));
  }
}

TEST_F(CliTest, TenWarningsAreShownAndTheRestCounted) {
  MenuTree tree;
  BuildSkeleton(tree);
  for (int i = 0; i < 25; ++i) {
    MenuNode* entry =
        AddEntry(tree, *tree.menuRoot(), Placement::LastChild, {"Games", "Games", true}, false);
    test::AttachSampleData(tree, *entry, {0, {ChunkSlot::Text(TextField::Url, "u")}});
  }
  Bytes file;
  ASSERT_EQ(EncodeMenuFile(tree, Options(36, false), SampleItems(), file).status(),
            SaveStatus::Saved);
  file.resize(10 + 35 * 36 + 1);  // the whole table and one byte of data
  WriteFileBytes(folder / "cut", file);

  const CliRun run = Run("dump cut");
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 11u) << run.err;
  EXPECT_TRUE(lines[9].starts_with("warning: Entry \"Games\": ")) << lines[9];
  EXPECT_EQ(lines[10], "warning: \u2026 and 15 more");
}

TEST_F(CliTest, JsonFaultsAreToldInPlainWordsWithTheirPlace) {
  std::string deep;
  for (int i = 0; i < 150'000; ++i) deep += "{\"a\":";
  deep += "1";
  for (int i = 0; i < 150'000; ++i) deep += "}";
  struct Case {
    std::string file;
    std::string text;
    std::string err;
  };
  const std::vector<Case> cases = {
      {"deep.json", "{\"x\":" + deep + ",\"y\":1}",
       "error: deep.json: not valid JSON: line 1, column 2486: nested deeper than any menu can be "
       "(more than 497 levels)\n"},
      {"broken.json", "{\"format\":",
       "error: broken.json: not valid JSON: line 1, column 11: unexpected end of input; expected "
       "'[', '{', or a literal\n"},
      {"lines.json", "{\n  \"format\": {},\n  \"menu\": [1,,2]\n}",
       "error: lines.json: not valid JSON: line 3, column 14: unexpected ','; expected '[', '{', "
       "or a literal\n"},
      {"huge.json", "{\"format\": 1e999}",
       "error: huge.json: not valid JSON: line 1, column 12: number overflow parsing '1e999'\n"},
  };
  for (const Case& c : cases) {
    WriteFileText(folder / c.file, c.text);
    const CliRun run = Run("import " + c.file + " out");
    EXPECT_EQ(run.exitCode, 1) << c.file;
    EXPECT_EQ(run.err, c.err);
    EXPECT_FALSE(Exists("out"));
  }
}

}  // namespace
}  // namespace menuforge

#endif  // MENUFORGE_CLI
