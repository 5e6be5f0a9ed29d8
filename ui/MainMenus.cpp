// The main window's menu bar and toolbar, made from the command table
// (MainCommands.cpp), and the one loop that shows each command as its rule
// decides.
#include "ui/MainMenus.h"

#include "graph/widgets/PlotForm.h"
#include "model/ProgramData.h"
#include "ui/MainCommands.h"
#include "ui/MainForm.h"
#include "ui/art/Artwork.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include <algorithm>

void ApplyCommandState(QAction* action, const TCommandState& state)
{
    action->setEnabled(state.Enabled);
    if (action->isCheckable())
        action->setChecked(state.Checked);
    action->setVisible(state.Visible);
}

void TMainForm::createMenus()
{
    act_ = std::make_unique<TMainActions>();
    const std::vector<TMainCommand>& commands = Commands();
    act_->Row.assign(commands.size(), nullptr);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const TMainCommand& c = commands[i];
        if (c.Place == TMenuId::ToolBar)
            continue;  // made with the toolbar
        QAction* action = nullptr;
        if (c.Is == TMainCommand::Kind::Menu) {
            QMenu* menu = c.Place == TMenuId::MenuBar
                              ? menuBar()->addMenu(QString::fromLatin1(c.Caption))
                              : act_->Menus.at(c.Place)->addMenu(QString::fromLatin1(c.Caption));
            act_->Menus[c.Opens] = menu;
            const TMenuId id = c.Opens;
            connect(menu, &QMenu::aboutToShow, this, [this, id] { MenuOpened(id); });
            action = menu->menuAction();
        } else if (c.Is == TMainCommand::Kind::Separator) {
            action = act_->Menus.at(c.Place)->addSeparator();
        } else {
            action = act_->Menus.at(c.Place)->addAction(QString::fromLatin1(c.Caption));
        }
        act_->Row[i] = action;
    }
    // The Data menu also opens with Alt+D, the key its name suggests, beside its own access key.
    auto* dataKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_D), this);
    connect(dataKey, &QShortcut::activated, this, [this] {
        if (act_->Data && act_->Data->menuAction()->isEnabled())
            menuBar()->setActiveAction(act_->Data->menuAction());
    });
}

void TMainForm::createToolBars()
{
    TMainActions& a = *act_;
    a.ToolBar = addToolBar("Toolbar");
    a.ToolBar->setObjectName("MainToolBar");
    a.ToolBar->setMovable(false);
    const std::vector<TMainCommand>& commands = Commands();
    std::vector<std::size_t> buttons;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].Place == TMenuId::ToolBar && commands[i].Is == TMainCommand::Kind::Command)
            a.Row[i] = new QAction(this);
        if (commands[i].Slot > 0)
            buttons.push_back(i);
    }
    std::stable_sort(buttons.begin(), buttons.end(),
                     [&commands](std::size_t x, std::size_t y) { return commands[x].Slot < commands[y].Slot; });
    for (std::size_t i : buttons) {
        const TMainCommand& c = commands[i];
        if (c.Is == TMainCommand::Kind::Separator) {
            a.Row[i] = a.ToolBar->addSeparator();
            continue;
        }
        QAction* action = a.Row[i];
        action->setIcon(ArtworkIcon(QString::fromLatin1(c.Icon)));
        action->setToolTip(QString::fromLatin1(c.Hint));
        // The hint names the button for screen readers too.
        if (action->text().isEmpty())
            action->setText(QString::fromLatin1(c.Hint));
        a.ToolBar->addAction(action);
        if (c.Purpose) {
            action->setToolTip(QString::fromLatin1(c.Hint) + '\n' + QString::fromLatin1(c.Purpose));
            if (QWidget* button = a.ToolBar->widgetForAction(action))
                button->setAccessibleName(QString::fromLatin1(c.Purpose));
        }
    }
    SetUpCommands();
}

// Every command's shortcut, check mark, handler and first state; the table's
// fields of TMainActions.
void TMainForm::SetUpCommands()
{
    const std::vector<TMainCommand>& commands = Commands();
    std::map<int, QActionGroup*> groups;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const TMainCommand& c = commands[i];
        QAction* action = act_->Row[i];
        if (!c.Shortcut.isEmpty())
            action->setShortcut(c.Shortcut);
        if (c.IsCheckable)
            action->setCheckable(true);
        if (c.Group != 0) {
            QActionGroup*& group = groups[c.Group];
            if (!group)
                group = new QActionGroup(this);
            group->addAction(action);
        }
        if (c.Handler)
            connect(action, &QAction::triggered, this, [this, i] { Commands()[i].Handler(*this); });
        if (c.Initial != TCommandState())
            ApplyCommandState(action, c.Initial);
        if (c.Keeper)
            c.Keeper(*act_, action);
    }
}

