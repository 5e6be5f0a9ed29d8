#pragma once
#include "model/Notice.h"

class Prompt;
class WallTables;

// What the wall and its files need of the main window: the input tables it
// owns, its modified state, its child windows and its message boxes. The main
// window implements it; tests and the command line use BatchHost.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // The 25 input tables, which outlive every wall.
    virtual WallTables& Tables() = 0;
    // Marks the document modified or saved.
    virtual void SetModified(bool modified) = 0;
    // True while the document has unsaved changes.
    virtual bool IsModified() const = 0;
    // Closes every child window (dialogs, table editors, graphs).
    virtual void CloseAllChildren() = 0;
    // The message boxes and questions of the program.
    virtual Prompt& UserPrompt() = 0;

    // Raised after the wall changed its unit system, so that every dialog that
    // shows scalars of the wall shows the converted values.
    TNotice UnitsSwitched;
};
