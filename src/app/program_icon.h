#pragma once

#include <QIcon>

// The program's icon: the desktop theme's "sorell" when the program is installed, otherwise the
// picture built into the program. Never null.
QIcon programIcon();
