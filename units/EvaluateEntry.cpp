#include "units/EvaluateEntry.h"

#include "units/Constants.h"
#include "units/DecimalReal.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/ValueRange.h"

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* reason)
{
    throw EAssignError(std::string("Entry could not be evaluated:\r") + reason);
}

[[noreturn]] void DivisionByZero()
{
    throw EMathError("Floating point division by zero");
}

[[noreturn]] void InvalidOperation()
{
    throw EMathError("Invalid floating point operation");
}

[[noreturn]] void Overflow()
{
    throw EMathError("Floating point overflow");
}

// Every result passes here, so that no NaN or infinity leaves the evaluator.
long double Checked(long double x)
{
    if (std::isnan(x))
        InvalidOperation();
    if (std::isinf(x))
        Overflow();
    return x;
}

bool IsWhole(long double x)
{
    return x == std::trunc(x);
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Results go back into the text with 18 significant digits.
std::string AsText(long double x)
{
    return FormatGeneral(x, 18);
}

// ---- functions of one argument --------------------------------------------

long double Reciprocal(long double x)
{
    if (x == 0)
        DivisionByZero();
    return Checked(1 / x);
}

long double Logarithm(long double x, long double (*log)(long double))
{
    if (x < 0)
        InvalidOperation();
    if (x == 0)
        DivisionByZero();
    return log(x);
}

long double Within(long double x, long double low, long double high, long double (*f)(long double))
{
    if (x < low || x > high)
        InvalidOperation();
    return f(x);
}

// An integer result that must fit a signed integer of `bits` bits.
long double IntegerOf(long double x, int bits)
{
    const long double limit = std::ldexp(1.0L, bits - 1);
    if (!(x >= -limit && x < limit))
        InvalidOperation();
    return x;
}

struct Function {
    const char* name;
    long double (*apply)(long double);
};

// Tried in this order, so that "arctanh" is found before "arctan" and "tanh" before "tan".
const Function kFunctions[] = {
    {"arctanh",
     [](long double x) {
         if (x == 1 || x == -1)
             DivisionByZero();
         return Within(x, -1, 1, [](long double v) { return std::atanh(v); });
     }},
    {"arctan", [](long double x) { return std::atan(x); }},
    {"cotan", [](long double x) { return Reciprocal(std::tan(x)); }},
    {"tanh", [](long double x) { return std::tanh(x); }},
    {"tan", [](long double x) { return std::tan(x); }},
    {"arccosh", [](long double x) { return Within(x, 1, HUGE_VALL, [](long double v) { return std::acosh(v); }); }},
    {"arccos", [](long double x) { return Within(x, -1, 1, [](long double v) { return std::acos(v); }); }},
    {"cosh", [](long double x) { return std::cosh(x); }},
    {"cos", [](long double x) { return std::cos(x); }},
    {"sec", [](long double x) { return Reciprocal(std::cos(x)); }},
    {"arcsinh", [](long double x) { return std::asinh(x); }},
    {"arcsin", [](long double x) { return Within(x, -1, 1, [](long double v) { return std::asin(v); }); }},
    {"sinh", [](long double x) { return std::sinh(x); }},
    {"sin", [](long double x) { return std::sin(x); }},
    {"csc", [](long double x) { return Reciprocal(std::sin(x)); }},
    {"abs", [](long double x) { return std::fabs(x); }},
    {"frac", [](long double x) { return x - std::trunc(x); }},
    {"int", [](long double x) { return std::trunc(x); }},
    {"ln", [](long double x) { return Logarithm(x, [](long double v) { return std::log(v); }); }},
    // the default rounding mode rounds halves to even
    {"round", [](long double x) { return IntegerOf(std::nearbyint(x), 64); }},
    {"ceil", [](long double x) { return IntegerOf(std::ceil(x), 32); }},
    {"floor", [](long double x) { return IntegerOf(std::floor(x), 32); }},
    {"log", [](long double x) { return Logarithm(x, [](long double v) { return std::log10(v); }); }},
    {"sqrt", [](long double x) { return Within(x, 0, HUGE_VALL, [](long double v) { return std::sqrt(v); }); }},
};

const Function* FunctionAtStart(std::string_view term)
{
    for (const Function& f : kFunctions)
        if (term.substr(0, std::char_traits<char>::length(f.name)) == f.name)
            return &f;
    return nullptr;
}

bool IsFunctionName(std::string_view text)
{
    const std::string lower = Lower(text);
    for (const Function& f : kFunctions)
        if (lower == f.name)
            return true;
    return text == "!" || text == "$";
}

// ---- terminal operands -----------------------------------------------------

const long double kEuler = 2.71828182845904523536028747135266250L;

bool Constant(std::string_view term, long double& value)
{
    if (term == "pi" || term == "-pi")
        value = term[0] == '-' ? -kPiLong : kPiLong;
    else if (term == "e" || term == "-e")
        value = term[0] == '-' ? -kEuler : kEuler;
    else
        return false;
    return true;
}

// "$" followed by up to 16 significant hexadecimal digits, read as a 64-bit
// two's complement integer, so that a negative value shown in hexadecimal reads back.
long double Hexadecimal(std::string_view digits)
{
    if (digits.empty())
        Fail("invalid use of $ (hex function)");
    std::uint64_t value = 0;
    int significant = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            Fail("invalid use of $ (hex function)");
        if (value != 0 || d != 0)
            ++significant;
        if (significant > 16)
            Fail("invalid use of $ (hex function)");
        value = value << 4 | static_cast<std::uint64_t>(d);
    }
    return static_cast<long double>(static_cast<std::int64_t>(value));
}

