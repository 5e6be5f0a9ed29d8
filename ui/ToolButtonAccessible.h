#pragma once

// Lets the accessibility interface work a toolbar button as a click does.
// Qt's own interface of a checkable tool button "toggles" it: that changes the
// check mark of the button and its action but never triggers the action, so
// the command behind it (a stage button) does not run, and the button shows
// a state the program is not in. Installed once; idempotent.
void InstallToolButtonAccessible();
