// The main window's menu bar and toolbar as the user meets them: every
// caption with its access key, shortcut, separator and toolbar hint in order,
// and what each menu shows when it opens, for a new wall and for a wall with
// the long-term analysis.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "ui/MainMenus.h"
#include "ui/rules/MenuRules.h"
#include "units/ScriptedPrompt.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// One line per entry: its caption (or "---"), its shortcut, and its state as
// letters: d disabled (a hidden entry is disabled too), c checked, h hidden,
// x checkable.
QString Line(QAction* a, int depth)
{
    QString line = QString(depth * 2, ' ') + (a->isSeparator() ? QString("---") : a->text());
    if (!a->shortcut().isEmpty())
        line += " [" + a->shortcut().toString(QKeySequence::PortableText) + "]";
    QString flags;
    if (!a->isEnabled())
        flags += 'd';
    if (a->isCheckable())
        flags += 'x';
    if (a->isChecked())
        flags += 'c';
    if (!a->isVisible())
        flags += 'h';
    if (!flags.isEmpty())
        line += " {" + flags + "}";
    return line + "\n";
}

// The entries of a menu after it opened, its submenus opened in turn.
QString Opened(QMenu* menu, int depth)
{
    emit menu->aboutToShow();
    QString text;
    for (QAction* a : menu->actions()) {
        text += Line(a, depth);
        if (a->menu())
            text += Opened(a->menu(), depth + 1);
    }
    return text;
}

class MainMenusTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        // The recent-file captions name the folder the window starts in.
        const QString start = QDir::currentPath();
        QDir::setCurrent(settingsDir.path());
        MainWindowTest::SetUp();
        saved = start;
    }

    // Every menu of the menu bar opened, then the toolbar's buttons with their hints.
    QString Everything()
    {
        QString text;
        for (QAction* a : form->menuBar()->actions()) {
            text += Line(a, 0);
            if (a->menu())
                text += Opened(a->menu(), 1);
        }
        text += "toolbar\n";
        for (QAction* a : form->findChild<QToolBar*>("MainToolBar")->actions())
            text += Line(a, 1) + (a->isSeparator() ? "" : "    " + a->toolTip() + "\n");
        return Collapsed(text);
    }
    // Runs of the same line (the unused recent-file and window entries) as one line and their count.
    static QString Collapsed(const QString& text)
    {
        QStringList out;
        int run = 0;
        const QStringList lines = text.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            ++run;
            if (i + 1 < lines.size() && lines[i + 1] == lines[i])
                continue;
            out << (run > 1 ? lines[i] + " x" + QString::number(run) : lines[i]);
            run = 0;
        }
        return out.join('\n');
    }
};

const char* const NewWallMenus = R"(&File
  &New [Ctrl+N]
  &Open... [Ctrl+O]
  &Save [Ctrl+S]
  Save &As...
  ---
   {dh} x10
  --- {dh}
  E&xit [Ctrl+Q]
&Edit
  Undo [Ctrl+Z] {d}
  Redo [REDO] {d}
Da&ta
  &Title
  ---
  Wall &Properties
  &Wall Configuration
  &Soil Layer Data
  &Soil Layer Data {dh}
    Short-Term {dh}
    Long-Term {dh}
  ---
  &Distributed Active Earth Pressure {d}
  &Distributed Active Earth Pressure {dh}
    Short-Term {dh}
    Long-Term {dh}
  &Additional Surcharge Loads {d}
  &Concentrated Loads on the Wall {d}
  ---
  &Boundary Condition on Deflection or Slope {d}
  Modification &Factors for p-y Curves {d}
  ---
  Sets of &External p-y Curves {d}
  &Lateral Springs and Rotational Restraints {d}
  A&nchors... {d}
  Steel Sect&ions...
  &Ground Water...
  Wall F&riction...
  E&xcavation Plan...
  Excavati&on Side...
  Sets of Nonlinear Moment vs EI Curves {d}
&Options
  &Units
    &English Units (lbs, in) {xc}
    &SI Units (kN, m) {x}
    &Other Units (F, L) {x}
  ---
  Earth-Pressure Options
    Earth-Pressure Specified by User {xc}
    Generate Triangular-Distribution Earth-Pressure {x}
    Generate Trapezoidal-Distribution Pressure (Anchored Walls) {x}
  Generate &p-y Curves {xc}
  ---
  Apply &Concentrated Loads {x}
  Apply &Restraints on Deflection or Slope {x}
  Apply User Specified p-y Curves (&External) {x}
  Apply &Lateral Springs and Rotation Restraints {x}
  Apply External p-y &Modification Factors  {x}
  Apply Additional Surcharge Loads {x}
  Apply Nonlinear Moment vs EI Curves {x}
  ---
  Conduct Short-Term and Long-Term &Analyses {x}
  Conduct &Staged-Construction Analysis... {x}
  Anchors and springs act from their &installation stage {xc}
  Limit soil resistance to the passive earth pressure {xc}
  Anchors locked off before the stage's excavation {xc}
  Soil behind the wall resists its movement back {xc}
  Limit-equilibrium estimate counts in the design checks {xc}
  ---
  &Option of Text Editor...
  Analyse As &You Edit {x}
