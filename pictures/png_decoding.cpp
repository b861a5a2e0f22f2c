// PNG through libpng. Its errors jump back with longjmp, so everything with a destructor lives
// in the caller of the function that calls setjmp, and that function itself holds none.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "pictures/picture_decoding.h"

namespace menuforge {
namespace {

constexpr int kRgbaChannels = 4;
// libpng's own "Not enough image data": the compressed rows end before the last one.
constexpr char kShortImageData[] = "Not enough image data";
// Text and colour profiles are compressed too and could be inflated without bound; the picture
// needs none of them.
constexpr png_byte kIgnoredChunks[] = "iCCP\0zTXt\0iTXt\0tEXt\0sPLT\0eXIf";
constexpr int kIgnoredChunkCount = 6;
// Any chunk libpng keeps in memory stays below this.
constexpr png_alloc_size_t kLargestChunk = 1024 * 1024;

// Interlaced rows come in seven passes; the pass number is 7 once all are read.
constexpr png_byte kPassesDone = 7;
constexpr char kRowsDone[] = "every row is read";

enum class Stage { Header, Rows };

struct PngSource {
  ByteView bytes;
  std::size_t read = 0;
  Stage stage = Stage::Header;
  std::uint32_t height = 0;
  bool ranOut = false;
  bool rowsDone = false;
  char message[128] = {};
};

// After the last row libpng would inflate whatever compressed data follows, however much it
// inflates to; the picture is whole by then, so reading stops there.
bool AllRowsRead(png_structp png, const PngSource& source) {
  return source.stage == Stage::Rows && (png_get_current_pass_number(png) >= kPassesDone ||
                                         png_get_current_row_number(png) >= source.height);
}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (AllRowsRead(png, *source)) {
    source->rowsDone = true;
    png_error(png, kRowsDone);
  }
  if (length > source->bytes.size() - source->read) {
    source->ranOut = true;
    png_error(png, "the file ends early");
  }
  std::memcpy(out, source->bytes.data() + source->read, length);
  source->read += length;
}

void KeepError(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::strncpy(source->message, message, sizeof source->message - 1);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void AskForRgba(png_structp png, png_infop info) {
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) &&
      !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// False when libpng stopped; the source tells why. `size` is known before anything is allocated
// for the pixels, so that `fits` can refuse a picture whose rows would inflate without end.
bool Read(png_structp png, png_infop info, PngSource& source, PictureSize& size, bool& fits,
          std::vector<png_byte>& rgba, std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
  png_set_chunk_malloc_max(png, kLargestChunk);
  // The size is judged below, against the conversion's own limit.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_read_info(png, info);
  size = {png_get_image_width(png, info), png_get_image_height(png, info)};
  fits = FitsIndexBuffer(size);
  if (!fits) return true;
  AskForRgba(png, info);
  if (png_get_rowbytes(png, info) != std::size_t{size.width} * kRgbaChannels)
    png_error(png, "unexpected row layout");
  rgba.resize(std::size_t{size.width} * size.height * kRgbaChannels);
  rows.resize(size.height);
  for (std::size_t y = 0; y < rows.size(); ++y)
    rows[y] = rgba.data() + y * size.width * kRgbaChannels;
  source.height = size.height;
  source.stage = Stage::Rows;
  // The rest of the file after the last row is not needed.
  png_read_image(png, rows.data());
  return true;
}

PictureFault FaultOf(const PngSource& source) {
  if (source.stage == Stage::Rows &&
      (source.ranOut || std::strcmp(source.message, kShortImageData) == 0))
    return {PictureFault::Kind::EndsEarly, {}};
  return PictureFault::Damaged(source.ranOut ? "it ends before its picture data"
                                             : "PNG error: " + std::string(source.message));
}

}  // namespace

PictureFault DecodePng(ByteView bytes, RgbaPicture& picture) {
  PngSource source{bytes};
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, KeepError, IgnoreWarning);
  if (!png) return PictureFault::Damaged("out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return PictureFault::Damaged("out of memory");
  }
  png_set_read_fn(png, &source, ReadFromMemory);

  PictureSize size;
  bool fits = false;
  std::vector<png_byte> rgba;
  std::vector<png_bytep> rows;
  const bool read = Read(png, info, source, size, fits, rgba, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!read && !source.rowsDone) return FaultOf(source);
  if (!fits) return {PictureFault::Kind::TooLarge, {}};

  picture.size = size;
  picture.pixels.resize(std::size_t{size.width} * size.height);
  const png_byte* p = rgba.data();
  for (Colour& c : picture.pixels) {
    c = {p[3], p[0], p[1], p[2]};
    p += kRgbaChannels;
  }
  return {};
}

}  // namespace menuforge
