#include "phonesim/demo_storage.h"

#include <array>
#include <cerrno>
#include <cstdlib>

#include "base/local_file.h"
#include "catalog/item_base_file.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "phone/file_list_entry.h"
#include "phone/phone_menu_files.h"
#include "phonesim/demo_midlets.h"
#include "phonesim/phone_storage.h"
#include "phonesim/seem_records.h"

namespace menuforge {
namespace {

constexpr int kIconSide = 16;
constexpr std::array<std::uint8_t, 12> kIconPalette = {0xFF, 0xFF, 0xFF, 0x20, 0x60, 0xC0,
                                                       0xE0, 0x40, 0x30, 0x30, 0xA0, 0x40};
constexpr std::uint8_t kGifCodeSize = 2;
constexpr std::uint16_t kGifClear = 4;
constexpr std::uint16_t kGifEnd = 5;
constexpr int kGifCodeBits = 3;
// A clear code after every two pixels keeps the codes 3 bits wide, so no compression table is
// needed.
constexpr int kPixelsPerClear = 2;

class BitWriter {
 public:
  void Put(std::uint16_t code) {
    for (int bit = 0; bit < kGifCodeBits; ++bit) {
      if (used_ == 0) bytes_.push_back(0);
      bytes_.back() |= static_cast<std::uint8_t>(((code >> bit) & 1) << used_);
      used_ = (used_ + 1) % 8;
    }
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
  int used_ = 0;
};

void PutU16Le(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

int Disc(int x, int y) {
  const int dx = 2 * x - 15, dy = 2 * y - 15;
  return dx * dx + dy * dy <= 196 ? 1 : 0;
}
int Frame(int x, int y) {
  return x < 2 || y < 2 || x > 13 || y > 13 ? 2 : (x + y) % 4 == 0 ? 3 : 0;
}
int Cross(int x, int y) { return std::abs(x - y) < 2 || std::abs(x + y - 15) < 2 ? 3 : 0; }

struct DemoEntry {
  const char* identifier;
  const char* parent;    // nullptr: below "Menu Root"
  const char16_t* icon;  // a list icon among the demo files, or nullptr
};
constexpr std::array<DemoEntry, 12> kDemoMenu = {{
    {"PhoneBook", nullptr, u"/a/mobile/picture/disc.gif"},
    {"Message", nullptr, u"/a/mobile/picture/frame.gif"},
    {"RecentCall", nullptr, nullptr},
    {"Tools", nullptr, u"/a/mobile/picture/cross.gif"},
    {"Calculator", "Tools", nullptr},
    {"AlarmClock", "Tools", nullptr},
    {"Datebook", "Tools", nullptr},
    {"Camera", nullptr, nullptr},
    {"Pictures", nullptr, u"/b/mobile/picture/card.gif"},
    {"Settings", nullptr, nullptr},
    {"Sounds", "Settings", nullptr},
    {"Browser", nullptr, nullptr},
}};

// A 16 × 16 picture in four colours as a GIF file; `shape` picks the colour of each pixel.
Bytes DemoIcon(int (*shape)(int x, int y)) {
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
  PutU16Le(gif, kIconSide);
  PutU16Le(gif, kIconSide);
  gif.insert(gif.end(), {0x91, 0, 0});  // global table of 4 colours
  gif.insert(gif.end(), kIconPalette.begin(), kIconPalette.end());
  gif.push_back(0x2C);
  PutU16Le(gif, 0);
  PutU16Le(gif, 0);
  PutU16Le(gif, kIconSide);
  PutU16Le(gif, kIconSide);
  gif.push_back(0);
  gif.push_back(kGifCodeSize);

  BitWriter codes;
  for (int i = 0; i < kIconSide * kIconSide; ++i) {
    if (i % kPixelsPerClear == 0) codes.Put(kGifClear);
    codes.Put(static_cast<std::uint16_t>(shape(i % kIconSide, i / kIconSide)));
  }
  codes.Put(kGifEnd);
  const Bytes& data = codes.bytes();
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - at);
    gif.push_back(static_cast<std::uint8_t>(length));
    gif.insert(gif.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  gif.push_back(0);
  gif.push_back(0x3B);
  return gif;
}

std::string DemoMenuFile(Bytes& file) {
  const ItemTable items(BuiltInItemBase());
  MenuTree tree;
  BuildSkeleton(tree);
  std::vector<std::pair<std::string, MenuNode*>> added;
  for (const DemoEntry& demo : kDemoMenu) {
    MenuNode* parent = tree.menuRoot();
    for (const auto& [identifier, node] : added)
      if (demo.parent && identifier == demo.parent) parent = node;
    const std::size_t position = items.Find(demo.identifier);
    if (position == items.count()) return std::string("The item base has no ") + demo.identifier;
    MenuNode* node = AddEntry(tree, *parent, Placement::LastChild, items.at(position), false);
    if (demo.icon)
      tree.SetEntryData(*node, ItemDataRecord{0, {ChunkSlot::FileIcon(kListIcon, demo.icon)}});
    added.emplace_back(demo.identifier, node);
  }
  const SaveResult saved = EncodeMenuFile(tree, FormatOptions{}, items, file);
  return saved.errorText();
}

}  // namespace

bool IsEmptyStorage(const std::filesystem::path& root) {
  std::error_code error;
  if (!std::filesystem::exists(root, error)) return true;
  return std::filesystem::is_directory(root, error) && std::filesystem::is_empty(root, error);
}

std::string CreateDemoStorage(const std::filesystem::path& root) {
  std::error_code error;
  for (const char* folder : {"a/mobile/system", "a/mobile/picture", "a/mobile/kjava",
                             "b/mobile/picture", "c/mobile/kjava", "e"}) {
    std::filesystem::create_directories(root / folder, error);
    if (error) return FileError("create", root / folder, error.value());
  }
  Bytes menu;
  if (std::string problem = DemoMenuFile(menu); !problem.empty()) return problem;

  const std::array<std::pair<const char*, Bytes>, 5> files = {{
      {"a/mobile/system/mma_ucp", menu},
      {"a/mobile/picture/disc.gif", DemoIcon(Disc)},
      {"a/mobile/picture/frame.gif", DemoIcon(Frame)},
      {"a/mobile/picture/cross.gif", DemoIcon(Cross)},
      {"b/mobile/picture/card.gif", DemoIcon(Frame)},
  }};
  for (const auto& [name, bytes] : files)
    if (const Status written = WriteFileAtomically(root / name, bytes); !written)
      return written.error().text;
  if (std::string problem = CreateDemoMidlets(root); !problem.empty()) return problem;

  PhoneStorage storage(root);
  if (!storage.SetAttributes(kPhoneMenuPath, kAttributeSystem))
    return FileError("write", root / kAttributeTableFile, EIO);
  return PrepareSeemRecords(storage, std::nullopt, std::nullopt);
}

}  // namespace menuforge
