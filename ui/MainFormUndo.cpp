// Undo and Redo: every committed change to the wall is one step of the main
// window's undo history, holding the wall's state before and after it.
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallState.h"
#include "tables/GridTable.h"
#include "ui/MainForm.h"
#include "ui/MainCommands.h"
#include "ui/MainMenus.h"
#include "ui/profile/SideView.h"
#include "units/TorvikError.h"

#include <QAction>
#include <QMenuBar>

void TMainForm::AddEditCommands(std::vector<TMainCommand>& t)
{
    t.push_back(TMainCommand::Menu(TMenuId::MenuBar, "&Edit", TMenuId::Edit)
                    .Keep([](TMainActions& a, QAction* action) { a.Edit = action->menu(); }));
    // The captions and enabled states follow the undo history (UpdateUndoActions).
    t.push_back(TMainCommand(TMenuId::Edit, "&Undo")
                    .Key(QKeySequence::Undo)
                    .Button(5, "Undo", "Undo")
                    .Does([](TMainForm& f) { f.UndoClick(); })
                    .Initially({false, false, true})
                    .Keep([](TMainActions& a, QAction* action) { a.Undo = action; }));
    t.push_back(TMainCommand(TMenuId::Edit, "&Redo")
                    .Key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
                    .Button(6, "Redo", "Redo")
                    .Does([](TMainForm& f) { f.RedoClick(); })
                    .Initially({false, false, true})
                    .Keep([](TMainActions& a, QAction* action) {
                        a.Redo = action;
                        // Ctrl+Y beside the platform's own Redo key (Ctrl+Shift+Z on Linux).
                        action->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                              QKeySequence(Qt::CTRL | Qt::Key_Y)});
                    }));
    t.push_back(TMainCommand::Separator(TMenuId::ToolBar, 4));
}

void TMainForm::RecordChange(const std::string& caption)
{
    if (restoring_)
        return;
    TProgramData* wall = Wall();
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
    TProgramData* wall = Wall();
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
    TProgramData* wall = Wall();
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
