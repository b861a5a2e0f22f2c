#include <gtest/gtest.h>

#include <cstdlib>

#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "pictures/picture_conversion.h"
#include "preview/folder_path.h"
#include "preview/gif_decoding.h"
#include "preview/preview_rendering.h"
#include "support/drm_binaries.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

ItemDataRecord Record(std::vector<ChunkSlot> slots) {
  ItemDataRecord record;
  record.slots = std::move(slots);
  return record;
}

RgbaPicture Plain(std::uint32_t width, std::uint32_t height, Colour colour) {
  return {{width, height}, std::vector<Colour>(std::size_t{width} * height, colour)};
}

Bytes GifOf(const RgbaPicture& picture) { return PictureToGif(picture).value(); }

// The main menu: "A" (titles in two languages, a DRM list icon), "B" (a folder with a file list
// icon, holding "B1"), "C" (no data); the left soft key titled "Contacts".
MenuTree PreviewMenu() {
  MenuTree tree = NewMenu();
  MenuNode& root = *tree.menuRoot();
  MenuNode* a = AddLast(tree, root, "A");
  MenuNode* b = AddLast(tree, root, "B");
  AddLast(tree, *b, "B1");
  AddLast(tree, root, "C");
  AttachData(tree, *a,
             Record({ChunkSlot::Titles(TitleList::Menu, {{6, u"Jeux"}, {1, u"Games"}}),
                     ChunkSlot::DrmIcon(DrmIconKind::Static, kDrmByteFromEditor, 9),
                     ChunkSlot::DrmIcon(DrmIconKind::List, kDrmByteFromEditor, 1)}));
  AttachData(tree, *b,
             Record({ChunkSlot::Titles(TitleList::Menu, {{7, u"Werkzeug"}}),
                     ChunkSlot::FileIcon(kStaticIcon, u"/a/static.gif"),
                     ChunkSlot::FileIcon(kListIcon, u"/a/mobile/b.gif")}));
  AttachData(tree, *tree.softkeys()->children()[0], Titles(TitleList::Softkey, {{1, u"Contacts"}}));
  return tree;
}

