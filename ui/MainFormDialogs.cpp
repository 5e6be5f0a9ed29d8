// The input dialogs of the main window: one window of each kind at most.
#include "ui/MainForm.h"

#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableForm.h"
#include "ui/dialogs/DlgAnchors.h"
#include "ui/dialogs/DlgExcavationSide.h"
#include "ui/dialogs/DlgCSD.h"
#include "ui/dialogs/DlgExcavation.h"
#include "ui/dialogs/DlgConLoads.h"
#include "ui/dialogs/DlgOptions.h"
#include "ui/dialogs/DlgProp.h"
#include "ui/dialogs/DlgRebar.h"
#include "ui/dialogs/DlgSections.h"
#include "ui/dialogs/DlgSpring.h"
#include "ui/dialogs/DlgTitle.h"
#include "ui/dialogs/DlgWater.h"
#include "ui/dialogs/DlgWallFriction.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

TInputDialog* TMainForm::CreateDialog(InputDialog kind)
{
    switch (kind) {
    case InputDialog::Title:
        return new TdlgTitle(*document_);
    case InputDialog::Prop:
        return new TDlgProp(*document_);
    case InputDialog::CSD:
        return new TdlgCSD(*document_);
    case InputDialog::Rebar:
        return new TDlgRebar(*document_);
    case InputDialog::ConLoads:
        return new TDlgConLoads(*document_);
    case InputDialog::Spring:
        return new TDlgSpring(*document_);
    case InputDialog::Anchors:
        return new TDlgAnchors(*document_);
    case InputDialog::Sections:
        return new TDlgSections(*document_);
    case InputDialog::Water:
        return new TDlgWater(*document_);
    case InputDialog::WallFriction:
        return new TDlgWallFriction(*document_);
    case InputDialog::Excavation:
        return new TDlgExcavation(*document_);
    case InputDialog::ExcavationSide:
        return new TDlgExcavationSide(*document_);
    case InputDialog::Options:
    case InputDialog::Count:
        break;
    }
    return new TDlgOptions(
        *document_, [this] { return TextEditor(); }, [this](const QString& path) { SetTextEditor(path); });
}

TInputDialog* TMainForm::ShowDialog(InputDialog kind)
{
    QPointer<TInputDialog>& slot = dialogs_[static_cast<int>(kind)];
    if (!DialogOpen(kind)) {
        slot = CreateDialog(kind);
        connect(slot, &TInputDialog::Closed, this, [this, kind] { dialogs_[static_cast<int>(kind)] = nullptr; });
        connect(slot, &TInputDialog::Committed, this,
                [this](const QString& caption) { RecordChange(caption.toStdString()); });
        ShowStageInTitles();
        slot->AddTo(*mdiArea_);
    }
    if (auto* window = qobject_cast<QMdiSubWindow*>(slot->parentWidget())) {
        if (window->isMinimized())
            window->showNormal();
        mdiArea_->setActiveSubWindow(window);
    }
    return slot;
}

bool TMainForm::DialogOpen(InputDialog kind) const
{
    const QPointer<TInputDialog>& slot = dialogs_[static_cast<int>(kind)];
    return slot && !slot->IsClosed();
}

bool TMainForm::CommitActiveChild()
{
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    if (TInputDialog* dialog = TInputDialog::Of(active))
        return dialog->FormDeactivate();
    if (auto* editor = active ? qobject_cast<TTableForm*>(active->widget()) : nullptr)
        return editor->CommitCurrent();
    return true;
}

void TMainForm::RefreshDialogs()
{
    for (const QPointer<TInputDialog>& dialog : dialogs_)
        if (dialog)
            dialog->FormActivate();
}

void TMainForm::CloseDialogs()
{
    for (const QPointer<TInputDialog>& dialog : dialogs_)
        if (dialog)
            dialog->CloseUnchecked();
}
