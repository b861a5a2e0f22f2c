#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/profile_selector.h"
#include "catalog/firmware_profile.h"
#include "catalog/item_base_file.h"
#include "catalog/menu_opening.h"
#include "support/synthetic_firmware.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

using test::FirmwareLayout;
using test::ReadFileText;
using test::RecordingDialogs;
using test::TempFolder;
using namespace std::string_literals;

constexpr std::size_t kBlock = 65536;
const Message kCreated{kProfileCreatedText, "", MessageIcon::Information};
const Message kNotCreated{kProfileNotCreatedText, "", MessageIcon::Warning};
const Message kUpdated{kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information};

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class FirmwareProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(catalog.LoadItemBase().ok());
    catalog.ListProfiles();
    builtInItemBase = ReadFileText(catalog.itemBasePath());
  }

  ProfileCreation Create(const Bytes& image, const ScanProgress& progress = nullptr) {
    test::WriteFileBytes(folder / "image.smg", image);
    return CreateProfileFromScan(ScanFirmwareImage(folder / "image.smg", progress), catalog,
                                 options, dialogs);
  }

  FirmwareScan Scan(const Bytes& image) {
    test::WriteFileBytes(folder / "image.smg", image);
    return ScanFirmwareImage(folder / "image.smg", nullptr);
  }
  std::string Profile(const std::string& name) const {
    return ReadFileText(catalog.profilesFolder() / (name + ".prf"));
  }
  std::string AppendedItemBase() const {
    return ReadFileText(catalog.itemBasePath()).substr(builtInItemBase.size());
  }
  // Nothing written, and the selector still on "Default".
  void ExpectNothingChanged() const {
    EXPECT_EQ(AppendedItemBase(), "");
    EXPECT_TRUE(catalog.profileNames().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(catalog.profilesFolder()), {}), 1);
    EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
  }

  TempFolder folder;
  Catalog catalog{folder.path()};
  RecordingDialogs dialogs;
  FormatOptions options;
  std::string builtInItemBase;
};

struct CreatedCase {
  std::string what;
  FirmwareLayout layout;
  std::string name;
  std::string profile;
};

TEST_F(FirmwareProfileTest, ImagesGiveTheProfileTheirVersionNames) {
  const std::string head = "[mma_ucp format]\r\n";
  const std::string items = "[mma items]\r\n2CLICK\r\nPhoneBook\r\nZzz\r\n";
  auto with = [](auto change) {
    FirmwareLayout layout;
    change(layout);
    return layout;
  };
  const std::vector<CreatedCase> cases = {
      {"20-byte entries, gap 10",
       {},
       "R3624",
       head + "22 0C 1\r\n" + items + "Yyy\r\nDialedCalls\r\n"},
      {"36-byte entries, gap 12",
       with([](FirmwareLayout& l) { l.version = "R474_x", l.entrySize = 36, l.gap = 12; }), "R474",
       head + "36 06 0\r\n" + items + "Yyy\r\nDialedCalls\r\n"},
      {"Dialed behind the marker",
       with([](FirmwareLayout& l) { l.version = "TRIPLETS_1_2", l.gap = 0; }), "TRIPLETS",
       head + "22 06 0\r\n" + items + "DialedCalls\r\nYyy\r\n"},
      {"letter after @(#)R", with([](FirmwareLayout& l) { l.version = "RX1_a\0@(#)R364_b"s; }),
       "R364", head + "22 06 0\r\n" + items + "Yyy\r\nDialedCalls\r\n"},
      {"T version", with([](FirmwareLayout& l) { l.version = "T72_0"; }), "T72",
       head + "22 0C 0\r\n" + items + "Yyy\r\nDialedCalls\r\n"},
      {"no shortcuts", with([](FirmwareLayout& l) { l.shortcuts.clear(); }), "R3624",
       head + "22 0C 1\r\n" + items},
  };
  for (const CreatedCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_TRUE(Create(test::SyntheticFirmware(c.layout)).status);
    EXPECT_EQ(Profile(c.name), c.profile);
    EXPECT_EQ(ProfileSelectorEntries(catalog).at(ProfileSelectorIndex(catalog)), c.name);
  }
}

TEST_F(FirmwareProfileTest, MarkersAcrossBlockBoundariesAreFound) {
  // The second block starts five bytes before the end of the first, so its end lies there.
  for (const std::size_t boundary : {kBlock, 2 * kBlock - 5}) {
    for (std::size_t split = 1; split < 6; ++split) {
      FirmwareLayout versionAcross;
      versionAcross.versionAt = boundary - split;
      versionAcross.size = boundary + 4096;
      FirmwareLayout tableAcross;
      tableAcross.tableAt = boundary - split;
      tableAcross.size = boundary + 4096;
      for (const FirmwareLayout& layout : {versionAcross, tableAcross}) {
        const FirmwareScan scan = Scan(test::SyntheticFirmware(layout));
        EXPECT_EQ(scan.status, ScanStatus::Found) << boundary << " " << split << scan.message;
        EXPECT_EQ(scan.version, "R3624");
        EXPECT_EQ(scan.items, (std::vector<std::string>{"2CLICK", "PhoneBook", "Zzz"}));
      }
    }
  }
}