TEST(PreviewRules, TitleByLanguageThenFirstThenPhoneOwn) {
  const MenuTree tree = PreviewMenu();
  const MenuNode& root = *tree.menuRoot();
  const struct {
    const MenuNode* node;
    std::uint8_t language;
    EntryTitle expected;
  } cases[] = {
      {root.children()[0].get(), 1, {u"Games", TitleSource::ChosenLanguage}},
      {root.children()[0].get(), 6, {u"Jeux", TitleSource::ChosenLanguage}},
      {root.children()[0].get(), 9, {u"Jeux", TitleSource::OtherLanguage}},
      {root.children()[1].get(), 1, {u"Werkzeug", TitleSource::OtherLanguage}},
      {root.children()[2].get(), 1, {u"C", TitleSource::PhoneOwn}},
      {tree.softkeys()->children()[0].get(), 1, {u"Contacts", TitleSource::ChosenLanguage}},
      {tree.softkeys()->children()[1].get(), 1, {u"Message", TitleSource::PhoneOwn}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TitleOf(tree, *c.node, c.language), c.expected) << c.node->displayText();
  EXPECT_EQ(MarkedTitle({u"C", TitleSource::PhoneOwn}), u"C (phone's own title)");
  EXPECT_EQ(MarkedTitle({u"Jeux", TitleSource::OtherLanguage}), u"Jeux");
}

TEST(PreviewRules, ListIconByPathOrNumber) {
  MenuTree tree = PreviewMenu();
  MenuNode& c = *tree.menuRoot()->children()[2];
  const struct {
    std::vector<ChunkSlot> slots;
    IconReference expected;
  } cases[] = {
      {{}, {}},
      {{ChunkSlot::FileIcon(kAnimatedIcon, u"/a/x.gif")}, {}},
      {{ChunkSlot::FileIcon(kListIcon, u"/a/l.gif")}, {IconOrigin::PhoneFile, u"/a/l.gif", 0}},
      // Any kind byte but static or animated is read as the list icon.
      {{ChunkSlot::FileIcon(9, u"/a/o.gif")}, {IconOrigin::PhoneFile, u"/a/o.gif", 0}},
      {{ChunkSlot::DrmIcon(DrmIconKind::Animated, 0x12, 4),
        ChunkSlot::DrmIcon(DrmIconKind::List, 0x12, 7)},
       {IconOrigin::DrmNumber, {}, 7}},
  };
  for (const auto& test : cases) {
    if (test.slots.empty())
      tree.SetEntryData(c, std::nullopt);
    else
      AttachData(tree, c, Record(test.slots));
    EXPECT_EQ(ListIconOf(tree, c), test.expected);
  }
}

TEST(PreviewRules, ScreenSizesAndLayouts) {
  const struct {
    std::string_view text;
    PreviewLayout layout;
    int columns;
    int rows;
    int textPixels;
  } cases[] = {
      {"128x128", PreviewLayout::Grid, 3, 3, 9},   {"120x160", PreviewLayout::Grid, 3, 4, 9},
      {"176x220", PreviewLayout::Grid, 3, 3, 11},  {"240x320", PreviewLayout::Grid, 3, 4, 14},
      {"128x128", PreviewLayout::List, 1, 5, 9},   {"176x220", PreviewLayout::List, 1, 8, 11},
      {"240x320", PreviewLayout::List, 1, 10, 14},
  };
  for (const auto& c : cases) {
    const std::optional<PictureSize> size = ParseScreenSize(c.text);
    ASSERT_TRUE(size) << c.text;
    EXPECT_EQ(ScreenSizeText(*size), c.text);
    const ScreenLayout layout = LayOutScreen(*size, c.layout);
    EXPECT_EQ(layout.columns, c.columns) << c.text;
    EXPECT_EQ(layout.rows, c.rows) << c.text;
    EXPECT_EQ(layout.textPixels, c.textPixels) << c.text;
    ASSERT_EQ(layout.perPage(), std::size_t(c.columns * c.rows)) << c.text;
    EXPECT_EQ(layout.softkeyBar.y + layout.softkeyBar.height, int(size->height));
    for (std::size_t i = 0; i < layout.perPage(); ++i) {
      const EntryCell& cell = layout.cells[i];
      EXPECT_EQ(CellAt(layout, cell.cell.x, cell.cell.y), i);
      for (const Rect& inner : {cell.icon, cell.title}) {
        EXPECT_GE(inner.x, cell.cell.x);
        EXPECT_GE(inner.y, cell.cell.y);
        EXPECT_LE(inner.x + inner.width, cell.cell.x + cell.cell.width);
        EXPECT_LE(inner.y + inner.height, cell.cell.y + cell.cell.height);
      }
      EXPECT_LE(cell.cell.y + cell.cell.height, layout.softkeyBar.y) << c.text;
    }
  }
  for (std::string_view bad : {"", "176x", "176x221", "0x0", "176X220", " 176x220"})
    EXPECT_FALSE(ParseScreenSize(bad)) << bad;
  EXPECT_EQ(ParseLayout("list"), PreviewLayout::List);
  EXPECT_FALSE(ParseLayout("Grid"));
  const ScreenLayout grid = LayOutScreen(kDefaultPreviewScreen, PreviewLayout::Grid);
  EXPECT_FALSE(CellAt(grid, 5, 2));  // the title bar
}

TEST(PreviewRules, FoldersByIdentifierTitleOrName) {
  const MenuTree tree = PreviewMenu();
  const MenuNode* root = tree.menuRoot();
  const MenuNode* b = root->children()[1].get();
  const struct {
    std::string_view path;
    const MenuNode* folder;
    std::string error;
  } cases[] = {
      {"", root, ""},
      {"/", root, ""},
      {"B", b, ""},
      {"/Werkzeug/", b, ""},
      {"A", nullptr, "\"A\" is no folder"},
      {"B/B1", nullptr, "\"B/B1\" is no folder"},
      {"Games", nullptr, "\"Games\" is no folder"},
      {"Nothing", nullptr, "no entry \"Nothing\" in the main menu"},
      {"B/Nothing", nullptr, "no entry \"Nothing\" in \"B\""},
  };
  for (const auto& c : cases) {
    const Result<const MenuNode*> found = FindFolder(tree, c.path);
    EXPECT_EQ(found.errorText(), c.error) << c.path;
    if (found) {
      EXPECT_EQ(*found, c.folder) << c.path;
    }
  }
}

TEST(PreviewIcons, EveryReasonAnIconCannotBeHad) {
  TempFolder folder;
  const Colour red{255, 255, 0, 0};
  // The phone's volume "a" in "phone", and beside it what no icon may lead to.
  std::filesystem::create_directories(folder / "phone/a/mobile");
  std::filesystem::create_directories(folder / "away");
  WriteFileBytes(folder / "phone/a/mobile/b.gif", GifOf(Plain(5, 3, red)));
  WriteFileText(folder / "phone/a/mobile/bad.gif", "not a picture");
  Bytes huge = GifOf(Plain(5, 3, red));
  huge.resize(64 * 1024 + 1);
  WriteFileBytes(folder / "phone/a/mobile/huge.gif", huge);
  huge.resize(64 * 1024);
  WriteFileBytes(folder / "phone/a/mobile/at_limit.gif", huge);
  WriteFileBytes(folder / "outside.gif", GifOf(Plain(2, 2, red)));
  WriteFileBytes(folder / "away/c.gif", GifOf(Plain(2, 2, red)));
  std::filesystem::create_symlink(folder / "outside.gif", folder / "phone/a/link.gif");
  std::filesystem::create_symlink(folder / "away", folder / "phone/a/away");
  std::filesystem::create_symlink("mobile/b.gif", folder / "phone/a/near.gif");
  IconFolder phone(folder.path() / "phone");
  const Bytes drmBytes = BuildDrmBinary(
      {DrmHeader::A, 0x10000000, {GifOf(Plain(4, 4, red)), Bytes{1, 2, 3}, Bytes{}}, {}});
  const DrmBinary binary = DrmBinary::Parse(drmBytes);
  DrmIcons drm(&binary);
  const IconSources both{&phone, &drm};
  const struct {
    IconReference icon;
    IconSources sources;
    IconStatus expected;
  } cases[] = {
      {{}, both, IconStatus::NoIcon},
      {{IconOrigin::PhoneFile, u"/a/mobile/b.gif", 0}, both, IconStatus::Ready},
      {{IconOrigin::PhoneFile, u"/a/mobile/b.gif", 0}, {nullptr, &drm}, IconStatus::NoPhone},
      {{IconOrigin::PhoneFile, u"/a/mobile/none.gif", 0}, both, IconStatus::NotFound},
      {{IconOrigin::PhoneFile, u"/a/mobile/bad.gif", 0}, both, IconStatus::Unreadable},
      {{IconOrigin::PhoneFile, u"/a/mobile/huge.gif", 0}, both, IconStatus::TooLarge},
      {{IconOrigin::PhoneFile, u"/a/mobile/at_limit.gif", 0}, both, IconStatus::Ready},
      {{IconOrigin::PhoneFile, u"/a/mobile", 0}, both, IconStatus::NotFound},
      {{IconOrigin::PhoneFile, u"/a/../../outside.gif", 0}, both, IconStatus::NotFound},
      {{IconOrigin::PhoneFile, u"/a/link.gif", 0}, both, IconStatus::NotFound},
      {{IconOrigin::PhoneFile, u"/a/away/c.gif", 0}, both, IconStatus::NotFound},
      {{IconOrigin::PhoneFile, u"/a/near.gif", 0}, both, IconStatus::Ready},
      {{IconOrigin::PhoneFile, u"a/mobile/b.gif", 0}, both, IconStatus::NotFound},
      {{IconOrigin::DrmNumber, {}, 1}, both, IconStatus::Ready},
      {{IconOrigin::DrmNumber, {}, 1}, {&phone, nullptr}, IconStatus::NoBinary},
      {{IconOrigin::DrmNumber, {}, 2}, both, IconStatus::Unreadable},
      {{IconOrigin::DrmNumber, {}, 0}, both, IconStatus::NotFound},
      {{IconOrigin::DrmNumber, {}, 3}, both, IconStatus::NotFound},
      {{IconOrigin::DrmNumber, {}, 65535}, both, IconStatus::NotFound},
  };
  for (const auto& c : cases) {
    const IconLookup found = LookUpIcon(c.icon, c.sources);
    EXPECT_EQ(found.status, c.expected) << WideToUtf8(c.icon.phonePath) << c.icon.drmNumber;
    EXPECT_EQ(found.picture != nullptr, c.expected == IconStatus::Ready);
  }
  EXPECT_EQ(LookUpIcon({IconOrigin::PhoneFile, u"/a/mobile/b.gif", 0}, both).picture->size,
            (PictureSize{5, 3}));
  EXPECT_EQ(PlaceholderText(IconStatus::NoPhone), "no phone");
  EXPECT_EQ(PlaceholderText(IconStatus::Unreadable), "bad picture");
  EXPECT_EQ(PlaceholderText(IconStatus::TooLarge), "too large");
  EXPECT_EQ(PlaceholderText(IconStatus::Ready), "");
}

TEST(PreviewIcons, GifDecodingRefusesWhatIsNoIcon) {
  const Colour blue{255, 0, 0, 255};
  Bytes gif = GifOf(Plain(3, 2, blue));
  const std::optional<RgbaPicture> decoded = DecodeGifIcon(gif);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixels, Plain(3, 2, blue).pixels);
  Bytes huge = gif;
  huge[6] = 0x01;  // screen width 1025
  huge[7] = 0x04;
  const Bytes cases[] = {{},
                         Bytes(gif.begin(), gif.begin() + 6),
                         Bytes(gif.begin(), gif.begin() + 20),
                         huge,
                         HexBytes("89 50 4E 47")};
  for (const Bytes& bad : cases) EXPECT_FALSE(DecodeGifIcon(bad)) << bad.size();
}

