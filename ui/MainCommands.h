#pragma once
#include "ui/rules/MenuRules.h"

#include <QKeySequence>

#include <functional>

class QAction;
class QMenu;
class TMainForm;
struct TMainActions;

// The menus of the main window, the menu bar and the toolbar: where a command sits.
enum class TMenuId {
    None,
    MenuBar,
    File,
    Edit,
    Data,
    SoilLayers,  // the soil layers' Short-Term / Long-Term submenu
    DistributedPressure,  // the earth pressure's Short-Term / Long-Term submenu
    Options,
    Units,
    EarthPressure,
    Stage,
    Computation,
    Graphics,
    Window,
    Help,
    ToolBar,
};

// When a command's rule is applied, besides the opening of the menu it sits in.
enum TOccasion : unsigned {
    OnMenuOpened = 1,  // the menu it sits in (or a menu holding that one) opens
    OnWallShown = 2,  // after New, Open and the long-term switch
    OnStagesChanged = 4,  // the stages or the current stage changed
    OnResultsChanged = 8,  // results were read or withdrawn
};

// One row of the command table: a command of a menu or the toolbar, a
// separator or a menu. The rows are written as
//   TMainCommand(TMenuId::File, "&New").Key(QKeySequence::New).Does(...)
// and TMainForm::Commands() lists them in menu order.
struct TMainCommand {
    enum class Kind { Command, Separator, Menu };

    TMainCommand(TMenuId place, const char* caption) : Place(place), Caption(caption) { }
    // A separator of a menu, or of the toolbar at `slot`.
    static TMainCommand Separator(TMenuId place, int slot = 0);
    // A menu (of the menu bar, or a submenu) whose own commands sit in `menu`.
    static TMainCommand Menu(TMenuId place, const char* caption, TMenuId menu);

    // The shortcut.
    TMainCommand& Key(QKeySequence key);
    // The toolbar's icon and hint; `slot` orders the toolbar's buttons and
    // separators (menu commands and toolbar-only ones alike). `does`, where
    // the hint does not say it, names what the button does: the button's
    // accessible name and the second line of its hint.
    TMainCommand& Button(int slot, const char* icon, const char* hint, const char* does = nullptr);
    // What the command does.
    TMainCommand& Does(std::function<void(TMainForm&)> handler);
    // The rule that decides its state, and the occasions it is applied on.
    TMainCommand& Rule(std::function<TCommandState(const TMainWindowStates&)> rule, unsigned when = OnMenuOpened);
    // A caption that the rules give (recent files, windows).
    TMainCommand& Text(std::function<std::string(const TMainWindowStates&)> text);
    // A check mark; a nonzero `group` makes the marks of its commands exclusive.
    TMainCommand& Checkable(int group = 0);
    // Its state before any rule applies.
    TMainCommand& Initially(TCommandState state);
    // Keeps the action in a field of TMainActions.
    TMainCommand& Keep(std::function<void(TMainActions&, QAction*)> keep);
    // For a menu: opening it first hands the active child window's edits over
    // (`commits`); otherwise opening a menu only refreshes its commands.
    TMainCommand& Opening(bool commits);

    Kind Is = Kind::Command;
    TMenuId Place;
    const char* Caption;
    TMenuId Opens = TMenuId::None;
    QKeySequence Shortcut;
    int Slot = 0;
    const char* Icon = nullptr;
    const char* Hint = nullptr;
    const char* Purpose = nullptr;
    std::function<void(TMainForm&)> Handler;
    std::function<TCommandState(const TMainWindowStates&)> State;
    unsigned When = 0;
    std::function<std::string(const TMainWindowStates&)> Label;
    bool IsCheckable = false;
    int Group = 0;
    TCommandState Initial;
    std::function<void(TMainActions&, QAction*)> Keeper;
    bool Commits = false;
};

// A rule that picks one state of a menu's states: Pick(&TMainWindowStates::Data, &TDataMenu::Title).
template <typename Menu>
std::function<TCommandState(const TMainWindowStates&)> Pick(Menu TMainWindowStates::*menu, TCommandState Menu::*state)
{
    return [menu, state](const TMainWindowStates& s) { return s.*menu.*state; };
}
// A rule that is one state of the states: Pick(&TMainWindowStates::SaveReport).
std::function<TCommandState(const TMainWindowStates&)> Pick(TCommandState TMainWindowStates::*state);

// Keeps an action, or a menu's action as its menu, in a field of TMainActions.
std::function<void(TMainActions&, QAction*)> Into(QAction* TMainActions::*field);
std::function<void(TMainActions&, QAction*)> IntoMenu(QMenu* TMainActions::*field);
template <std::size_t N>
std::function<void(TMainActions&, QAction*)> Into(QAction* (TMainActions::*field)[N], int index)
{
    return [field, index](TMainActions& a, QAction* action) { (a.*field)[index] = action; };
}