TEST_F(FirmwareProfileTest, MissingNamesAreAppendedOncePerOccurrenceThenApplied) {
  FirmwareLayout layout;
  layout.items = {"2CLICK", "Zzz", "PhoneBook", "Zzz"};
  layout.shortcuts = {"Zzz", "DialedCalls", "New\x01Name", "Zzz;Yyy"};
  const ProfileCreation creation = Create(test::SyntheticFirmware(layout));

  EXPECT_EQ(AppendedItemBase(), Lines({"Zzz;Zzz", "Zzz;Zzz", "Zzz;Zzz [SC]"}));
  EXPECT_EQ(Profile("R3624"), Lines({"[mma_ucp format]", "22 0C 1", "[mma items]", "2CLICK", "Zzz",
                                     "PhoneBook", "Zzz", "DialedCalls", "Zzz"}));
  EXPECT_EQ(creation.warnings.size(), 2u);
  EXPECT_EQ(dialogs.shown, (std::vector<Message>{kUpdated, kCreated}));
  EXPECT_EQ(ProfileSelectorEntries(catalog),
            (std::vector<std::string>{"Default", "R3624", "Create new..."}));
  EXPECT_EQ(ProfileSelectorIndex(catalog), 1);
  EXPECT_EQ(catalog.availableItems().count(), 7u);
  EXPECT_EQ(options.saveMode, RecordSize::k22);
  EXPECT_TRUE(options.c698pFix);
}

struct FailedCase {
  std::string what;
  Bytes image;
  std::string message;
};

TEST_F(FirmwareProfileTest, ImagesWithoutAUsableProfileWriteNothing) {
  auto image = [](auto change) {
    FirmwareLayout layout;
    change(layout);
    return test::SyntheticFirmware(layout);
  };
  Bytes nameWithoutEnd = image([](FirmwareLayout&) {});
  test::Put(nameWithoutEnd, 512 + 20, std::string(20, 'N'));
  Bytes shortcutWithoutEnd = image([](FirmwareLayout&) {});
  test::Put(shortcutWithoutEnd, 512 + 60 + 64 + 52, std::string(52, 'S'));
  const Bytes complete = image([](FirmwareLayout&) {});
  const std::vector<FailedCase> cases = {
      {"empty image", {}, "no firmware version"},
      {"no version", image([](FirmwareLayout& l) { l.version = "Q_"; }), "no firmware version"},
      {"@(#)R at the very end", Bytes{'@', '(', '#', ')', 'R'}, "no firmware version"},
      {"version without _", image([](FirmwareLayout& l) { l.version = "R3624"; }), "no \"_\""},
      {"version cut by the end", Bytes{'@', '(', '#', ')', 'T', '1'}, "no \"_\""},
      {"version with a slash", image([](FirmwareLayout& l) { l.version = "R3/4_"; }),
       "cannot hold"},
      {"version with a zero", image([](FirmwareLayout& l) { l.version = "R3\0_"s; }),
       "cannot hold"},
      {"no 2CLICK", image([](FirmwareLayout& l) { l.items = {"PhoneBook"}; }), "no item table"},
      {"2CLICK at the end", Bytes(complete.begin(), complete.begin() + 512 + 19), "cut off"},
      {"table reaching the end", Bytes(complete.begin(), complete.begin() + 512 + 60),
       "no table end"},
      {"no end marker", Bytes(complete.begin(), complete.begin() + 512 + 60 + 64 + 104 + 2),
       "no table end"},
      {"name without end", nameWithoutEnd, "offset 532 does not end"},
      {"shortcut without end", shortcutWithoutEnd, "offset 688 does not end"},
  };
  for (const FailedCase& c : cases) {
    SCOPED_TRACE(c.what);
    dialogs.shown.clear();
    const FirmwareScan scan = Scan(c.image);
    EXPECT_EQ(scan.status, ScanStatus::Failed);
    EXPECT_NE(scan.message.find(c.message), std::string::npos) << scan.message;
    catalog.UseDefaultProfile();
    EXPECT_TRUE(Create(c.image).status);
    EXPECT_EQ(dialogs.shown, std::vector<Message>{kNotCreated});
    ExpectNothingChanged();
  }
}

TEST_F(FirmwareProfileTest, AStoppedScanOrAnUnreadableImageWritesNothing) {
  FirmwareLayout layout;
  layout.versionAt = 3 * kBlock;
  layout.tableAt = 3 * kBlock + 512;
  std::vector<int> shown;
  catalog.UseDefaultProfile();
  EXPECT_TRUE(Create(test::SyntheticFirmware(layout), [&](int percent) {
                shown.push_back(percent);
                return shown.size() < 2;
              }).status);
  EXPECT_EQ(shown, (std::vector<int>{33, 66}));
  EXPECT_TRUE(dialogs.shown.empty());
  ExpectNothingChanged();

  const ProfileCreation unreadable = CreateProfileFromScan(
      ScanFirmwareImage(folder / "missing.smg", nullptr), catalog, options, dialogs);
  EXPECT_TRUE(unreadable.status.errorText().starts_with("Cannot open file"))
      << unreadable.status.errorText();
  EXPECT_TRUE(dialogs.shown.empty());
  ExpectNothingChanged();
}

}  // namespace
}  // namespace menuforge
