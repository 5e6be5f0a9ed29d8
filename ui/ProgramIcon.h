#pragma once
#include <QIcon>

// The program's icon: a small depth plot (axes, grid and two curves), drawn
// at the sizes window managers ask for.
QIcon ProgramIcon();
