// An include that runs up the layers, and Qt in the core.
#include <QString>

#include "app/core/status_text.h"
#include "base/bytes.h"
#include "menu/menu_tree.h"