// Whether `place` is `menu` or lies within it.
static bool Within(TMenuId place, TMenuId menu)
{
    for (TMenuId p = place; p != TMenuId::None && p != TMenuId::MenuBar;) {
        if (p == menu)
            return true;
        const std::vector<TMainCommand>& commands = TMainForm::Commands();
        const auto holder = std::find_if(commands.begin(), commands.end(), [p](const TMainCommand& c) {
            return c.Is == TMainCommand::Kind::Menu && c.Opens == p;
        });
        p = holder == commands.end() ? TMenuId::None : holder->Place;
    }
    return false;
}

void TMainForm::MenuOpened(TMenuId menu)
{
    const std::vector<TMainCommand>& commands = Commands();
    const auto row = std::find_if(commands.begin(), commands.end(), [menu](const TMainCommand& c) {
        return c.Is == TMainCommand::Kind::Menu && c.Opens == menu;
    });
    if (row->Commits)
        CommitActiveChild();
    ApplyRules(OnMenuOpened, menu);
}

void TMainForm::ApplyRules(unsigned occasion, TMenuId menu)
{
    // Without a wall (while one replaces another) only the recent files and
    // the windows have something to show.
    if (!Wall() && !(occasion == OnMenuOpened && (menu == TMenuId::File || menu == TMenuId::Window)))
        return;
    const TMainWindowStates states = CurrentStates();
    const std::vector<TMainCommand>& commands = Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const TMainCommand& c = commands[i];
        if (!c.State || !(c.When & occasion) || (occasion == OnMenuOpened && !Within(c.Place, menu)))
            continue;
        if (c.Label)
            act_->Row[i]->setText(QString::fromStdString(c.Label(states)));
        ApplyCommandState(act_->Row[i], c.State(states));
    }
}

void TMainForm::ApplyRules(unsigned occasion)
{
    ApplyRules(occasion, TMenuId::None);
}

TMainWindowStates TMainForm::CurrentStates() const
{
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    std::vector<std::string> captions;
    int active = -1;
    for (int i = 0; i < windows.size(); ++i) {
        // A graph window is listed by its graph's name: its own title is the
        // same for every graph until the pointer has passed over it.
        const TPlotForm* plot = TPlotForm::Of(windows[i]);
        captions.push_back(plot && plot->HasGraph() ? plot->Graph().ShownName()
                                                    : windows[i]->windowTitle().toStdString());
        if (windows[i] == mdiArea_->activeSubWindow())
            active = i;
    }
    TMainWindowStates s =
        MainWindowStates(Wall(), graphs_, resultsLoaded_, settings_.RecentFiles, OpenFolder(), captions, active);
    // Results of the wall as edited are held in memory: no file beside the wall decides about them.
    if (liveShown_ && !liveFile_.empty()) {
        s.Graphics = GraphicsMenuState(graphs_, resultsLoaded_);
        s.ResultButtons = ResultButtons(s.Graphics, s.ResultButtons.ViewOutputFile);
    }
    return s;
}

void TMainForm::ActivateWindow(int index)
{
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (index < windows.size()) {
        if (windows[index]->isMinimized())
            windows[index]->showNormal();
        mdiArea_->setActiveSubWindow(windows[index]);
    }
}

void TMainForm::ApplyLongTermVisibility()
{
    ApplyRules(OnWallShown);
}

void TMainForm::UpdateResultButtons()
{
    ApplyRules(OnResultsChanged);
}

void TMainForm::UpdateStageButtons()
{
    ApplyRules(OnStagesChanged);
}

QAction* TMainForm::ViewGeometryAction() const
{
    return act_->ViewWallGeometry;
}

QAction* TMainForm::GraphAction(int i) const
{
    return act_->Graph[i];
}

QMenu* TMainForm::DataMenu() const
{
    return act_->Data;
}

QMenu* TMainForm::OptionsMenu() const
{
    return act_->Options;
}
