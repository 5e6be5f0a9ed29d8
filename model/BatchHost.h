#pragma once
#include "model/WallDocument.h"
#include "tables/WallTables.h"
#include "units/ScriptedPrompt.h"

// The prompt of a BatchHost, made before the document that refers to it.
struct BatchHostPrompt {
    ScriptedPrompt prompt;
};

// A document without windows: its questions are answered and its messages
// collected by a scripted prompt, and its modified state is a plain flag that
// the tests set and read. The command line and the tests work on it.
class BatchHost : public BatchHostPrompt, public TWallDocument {
public:
    BatchHost() : TWallDocument(prompt) {}

    void SetModified(bool value) override { modified = value; }
    bool IsModified() const override { return modified; }

    WallTables& tables = Tables();
    bool modified = false;
};
