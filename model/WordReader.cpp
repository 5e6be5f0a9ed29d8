#include "model/WordReader.h"

#include "units/DecimalReal.h"
#include "units/TorvikError.h"
#include "units/ValueRange.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <istream>
#include <iterator>
#include <limits>
#include <string_view>
#include <utility>

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Words are separated by runs of spaces and tabs; other characters with codes
// 0 to 32 only count at the ends of the line. `scratch` is reused from line to
// line so that each line's list is allocated once, at its final size.
void SplitWords(std::string_view line, std::vector<std::string_view>& scratch, std::vector<std::string>& words)
{
    scratch.clear();
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (end > begin && IsBlank(line[end - 1]))
        --end;
    while (begin < end && IsBlank(line[begin]))
        ++begin;
    while (begin < end) {
        std::size_t stop = begin;
        while (stop < end && line[stop] != ' ' && line[stop] != '\t')
            ++stop;
        scratch.push_back(line.substr(begin, stop - begin));
        begin = stop;
        while (begin < end && IsBlank(line[begin]))
            ++begin;
    }
    words.assign(scratch.begin(), scratch.end());
}

}  // namespace

TWordReader::TWordReader(const std::string& path)
{
    // A directory cannot be read as a file. On Linux it opens and then fails to
    // read, on Windows it fails to open with "Permission denied"; one message
    // for both names the cause.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw EInOutError("Cannot read file " + path + ": " + std::strerror(EISDIR));
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
    Load(std::move(content));
}

TWordReader::TWordReader(std::istream& in)
{
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EInOutError("The file could not be read.");
    Load(std::move(content));
}

TWordReader TWordReader::FromText(const std::string& text)
{
    TWordReader reader;
    reader.Load(text);
    return reader;
}

void TWordReader::Load(std::string content)
{
    content_ = std::move(content);
    // A byte-order mark that an editor put before the first line is no text of it.
    scanned_ = content_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    lines_.clear();
    // An empty file still has one (empty) line.
    if (scanned_ == content_.size())
        lines_.emplace_back();
    lineIndex_ = 0;
    wordIndex_ = 0;
    wordsBefore_ = 0;
    totalWords_ = -1;
}

long long TWordReader::RemainingWords() const
{
    if (totalWords_ < 0) {
        // Counted over the bytes, as SplitWords splits, without splitting any
        // line: a word starts at a character above 32 at the start of a line's
        // text or after blanks that hold a space or tab.
        totalWords_ = 0;
        const std::size_t from = content_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        bool lineStart = true;
        bool separated = false;
        for (std::size_t at = from; at < content_.size(); ++at) {
            const unsigned char c = static_cast<unsigned char>(content_[at]);
            if (c == '\r' || c == '\n') {
                lineStart = true;
                separated = false;
            } else if (c <= 32) {
                separated = separated || c == ' ' || c == '\t';
            } else {
                if (lineStart || separated)
                    ++totalWords_;
                lineStart = false;
                separated = false;
            }
        }
    }
    return AtEnd() ? 0 : totalWords_ - wordsBefore_ - wordIndex_;
}

bool TWordReader::Scanned(int index) const
{
    // A line ends at CR LF, at LF or at a lone CR; a line end at the very end
    // of the file starts no further line.
    std::vector<std::string_view> scratch;
    const std::string_view all(content_);
    while (static_cast<int>(lines_.size()) <= index && scanned_ < all.size()) {
        std::size_t end = scanned_;
        while (end < all.size() && all[end] != '\r' && all[end] != '\n')
            ++end;
        TWordContainer& line = lines_.emplace_back();
        line.Text.assign(all.substr(scanned_, end - scanned_));
        SplitWords(line.Text, scratch, line.Words);
        scanned_ = end;
        if (scanned_ < all.size() && all[scanned_] == '\r')
            ++scanned_;
        if (scanned_ < all.size() && all[scanned_] == '\n')
            ++scanned_;
    }
    return index >= 0 && index < static_cast<int>(lines_.size());
}

int TWordReader::LineCount() const
{
    Scanned(std::numeric_limits<int>::max() - 1);
    return static_cast<int>(lines_.size());
}

const TWordContainer& TWordReader::Line(int index) const
{
    Scanned(index);
    return lines_.at(static_cast<std::size_t>(index));
}

int TWordReader::NextTextLine() const
{
    for (int i = lineIndex_ + 1; i < static_cast<int>(lines_.size()); ++i)
        if (!lines_[static_cast<std::size_t>(i)].Words.empty())
            return i;
    // The lines not yet split: a line holds a word when it holds a character above 32.
    int line = std::max(static_cast<int>(lines_.size()), lineIndex_ + 1);
    int index = static_cast<int>(lines_.size());
    for (std::size_t at = scanned_; at < content_.size(); ++at) {
        const char c = content_[at];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && at + 1 < content_.size() && content_[at + 1] == '\n')
                ++at;
            ++index;
        } else if (static_cast<unsigned char>(c) > 32 && index >= line) {
            return index;
        }
    }
    return -1;
}

void TWordReader::Fail(const std::string& what) const
{
    throw EInOutError("Error on Line " + std::to_string(lineIndex_ + 1) + " Item " + std::to_string(wordIndex_) +
                      "\r" + what);
}

std::string TWordReader::ReadWord()
{
    return NextWord();
}

const std::string& TWordReader::NextWord()
{
    // Move on by one line at most: a blank line is not passed over.
    if (!AtEnd() && wordIndex_ == static_cast<int>(lines_[static_cast<std::size_t>(lineIndex_)].Words.size())) {
        wordsBefore_ += wordIndex_;
        wordIndex_ = 0;
        ++lineIndex_;
    }
    if (AtEnd())
        throw EInOutError("This file either invalid or incomplete.");
    const auto& words = lines_[static_cast<std::size_t>(lineIndex_)].Words;
    if (words.empty())
        throw EInOutError("Error on Line " + std::to_string(lineIndex_ + 1) + " Item 1\r" +
                          "A value was expected but the line is blank.");
    return words[wordIndex_++];
}

long double TWordReader::ReadReal()
{
    const std::string& word = NextWord();
    long double value = 0;
    if (ParseDecimalReal(word, value) != DecimalStatus::Ok)
        Fail("A floating point number was expected but not found.");
    if (!InValueRange(value))
        Fail("A number from " + ValueRangeText() + " was expected but not found.");
    return value;
}

std::int32_t TWordReader::ReadInteger()
{
    const std::string& word = NextWord();
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
    std::string text = lines_[static_cast<std::size_t>(lineIndex_)].Text;
    wordsBefore_ += static_cast<long long>(lines_[static_cast<std::size_t>(lineIndex_)].Words.size());
    ++lineIndex_;
    wordIndex_ = 0;
    return text;
}