// Pictures that differ only where fonts of other versions may draw a little differently.
double DifferentShare(const RgbaPicture& a, const RgbaPicture& b, const Rect& within) {
  int different = 0;
  for (int y = within.y; y < within.y + within.height; ++y)
    for (int x = within.x; x < within.x + within.width; ++x) {
      const Colour& p = a.pixels[std::size_t(y) * a.size.width + std::size_t(x)];
      const Colour& q = b.pixels[std::size_t(y) * b.size.width + std::size_t(x)];
      if (std::abs(p.red - q.red) + std::abs(p.green - q.green) + std::abs(p.blue - q.blue) > 48)
        ++different;
    }
  return double(different) / (within.width * within.height);
}

class PreviewRendering : public testing::Test {
 protected:
  void SetUp() override {
    if (const Status opened = text.Open(); !opened) GTEST_SKIP() << opened.errorText();
  }
  TextDrawing text;
};

TEST_F(PreviewRendering, AnEditRedrawsOnlyItsEntry) {
  MenuTree tree = PreviewMenu();
  const PreviewOptions options;
  const PreviewScene before = BuildScene(tree, *tree.menuRoot(), options);
  const RgbaPicture reference = RenderPreview(before, {}, text);
  EXPECT_EQ(reference.size, kDefaultPreviewScreen);
  MenuNode& c = *tree.menuRoot()->children()[2];
  AttachData(tree, c, Titles(TitleList::Menu, {{1, u"Calendar"}}));
  const PreviewScene after = BuildScene(tree, *tree.menuRoot(), options);
  const RgbaPicture edited = RenderPreview(after, {}, text);
  const Rect whole{0, 0, int(reference.size.width), int(reference.size.height)};
  const Rect title = after.layout.cells[2].title;
  EXPECT_GT(DifferentShare(reference, edited, title), 0.05);
  // Nothing else moved: the differing pixels all lie in that title's line.
  EXPECT_NEAR(DifferentShare(reference, edited, whole) * whole.width * whole.height,
              DifferentShare(reference, edited, title) * title.width * title.height, 0.5);
  EXPECT_LT(DifferentShare(reference, RenderPreview(before, {}, text), whole), 1e-9);
}

