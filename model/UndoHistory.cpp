#include "model/UndoHistory.h"

void TUndoHistory::Push(TUndoStep step)
{
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().Before.size() + steps_.back().After.size();
        steps_.pop_back();
    }
    // The saved state lay among the steps just dropped: no position reaches it any more.
    if (saved_ > static_cast<long>(position_))
        saved_ = -1;
    bytes_ += step.Before.size() + step.After.size();
    steps_.push_back(std::move(step));
    ++position_;
    while (steps_.size() > 1 && (steps_.size() > MaxSteps || bytes_ > MaxBytes))
        DropOldest();
}

void TUndoHistory::DropOldest()
{
    bytes_ -= steps_.front().Before.size() + steps_.front().After.size();
    steps_.pop_front();
    --position_;
    if (saved_ >= 0)
        --saved_;
}

void TUndoHistory::Clear()
{
    steps_.clear();
    position_ = 0;
    bytes_ = 0;
    saved_ = 0;
}

const TUndoStep* TUndoHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    return &steps_[--position_];
}

const TUndoStep* TUndoHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    return &steps_[position_++];
}

std::string TUndoHistory::UndoText() const
{
    return CanUndo() ? "Undo " + steps_[position_ - 1].Caption : "Undo";
}

std::string TUndoHistory::RedoText() const
{
    return CanRedo() ? "Redo " + steps_[position_].Caption : "Redo";
}

void TUndoHistory::MarkSaved()
{
    saved_ = static_cast<long>(position_);
}

bool TUndoHistory::AtSaved() const
{
    return saved_ == static_cast<long>(position_);
}
