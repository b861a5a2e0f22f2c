// Draws a preview scene into a picture of the screen's size, the same for the window and the
// command-line tool.
#pragma once

#include "pictures/picture.h"
#include "preview/icon_sources.h"
#include "preview/preview_scene.h"
#include "preview/text_drawing.h"

namespace menuforge {

// Only the entries on the page are looked up, so a source is asked for what is on screen alone.
// `text` must be ready.
RgbaPicture RenderPreview(const PreviewScene& scene, const IconSources& icons, TextDrawing& text);

}  // namespace menuforge
