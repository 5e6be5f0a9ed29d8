#pragma once

class QWidget;

// Every window of the program opens inside the room it has: a top-level
// window (Design Checks, the section catalogue, a message) inside its screen's
// available rectangle, a child window (an input dialog, a table editor, the
// side view) inside the main window's work area. Installed once on the
// application; it fits each window as it is first shown (FitWindow).
void InstallWindowPlacement();

// Fits `window` (a top-level window or a child window of a work area) into
// its room now.
void FitIntoRoom(QWidget* window);
