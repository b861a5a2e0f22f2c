// What a screen reader says for the main window's controls whose own text does not say it.
#pragma once

class QWidget;

namespace menuforge {

// Names the controls of `window` found by their object names; call it once they all exist.
void NameMainWindowControls(QWidget& window);

}  // namespace menuforge
