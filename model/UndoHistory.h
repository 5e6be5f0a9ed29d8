#pragma once
#include <cstddef>
#include <deque>
#include <string>

// One committed change to the wall: the state before and after it (each a
// WallState text, see WallState.h), what the menus call it and the stage it
// was made in.
struct TUndoStep {
    std::string Caption;
    int Stage = 1;
    std::string Before;
    std::string After;
};

// The changes that Undo and Redo walk through. Steps before the position are
// undone one by one, steps after it redone; a new step drops those after it.
// The history keeps at most MaxSteps steps and MaxBytes of state text, dropping
// the oldest first, and knows which position holds the state last saved.
class TUndoHistory {
public:
    static constexpr std::size_t MaxSteps = 200;
    static constexpr std::size_t MaxBytes = 16u << 20;

    // Adds a committed change after the position and moves the position past it.
    void Push(TUndoStep step);
    // Forgets every step (a new or opened wall); the saved state is the present one.
    void Clear();

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    // The step Undo takes back, moving the position before it; null when none.
    const TUndoStep* Undo();
    // The step Redo makes again, moving the position past it; null when none.
    const TUndoStep* Redo();
    // "Undo " and the caption of the step Undo would take back; "Undo" when none.
    std::string UndoText() const;
    // "Redo " and the caption of the step Redo would make again; "Redo" when none.
    std::string RedoText() const;

    // The present state is the one saved (Save, Save As, New and Open).
    void MarkSaved();
    // No position holds the state last saved (a wall recovered after a crash).
    void ForgetSaved() { saved_ = -1; }
    // True while the position is the one last marked saved.
    bool AtSaved() const;

    std::size_t Steps() const { return steps_.size(); }
    // How many steps lie before the position: those Undo can take back.
    std::size_t Position() const { return position_; }
    std::size_t Bytes() const { return bytes_; }

private:
    void DropOldest();

    std::deque<TUndoStep> steps_;
    std::size_t position_ = 0;
    std::size_t bytes_ = 0;
    // The position of the saved state, counted like position_; -1 once the
    // steps that led to it were dropped or replaced.
    long saved_ = 0;
};
