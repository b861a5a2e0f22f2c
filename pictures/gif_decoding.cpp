// The first frame of a GIF through giflib, read row by row so that nothing is allocated for a
// frame before its size has passed, and drawn onto the logical screen as a viewer shows it.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "pictures/picture_decoding.h"

namespace menuforge {
namespace {

constexpr int kNoTransparency = -1;
constexpr std::uint8_t kTransparentFlag = 0x01;
constexpr int kGraphicControlLength = 4;

struct GifSource {
  ByteView bytes;
  std::size_t read = 0;
  bool ranOut = false;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* source = static_cast<GifSource*>(gif->UserData);
  const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
  const std::size_t given = std::min(wanted, source->bytes.size() - source->read);
  if (given < wanted) source->ranOut = true;
  if (given > 0) std::memcpy(out, source->bytes.data() + source->read, given);
  source->read += given;
  return static_cast<int>(given);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

class FirstFrame {
 public:
  FirstFrame(GifFileType* gif, const GifSource& source) : gif_(gif), source_(source) {}

  PictureFault Decode(RgbaPicture& picture) {
    if (PictureFault fault = FindImage(); fault.failed()) return fault;
    const GifImageDesc& frame = gif_->Image;
    if (frame.Width <= 0 || frame.Height <= 0) return PictureFault::Damaged("it has no pixels");
    const PictureSize frameSize{static_cast<std::uint32_t>(frame.Width),
                                static_cast<std::uint32_t>(frame.Height)};
    PictureSize screen{static_cast<std::uint32_t>(std::max(gif_->SWidth, 0)),
                       static_cast<std::uint32_t>(std::max(gif_->SHeight, 0))};
    if (screen.width == 0 || screen.height == 0) screen = frameSize;
    if (!FitsIndexBuffer(screen) || !FitsIndexBuffer(frameSize))
      return {PictureFault::Kind::TooLarge, {}};
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif_->SColorMap;
    if (!colours) return PictureFault::Damaged("it has no colour table");

    RgbaPicture drawn;
    drawn.size = screen;
    drawn.pixels.assign(std::size_t{screen.width} * screen.height, Colour{});
    std::vector<GifPixelType> line(frameSize.width);
    for (const std::uint32_t row : RowOrder(frameSize.height, frame.Interlace)) {
      if (DGifGetLine(gif_, line.data(), frame.Width) == GIF_ERROR) return ReadFault();
      const std::uint64_t y = std::uint64_t{row} + static_cast<std::uint32_t>(frame.Top);
      if (y >= screen.height) continue;
      for (std::uint32_t x = 0; x < frameSize.width; ++x) {
        const std::uint64_t at = std::uint64_t{x} + static_cast<std::uint32_t>(frame.Left);
        if (at >= screen.width) break;
        drawn.pixels[y * screen.width + at] = ColourOf(*colours, line[x]);
      }
    }
    picture = std::move(drawn);
    return {};
  }

 private:
  // Skips extensions up to the first image, keeping the transparent index that precedes it.
  PictureFault FindImage() {
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif_, &type) == GIF_ERROR) return ReadFault();
      if (type == IMAGE_DESC_RECORD_TYPE)
        return DGifGetImageDesc(gif_) == GIF_ERROR ? ReadFault() : PictureFault{};
      if (type == TERMINATE_RECORD_TYPE) return PictureFault::Damaged("it holds no picture");
      if (type != EXTENSION_RECORD_TYPE) return PictureFault::Damaged("unknown record");
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return ReadFault();
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= kGraphicControlLength)
        transparent_ = (block[1] & kTransparentFlag) ? block[4] : kNoTransparency;
      while (block)
        if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return ReadFault();
    }
  }

  PictureFault ReadFault() const {
    if (source_.ranOut || gif_->Error == D_GIF_ERR_EOF_TOO_SOON)
      return {PictureFault::Kind::EndsEarly, {}};
    const char* reason = GifErrorString(gif_->Error);
    return PictureFault::Damaged("GIF error: " + std::string(reason ? reason : "unknown"));
  }

  // Interlaced frames come in four passes: every 8th row from 0, from 4, every 4th from 2,
  // every 2nd from 1.
  static std::vector<std::uint32_t> RowOrder(std::uint32_t height, bool interlaced) {
    std::vector<std::uint32_t> order;
    order.reserve(height);
    if (!interlaced) {
      for (std::uint32_t y = 0; y < height; ++y) order.push_back(y);
      return order;
    }
    constexpr std::uint32_t kStart[] = {0, 4, 2, 1};
    constexpr std::uint32_t kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (std::uint32_t y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
    return order;
  }

  // An index past the colour table has nothing to draw, like the transparent one.
  Colour ColourOf(const ColorMapObject& colours, GifPixelType index) const {
    if (index == transparent_ || index >= colours.ColorCount) return {};
    const GifColorType& c = colours.Colors[index];
    return {0xFF, c.Red, c.Green, c.Blue};
  }

  GifFileType* gif_;
  const GifSource& source_;
  int transparent_ = kNoTransparency;
};

}  // namespace

PictureFault DecodeGif(ByteView bytes, RgbaPicture& picture) {
  GifSource source{bytes};
  int error = 0;
  const GifFile gif(DGifOpen(&source, ReadFromMemory, &error));
  if (!gif) {
    if (source.ranOut) return PictureFault::Damaged("it ends before its picture data");
    const char* reason = GifErrorString(error);
    return PictureFault::Damaged("GIF error: " + std::string(reason ? reason : "unknown"));
  }
  return FirstFrame(gif.get(), source).Decode(picture);
}

}  // namespace menuforge
