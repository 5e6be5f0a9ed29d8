#include "units/widgets/DataCombo.h"

#include "units/widgets/tests/FieldTestSupport.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Messages = std::vector<std::string>;

TEST(DataCombo, Defaults)
{
    TestApplication();
    TDataCombo combo;
    EXPECT_EQ(combo.currentText(), "0");
    EXPECT_TRUE(combo.isEditable());
    EXPECT_EQ(combo.MinVal(), 0);
    EXPECT_EQ(combo.MaxVal(), 0);
    EXPECT_EQ(combo.Units(), UnitSystem::English);
}

struct ComboLeaveCase {
    const char* name;
    const char* text;
    bool integerOnly;
    long double minVal, maxVal;
    bool valid;
    const char* textAfter;
    Messages messages;
    bool focusBack;
};

void PrintTo(const ComboLeaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class DataComboLeaveTest : public ::testing::TestWithParam<ComboLeaveCase> {};

TEST_P(DataComboLeaveTest, ChecksTheEntry)
{
    const ComboLeaveCase& c = GetParam();
    FieldWindow<TDataCombo> w;
    w.field->SetIntegerOnly(c.integerOnly);
    w.field->SetRange(c.minVal, c.maxVal);
    w.field->setEditText(c.text);
    w.Leave();
    EXPECT_EQ(w.field->IsValid(), c.valid);
    EXPECT_EQ(w.field->currentText().toStdString(), c.textAfter);
    EXPECT_EQ(w.prompt.shown, c.messages);
    EXPECT_EQ(QApplication::focusWidget() == w.field, c.focusBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataComboLeaveTest,
    ::testing::Values(
        // the text of an accepted entry stays as typed
        ComboLeaveCase{"AcceptedTextStays", "2*3", false, 0, 10, true, "2*3", {}, false},
        ComboLeaveCase{"FractionWhereIntegerRequired", "2.5", true, 0, 10, false, "2.5",
                       {"Entry must be an integer."}, true},
        ComboLeaveCase{"BelowMinimumWithEightDigits", "1", false, 1.123456789L, 10, false, "1.1234568",
                       {"Entry must be greater than or equal to 1.1234568"}, true},
        ComboLeaveCase{"AboveMaximumShownAsInteger", "20", true, 0, 12, false, "12",
                       {"Entry must be less than or equal to 12"}, true},
        // evaluation errors are reported as any error; the focus is not held
        ComboLeaveCase{"EvaluationErrorNotHeld", "1..2", false, 0, 10, false, "1..2",
                       {"Entry could not be evaluated:\rinvalid character(s) in expression"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataCombo, ListItemMeansItsValuesEntry)
{
    FieldWindow<TDataCombo> w;
    w.field->SetRange(0, 100);
    w.field->addItems({"Five", "Ten", "Automatic"});
    w.field->SetValues({"5", "10", "0"});
    w.field->setCurrentIndex(2);
    EXPECT_EQ(w.field->Number(), 0);
    w.field->setEditText("ten");  // case does not matter
    EXPECT_EQ(w.field->Number(), 10);
    EXPECT_EQ(w.field->currentText(), "ten");
    w.field->setEditText("7");
    EXPECT_EQ(w.field->Number(), 7);
    EXPECT_TRUE(w.field->Validate());
}

TEST(DataCombo, ItemWithoutValuesEntryIsEvaluatedAsWritten)
{
    FieldWindow<TDataCombo> w;
    w.field->addItems({"1", "2*2"});
    w.field->SetValues({"1"});
    w.field->setCurrentIndex(1);
    EXPECT_EQ(w.field->Number(), 4);
}

TEST(DataCombo, NumberDisplay)
{
    TestApplication();
    TDataCombo combo;
    combo.SetRange(-100, 100);
    combo.SetNumber(1.0L / 3);
    EXPECT_EQ(combo.currentText(), "0.33333333");
    combo.SetIntegerOnly(true);
    combo.SetNumber(2.7L);
    EXPECT_EQ(combo.currentText(), "2");
    combo.SetNumber(-2.7L);
    EXPECT_EQ(combo.currentText(), "-2");
    combo.SetNumber(500);
    EXPECT_EQ(combo.currentText(), "100");
}

TEST(DataCombo, AcceptsOnlyNumberKeys)
{
    FieldWindow<TDataCombo> w;
    w.field->setEditText("");
    QTest::keyClicks(w.field, "a1.5e-x+2 ");
    EXPECT_EQ(w.field->currentText(), "1.5E-2");
    QTest::keyClick(w.field, Qt::Key_Backspace);
    EXPECT_EQ(w.field->currentText(), "1.5E-");
}

TEST(DataCombo, LabelReplacesLetters)
{
    TestApplication();
    QWidget window;
    QLabel label(&window);
    TDataCombo combo(&window);
    combo.SetEditLabel(&label);
    combo.SetCaption("Spring");
    combo.SetUnitsString("F/L2");
    EXPECT_EQ(label.text(), "Spring (lbs/in2)");
    combo.SetUnits(UnitSystem::SI);
    EXPECT_EQ(label.text(), "Spring (kN/m2)");
    combo.SetUnits(NormalizeUnitSystem(9));
    EXPECT_EQ(label.text(), "Spring (F/L2)");
    combo.setEnabled(false);
    EXPECT_FALSE(label.isEnabled());
}

}  // namespace
