// The demo phone's firmware files: the profile scan reads the image, and the DRM binary offers
// every icon it holds.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/firmware_scan.h"
#include "phonesim/demo_firmware.h"
#include "pictures/drm_binary.h"
#include "pictures/drm_image.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

TEST(DemoFirmware, TheScanMakesTheDemoPhonesProfileOfIt) {
  const test::TempFolder folder;
  ASSERT_EQ(WriteDemoFirmware(folder.path(), "R3443H1_G_0A.65.0BR"), "");
  const FirmwareScan scan = ScanFirmwareImage(
      folder.path() / kDemoFirmwareFolder / kDemoFirmwareImageName, [](int) { return true; });
  ASSERT_EQ(scan.status, ScanStatus::Found) << scan.message;
  EXPECT_EQ(scan.version, "R3443H1");
  EXPECT_EQ(scan.recordLength, 36);
  EXPECT_EQ(scan.items.front(), "2CLICK");
  EXPECT_EQ(scan.items.size(), 126u);
  EXPECT_EQ(scan.shortcuts.size(), 26u);
  EXPECT_TRUE(scan.warnings.empty());

  // A file already there is the user's and stays.
  const std::filesystem::path drm = folder.path() / kDemoFirmwareFolder / kDemoDrmBinaryName;
  test::WriteFileBytes(drm, Bytes{1, 2, 3});
  ASSERT_EQ(WriteDemoFirmware(folder.path(), "R3443H1_G_0A.65.0BR"), "");
  EXPECT_EQ(test::ReadFileBytes(drm), (Bytes{1, 2, 3}));
}

TEST(DemoFirmware, TheDrmBinaryOffersEveryIconWithItsMask) {
  const DrmBinary binary = DrmBinary::Parse(DemoDrmBinary());
  EXPECT_EQ(binary.layout(), DrmLayout::B);
  ASSERT_EQ(binary.highestNumber(), kDemoMenuIcons + kDemoListIcons);
  for (std::size_t index = 0; index < binary.highestNumber(); ++index) {
    const std::optional<DrmEntry> entry = binary.Entry(index);
    ASSERT_TRUE(entry && std::holds_alternative<DrmImageEntry>(*entry)) << index;
    const DrmImageEntry& image = std::get<DrmImageEntry>(*entry);
    const std::uint32_t side = index < kDemoMenuIcons ? 44 : 16;
    EXPECT_EQ(image.size.width, side) << index;
    EXPECT_EQ(image.size.height, side) << index;
    // A shape on a transparent ground.
    const RgbaPicture picture = DecodeDrmImage(image.data, image.size, image.maskColour);
    const auto alphaCount = [&picture](std::uint8_t alpha) {
      return std::count_if(picture.pixels.begin(), picture.pixels.end(),
                           [alpha](const Colour& colour) { return colour.alpha == alpha; });
    };
    EXPECT_GT(alphaCount(255), 0) << index;
    EXPECT_GT(alphaCount(0), 0) << index;
    EXPECT_EQ(alphaCount(255) + alphaCount(0), side * side) << index;
  }
}

}  // namespace
}  // namespace menuforge
