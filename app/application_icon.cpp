#include "app/application_icon.h"

#include <array>

// The resources live in a static library: naming them here keeps the linker from dropping them.
// Q_INIT_RESOURCE has to be used outside any namespace.
static void LoadIconResource() { Q_INIT_RESOURCE(application_icon); }

namespace menuforge {
namespace {

constexpr std::array kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace

QIcon ApplicationIcon() {
  LoadIconResource();
  QIcon icon;
  for (const int size : kIconSizes)
    icon.addFile(
        QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)),
        QSize(size, size));
  return icon;
}

}  // namespace menuforge
