// Undo and Redo: every committed change to the wall is one step of the main
// window's undo history, holding the wall's state before and after it.
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallState.h"
#include "tables/GridTable.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"
#include "ui/profile/SideView.h"
#include "units/TorvikError.h"

#include <QAction>
#include <QMenuBar>

void TMainForm::createEditMenu()
{
    TMainActions& a = *act_;
    a.Edit = menuBar()->addMenu("&Edit");
    a.Undo = a.Edit->addAction("&Undo");
    a.Undo->setShortcuts(QKeySequence::Undo);
    connect(a.Undo, &QAction::triggered, this, &TMainForm::UndoClick);
    a.Redo = a.Edit->addAction("&Redo");
    // Ctrl+Y beside the platform's own Redo key (Ctrl+Shift+Z on Linux).
    a.Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(a.Redo, &QAction::triggered, this, &TMainForm::RedoClick);
    UpdateUndoActions();
}

void TMainForm::RecordChange(const std::string& caption)
{
    TProgramData* wall = OpenWall();
    if (!wall || restoring_)
        return;
    std::string after;
    try {
        after = TakeWallState(*wall);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
        return;
    }
    if (after == undoState_)
        return;
    undo_.Push({caption, wall->CurrentStage, std::move(undoState_), after});
    undoState_ = std::move(after);
    UpdateUndoActions();
}

void TMainForm::TakeUndoState()
{
    TProgramData* wall = OpenWall();
    if (!wall)
        return;
    // Taking the state prepares the tables as saving does; an unmodified wall stays so.
    const bool modified = IsModified();
    try {
        undoState_ = TakeWallState(*wall);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    if (!modified)
        SetModified(false);
}

void TMainForm::ResetUndo()
{
    undo_.Clear();
    TakeUndoState();
    UpdateUndoActions();
}

void TMainForm::UndoStateSaved()
{
    TakeUndoState();
    undo_.MarkSaved();
    UpdateUndoActions();
}

void TMainForm::UndoClick()
{
    // A pending entry is a change of its own, taken back first.
    if (!CommitActiveChild())
        return;
    if (const TUndoStep* step = undo_.Undo())
        ApplyUndoState(step->Before);
}

void TMainForm::RedoClick()
{
    if (!CommitActiveChild())
        return;
    if (const TUndoStep* step = undo_.Redo())
        ApplyUndoState(step->After);
}

void TMainForm::ApplyUndoState(const std::string& state)
{
    TProgramData* wall = OpenWall();
    if (!wall)
        return;
    restoring_ = true;
    try {
        RestoreWallState(*wall, state);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    restoring_ = false;
    undoState_ = state;
    SetModified(!undo_.AtSaved());
    // Table editors follow their tables by themselves; the rest is shown anew.
    RefreshDialogs();
    ApplyLongTermVisibility();
    StagesChanged();
    if (TDlgSideView* view = TDlgSideView::Find(*mdiArea_))
        view->FormActivate();
    UpdateUndoActions();
}

void TMainForm::UpdateUndoActions()
{
    if (!act_ || !act_->Undo)
        return;
    act_->Undo->setText(QString::fromStdString(undo_.UndoText()));
    act_->Undo->setEnabled(undo_.CanUndo());
    act_->Redo->setText(QString::fromStdString(undo_.RedoText()));
    act_->Redo->setEnabled(undo_.CanRedo());
}
