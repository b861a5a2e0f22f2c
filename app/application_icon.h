// How the desktop knows the program: the name of its desktop entry, AppStream file and icon,
// and the icon itself, compiled in so that the window shows it wherever the program runs from.
#pragma once

#include <QIcon>

namespace menuforge {

inline constexpr char kApplicationId[] = "org.menuforge.Menuforge";

// Every size installed into the hicolor theme, from the program's resources.
QIcon ApplicationIcon();

}  // namespace menuforge
