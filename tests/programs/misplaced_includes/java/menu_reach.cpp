// The phone layer links the menu for itself alone; what it shows the layers above stays allowed.
#include "java/jad_file.h"
#include "menu/menu_tree.h"
#include "phone/phone_link.h"
#include "workspace/ini_file.h"
