// A window with a hole where one of its widgets stands, so that the desktop shows through. The
// hole follows the widget as the window is resized and its layout moves it.
#pragma once

class QWidget;

namespace menuforge {

void CutOut(QWidget& window, QWidget& hole);
// The window whole again; nothing when it has no hole.
void EndCutOut(QWidget& window);

}  // namespace menuforge
