#include "cli/picture_commands.h"
#include "pictures/picture_conversion.h"

namespace menuforge::cli {
namespace {

int RunGif(const ParsedArguments& arguments) {
  if (const Status converted = Convert(arguments.positional[0], arguments.positional[1]);
      !converted)
    throw CommandFailure(converted.error().text);
  return kExitSuccess;
}

}  // namespace

const Command kGifCommand{
    "gif",
    "IN OUT.gif",
    "Converts a PNG, BMP or GIF picture (a GIF's first frame) into a GIF of at most 64\n"
    "colours and one transparent colour, as the DRM Icon Picker converts raw icons: pixels\n"
    "with alpha above 128 choose the colours, those with alpha above 200 are drawn.\n"
    "Pictures up to 1600 x 1200 pixels, told by their first bytes; other formats and\n"
    "files that end before their last row are refused. OUT.gif is only written whole.\n",
    {},
    2,
    RunGif,
};

}  // namespace menuforge::cli
