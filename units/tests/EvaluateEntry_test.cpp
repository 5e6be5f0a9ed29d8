#include "units/EvaluateEntry.h"

#include "units/Constants.h"
#include "units/TorvikError.h"

#include "units/tests/PrintText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

struct ValueCase {
    const char* text;
    long double value;
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    PrintText(c.text, os);
}

class EvaluateValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(EvaluateValueTest, GivesExactValue)
{
    EXPECT_EQ(EvaluateEntry(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Operators, EvaluateValueTest,
    ::testing::Values(
        // levels and their left-to-right order
        ValueCase{"2+3*4", 14}, ValueCase{"(2+3)*4", 20}, ValueCase{"2^3^2", 64}, ValueCase{"8/4/2", 1},
        ValueCase{"2-3-4", -5}, ValueCase{"10-2*3", 4}, ValueCase{"1+2=3", 1}, ValueCase{"2*(3+(4-1))", 12},
        // remainder of the integer parts with the sign of the dividend
        ValueCase{"7%3", 1}, ValueCase{"7.9%3", 1}, ValueCase{"-7%3", -1}, ValueCase{"7%-3", 1},
        ValueCase{"7%3.9", 1},
        // logical operators
        ValueCase{"3=3", 1}, ValueCase{"3=4", 0}, ValueCase{"0|5", 1}, ValueCase{"0|0", 0},
        ValueCase{"0&5", 0}, ValueCase{"2&5", 1},
        // unary and infix minus
        ValueCase{"5--3", 8}, ValueCase{"2*-3", -6}, ValueCase{"1E-5", 1e-5L}, ValueCase{"2^-1", 0.5L},
        // an exponent keeps its sign; the constant e is no exponent letter
        ValueCase{"1E+5", 1e5L}, ValueCase{"2.5e+2*2", 500}, ValueCase{"1.E-1", 0.1L}, ValueCase{"$1E+5", 35},
        ValueCase{"e-1", 1.71828182845904524L}, ValueCase{"(2*e-e)", 2.71828182845904523L},
        ValueCase{"(sin1e-1)", 0.0998334166468281523L}, ValueCase{"(sin1E+1)", -0.544021110889369813L},
        ValueCase{"--3", 3}, ValueCase{"-(-3)", 3}, ValueCase{"5---3", 2}, ValueCase{"2*-(-3)", 6}, ValueCase{"-2^2", 4}, ValueCase{"2*(-3)", -6}, ValueCase{"5-(-3)", 8},
        // blanks are removed, case does not matter
        ValueCase{" 1 + 2 ", 3}, ValueCase{"\t4", 4}, ValueCase{"1 000", 1000},
        // a bracket is replaced in place, with no implied multiplication
        ValueCase{"2(3)", 23},
        // intermediate results have 18 significant digits
        ValueCase{"1/3", 0.333333333333333333L}, ValueCase{"(1/3)*3", 0.999999999999999999L},
        ValueCase{"0.1+0.2=0.3", 1}));

INSTANTIATE_TEST_SUITE_P(
    Terms, EvaluateValueTest,
    ::testing::Values(
        ValueCase{"PI", kPiLong}, ValueCase{"-pi", -kPiLong}, ValueCase{"pi*2", 6.28318530717958648L},
        ValueCase{"e", 2.71828182845904523536028747135266250L}, ValueCase{"sqrt(16)", 4},
        ValueCase{"SQRT16", 4}, ValueCase{"Sin(0)", 0}, ValueCase{"cos(0)", 1}, ValueCase{"sec0", 1},
        ValueCase{"abs(-2.5)", 2.5L}, ValueCase{"int(-2.7)", -2}, ValueCase{"frac(2.75)", 0.75L},
        ValueCase{"round(2.5)", 2}, ValueCase{"round(3.5)", 4}, ValueCase{"round(-2.5)", -2},
        ValueCase{"ceil(2.1)", 3}, ValueCase{"floor(-2.1)", -3}, ValueCase{"log(1)", 0},
        ValueCase{"tanh0", 0}, ValueCase{"arctanh0", 0}, ValueCase{"arcsin1", std::asin(1.0L)},
        ValueCase{"abs(sin(-0.5))", 0.479425538604203000L}, ValueCase{"sqrtsqrt(16)", 2},
        // factorial, sign of the argument, and after a function
        ValueCase{"5!", 120}, ValueCase{"0!", 1}, ValueCase{"-3!", -6}, ValueCase{"3!!", 720},
        ValueCase{"sqrt(4!+1)", 5}, ValueCase{"$5!", 120},
        // hexadecimal, up to 16 digits as a 64-bit integer
        ValueCase{"$FF", 255}, ValueCase{"$1F", 31}, ValueCase{"$ffffffff", 4294967295.0L},
        ValueCase{"$FFFFFFFFFFFFFFFF", -1}, ValueCase{"$00000000000000000001", 1}, ValueCase{"$10*2", 32}));

TEST(EvaluateEntry, FunctionsInRadians)
{
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("arctan(1)*4")), static_cast<double>(kPiLong), 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("csc(pi/2)")), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("cotan(1)")), 1 / std::tan(1.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("ln(e)")), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("arccosh(cosh(2))")), 2.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("arcsinh(sinh(2))")), 2.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("arccos(0)")), static_cast<double>(kPiLong / 2), 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("tan(1)")), std::tan(1.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(EvaluateEntry("log(1000)")), 3.0, 1e-15);
}

