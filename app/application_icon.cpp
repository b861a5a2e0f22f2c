#include "app/application_icon.h"

#include <QDirIterator>

// The resources live in a static library: naming them here keeps the linker from dropping them.
// Q_INIT_RESOURCE has to be used outside any namespace.
static void LoadIconResource() { Q_INIT_RESOURCE(application_icon); }

namespace menuforge {

QIcon ApplicationIcon() {
  LoadIconResource();
  QIcon icon;
  // One folder per size, as in the icon theme; each picture's size is read from its header.
  QDirIterator pictures(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                        QDirIterator::Subdirectories);
  while (pictures.hasNext()) icon.addFile(pictures.next());
  return icon;
}

}  // namespace menuforge