&Stage Construction {dh}
  Stage &1 {dx}
  Stage &2 {dx}
  Stage &3 {dx}
  Stage &4 {dx}
  Stage &5 {dx}
  ---
  Copy &Previous Stage {d}
&Computation
  &Run Analysis [F9]
  ---
  Edit I&nput Text {d}
  Edit &Processor-Run Notes {d}
  Edit &Output Text {d}
  ---
  &View Wall Geometry
  ---
  Save R&eport... {d}
  Save Results as &CSV... {d}
  &Design Checks... [Shift+F9]
  St&udy...
&Graphics
  p-&y Curves {d}
  ---
  &Deflection vs Depth {d}
  &Moment vs Depth {d}
  &Shear vs Depth {d}
  &Reaction vs Depth {d}
  Deflection, Moment and S&hear {d}
  ---
  Earth &Pressure Distribution {d}
  Earth Pressure Combined {d}
  ---
  Stage &Envelope {d}
&Window
  &Cascade
  &Arrange Icons
  --- {dh}
   {dxh} x50
&Help
  &Contents
  &User's Manual
  &Technical Manual
  ---
  &About...
  Check for &Updates
  &Verification
toolbar
  &New [Ctrl+N]
    New Data File
  &Open... [Ctrl+O]
    Open Data File
  &Save [Ctrl+S]
    Save Data File
  ---
  Undo [Ctrl+Z] {d}
    Undo
  Redo [REDO] {d}
    Redo
  ---
  &Run Analysis [F9]
    Run Analysis
  Stage Construction Option
    Stage Construction Option
  View Output File {d}
    View Output File
  &View Wall Geometry
    View Soil Profile
View Wall Geometry
  ---
  View p-y Curves {d}
    View p-y Curves
  Deflection Diagram {d}
    Deflection Diagram
  Moment Diagram {d}
    Moment Diagram
  LShear Diagram {d}
    LShear Diagram
Shear Diagram
  Soil-Reaction Diagram {d}
    Soil-Reaction Diagram
  Soil-Reaction Diagram {d}
    Soil-Reaction Diagram
Deflection, Moment and Shear Diagram
  Pressure Diagram {d}
    Pressure Diagram
  --- {dh}
  Stage Const. 1 {dxch}
    Stage Const. 1
  Stage Const. 2 {dxh}
    Stage Const. 2
  Stage Const. 3 {dxh}
    Stage Const. 3
  Stage Const. 4 {dxh}
    Stage Const. 4
  Stage Const. 5 {dxh}
    Stage Const. 5
)";

TEST_F(MainMenusTest, EveryCommandInOrderWithItsShortcutHintAndStateOnANewWall)
{
    // Redo's hint is the platform's first Redo key.
    QString menus = NewWallMenus;
    menus.replace("[REDO]", "[" + QKeySequence(QKeySequence::Redo).toString(QKeySequence::PortableText) + "]");
    EXPECT_EQ(Everything().toStdString(), menus.toStdString());
}

// The long-term switch trades the single soil and earth-pressure entries for
// their submenus and withdraws staged construction; the menus show it when
// they open, the toolbar at once.
const char* const LongTermDataAndOptions = R"(Da&ta
  &Title
  ---
  Wall &Properties
  &Wall Configuration
  &Soil Layer Data {dh}
  &Soil Layer Data
    Short-Term
    Long-Term
  ---
  &Distributed Active Earth Pressure {dh}
  &Distributed Active Earth Pressure {d}
    Short-Term {d}
    Long-Term {d}
  &Additional Surcharge Loads {d}
  &Concentrated Loads on the Wall {d}
  ---
  &Boundary Condition on Deflection or Slope {d}
  Modification &Factors for p-y Curves {d}
  ---
  Sets of &External p-y Curves {d}
  &Lateral Springs and Rotational Restraints {d}
  A&nchors... {d}
  Steel Sect&ions...
  &Ground Water...
  Wall F&riction...
  E&xcavation Plan...
  Excavati&on Side...
  Sets of Nonlinear Moment vs EI Curves {d}
