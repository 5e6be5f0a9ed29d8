// The main window's Data and Options menus and the input dialogs they open.
#include "ui/MainForm.h"

#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableForm.h"
#include "ui/dialogs/DlgCSD.h"
#include "ui/dialogs/DlgConLoads.h"
#include "ui/dialogs/DlgOptions.h"
#include "ui/dialogs/DlgProp.h"
#include "ui/dialogs/DlgRebar.h"
#include "ui/dialogs/DlgSpring.h"
#include "ui/dialogs/DlgTitle.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>

void TMainForm::createDataMenu()
{
    dataMenu_ = menuBar()->addMenu("Da&ta");
    auto dialog = [this](QMenu* menu, const char* caption, InputDialog kind) {
        connect(menu->addAction(caption), &QAction::triggered, this, [this, kind] { ShowDialog(kind); });
    };
    auto editor = [this](QMenu* menu, const char* caption, WallTable table) {
        QAction* a = menu->addAction(caption);
        connect(a, &QAction::triggered, this, [this, table] { tables_[table].ShowEditor(); });
        return a;
    };
    dialog(dataMenu_, "&Title", InputDialog::Title);
    dataMenu_->addSeparator();
    dialog(dataMenu_, "Wall &Properties", InputDialog::Prop);
    dialog(dataMenu_, "&Wall Configuration", InputDialog::CSD);
    QAction* soil = editor(dataMenu_, "&Soil Layer Data", WallTable::NewSoil);
    QMenu* soilTerms = dataMenu_->addMenu("&Soil Layer Data");
    editor(soilTerms, "Short-Term", WallTable::NewSoil);
    editor(soilTerms, "Long-Term", WallTable::LongSoil);
    dataMenu_->addSeparator();
    QAction* pressure = editor(dataMenu_, "&Distributed Active Earth Pressure", WallTable::DistLoad);
    QMenu* pressureTerms = dataMenu_->addMenu("&Distributed Active Earth Pressure");
    editor(pressureTerms, "Short-Term", WallTable::DistLoad);
    editor(pressureTerms, "Long-Term", WallTable::LongDist);
    dialog(dataMenu_, "&Additional Surcharge Loads", InputDialog::Rebar);
    dialog(dataMenu_, "&Concentrated Loads on the Wall", InputDialog::ConLoads);
    dataMenu_->addSeparator();
    editor(dataMenu_, "&Boundary Condition on Deflection or Slope", WallTable::Soillayer);
    editor(dataMenu_, "Modification &Factors for p-y Curves", WallTable::PYMod);
    dataMenu_->addSeparator();
    editor(dataMenu_, "Sets of &External p-y Curves", WallTable::PYCurves);
    dialog(dataMenu_, "&Lateral Springs and Rotational Restraints", InputDialog::Spring);
    editor(dataMenu_, "Sets of Nonlinear Moment vs EI Curves", WallTable::MEICurves);

    // With a short- and a long-term analysis the soil layers and the earth
    // pressure are entered for each term; otherwise once.
    connect(dataMenu_, &QMenu::aboutToShow, this, [=] {
        CommitActiveChild();
        const TProgramData* wall = OpenWall();
        const bool longTerm = wall && wall->LongTermAnalysis;
        soil->setVisible(!longTerm);
        pressure->setVisible(!longTerm);
        soilTerms->menuAction()->setVisible(longTerm);
        pressureTerms->menuAction()->setVisible(longTerm);
    });
}

void TMainForm::createOptionsMenu()
{
    optionsMenu_ = menuBar()->addMenu("&Options");
    // The last entry, after the option switches (a leading separator is not shown).
    optionsMenu_->addSeparator();
    connect(optionsMenu_->addAction("&Option of Text Editor..."), &QAction::triggered, this,
            [this] { ShowDialog(InputDialog::Options); });
    connect(optionsMenu_, &QMenu::aboutToShow, this, [this] { CommitActiveChild(); });
}

TInputDialog* TMainForm::CreateDialog(InputDialog kind)
{
    switch (kind) {
    case InputDialog::Title:
        return new TdlgTitle(*this);
    case InputDialog::Prop:
        return new TDlgProp(*this);
    case InputDialog::CSD:
        return new TdlgCSD(*this);
    case InputDialog::Rebar:
        return new TDlgRebar(*this);
    case InputDialog::ConLoads:
        return new TDlgConLoads(*this);
    case InputDialog::Spring:
        return new TDlgSpring(*this);
    case InputDialog::Options:
    case InputDialog::Count:
        break;
    }
    return new TDlgOptions(
        *this, [this] { return textEditor_; }, [this](const QString& path) { SetTextEditor(path); });
}

TInputDialog* TMainForm::ShowDialog(InputDialog kind)
{
    QPointer<TInputDialog>& slot = dialogs_[static_cast<int>(kind)];
    if (!DialogOpen(kind)) {
        slot = CreateDialog(kind);
        connect(slot, &TInputDialog::Closed, this, [this, kind] { dialogs_[static_cast<int>(kind)] = nullptr; });
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

void TMainForm::SetTextEditor(const QString& path)
{
    textEditor_ = path;
    QSettings().setValue("Word Processor", textEditor_);
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