struct ErrorCase {
    const char* text;
    bool math;  // EMathError, else EAssignError
    const char* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    PrintText(c.text, os);
}

class EvaluateErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(EvaluateErrorTest, FailsWithMessage)
{
    const ErrorCase& c = GetParam();
    try {
        EvaluateEntry(c.text);
        ADD_FAILURE() << c.text << " gave no error";
    } catch (const EMathError& e) {
        EXPECT_TRUE(c.math) << c.text;
        EXPECT_EQ(std::string(e.what()), c.message) << c.text;
    } catch (const EAssignError& e) {
        EXPECT_FALSE(c.math) << c.text;
        EXPECT_EQ(std::string(e.what()), c.message) << c.text;
    }
}

const char* const kBlank = "Entry could not be evaluated:\rentry cannot be blank";
const char* const kParentheses = "Entry could not be evaluated:\r() (parentheses) do not match";
const char* const kInvalidExpression = "Entry could not be evaluated:\rinvalid expression";
const char* const kInvalidCharacters = "Entry could not be evaluated:\rinvalid character(s) in expression";
const char* const kHex = "Entry could not be evaluated:\rinvalid use of $ (hex function)";
const char* const kFactorial = "Entry could not be evaluated:\r! (factoral) applicable to integers only";

INSTANTIATE_TEST_SUITE_P(
    Syntax, EvaluateErrorTest,
    ::testing::Values(
        ErrorCase{"", false, kBlank}, ErrorCase{"()", false, kBlank}, ErrorCase{"2*( )", false, kBlank},
        ErrorCase{"   ", false, kInvalidExpression}, ErrorCase{"(1", false, kInvalidCharacters},
        ErrorCase{"1)", false, kParentheses}, ErrorCase{"(1))", false, kParentheses},
        ErrorCase{"2.5!", false, kFactorial}, ErrorCase{"$G1", false, kHex}, ErrorCase{"$", false, kHex},
        ErrorCase{"$-1", false, kHex}, ErrorCase{"$10000000000000000", false, kHex},
        // after substitution the minus follows "sin" inside a longer text: infix
        ErrorCase{"2*sin(-0.5)", false, kInvalidCharacters},
        // "cos" is found before "cosec" could be
        ErrorCase{"cosec(1)", false, kInvalidCharacters}, ErrorCase{"abc", false, kInvalidCharacters},
        ErrorCase{"2+", false, kInvalidCharacters}, ErrorCase{"+2", false, kInvalidCharacters},
        ErrorCase{"2**3", false, kInvalidCharacters}, ErrorCase{"1,5", false, kInvalidCharacters},
        ErrorCase{"5~3", false, kInvalidCharacters}, ErrorCase{"inf", false, kInvalidCharacters},
        ErrorCase{"nan", false, kInvalidCharacters}));