long double Decimal(std::string_view term)
{
    long double value = 0;
    switch (ParseDecimalReal(term, value)) {
    case DecimalStatus::Ok: return value;
    case DecimalStatus::Overflow: Overflow();
    case DecimalStatus::Invalid: break;
    }
    Fail("invalid character(s) in expression");
}

// |n|! with the sign of n; stops as soon as the product leaves the range.
long double Factorial(long double n)
{
    if (!IsWhole(n))
        Fail("! (factoral) applicable to integers only");
    long double product = 1;
    for (long double k = 2; k <= std::fabs(n); ++k) {
        product *= k;
        if (std::isinf(product))
            Overflow();
    }
    return n < 0 ? -product : product;
}

// One operand: constants, then functions, then postfix "!", then prefix "$",
// else a decimal number. A function's argument is the rest of the operand as a
// term; the chain of prefixes and suffixes is peeled in a loop and applied
// innermost first, so that no operand, however long, runs deep recursion.
long double EvaluateTerm(std::string_view operand)
{
    std::string term;
    for (std::size_t i = 0; i < operand.size(); ++i) {
        if (operand[i] == '-' && i + 1 < operand.size() && operand[i + 1] == '-')
            ++i;  // every "--" goes
        else
            term += operand[i];
    }
    term = Lower(term);

    std::vector<const Function*> pending;  // nullptr stands for the factorial
    std::string_view rest = term;
    long double value = 0;
    for (;;) {
        if (Constant(rest, value))
            break;
        if (const Function* f = FunctionAtStart(rest)) {
            pending.push_back(f);
            rest.remove_prefix(std::char_traits<char>::length(f->name));
            continue;
        }
        if (!rest.empty() && rest.back() == '!') {
            pending.push_back(nullptr);
            rest.remove_suffix(1);
            continue;
        }
        value = !rest.empty() && rest.front() == '$' ? Hexadecimal(rest.substr(1)) : Decimal(rest);
        break;
    }
    for (auto f = pending.rbegin(); f != pending.rend(); ++f)
        value = Checked(*f ? (*f)->apply(value) : Factorial(value));
    return value;
}

// ---- operators -------------------------------------------------------------

// The infix minus, after marking; a character that cannot be typed into a field.
const char kMinus = '\x1f';

int Level(char op)
{
    switch (op) {
    case '^': return 1;
    case '*': case '/': case '%': case '&': return 2;
    case '+': case kMinus: case '|': return 3;
    case '=': return 4;
    default: return 0;
    }
}

long double Power(long double a, long double b)
{
    if (a == 0 && b < 0)
        DivisionByZero();
    if (a < 0 && !IsWhole(b))
        InvalidOperation();
    return std::pow(a, b);
}

long double Quotient(long double a, long double b)
{
    if (b == 0) {
        if (a == 0)
            InvalidOperation();
        DivisionByZero();
    }
    return a / b;
}

// The remainder of the integer parts, with the sign of a; exact for any size.
long double Remainder(long double a, long double b)
{
    const long double divisor = std::trunc(b);
    if (divisor == 0)
        DivisionByZero();
    return std::fmod(std::trunc(a), divisor);
}

