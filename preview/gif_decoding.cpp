#include "preview/gif_decoding.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace menuforge {
namespace {

struct MemoryReader {
  ByteView bytes;
  std::size_t at = 0;
};

int ReadFromMemory(GifFileType* file, GifByteType* into, int wanted) {
  auto* reader = static_cast<MemoryReader*>(file->UserData);
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max(wanted, 0)),
                                                  reader->bytes.size() - reader->at);
  std::memcpy(into, reader->bytes.data() + reader->at, count);
  reader->at += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* file) const {
    int ignored = 0;
    DGifCloseFile(file, &ignored);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

bool FitsIcon(int width, int height) {
  return width > 0 && height > 0 && static_cast<std::uint32_t>(width) <= kLargestIconSide &&
         static_cast<std::uint32_t>(height) <= kLargestIconSide;
}

// Interlaced frames come in four passes of rows.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  return rows;
}

bool DrawFrame(GifFileType* file, int transparent, RgbaPicture& picture) {
  if (DGifGetImageDesc(file) != GIF_OK) return false;
  const GifImageDesc& frame = file->Image;
  if (!FitsIcon(frame.Width, frame.Height)) return false;
  const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : file->SColorMap;
  if (colours == nullptr) return false;
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  for (int y : RowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(file, line.data(), frame.Width) != GIF_OK) return false;
    const long row = long{frame.Top} + y;
    if (row < 0 || row >= static_cast<long>(picture.size.height)) continue;
    for (int x = 0; x < frame.Width; ++x) {
      const long column = long{frame.Left} + x;
      const int index = line[static_cast<std::size_t>(x)];
      if (column < 0 || column >= static_cast<long>(picture.size.width)) continue;
      if (index == transparent || index >= colours->ColorCount) continue;
      const GifColorType c = colours->Colors[index];
      picture.pixels[static_cast<std::size_t>(row) * picture.size.width +
                     static_cast<std::size_t>(column)] = {255, c.Red, c.Green, c.Blue};
    }
  }
  return true;
}

}  // namespace

std::optional<RgbaPicture> DecodeGifIcon(ByteView gif) {
  MemoryReader reader{gif};
  int error = 0;
  GifHandle file(DGifOpen(&reader, ReadFromMemory, &error));
  if (!file || !FitsIcon(file->SWidth, file->SHeight)) return std::nullopt;
  RgbaPicture picture;
  picture.size = {static_cast<std::uint32_t>(file->SWidth),
                  static_cast<std::uint32_t>(file->SHeight)};
  picture.pixels.assign(std::size_t{picture.size.width} * picture.size.height, Colour{});
  int transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType type = TERMINATE_RECORD_TYPE;
    if (DGifGetRecordType(file.get(), &type) != GIF_OK) return std::nullopt;
    if (type == IMAGE_DESC_RECORD_TYPE)
      return DrawFrame(file.get(), transparent, picture) ? std::optional(picture) : std::nullopt;
    if (type == TERMINATE_RECORD_TYPE) return std::nullopt;
    if (type != EXTENSION_RECORD_TYPE) continue;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(file.get(), &code, &block) != GIF_OK) return std::nullopt;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
      GraphicsControlBlock control;
      if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
        transparent = control.TransparentColor;
    }
    while (block != nullptr)
      if (DGifGetExtensionNext(file.get(), &block) != GIF_OK) return std::nullopt;
  }
}

}  // namespace menuforge