TEST_F(PreviewRendering, IconsAndPlaceholdersTakeTheirBoxes) {
  const MenuTree tree = PreviewMenu();
  const Colour red{255, 255, 0, 0};
  const Bytes drmBytes =
      BuildDrmBinary({DrmHeader::A, 0x10000000, {GifOf(Plain(8, 8, red)), {}}, {}});
  const DrmBinary binary = DrmBinary::Parse(drmBytes);
  DrmIcons drm(&binary);
  const PreviewScene scene = BuildScene(tree, *tree.menuRoot(), {});
  const RgbaPicture picture = RenderPreview(scene, {nullptr, &drm}, text);
  const Rect icon = scene.layout.cells[0].icon;
  const auto at = [&](int x, int y) {
    return picture.pixels[std::size_t(y) * 176 + std::size_t(x)];
  };
  // "A": the red 8 x 8 icon, centred in its box.
  const int left = icon.x + (icon.width - 8) / 2;
  const int top = icon.y + (icon.height - 8) / 2;
  EXPECT_EQ(at(left, top), red);
  EXPECT_EQ(at(left + 7, top + 7), red);
  EXPECT_NE(at(left - 1, top), red);
  // "B": its file icon cannot be had without a phone, and a placeholder says so; with a phone
  // that lacks the file it says something else in the same place.
  const Rect placeholder = scene.layout.cells[1].icon;
  EXPECT_EQ(at(placeholder.x, placeholder.y), (Colour{255, 150, 150, 150}));
  TempFolder empty;
  IconFolder phone(empty.path());
  const RgbaPicture notFound = RenderPreview(scene, {&phone, &drm}, text);
  const Rect whole{0, 0, 176, 220};
  EXPECT_GT(DifferentShare(picture, notFound, placeholder), 0.02);
  EXPECT_NEAR(
      DifferentShare(picture, notFound, whole) * whole.width * whole.height,
      DifferentShare(picture, notFound, placeholder) * placeholder.width * placeholder.height, 0.5);
}

