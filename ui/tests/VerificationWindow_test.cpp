// Help > Verification: with a wall open in the program, the window runs every
// case in the program itself and lists them grouped, all passing, with the
// summary torvik-cli verify prints; a second Show brings back the same window;
// a failing case stays in view and a run that stops says why.
#include "model/BatchHost.h"
#include "tables/GridTable.h"
#include "ui/VerificationWindow.h"
#include "units/TorvikError.h"

#include <QLabel>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

TEST(VerificationWindow, ShowsEveryCaseGroupedWithTheSummaryAndIsShownOnce)
{
    BatchHost openWall;  // the cases' walls are documents beside the one open
    openWall.Tables()[WallTable::NewSoil].SetRowCount(2);
    QWidget main;
    TVerificationWindow* w = TVerificationWindow::Show(&main);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(TVerificationWindow::Show(&main), w);

    const QTreeWidget* table = w->Table();
    // Closed form, equilibrium, the seven p-y criteria and the eight exact-curve piles.
    ASSERT_GE(table->topLevelItemCount(), 17);
    EXPECT_EQ(table->topLevelItem(0)->text(0), "Closed form");
    EXPECT_EQ(table->findItems("Exact-curve pile: weak rock, Reese (1997)", Qt::MatchExactly).size(), 1);
    int cases = 0;
    for (int g = 0; g < table->topLevelItemCount(); ++g)
        for (int i = 0; i < table->topLevelItem(g)->childCount(); ++i, ++cases)
            EXPECT_EQ(table->topLevelItem(g)->child(i)->text(5), "pass")
                << table->topLevelItem(g)->child(i)->text(0).toStdString();
    EXPECT_EQ(w->Summary()->text(), QString("%1 cases: %1 passed, 0 failed.").arg(cases));
    EXPECT_EQ(openWall.Tables()[WallTable::NewSoil].RowCount(), 2);
    w->close();
}

TEST(VerificationWindow, AFailingCaseStaysOpenAndAStoppedRunSaysWhy)
{
    const auto cases = [] {
        return std::vector<VerificationCase>{{"Closed form", "tip deflection", 1.5, 1.0, 0.5, 1e-6},
                                             {"Equilibrium", "sum of forces", 0, 0, 0, 1e-6}};
    };
    TVerificationWindow w(nullptr, cases);
    ASSERT_EQ(w.Table()->topLevelItemCount(), 2);
    EXPECT_EQ(w.Table()->topLevelItem(0)->child(0)->text(5), "FAIL");
    EXPECT_TRUE(w.Table()->topLevelItem(0)->isExpanded());
    EXPECT_FALSE(w.Table()->topLevelItem(1)->isExpanded());
    EXPECT_EQ(w.Summary()->text(), "2 cases: 1 passed, 1 failed.");

    TVerificationWindow stopped(nullptr, []() -> std::vector<VerificationCase> { throw TorvikError("no engine"); });
    EXPECT_EQ(stopped.Table()->topLevelItemCount(), 0);
    EXPECT_EQ(stopped.Summary()->text(), "The verification stopped: no engine");
}
