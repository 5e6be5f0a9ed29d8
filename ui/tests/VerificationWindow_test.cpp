// Help > Verification: with a wall open in the program, the window lists every
// case grouped, all passing, with the summary torvik-cli verify prints; a
// second Show brings back the same window; without torvik-cli it says so.
#include "model/BatchHost.h"
#include "ui/VerificationWindow.h"

#include <QLabel>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

TEST(VerificationWindow, ShowsEveryCaseGroupedWithTheSummaryAndIsShownOnce)
{
    BatchHost openWall;  // the program's wall tables exist while the cases run
    QWidget main;
    TVerificationWindow* w = TVerificationWindow::Show(&main, TORVIK_BIN_DIR);
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
    w->close();
}

TEST(VerificationWindow, SaysSoWhenTheCommandLineToolIsMissing)
{
    TVerificationWindow w(nullptr, "/nonexistent");
    EXPECT_EQ(w.Table()->topLevelItemCount(), 0);
    EXPECT_EQ(w.Summary()->text(), "The verification could not start: /nonexistent/torvik-cli was not found.");
}
