#include "model/WordReader.h"

#include "units/DecimalReal.h"
#include "units/TorvikError.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <istream>
#include <iterator>

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Removes characters with codes 0 to 32 from the front of `text`, from `from` on.
std::size_t SkipBlanks(const std::string& text, std::size_t from, std::size_t end)
{
    while (from < end && IsBlank(text[from]))
        ++from;
    return from;
}

// Words are separated by runs of spaces and tabs; other control characters
// only count at the ends of the line.
std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::size_t end = line.size();
    while (end > 0 && IsBlank(line[end - 1]))
        --end;
    std::size_t at = SkipBlanks(line, 0, end);
    while (at < end) {
        const std::size_t separator = line.find_first_of(" \t", at);
        if (separator == std::string::npos || separator >= end) {
            words.push_back(line.substr(at, end - at));
            break;
        }
        words.push_back(line.substr(at, separator - at));
        at = SkipBlanks(line, separator, end);
    }
    return words;
}

}  // namespace

TWordReader::TWordReader(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw EInOutError("Cannot open file " + path + ": " + std::strerror(errno));
    std::string content;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, n);
    const int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error)
        throw EInOutError("Cannot read file " + path + ": " + std::strerror(error));
    Load(content);
}

TWordReader::TWordReader(std::istream& in)
{
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EInOutError("The file could not be read.");
    Load(content);
}

TWordReader TWordReader::FromText(const std::string& text)
{
    TWordReader reader;
    reader.Load(text);
    return reader;
}

void TWordReader::Load(const std::string& content)
{
    // A line ends at CR LF, at LF or at a lone CR; a line end at the very end
    // of the file starts no further line.
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = content.size();
        TWordContainer line;
        line.Text = content.substr(at, end - at);
        line.Words = SplitWords(line.Text);
        lines_.push_back(std::move(line));
        at = end;
        if (at < content.size() && content[at] == '\r')
            ++at;
        if (at < content.size() && content[at] == '\n')
            ++at;
    }
    if (lines_.empty())
        lines_.emplace_back();
    lineIndex_ = 0;
    wordIndex_ = 0;
}

void TWordReader::Fail(const std::string& what) const
{
    throw EInOutError("Error on Line " + std::to_string(lineIndex_ + 1) + " Item " + std::to_string(wordIndex_) +
                      "\r" + what);
}

std::string TWordReader::ReadWord()
{
    // Move on by one line at most: a blank line is not passed over.
    if (!AtEnd() && wordIndex_ == static_cast<int>(lines_[lineIndex_].Words.size())) {
        wordIndex_ = 0;
        ++lineIndex_;
    }
    if (AtEnd())
        throw EInOutError("This file either invalid or incomplete.");
    const auto& words = lines_[lineIndex_].Words;
    if (words.empty())
        throw EInOutError("Error on Line " + std::to_string(lineIndex_ + 1) + " Item 1\r" +
                          "A value was expected but the line is blank.");
    return words[wordIndex_++];
}

long double TWordReader::ReadReal()
{
    const std::string word = ReadWord();
    long double value = 0;
    if (ParseDecimalReal(word, value) != DecimalStatus::Ok)
        Fail("A floating point number was expected but not found.");
    return value;
}

std::int32_t TWordReader::ReadInteger()
{
    const std::string word = ReadWord();
    long double value = 0;
    if (ParseDecimalReal(word, value) != DecimalStatus::Ok || value != std::trunc(value) || value < -2147483648.0L ||
        value > 2147483647.0L)
        Fail("An integer was expected but not found.");
    return static_cast<std::int32_t>(value);
}

std::string TWordReader::ReadLine()
{
    if (AtEnd())
        throw EInOutError("Error on Line " + std::to_string(lineIndex_ + 1) + "\r" +
                          "A line was expected but the file ended.");
    std::string text = lines_[lineIndex_].Text;
    ++lineIndex_;
    wordIndex_ = 0;
    return text;
}
