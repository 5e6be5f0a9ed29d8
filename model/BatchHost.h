#pragma once
#include "model/MainWindowHost.h"
#include "tables/WallTables.h"
#include "units/ScriptedPrompt.h"

// A main window without windows: it owns the input tables, keeps the modified
// state and collects every message in a scripted prompt. The command line and
// the tests work on it.
class BatchHost : public MainWindowHost {
public:
    WallTables& Tables() override { return tables; }
    void SetModified(bool value) override { modified = value; }
    bool IsModified() const override { return modified; }
    void CloseAllChildren() override { ++closeAllChildrenCalls; }
    Prompt& UserPrompt() override { return prompt; }

    WallTables tables;
    ScriptedPrompt prompt;
    bool modified = false;
    int closeAllChildrenCalls = 0;
};
