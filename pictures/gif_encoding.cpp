#include "pictures/gif_encoding.h"

#include <gif_lib.h>

#include <memory>

namespace menuforge {
namespace {

constexpr int kColourResolution = 8;
constexpr std::size_t kScreenSizeEnd = 10;

int AppendToBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
  }
};

struct MapFreer {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::unique_ptr<ColorMapObject, MapFreer> ColourTable(const IndexedPicture& picture) {
  GifColorType colours[kPaletteSize];
  for (std::size_t i = 0; i < kPaletteSize; ++i)
    colours[i] = {picture.palette[i].red, picture.palette[i].green, picture.palette[i].blue};
  return std::unique_ptr<ColorMapObject, MapFreer>(GifMakeMapObject(kPaletteSize, colours));
}

bool WriteImage(GifFileType* gif, const IndexedPicture& picture) {
  const int width = static_cast<int>(picture.size.width);
  const int height = static_cast<int>(picture.size.height);
  const auto table = ColourTable(picture);
  if (!table) return false;
  if (EGifPutScreenDesc(gif, width, height, kColourResolution, picture.transparentIndex,
                        table.get()) == GIF_ERROR)
    return false;

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSAL_UNSPECIFIED;
  control.TransparentColor = picture.transparentIndex;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
      GIF_ERROR)
    return false;

  if (EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR) return false;
  // The encoder masks the line it is given in place, so it gets a copy of each row.
  std::vector<GifPixelType> row(picture.size.width);
  for (std::size_t y = 0; y < picture.size.height; ++y) {
    const auto first = picture.indexes.begin() + static_cast<std::ptrdiff_t>(y * row.size());
    std::copy(first, first + static_cast<std::ptrdiff_t>(row.size()), row.begin());
    if (EGifPutLine(gif, row.data(), width) == GIF_ERROR) return false;
  }
  return true;
}

}  // namespace

std::optional<Bytes> EncodeGif(const IndexedPicture& picture) {
  Bytes out;
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, AppendToBytes, &error));
  if (!gif) return std::nullopt;
  EGifSetGifVersion(gif.get(), true);
  if (!WriteImage(gif.get(), picture)) return std::nullopt;
  // Closing writes the trailer.
  if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) return std::nullopt;
  return out;
}

std::optional<PictureSize> GifScreenSize(ByteView gif) {
  if (gif.size() < kScreenSizeEnd) return std::nullopt;
  return PictureSize{static_cast<std::uint32_t>(gif[6] | gif[7] << 8),
                     static_cast<std::uint32_t>(gif[8] | gif[9] << 8)};
}

}  // namespace menuforge