TEST_F(PreviewRendering, PagesOfALongFolder) {
  MenuTree tree = NewMenu();
  for (int i = 0; i < 20; ++i) AddLast(tree, *tree.menuRoot(), "A");
  const struct {
    std::size_t highlighted;
    std::size_t asked;
    std::size_t page;
    std::size_t entries;
    std::size_t onPage;
  } cases[] = {
      {kNoEntry, kNoEntry, 0, 9, kNoEntry},
      {0, kNoEntry, 0, 9, 0},
      {10, kNoEntry, 1, 9, 1},
      {19, kNoEntry, 2, 2, 1},
      {20, kNoEntry, 0, 9, kNoEntry},
      {0, 2, 2, 2, kNoEntry},
      {19, 2, 2, 2, 1},
      {19, 3, 2, 2, 1},
  };
  for (const auto& c : cases) {
    const PreviewScene scene = BuildScene(tree, *tree.menuRoot(), {}, c.highlighted, c.asked);
    EXPECT_EQ(scene.pageCount, 3u);
    EXPECT_EQ(scene.page, c.page) << c.highlighted << "/" << c.asked;
    EXPECT_EQ(scene.entries.size(), c.entries) << c.highlighted << "/" << c.asked;
    EXPECT_EQ(scene.highlighted, c.onPage) << c.highlighted << "/" << c.asked;
  }
}

TEST_F(PreviewRendering, TheSoftkeysShowAsTheBarAlongTheBottom) {
  const MenuTree tree = NewMenu();
  // The cursor's soft key, and where it shows: the left and right keys only.
  for (const auto& [cursor, shown] : {std::pair{0u, 0u}, {1u, 1u}, {2u, kNoEntry}}) {
    const PreviewScene scene = BuildScene(tree, *tree.softkeys(), {}, cursor);
    const Rect bar = scene.layout.softkeyBar;
    ASSERT_EQ(scene.entries.size(), 2u);
    EXPECT_EQ(scene.pageCount * 10 + scene.highlighted, 10 + shown) << cursor;
    EXPECT_EQ(scene.EntryAt(bar.x + bar.width - 3, bar.y + 2), &scene.entries[1]);
    EXPECT_EQ(scene.EntryAt(88, 110), nullptr);
    const RgbaPicture picture = RenderPreview(scene, {}, text);
    const auto at = [&](int x, int y) { return picture.pixels[std::size_t(y) * 176 + x]; };
    EXPECT_EQ(at(88, 110), (Colour{255, 248, 248, 244}));  // nothing between the bars
    EXPECT_EQ(at(bar.x + 1, bar.y + 1) == (Colour{255, 64, 96, 160}), shown == 0) << cursor;
  }
}

}  // namespace
}  // namespace menuforge::test