const char* const kDivisionByZero = "Floating point division by zero";
const char* const kInvalidOperation = "Invalid floating point operation";
const char* const kOverflow = "Floating point overflow";
const char* const kBeyondRange =
    "Floating point overflow: a value must lie within -1.7976931E308 to 1.7976931E308.";

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, EvaluateErrorTest,
    ::testing::Values(
        ErrorCase{"1/0", true, kDivisionByZero}, ErrorCase{"0/0", true, kInvalidOperation},
        ErrorCase{"7%0", true, kDivisionByZero}, ErrorCase{"7%0.5", true, kDivisionByZero},
        ErrorCase{"0^-1", true, kDivisionByZero}, ErrorCase{"(-8)^(1/3)", true, kInvalidOperation},
        ErrorCase{"sqrt(-1)", true, kInvalidOperation}, ErrorCase{"ln(0)", true, kDivisionByZero},
        ErrorCase{"ln(-1)", true, kInvalidOperation}, ErrorCase{"log(-1)", true, kInvalidOperation},
        ErrorCase{"arcsin(2)", true, kInvalidOperation}, ErrorCase{"arccos(-2)", true, kInvalidOperation},
        ErrorCase{"arccosh(0.5)", true, kInvalidOperation}, ErrorCase{"arctanh(1)", true, kDivisionByZero},
        ErrorCase{"arctanh(2)", true, kInvalidOperation}, ErrorCase{"csc(0)", true, kDivisionByZero},
        ErrorCase{"cotan(0)", true, kDivisionByZero}, ErrorCase{"1E4000*1E4000", true, kOverflow},
        ErrorCase{"1E5000", true, kOverflow}, ErrorCase{"10^5000", true, kOverflow},
        ErrorCase{"1E4932+1E4932", true, kOverflow}, ErrorCase{"-1E4932-1E4932", true, kOverflow},
        ErrorCase{"1E4000/1E-4000", true, kOverflow}, ErrorCase{"cosh(20000)", true, kOverflow},
        ErrorCase{"sinh(1E5)", true, kOverflow}, ErrorCase{"1755!", true, kOverflow},
        ErrorCase{"1800!", true, kOverflow}, ErrorCase{"1E4000!", true, kOverflow},
        ErrorCase{"round(1E19)", true, kInvalidOperation}, ErrorCase{"ceil(3E9)", true, kInvalidOperation},
        ErrorCase{"floor(-3E9)", true, kInvalidOperation},
        // finite as an extended real, but beyond an 8-byte real
        ErrorCase{"1E400", true, kBeyondRange}, ErrorCase{"-2E308", true, kBeyondRange},
        ErrorCase{"1E200*1E200", true, kBeyondRange}));

// The largest factorial an extended real holds (1754!) lies beyond the range
// of every value; the largest within it is 170!.
TEST(EvaluateEntry, LargestFactorialIsFinite)
{
    EXPECT_EQ(EvaluateEntry("1.7976931E308"), 1.7976931E308L);
    EXPECT_TRUE(std::isfinite(EvaluateEntry("170!")));
    EXPECT_EQ(EvaluateEntry("-170!"), -EvaluateEntry("170!"));
    EXPECT_THROW(EvaluateEntry("171!"), EMathError);
    EXPECT_NEAR(EvaluateEntry("1754!/1E4900"), 1.979261890105010E30L, 1E16L);  // on the way, beyond is fine
}

TEST(EvaluateEntry, ArithmeticErrorsAreGeneralErrorsNotEntryErrors)
{
    EXPECT_THROW(EvaluateEntry("1/0"), TorvikError);
    try {
        EvaluateEntry("1/0");
    } catch (const EAssignError&) {
        ADD_FAILURE() << "an arithmetic fault is not an entry error";
    } catch (const EMathError&) {
    }
}

// Texts of any length are evaluated without deep recursion (the time this
// takes is measured by bench/entry_bench).
TEST(EvaluateEntry, LongTextsFinish)
{
    std::string functions;
    for (int i = 0; i < 100000; ++i)
        functions += "abs";
    EXPECT_EQ(EvaluateEntry(functions + "2"), 2);

    std::string sum = "1";
    for (int i = 0; i < 50000; ++i)
        sum += "+1";
    EXPECT_EQ(EvaluateEntry(sum), 50001);

    std::string nested = std::string(20000, '(') + "7" + std::string(20000, ')');
    EXPECT_EQ(EvaluateEntry(nested), 7);

    EXPECT_THROW(EvaluateEntry("3" + std::string(10000, '!')), EMathError);  // overflows long before the end
}

}  // namespace
