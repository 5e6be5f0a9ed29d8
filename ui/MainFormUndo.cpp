// Undo and Redo: every committed change to the wall is one step of the
// document's undo history; the main window keeps the commands and shows the
// state put back.
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
                    .Key(QKeySequence::Redo)
                    .Button(6, "Redo", "Redo")
                    .Does([](TMainForm& f) { f.RedoClick(); })
                    .Initially({false, false, true})
                    .Keep([](TMainActions& a, QAction* action) {
                        a.Redo = action;
                        // The platform's own Redo keys (Ctrl+Shift+Z on Linux), and Ctrl+Y beside them.
                        QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
                        const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y);
                        if (!keys.contains(ctrlY))
                            keys.append(ctrlY);
                        action->setShortcuts(keys);
                    }));
    t.push_back(TMainCommand::Separator(TMenuId::ToolBar, 4));
}

void TMainForm::RecordChange(const std::string& caption)
{
    if (!document_->RecordChange(caption))
        return;
    // The side view follows every committed change, also of a table whose editor stays open.
    if (TDlgSideView* view = TDlgSideView::Find(*mdiArea_))
        view->FormActivate();
    UpdateUndoActions();
    AutosaveSoon();
    StartLiveAnalysis();
}

void TMainForm::TakeUndoState()
{
    document_->TakeUndoState();
}

void TMainForm::ResetUndo()
{
    document_->ResetHistory();
    UpdateUndoActions();
    // A new or opened wall: the autosave of the wall before is no longer wanted.
    DropAutosave();
}

void TMainForm::UndoStateSaved()
{
    document_->HistorySaved();
    UpdateUndoActions();
    DropAutosave();
}

void TMainForm::UndoClick()
{
    // A pending entry is a change of its own, taken back first.
    if (!CommitActiveChild())
        return;
    if (document_->Undo())
        ShowUndoneState();
}

void TMainForm::RedoClick()
{
    if (!CommitActiveChild())
        return;
    if (document_->Redo())
        ShowUndoneState();
}

void TMainForm::ShowUndoneState()
{
    // Table editors follow their tables by themselves; the rest is shown anew.
    RefreshDialogs();
    ApplyLongTermVisibility();
    StagesChanged();
    if (TDlgSideView* view = TDlgSideView::Find(*mdiArea_))
        view->FormActivate();
    UpdateUndoActions();
    AutosaveSoon();
    StartLiveAnalysis();
}

void TMainForm::UpdateUndoActions()
{
    if (!act_ || !act_->Undo)
        return;
    const TUndoHistory& history = document_->History();
    act_->Undo->setText(QString::fromStdString(history.UndoText()));
    act_->Undo->setEnabled(history.CanUndo());
    act_->Redo->setText(QString::fromStdString(history.RedoText()));
    act_->Redo->setEnabled(history.CanRedo());
}
