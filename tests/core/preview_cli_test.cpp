// The preview command of the built tool: the picture it writes, and what it refuses.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "pictures/picture_decoding.h"
#include "preview/preview_rendering.h"
#include "support/cli_runner.h"
#include "support/sample_menus.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

class PreviewCliTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const Status opened = text.Open(); !opened) GTEST_SKIP() << opened.errorText();
    BuildSampleMenu(tree);
    std::vector<ItemBaseEntry> items;
    for (const char* id :
         {"Browser", "Games", "Calculator", "Camera", "Settings", "DialedCalls", "Tools"})
      items.push_back({id, id, true});
    ASSERT_EQ(SaveMenuFile(folder / "menu", tree, {}, WithDefaultSoftkeys(items)).status(),
              SaveStatus::Saved);
  }

  CliRun Run(const std::string& arguments) const {
    return RunCli(MENUFORGE_CLI, folder.path(), "preview " + arguments);
  }

  // The menu as the tool reads it: against the built-in item base of a folder without one.
  RgbaPicture CoreRendering(const std::string& folderTitle, const PreviewOptions& options) {
    TempFolder empty;
    Catalog catalog(empty.path());
    EXPECT_TRUE(catalog.ReadItemBase().ok());
    MenuTree loaded;
    FormatOptions format;
    FormatState state;
    EXPECT_EQ(LoadMenuFile(folder / "menu", {catalog.availableItems(), true}, loaded, format, state)
                  .status(),
              LoadStatus::Loaded);
    const MenuNode* shown = loaded.menuRoot();
    for (const auto& child : shown->children())
      if (child->record().itemName == folderTitle) shown = child.get();
    return RenderPreview(BuildScene(loaded, *shown, options), {}, text);
  }

  TempFolder folder;
  MenuTree tree;
  TextDrawing text;
};

// Alike but for a few pixels, so that another build of the same font still passes.
void ExpectAlike(const std::filesystem::path& png, const RgbaPicture& reference) {
  RgbaPicture read;
  ASSERT_FALSE(DecodePng(ReadFileBytes(png), read).failed()) << png;
  ASSERT_EQ(read.size, reference.size);
  std::size_t different = 0;
  for (std::size_t i = 0; i < reference.pixels.size(); ++i) {
    const Colour& c = reference.pixels[i];
    const Colour& p = read.pixels[i];
    if (std::abs(p.red - c.red) + std::abs(p.green - c.green) + std::abs(p.blue - c.blue) > 48)
      ++different;
  }
  EXPECT_LT(different, reference.pixels.size() / 100) << png;
}

TEST_F(PreviewCliTest, DrawsWhatTheCoreDraws) {
  const struct {
    std::string options;
    std::string folder;
    PreviewOptions expected;
  } cases[] = {
      {"", "", {}},
      {"--size 240x320 --layout list --language 6", "", {{240, 320}, PreviewLayout::List, 6}},
      {"--folder Games --size 128x128", "Games", {{128, 128}, PreviewLayout::Grid, 1}},
      {"--folder /Setup/ --size=120x160", "Settings", {{120, 160}, PreviewLayout::Grid, 1}},
  };
  for (const auto& c : cases) {
    const CliRun run = Run("menu out.png " + c.options);
    ASSERT_EQ(run.exitCode, 0) << c.options << run.err;
    EXPECT_EQ(run.out + run.err, "");
    ExpectAlike(folder / "out.png", CoreRendering(c.folder, c.expected));
  }
}

TEST_F(PreviewCliTest, RefusesAndWritesNothing) {
  WriteFileText(folder / "not-a-menu", "hello");
  const struct {
    std::string arguments;
    int exitCode;
    std::string error;
  } cases[] = {
      {"menu out.png --size 100x100", 2,
       "error: --size takes 128x128, 120x160, 176x220 or 240x320, not \"100x100\" "
       "(see menuforge-cli preview --help)\n"},
      {"menu out.png --layout icons", 2,
       "error: --layout takes grid or list, not \"icons\" (see menuforge-cli preview --help)\n"},
      {"menu out.png --language 48", 2,
       "error: --language takes a language ID from 1 to 47, not \"48\" "
       "(see menuforge-cli preview --help)\n"},
      {"menu out.png --folder Games/Nothing", 1, "error: no entry \"Nothing\" in \"Games\"\n"},
      {"menu out.png --folder Browser", 1, "error: \"Browser\" is no folder\n"},
      {"menu out.png --icons missing", 1, "error: no folder \"missing\" to take icons from\n"},
      {"not-a-menu out.png", 1, ""},
      {"menu out.png --drm missing.smg", 1, ""},
  };
  for (const auto& c : cases) {
    WriteFileText(folder / "out.png", "old");
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    if (!c.error.empty())
      EXPECT_EQ(run.err, c.error) << c.arguments;
    else
      EXPECT_TRUE(run.err.starts_with("error: ")) << run.err;
    EXPECT_EQ(ReadFileText(folder / "out.png"), "old") << c.arguments;
  }
  EXPECT_EQ(Run("--help").out.rfind("usage: menuforge-cli preview FILE OUT.png", 0), 0u);
}

}  // namespace
}  // namespace menuforge::test

#endif  // MENUFORGE_CLI