&Options
  &Units
    &English Units (lbs, in) {xc}
    &SI Units (kN, m) {x}
    &Other Units (F, L) {x}
  ---
  Earth-Pressure Options
    Earth-Pressure Specified by User {xc}
    Generate Triangular-Distribution Earth-Pressure {x}
    Generate Trapezoidal-Distribution Pressure (Anchored Walls) {x}
  Generate &p-y Curves {xc}
  ---
  Apply &Concentrated Loads {x}
  Apply &Restraints on Deflection or Slope {x}
  Apply User Specified p-y Curves (&External) {x}
  Apply &Lateral Springs and Rotation Restraints {x}
  Apply External p-y &Modification Factors  {x}
  Apply Additional Surcharge Loads {x}
  Apply Nonlinear Moment vs EI Curves {x}
  ---
  Conduct Short-Term and Long-Term &Analyses {xc}
  Conduct &Staged-Construction Analysis... {dx}
  Anchors and springs act from their &installation stage {xc}
  Limit soil resistance to the passive earth pressure {xc}
  Anchors locked off before the stage's excavation {xc}
  Soil behind the wall resists its movement back {xc}
  Limit-equilibrium estimate counts in the design checks {xc}
  ---
  &Option of Text Editor...
  Analyse As &You Edit {x}
)";

TEST_F(MainMenusTest, TheLongTermSwitchChangesTheDataEntriesAndStagedConstruction)
{
    form->Actions().Toggles.at(TOption::LongTermAnalysis)->trigger();
    EXPECT_FALSE(form->Actions().StageOptionsButton->isEnabled());
    const QString menus = Everything();
    const int data = menus.indexOf("Da&ta\n"), stage = menus.indexOf("&Stage Construction");
    EXPECT_EQ(menus.mid(data, stage - data).toStdString(), LongTermDataAndOptions);
}

}  // namespace

namespace {

// The access key of a caption, lower case; 0 for none.
QChar AccessKey(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            if (caption[i + 1] != '&')
                return caption[i + 1].toLower();
            ++i;
        }
    return QChar();
}

// The access keys of the visible entries of `menu` and its submenus, each
// menu's own keys distinct: a key shared by two entries only moves between them.
void ExpectDistinctKeys(const QList<QAction*>& actions, const QString& where)
{
    QMap<QChar, QString> seen;
    for (QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QChar key = AccessKey(a->text());
        if (!key.isNull()) {
            EXPECT_FALSE(seen.contains(key)) << where.toStdString() << ": \"" << a->text().toStdString() << "\" and \""
                                             << seen.value(key).toStdString() << "\"";
            seen.insert(key, a->text());
        }
        if (a->menu()) {
            emit a->menu()->aboutToShow();
            ExpectDistinctKeys(a->menu()->actions(), a->text());
        }
    }
}

}  // namespace

// Every menu reaches its entries by distinct keys, the installation option
// has one, Run Analysis and Design Checks have the usual F9 and Shift+F9,
// Alt+D opens Data as Alt+T does, and every toolbar button's name says what
// it does, the toolbar's own hint first in its tool tip.
TEST_F(MainMenusTest, KeysAreDistinctAndButtonsSayWhatTheyDo)
{
    // The Help menu's keys are as they have always been ("&User's Manual", "Check for &Updates").
    QList<QAction*> menus = form->menuBar()->actions();
    menus.removeAll(act().Help->menuAction());
    ExpectDistinctKeys(menus, "menu bar");
    EXPECT_FALSE(AccessKey(act().SpringsFromInstallation->text()).isNull());
    EXPECT_EQ(act().Run->shortcut(), QKeySequence(Qt::Key_F9));
    QAction* checks = nullptr;
    for (QAction* a : act().Computation->actions())
        if (a->text() == "&Design Checks...")
            checks = a;
    ASSERT_NE(checks, nullptr);
    EXPECT_EQ(checks->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    QTest::keyClick(form.get(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(form->menuBar()->activeAction(), act().Data->menuAction());
    if (QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        open->close();

    QToolBar* bar = form->findChild<QToolBar*>("MainToolBar");
    QStringList names;
    for (QAction* a : bar->actions()) {
        QWidget* button = a->isSeparator() || !a->isVisible() ? nullptr : bar->widgetForAction(a);
        if (!button)
            continue;
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names << name;
    }
    for (const char* expected :
         {"Shear Diagram", "Soil-Reaction Diagram", "Deflection, Moment and Shear Diagram", "View Wall Geometry"})
        EXPECT_TRUE(names.contains(expected)) << expected;
    EXPECT_FALSE(names.contains("LShear Diagram"));
    EXPECT_TRUE(act().GraphButton[3]->toolTip().startsWith("LShear Diagram\n"));
    EXPECT_TRUE(act().GraphButton[5]->toolTip().startsWith("Soil-Reaction Diagram\n"));
}
