#include "ui/dialogs/DlgStaged.h"

#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "units/widgets/DataEdit.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class DlgStagedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        wall().FileName = dir.filePath("wall.tk4d").toStdString();
        host.modified = false;
    }
    TProgramData& wall() { return host.Wall(); }
    // The working copy of stage k, where the dialog's OK writes.
    bool StageFile(int k) const { return std::filesystem::exists(StageWorkPath(host.Wall(), k)); }
    // Opens the dialog as the user sees it.
    std::unique_ptr<TDlgStaged> Open()
    {
        auto d = std::make_unique<TDlgStaged>(host);
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        d->activateWindow();
        return d;
    }
    static void Click(QAbstractButton* b, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(b, Qt::LeftButton);
    }

    QTemporaryDir dir;
    BatchHost host;
};

// The box reacts to its accessibility action as to a click: the count is
// enabled with two stages, and OK writes them.
TEST_F(DlgStagedTest, TheAccessibilityToggleOfTheBoxWorksAsAClick)
{
    auto d = Open();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(d->ChkStaged());
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->actionInterface(), nullptr);
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(d->ChkStaged()->isChecked());
    EXPECT_TRUE(d->deStages()->isEnabled());
    EXPECT_EQ(d->deStages()->text(), "2");
    d->btnOK()->click();
    EXPECT_EQ(wall().StageCount, 2);
    EXPECT_TRUE(StageFile(2));
}

TEST_F(DlgStagedTest, TickingTheBoxAndSteppingToThreeStagesWritesThreeStageFiles)
{
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), "Staged Construction Options");
    EXPECT_TRUE(d->memExplanation()->isReadOnly());
    EXPECT_TRUE(d->memExplanation()->toPlainText().startsWith("TORVIK provides users with a convenient tool to study\n"
                                                               "and to compare the predicted  deflection"));
    EXPECT_EQ(d->lblStages()->text(), "Enter the total number of stages (Max. = 5, Min =2)");
    for (QWidget* w : std::initializer_list<QWidget*>{d->memExplanation(), d->ChkStaged(), d->deStages(), d->btnUp(),
                                                       d->btnDown(), d->btnOK(), d->btnCancel()})
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
    EXPECT_FALSE(d->ChkStaged()->isChecked());
    EXPECT_EQ(d->deStages()->text(), "1");
    EXPECT_FALSE(d->deStages()->isEnabled() || d->btnUp()->isEnabled() || d->btnDown()->isEnabled());

    Click(d->ChkStaged());
    EXPECT_EQ(d->deStages()->text(), "2");
    EXPECT_TRUE(d->deStages()->isEnabled() && d->btnUp()->isEnabled());
    Click(d->btnUp(), 4);
    EXPECT_EQ(d->deStages()->text(), "5");  // at most 5
    Click(d->btnDown(), 4);
    EXPECT_EQ(d->deStages()->text(), "2");  // at least 2
    QTest::keyClick(d->deStages(), Qt::Key_Up);
    EXPECT_EQ(d->deStages()->text(), "3");

    QSignalSpy changed(d.get(), &TDlgStaged::StagesChanged);
    Click(d->btnOK());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(wall().StageCount, 3);
    EXPECT_EQ(wall().CurrentStage, 1);
    EXPECT_TRUE(StageFile(1) && StageFile(2) && StageFile(3));
    EXPECT_FALSE(StageFile(4));
    EXPECT_TRUE(host.modified);
    EXPECT_TRUE(host.prompt.shown.empty());
}

TEST_F(DlgStagedTest, ClearingTheBoxEndsStagingAndDeletesTheStageFiles)
{
    ChangeStageCount(wall(), 3);
    auto d = Open();
    EXPECT_TRUE(d->ChkStaged()->isChecked());
    EXPECT_EQ(d->deStages()->text(), "3");
    EXPECT_TRUE(d->deStages()->isEnabled());
    Click(d->ChkStaged());
    EXPECT_EQ(d->deStages()->text(), "1");
    EXPECT_FALSE(d->deStages()->isEnabled() || d->btnDown()->isEnabled());
    Click(d->btnOK());
    EXPECT_EQ(wall().StageCount, 1);
    EXPECT_FALSE(StageFile(1) || StageFile(2) || StageFile(3));
}

TEST_F(DlgStagedTest, ACountAboveFiveIsRefusedAndCancelChangesNothing)
{
    auto d = Open();
    Click(d->ChkStaged());
    d->deStages()->selectAll();
    QTest::keyClicks(d->deStages(), "7");
    Click(d->btnOK());
    EXPECT_EQ(host.prompt.shown, std::vector<std::string>{"Entry must be less than or equal to 5"});
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(wall().StageCount, 1);
    EXPECT_FALSE(StageFile(1));

    Click(d->btnCancel());
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(wall().StageCount, 1);
    EXPECT_FALSE(StageFile(1));
}

}  // namespace
