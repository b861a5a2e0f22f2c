// Drawing the phone-screen preview again after an edit of a menu of 245 entries, the most a
// menu file holds, all in the main menu, each with titles in three languages and a list icon.
// Aim: under 16 ms (one frame at 60 Hz) for every screen size and layout.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "base/local_file.h"
#include "menu/tree_operations.h"
#include "pictures/picture_conversion.h"
#include "preview/preview_rendering.h"

namespace {

using namespace menuforge;

constexpr int kIconFiles = 8;

// Icons of 24 x 24 pixels, a different colour each, in a folder laid out as the phone's volume.
std::filesystem::path IconFolderWithPictures() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("menuforge-preview-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder / "a/mobile/picture");
  for (int i = 0; i < kIconFiles; ++i) {
    RgbaPicture icon{{24, 24},
                     std::vector<Colour>(24 * 24, Colour{255, std::uint8_t(i * 30),
                                                         std::uint8_t(255 - i * 30), 80})};
    const Status written = WriteFileAtomically(
        folder / "a/mobile/picture" / ("icon" + std::to_string(i) + ".gif"), *PictureToGif(icon));
    if (!written) std::abort();
  }
  return folder;
}

void Attach(MenuTree& tree, MenuNode& node, ItemDataRecord record) {
  tree.SetEntryData(node, std::move(record));
}

ItemDataRecord EntryData(std::size_t i, const std::u16string& suffix) {
  ItemDataRecord record;
  const std::u16string number = Utf8ToWide(std::to_string(i));
  record.slots.push_back(ChunkSlot::Titles(
      TitleList::Menu,
      {{1, u"Entry " + number + suffix}, {6, u"Entrée " + number}, {7, u"Eintrag " + number}}));
  record.slots.push_back(ChunkSlot::FileIcon(
      kListIcon, u"/a/mobile/picture/icon" + Utf8ToWide(std::to_string(i % kIconFiles)) + u".gif"));
  return record;
}

MenuTree LargestMenu() {
  MenuTree tree;
  BuildSkeleton(tree);
  const ItemBaseEntry item{"Calculator", "Calculator", true};
  for (std::size_t i = 0; i < kMaxMenuEntries; ++i)
    if (AddEntry(tree, *tree.menuRoot(), Placement::LastChild, item, false) == nullptr)
      std::abort();
  for (std::size_t i = 0; i < kMaxMenuEntries; ++i)
    Attach(tree, *tree.menuRoot()->children()[i], EntryData(i, u""));
  return tree;
}

// Each iteration renames one entry of the page on screen, as the item editor's OK does, then
// builds the scene and draws it. Icons and glyphs are decoded once and kept, as in the window.
void BM_RedrawAfterEdit(benchmark::State& state) {
  const PictureSize screen = kPreviewScreens[static_cast<std::size_t>(state.range(0))];
  const PreviewLayout layout = state.range(1) == 0 ? PreviewLayout::Grid : PreviewLayout::List;
  MenuTree tree = LargestMenu();
  const std::filesystem::path folder = IconFolderWithPictures();
  IconFolder phone(folder);
  TextDrawing text;
  if (!text.Open()) {
    state.SkipWithError("no font");
    return;
  }
  const PreviewOptions options{screen, layout, 1};
  std::size_t edits = 0;
  for (auto _ : state) {
    const std::size_t entry = edits % 4;
    ++edits;
    Attach(tree, *tree.menuRoot()->children()[entry],
           EntryData(entry, u" v" + Utf8ToWide(std::to_string(edits))));
    const PreviewScene scene = BuildScene(tree, *tree.menuRoot(), options);
    const RgbaPicture picture = RenderPreview(scene, {&phone, nullptr}, text);
    benchmark::DoNotOptimize(picture.pixels.data());
  }
  std::filesystem::remove_all(folder);
  state.SetLabel(ScreenSizeText(screen) + (layout == PreviewLayout::Grid ? " grid" : " list"));
}
BENCHMARK(BM_RedrawAfterEdit)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
