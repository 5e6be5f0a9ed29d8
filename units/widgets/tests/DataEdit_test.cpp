#include "units/widgets/DataEdit.h"

#include "units/widgets/tests/FieldTestSupport.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Messages = std::vector<std::string>;

// A text left in a field with some settings, and what leaving it gives.
struct LeaveCase {
    const char* name;
    const char* text;
    bool integerOnly;
    long double minVal, maxVal;
    bool valid;
    const char* textAfter;
    Messages messages;
    bool focusBack;
};

void PrintTo(const LeaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class DataEditLeaveTest : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(DataEditLeaveTest, ChecksTheEntry)
{
    const LeaveCase& c = GetParam();
    FieldWindow<TDataEdit> w;
    w.field->SetIntegerOnly(c.integerOnly);
    w.field->SetRange(c.minVal, c.maxVal);
    w.field->setText(c.text);
    w.Leave();
    EXPECT_EQ(w.field->IsValid(), c.valid);
    EXPECT_EQ(w.field->text().toStdString(), c.textAfter);
    EXPECT_EQ(w.prompt.shown, c.messages);
    EXPECT_EQ(QApplication::focusWidget() == w.field, c.focusBack);
}

const long double kMax = std::numeric_limits<long double>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, DataEditLeaveTest,
    ::testing::Values(
        LeaveCase{"ExpressionIsReplacedByItsValue", "2*3", false, -kMax, kMax, true, "6", {}, false},
        LeaveCase{"EighteenDigits", "1/3", false, -kMax, kMax, true, "0.333333333333333333", {}, false},
        LeaveCase{"BelowMinimumBecomesMinimum", "-5", false, 0, kMax, false, "0",
                  {"Entry must be greater than or equal to 0"}, true},
        LeaveCase{"AboveMaximumBecomesMaximum", "12", false, 0, 10.5L, false, "10.5",
                  {"Entry must be less than or equal to 10.5"}, true},
        LeaveCase{"FractionWhereIntegerRequired", "2.5", true, -kMax, kMax, false, "2.5",
                  {"Entry must be an integer."}, true},
        LeaveCase{"EvaluatorMessage", "2+", false, -kMax, kMax, false, "2+",
                  {"Entry could not be evaluated:\rinvalid character(s) in expression"}, true},
        LeaveCase{"InvalidIntegerEntry", "abc", true, -kMax, kMax, false, "abc", {"Entry must be a valid integer."},
                  true},
        LeaveCase{"ArithmeticFault", "1/0", true, -kMax, kMax, false, "1/0", {"Floating point division by zero"},
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataEdit, Defaults)
{
    TestApplication();
    TDataEdit edit;
    EXPECT_EQ(edit.text(), "0");
    EXPECT_EQ(edit.Number(), 0);
    EXPECT_FALSE(edit.IntegerOnly());
    EXPECT_FALSE(edit.Hex());
    EXPECT_EQ(edit.MinVal(), -kMax);
    EXPECT_EQ(edit.MaxVal(), kMax);
    EXPECT_EQ(edit.Units(), UnitSystem::English);
}

TEST(DataEdit, NumberIsClampedAndShownWithEighteenDigits)
{
    TestApplication();
    TDataEdit edit;
    edit.SetRange(0, 100);
    edit.SetNumber(2.0L / 3);
    EXPECT_EQ(edit.text(), "0.666666666666666667");
    edit.SetNumber(1000);
    EXPECT_EQ(edit.text(), "100");
    edit.SetLoading(true);
    edit.SetNumber(1000);
    EXPECT_EQ(edit.text(), "1000");
}

TEST(DataEdit, NumberBeyondANewBoundBecomesTheBound)
{
    TestApplication();
    TDataEdit edit;
    edit.SetNumber(50);
    edit.SetMaxVal(20);
    EXPECT_EQ(edit.text(), "20");
    edit.SetMinVal(30);  // above the maximum: becomes the maximum
    EXPECT_EQ(edit.MinVal(), 20);
    edit.SetIntegerOnly(true);
    edit.SetMinVal(-1e20L);
    EXPECT_EQ(edit.MinVal(), -2147483648.0L);
}

struct HexCase {
    long double value;
    const char* text;
};

void PrintTo(const HexCase& c, std::ostream* os)
{
    *os << static_cast<double>(c.value);
}

class DataEditHexTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(DataEditHexTest, ShowsAtLeastFourDigitsAndReadsBack)
{
    TestApplication();
    TDataEdit edit;
    edit.SetHex(true);
    edit.SetNumber(GetParam().value);
    EXPECT_EQ(edit.text().toStdString(), GetParam().text);
    EXPECT_EQ(edit.Number(), std::nearbyint(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Values, DataEditHexTest,
                         ::testing::Values(HexCase{255, "$00FF"}, HexCase{31.4L, "$001F"}, HexCase{0, "$0000"},
                                           HexCase{2.5L, "$0002"}, HexCase{65536, "$10000"},
                                           HexCase{-1, "$FFFFFFFFFFFFFFFF"}));

TEST(DataEdit, HexBoundInMessage)
{
    FieldWindow<TDataEdit> w;
    w.field->SetHex(true);
    w.field->SetRange(16, 4096);
    w.field->setText("$1");
    EXPECT_FALSE(w.field->Validate());
    EXPECT_EQ(w.prompt.shown, Messages{"Entry must be greater than or equal to $0010"});
    EXPECT_EQ(w.field->text(), "$0010");
}

TEST(DataEdit, OperatorAfterFullSelectionExtendsTheValue)
{
    FieldWindow<TDataEdit> w;
    w.field->setText("10");
    w.field->selectAll();
    QTest::keyClicks(w.field, "*2");
    EXPECT_EQ(w.field->text(), "10*2");
    // a digit still replaces the selection
    w.field->selectAll();
    QTest::keyClicks(w.field, "7");
    EXPECT_EQ(w.field->text(), "7");
}

TEST(DataEdit, EnterChecksSelectsAndIsSwallowed)
{
    TestApplication();
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    ScriptedPrompt prompt;
    auto* edit = new TDataEdit(&dialog, &prompt);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    dialog.activateWindow();
    (void)QTest::qWaitForWindowActive(&dialog);
    edit->setFocus();
    edit->setText("4^0.5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "2");
    EXPECT_TRUE(edit->IsValid());
    EXPECT_EQ(edit->selectedText(), "2");
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(DataEdit, LabelShowsCaptionAndEntryUnitLabel)
{
    TestApplication();
    QWidget window;
    QLabel label(&window);
    TDataEdit edit(&window);
    edit.SetEditLabel(&label);
    edit.SetCaption("Moment");
    EXPECT_EQ(label.text(), "Moment");
    EXPECT_EQ(label.buddy(), &edit);
    edit.SetUnitsString("F-L2");
    EXPECT_EQ(label.text(), "Moment (lbs-ft)");
    edit.SetUnits(UnitSystem::SI);
    EXPECT_EQ(label.text(), "Moment (kN-m)");
    edit.SetUnits(NormalizeUnitSystem(7));
    EXPECT_EQ(edit.Units(), UnitSystem::Generic);
    EXPECT_EQ(label.text(), "Moment (F-L2)");
    edit.SetUnits(NormalizeUnitSystem(-4));
    EXPECT_EQ(edit.Units(), UnitSystem::English);
    edit.setEnabled(false);
    EXPECT_FALSE(label.isEnabled());
    edit.setEnabled(true);
    EXPECT_TRUE(label.isEnabled());
}

TEST(DataEdit, ClosingTheWindowRightAfterLeavingShowsNoMessage)
{
    FieldWindow<TDataEdit> w;
    w.field->setText("abc");
    w.other->setFocus(Qt::MouseFocusReason);  // a click on Cancel
    w.window.hide();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.prompt.shown.empty());
}

TEST(DataEdit, ButtonThatChecksTheFieldShowsOneMessage)
{
    FieldWindow<TDataEdit> w;
    auto* ok = new QPushButton("OK", &w.window);
    w.window.layout()->addWidget(ok);
    ok->show();
    QObject::connect(ok, &QPushButton::clicked, [&] { w.field->Validate(); });
    w.field->setText("2.5");
    w.field->SetIntegerOnly(true);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.prompt.shown, Messages{"Entry must be an integer."});
    EXPECT_EQ(QApplication::focusWidget(), w.field);
}

}  // namespace