long double Apply(char op, long double a, long double b)
{
    switch (op) {
    case '^': return Checked(Power(a, b));
    case '*': return Checked(a * b);
    case '/': return Checked(Quotient(a, b));
    case '%': return Remainder(a, b);
    case '&': return a != 0 && b != 0 ? 1 : 0;
    case '+': return Checked(a + b);
    case kMinus: return Checked(a - b);
    case '|': return a != 0 || b != 0 ? 1 : 0;
    default: return a == b ? 1 : 0;  // '='
    }
}

bool IsMantissaCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

// True when text[i] is the exponent letter of a decimal number ("1E", "2.5e"),
// not the constant e.
bool IsExponentLetter(std::string_view text, std::size_t i)
{
    return (text[i] == 'E' || text[i] == 'e') && i > 0 && IsMantissaCharacter(text[i - 1]);
}

// A "-" is unary at the start, after a function name that is the whole text
// before it (no name is longer than seven letters), and after an operator, an
// exponent letter or another minus. A minus after a unary one stays unary too,
// so that "-(-3)" becomes the operand "--3", which the term evaluator reads as 3;
// and the constant e is no exponent letter, so that "e-1" is a difference.
std::string MarkInfixMinus(std::string text)
{
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '-')
            continue;
        const char before = text[i - 1];
        const bool unary = std::string_view("%&*+/=^|-").find(before) != std::string_view::npos ||
                           before == kMinus || IsExponentLetter(text, i - 1) ||
                           (i <= 7 && IsFunctionName(std::string_view(text).substr(0, i)));
        if (!unary)
            text[i] = kMinus;
    }
    return text;
}

// A "+" right after the exponent letter of a decimal number is the exponent's
// sign ("1E+5"), not an operator; in a hexadecimal operand "E" is a digit.
bool IsExponentSign(const std::string& operand)
{
    const std::size_t n = operand.size();
    return n >= 2 && IsExponentLetter(operand, n - 1) && operand.find('$') == std::string::npos;
}

// Parentheses innermost first: each ")" closes the last "(" before it, and the
// bracket is replaced by its value. One pass with a stack does the same as
// searching the text again for each bracket.
std::string ReplaceBrackets(const std::string& text)
{
    std::string out;
    std::vector<std::size_t> open;
    for (char c : text) {
        if (c == '(') {
            open.push_back(out.size());
            out += c;
        } else if (c == ')') {
            if (open.empty())
                Fail("() (parentheses) do not match");
            const std::size_t at = open.back();
            open.pop_back();
            const long double inner = EvaluateEntry(out.substr(at + 1));
            out.resize(at);
            out += AsText(inner);
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

long double EvaluateEntry(const std::string& text)
{
    if (text.empty())
        Fail("entry cannot be blank");
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t')
            compact += c;
    const std::string expression = MarkInfixMinus(ReplaceBrackets(compact));

    std::vector<std::string> operands;
    std::vector<char> operators;
    if (!expression.empty()) {
        std::string current;
        for (char c : expression) {
            if (Level(c) != 0 && !(c == '+' && IsExponentSign(current))) {
                operands.push_back(current);
                operators.push_back(c);
                current.clear();
            } else {
                current += c;
            }
        }
        operands.push_back(current);
    }
    if (operands.size() != operators.size() + 1)
        Fail("invalid expression");

    // Each level is reduced left to right in one pass: an operator of the
    // level folds the next operand into the running one.
    for (int level = 1; level <= 4; ++level) {
        std::vector<std::string> keptOperands{operands[0]};
        std::vector<char> keptOperators;
        for (std::size_t i = 0; i < operators.size(); ++i) {
            if (Level(operators[i]) == level) {
                const long double a = EvaluateTerm(keptOperands.back());
                const long double b = EvaluateTerm(operands[i + 1]);
                keptOperands.back() = AsText(Apply(operators[i], a, b));
            } else {
                keptOperators.push_back(operators[i]);
                keptOperands.push_back(operands[i + 1]);
            }
        }
        operands.swap(keptOperands);
        operators.swap(keptOperators);
    }
    // An extended real reaches beyond the range every value must keep.
    const long double value = EvaluateTerm(operands[0]);
    if (!InValueRange(value))
        throw EMathError("Floating point overflow: a value must lie within " + ValueRangeText() + ".");
    return value;
}
