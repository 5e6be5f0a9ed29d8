#include "model/WordReader.h"

#include "units/TorvikError.h"

#include "units/tests/PrintText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The message of the EInOutError that `action` throws.
template <class Action>
std::string InOutMessage(Action action)
{
    try {
        action();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "(no error)";
}

struct LinesCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
};

void PrintTo(const LinesCase& c, std::ostream* os)
{
    *os << c.name;
}

class LineSplitTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(LineSplitTest, KeepsEveryLineAsRead)
{
    const LinesCase& c = GetParam();
    TWordReader reader = TWordReader::FromText(c.content);
    std::vector<std::string> lines;
    for (int i = 0; i < reader.LineCount(); ++i)
        lines.push_back(reader.Line(i).Text);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineSplitTest,
    ::testing::Values(LinesCase{"EmptyFileIsOneEmptyLine", "", {""}},
                      LinesCase{"OnlyALineEnd", "\r\n", {""}},
                      LinesCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      LinesCase{"Lf", "a\nb\n", {"a", "b"}},
                      LinesCase{"LoneCr", "a\rb", {"a", "b"}},
                      LinesCase{"NoFinalLineEnd", "a\r\nb", {"a", "b"}},
                      LinesCase{"BlankLinesKept", "a\r\n\r\n  \r\nb", {"a", "", "  ", "b"}},
                      LinesCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                      LinesCase{"ByteOrderMarkDropped", "\xEF\xBB\xBFTitle\r\n1", {"Title", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordReader, RunsOfBlanksSeparateWords)
{
    TWordReader reader = TWordReader::FromText("  12\t 3.5   x \r\n");
    EXPECT_EQ(reader.Line(0).Words, (std::vector<std::string>{"12", "3.5", "x"}));
    EXPECT_EQ(reader.Line(0).Text, "  12\t 3.5   x ");
    EXPECT_EQ(reader.ReadInteger(), 12);
    EXPECT_EQ(reader.ReadReal(), 3.5L);
    EXPECT_EQ(reader.ReadWord(), "x");
    EXPECT_EQ(reader.LineIndex(), 0);
    EXPECT_EQ(reader.WordIndex(), 3);
}

TEST(WordReader, OtherControlCharactersOnlyTrimTheEnds)
{
    TWordReader reader = TWordReader::FromText("\x01" "a\x02" "b \x1a");
    EXPECT_EQ(reader.Line(0).Words, (std::vector<std::string>{"a\x02" "b"}));
}

TEST(WordReader, WordsRunOverLineEndsUntilTheFileEnds)
{
    TWordReader reader = TWordReader::FromText("1 2\r\n3\r\n");
    EXPECT_EQ(reader.ReadWord(), "1");
    EXPECT_EQ(reader.ReadWord(), "2");
    EXPECT_EQ(reader.ReadWord(), "3");
    EXPECT_EQ(reader.LineIndex() + 1, 2);
    EXPECT_EQ(reader.WordIndex(), 1);
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(InOutMessage([&] { reader.ReadWord(); }), "This file either invalid or incomplete.");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(InOutMessage([&] { reader.ReadWord(); }), "This file either invalid or incomplete.");
}

TEST(WordReader, EmptyFileHasNoWord)
{
    TWordReader reader = TWordReader::FromText("");
    EXPECT_EQ(reader.LineCount(), 1);
    EXPECT_EQ(InOutMessage([&] { reader.ReadWord(); }), "This file either invalid or incomplete.");
}

struct BadNumberCase {
    const char* name;
    const char* content;
    bool integer;     // ReadInteger, else ReadReal
    int wordsBefore;  // words read first
    const char* message;
};

void PrintTo(const BadNumberCase& c, std::ostream* os)
{
    *os << c.name;
}

class BadNumberTest : public ::testing::TestWithParam<BadNumberCase> {};

TEST_P(BadNumberTest, NamesLineAndItem)
{
    const BadNumberCase& c = GetParam();
    TWordReader reader = TWordReader::FromText(c.content);
    for (int i = 0; i < c.wordsBefore; ++i)
        reader.ReadWord();
    EXPECT_EQ(InOutMessage([&] { c.integer ? (void)reader.ReadInteger() : (void)reader.ReadReal(); }), c.message);
}

const char* const kIntegerLine3Item2 = "Error on Line 3 Item 2\rAn integer was expected but not found.";

INSTANTIATE_TEST_SUITE_P(
    Messages, BadNumberTest,
    ::testing::Values(
        BadNumberCase{"RealNotANumber", "abc\r\n", false, 0,
                      "Error on Line 1 Item 1\rA floating point number was expected but not found."},
        BadNumberCase{"RealWithComma", "1 2,5\r\n", false, 1,
                      "Error on Line 1 Item 2\rA floating point number was expected but not found."},
        BadNumberCase{"RealTooLarge", "1E5000", false, 0,
                      "Error on Line 1 Item 1\rA floating point number was expected but not found."},
        // Beyond an 8-byte real: the engine and the JSON of torvik-cli could not hold it.
        BadNumberCase{"RealBeyondAnEightByteReal", "1 -1.8E308", false, 1,
                      "Error on Line 1 Item 2\rA number from -1.7976931E308 to 1.7976931E308 was expected but not "
                      "found."},
        BadNumberCase{"IntegerWithFraction", "a\r\nb\r\n1 2.5\r\n", true, 3, kIntegerLine3Item2},
        BadNumberCase{"IntegerAboveRange", "a\r\nb\r\n1 2147483648\r\n", true, 3, kIntegerLine3Item2},
        BadNumberCase{"IntegerBelowRange", "a\r\nb\r\n1 -2147483649\r\n", true, 3, kIntegerLine3Item2},
        BadNumberCase{"IntegerNotANumber", "a\r\nb\r\n1 x\r\n", true, 3, kIntegerLine3Item2},
        BadNumberCase{"IntegerOnNextLine", "7\r\n 1.5\r\n", true, 1,
                      "Error on Line 2 Item 1\rAn integer was expected but not found."},
        BadNumberCase{"BlankLineReached", "1\r\n\r\n2\r\n", true, 1,
                      "Error on Line 2 Item 1\rA value was expected but the line is blank."}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerCase {
    const char* word;
    std::int32_t value;
};

void PrintTo(const IntegerCase& c, std::ostream* os)
{
    PrintText(c.word, os);
}

class IntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTest, ReadsWholeRealsInRange)
{
    TWordReader reader = TWordReader::FromText(GetParam().word);
    EXPECT_EQ(reader.ReadInteger(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, IntegerTest,
                         ::testing::Values(IntegerCase{"3", 3}, IntegerCase{"3.0", 3}, IntegerCase{"-0", 0},
                                           IntegerCase{"1E3", 1000}, IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"-2147483648", -2147483647 - 1}));

TEST(WordReader, ReadLineReturnsTheLineWhosWordsWereTaken)
{
    TWordReader reader = TWordReader::FromText("9 rest of marker\r\n   Title with blanks  \r\n5");
    EXPECT_EQ(reader.ReadInteger(), 9);
    EXPECT_EQ(reader.ReadLine(), "9 rest of marker");
    EXPECT_EQ(reader.ReadLine(), "   Title with blanks  ");
    EXPECT_EQ(reader.LineIndex(), 2);
    EXPECT_EQ(reader.WordIndex(), 0);
    EXPECT_EQ(reader.ReadInteger(), 5);
}

TEST(WordReader, ReadLinePastTheEndFails)
{
    TWordReader reader = TWordReader::FromText("only\r\n");
    EXPECT_EQ(reader.ReadLine(), "only");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(InOutMessage([&] { reader.ReadLine(); }), "Error on Line 2\rA line was expected but the file ended.");
}

TEST(WordReader, LoadsFromAFile)
{
    const std::string path = ::testing::TempDir() + "word_reader_test.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "Title\r\n1 2.5\r\n";
    }
    TWordReader reader(path);
    std::remove(path.c_str());
    EXPECT_EQ(reader.ReadLine(), "Title");
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_EQ(reader.ReadReal(), 2.5L);
}

TEST(WordReader, LoadsFromAStream)
{
    std::istringstream in("a b");
    TWordReader reader(in);
    EXPECT_EQ(reader.ReadWord(), "a");
    EXPECT_EQ(reader.ReadWord(), "b");
}

TEST(WordReader, MissingFileIsAnInputOutputError)
{
    const std::string path = ::testing::TempDir() + "no/such/file.tk4d";
    EXPECT_EQ(InOutMessage([&] { TWordReader reader(path); }),
              "Cannot open file " + path + ": No such file or directory");
}

// Whatever the bytes, reading ends in a value or an EInOutError, never beyond the text.
TEST(WordReader, ArbitraryBytesNeverCrash)
{
    std::mt19937 random(7);
    const char alphabet[] = "0123456789.-+eE \t\r\n\x01x$";
    for (int t = 0; t < 2000; ++t) {
        std::string text;
        const int size = static_cast<int>(random() % 40);
        for (int i = 0; i < size; ++i)
            text += alphabet[random() % (sizeof alphabet - 1)];
        TWordReader reader = TWordReader::FromText(text);
        for (int step = 0; step < 100; ++step) {
            try {
                switch (random() % 4) {
                case 0: reader.ReadWord(); break;
                case 1: reader.ReadReal(); break;
                case 2: reader.ReadInteger(); break;
                default: reader.ReadLine(); break;
                }
            } catch (const EInOutError&) {
            }
            ASSERT_LE(reader.LineIndex(), reader.LineCount());
        }
    }
}

// The count of the words left, which refuses huge row counts, and the line
// where text resumes are taken from the bytes without splitting lines: both
// must agree with the lines as split, whatever the bytes.
TEST(WordReader, WordsLeftAndTextAheadAgreeWithTheSplitLines)
{
    std::mt19937 random(11);
    const char alphabet[] = "0. \t\r\n\x01\x1fx";
    for (int t = 0; t < 2000; ++t) {
        std::string text = t % 3 ? "" : "\xEF\xBB\xBF";
        const int size = static_cast<int>(random() % 30);
        for (int i = 0; i < size; ++i)
            text += alphabet[random() % (sizeof alphabet - 1)];
        TWordReader reader = TWordReader::FromText(text);
        const int skip = static_cast<int>(random() % 3);
        for (int i = 0; i < skip; ++i) {
            try {
                reader.ReadWord();
            } catch (const EInOutError&) {
            }
        }
        const TWordReader split = TWordReader::FromText(text);
        long long left = -reader.WordIndex();
        int ahead = -1;
        for (int i = reader.LineIndex(); i < split.LineCount(); ++i) {
            left += static_cast<long long>(split.Line(i).Words.size());
            if (ahead < 0 && i > reader.LineIndex() && !split.Line(i).Words.empty())
                ahead = i;
        }
        EXPECT_EQ(reader.RemainingWords(), reader.AtEnd() ? 0 : left) << t;
        EXPECT_EQ(reader.NextTextLine(), ahead) << t;
    }
}

TEST(WordReader, DirectoryIsAnInputOutputError)
{
    const std::string path = ::testing::TempDir();
    EXPECT_EQ(InOutMessage([&] { TWordReader reader(path); }), "Cannot read file " + path + ": Is a directory");
}

}  // namespace
