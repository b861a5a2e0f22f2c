#include <gtest/gtest.h>

#include "menu/languages.h"
#include "menu_test_items.h"
#include "preview/preview_rendering.h"
#include "support/language_titles.h"

namespace menuforge::test {
namespace {

constexpr int kPixels = 14;
constexpr Colour kScreen{255, 248, 248, 244};

// The picture of the main menu in a list, its one entry titled `title` in `languageId`.
RgbaPicture ListWith(TextDrawing& text, std::uint8_t languageId, std::u16string_view title,
                     Rect* titleBox) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "A");
  AttachData(tree, *entry,
             Titles(TitleList::Menu, {{languageId, std::u16string(title)}, {1, u"English"}}));
  const PreviewScene scene =
      BuildScene(tree, *tree.menuRoot(), {kDefaultPreviewScreen, PreviewLayout::List, languageId});
  *titleBox = scene.layout.cells[0].title;
  return RenderPreview(scene, {}, text);
}

// The first and last columns of `box` where anything but the screen's colour was drawn.
std::pair<int, int> InkColumns(const RgbaPicture& picture, const Rect& box) {
  int first = box.x + box.width;
  int last = box.x - 1;
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x = box.x; x < box.x + box.width; ++x)
      if (picture.pixels[std::size_t(y) * picture.size.width + std::size_t(x)] != kScreen) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}

class TextDrawingTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const Status opened = text.Open(); !opened) GTEST_SKIP() << opened.errorText();
  }
  TextDrawing text;
};

TEST_F(TextDrawingTest, EveryLanguageDrawsInItsScript) {
  for (const LanguageTitles& c : kLanguageTitles) {
    SCOPED_TRACE(std::string(LanguageName(c.languageId)));
    ASSERT_EQ(c.title.size(), c.other.size());
    for (const DrawnGlyph& glyph : text.Glyphs(c.title, kPixels)) {
      EXPECT_NE(glyph.font, "") << "character " << glyph.character << " drawn as a box";
      EXPECT_NE(glyph.glyph, 0u) << "character " << glyph.character << " in " << glyph.font;
    }
    EXPECT_EQ(text.RightToLeft(c.title), c.rightToLeft);

    Rect box;
    const RgbaPicture picture = ListWith(text, c.languageId, c.title, &box);
    const RgbaPicture other = ListWith(text, c.languageId, c.other, &box);
    EXPECT_NE(picture.pixels, other.pixels) << "two titles drew the same picture";
    const auto [first, last] = InkColumns(picture, box);
    ASSERT_LE(first, last) << "nothing drawn";
    // A title starts at its reading end of the box and stops well short of the other.
    if (c.rightToLeft) {
      EXPECT_GE(last, box.x + box.width - 3);
      EXPECT_GT(first, box.x + 10);
    } else {
      EXPECT_LE(first, box.x + 2);
      EXPECT_LT(last, box.x + box.width - 10);
    }
    EXPECT_TRUE(text.warnings().empty()) << text.warnings().front();
  }
}

TEST_F(TextDrawingTest, ALongTitleLosesItsEndToTheEllipsis) {
  const struct {
    std::u16string_view title;
    std::u16string_view fitted;
    bool ellipsisLeftmost;
  } cases[] = {
      {u"Settings and more settings", u"Settings an…", false},
      {u"הגדרות ועוד הגדרות רבות", u"הגדרות ועוד ה…", true},
      {u"الإعدادات والمزيد من الإعدادات", u"الإعدادات والم…", true},
      // A cut that keeps only digits still reads from the right.
      {u"123 456 789 הגדרות", u"\u200F123 456 78…", true},
  };
  for (const auto& c : cases) {
    const std::u16string fitted = text.Fitted(c.title, 100, kPixels);
    EXPECT_EQ(fitted, c.fitted);
    EXPECT_LE(text.Width(fitted, kPixels), 100);
    const std::vector<DrawnGlyph> glyphs = text.Glyphs(fitted, kPixels);
    ASSERT_FALSE(glyphs.empty());
    const std::uint32_t ellipsis = static_cast<std::uint32_t>(fitted.size() - 1);
    EXPECT_EQ((c.ellipsisLeftmost ? glyphs.front() : glyphs.back()).character, ellipsis)
        << std::string(fitted.begin(), fitted.end());
  }
}

TEST(TextDrawingFonts, AScriptWithoutAFontIsDrawnAsBoxesAlone) {
  TextDrawing text;
  if (const Status opened = text.Open({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"}); !opened)
    GTEST_SKIP() << opened.errorText();
  const std::vector<DrawnGlyph> glyphs = text.Glyphs(u"Menu ตั้งค่า", kPixels);
  ASSERT_EQ(glyphs.size(), 12u);
  for (std::size_t i = 0; i < glyphs.size(); ++i) EXPECT_EQ(glyphs[i].font.empty(), i >= 5) << i;
  EXPECT_EQ(text.warnings(), std::vector<std::string>{
                                 "No font for the Thai script is installed: its text is drawn as "
                                 "boxes (Debian: install the package fonts-tlwg-loma-ttf)"});

  Rect box;
  const RgbaPicture picture = ListWith(text, 11, u"ตั้งค่า", &box);
  const auto [first, last] = InkColumns(picture, box);
  EXPECT_LT(first, last);
  EXPECT_EQ(picture.size, kDefaultPreviewScreen);
}

TEST(TextDrawingFonts, AFontThatCannotBeReadIsNamed) {
  const struct {
    std::vector<std::filesystem::path> fonts;
    std::string message;
  } cases[] = {
      {{"/nonexistent/Font.ttf"}, "Cannot load the font \"/nonexistent/Font.ttf\""},
      {{"/etc/hostname"}, "Cannot load the font \"/etc/hostname\""},
  };
  for (const auto& c : cases) {
    TextDrawing text;
    EXPECT_EQ(text.Open(c.fonts).errorText(), c.message);
    EXPECT_FALSE(text.ready());
  }
}

}  // namespace
}  // namespace menuforge::test
