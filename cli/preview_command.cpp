#include <charconv>
#include <filesystem>
#include <optional>

#include "base/local_file.h"
#include "cli/picture_commands.h"
#include "cli/workspace.h"
#include "menu/languages.h"
#include "pictures/drm_binary.h"
#include "preview/folder_path.h"
#include "preview/png_writing.h"
#include "preview/preview_rendering.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--folder", true}, {"--size", true}, {"--language", true},
                                   {"--icons", true},  {"--drm", true},  {"--layout", true},
                                   kProfileOption};

PreviewOptions ReadOptions(const ParsedArguments& arguments) {
  PreviewOptions options;
  if (auto size = arguments.Value("--size")) {
    const std::optional<PictureSize> screen = ParseScreenSize(*size);
    if (!screen)
      throw UsageError("--size takes 128x128, 120x160, 176x220 or 240x320, not \"" + *size + "\"");
    options.screen = *screen;
  }
  if (auto layout = arguments.Value("--layout")) {
    const std::optional<PreviewLayout> chosen = ParseLayout(*layout);
    if (!chosen) throw UsageError("--layout takes grid or list, not \"" + *layout + "\"");
    options.layout = *chosen;
  }
  if (auto language = arguments.Value("--language")) {
    unsigned id = 0;
    const auto [end, error] =
        std::from_chars(language->data(), language->data() + language->size(), id);
    if (error != std::errc() || end != language->data() + language->size() || id < 1 ||
        id > kLanguageCount)
      throw UsageError("--language takes a language ID from 1 to 47, not \"" + *language + "\"");
    options.languageId = static_cast<std::uint8_t>(id);
  }
  return options;
}

int RunPreview(const ParsedArguments& arguments) {
  const PreviewOptions options = ReadOptions(arguments);
  TextDrawing text;
  if (const Status opened = text.Open(); !opened) throw CommandFailure(opened.error().text);

  std::optional<IconFolder> phone;
  if (auto icons = arguments.Value("--icons")) {
    std::error_code error;
    if (!std::filesystem::is_directory(*icons, error))
      throw CommandFailure("no folder \"" + *icons + "\" to take icons from");
    phone.emplace(*icons);
  }
  std::optional<DrmBinary> binary;
  DrmIcons drmIcons;
  if (auto drm = arguments.Value("--drm")) {
    Result<Bytes> contents = ReadWholeFileBytes(*drm, kLargestDrmBinary, kDrmBinaryKind);
    if (!contents) throw CommandFailure(contents.error().text);
    binary = DrmBinary::Parse(std::move(*contents));
    drmIcons.SetBinary(&*binary);
  }

  Workspace workspace;
  workspace.Prepare(arguments);
  static_cast<void>(workspace.Load(arguments.positional[0]));
  const Result<const MenuNode*> folder =
      FindFolder(workspace.document.tree(), arguments.Value("--folder").value_or(""));
  if (!folder) throw CommandFailure(folder.error().text);

  const PreviewScene scene = BuildScene(workspace.document.tree(), **folder, options);
  const IconSources sources{phone ? &*phone : nullptr, binary ? &drmIcons : nullptr};
  if (const Status written = WritePng(RenderPreview(scene, sources, text), arguments.positional[1]);
      !written)
    throw CommandFailure(written.error().text);
  PrintWarnings(text.warnings());
  return kExitSuccess;
}

}  // namespace

const Command kPreviewCommand{
    "preview",
    "FILE OUT.png [--folder PATH] [--size WxH] [--language N] [--layout grid|list] [--icons DIR] "
    "[--drm FILE]",
    "Draws a folder of the menu as the phone shows it: the folder's title, the first page of\n"
    "its entries with their list icons and titles, and the two soft keys. A title comes in the\n"
    "language asked for, else in the first language the entry has; an entry without titles\n"
    "shows its item's name in grey, marked \"(phone's own title)\" where there is room. An icon\n"
    "that cannot be had shows why in its place. A script no installed font has is drawn as\n"
    "boxes, with a warning naming it. OUT.png is only written whole.\n"
    "\n"
    "  --folder PATH     the folder to show, by item identifiers or titles joined by \"/\"\n"
    "                    (\"Games/Puzzles\"); the main menu when left out\n"
    "  --size WxH        the screen: 128x128, 120x160, 176x220 (the default) or 240x320\n"
    "  --language N      the title language, an ID from 1 (English US, the default) to 47\n"
    "  --layout KIND     grid (3 x 3, or 3 x 4 on a tall screen; the default) or list\n"
    "  --icons DIR       a folder laid out as the phone's volumes (DIR/a/mobile/...) to take\n"
    "                    icons named by path from\n"
    "  --drm FILE        a DRM binary to take icons named by number from\n"
    "  --profile NAME    open the menu against Profiles/NAME.prf\n",
    kOptions,
    2,
    RunPreview,
};

}  // namespace menuforge::cli
