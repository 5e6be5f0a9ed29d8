#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

// One line of a text file: its words in order and its full text as read.
struct TWordContainer {
    std::vector<std::string> Words;
    std::string Text;  // untrimmed
};

// The reader of every text file the program reads. The file is loaded whole
// and split into lines of words; words are then handed out one at a time as
// text, reals or integers. Position alone gives a word its meaning, so every
// failure is an EInOutError whose message names the line and the item.
class TWordReader {
public:
    // Loads the file at `path` completely; EInOutError when it cannot be read.
    explicit TWordReader(const std::string& path);
    // Loads the lines of an open stream.
    explicit TWordReader(std::istream& in);
    // A reader over text held in memory.
    static TWordReader FromText(const std::string& text);

    // The next word; it may lie on the next line, never further.
    std::string ReadWord();
    // The next word as a real with a full stop as decimal separator, within
    // the range of every value (units/ValueRange.h).
    long double ReadReal();
    // The next word as a whole number in the 32-bit range ("3.0" reads as 3).
    std::int32_t ReadInteger();
    // The full text of the current line, untrimmed; then moves to the next line.
    std::string ReadLine();
    // True when every line has been passed.
    bool AtEnd() const { return !Scanned(lineIndex_); }

    // 0-based index of the current line.
    int LineIndex() const { return lineIndex_; }
    // Number of words already taken from the current line.
    int WordIndex() const { return wordIndex_; }
    // Number of words from the current position to the end of the file.
    long long RemainingWords() const;
    // Number of lines loaded; at least 1.
    int LineCount() const;
    // Line `index` (0-based) as loaded.
    const TWordContainer& Line(int index) const;
    // The index (0-based) of the first line after the current one that holds
    // more than blanks; -1 when there is none. Lines are not split for it.
    int NextTextLine() const;

private:
    TWordReader() = default;
    void Load(std::string content);
    // The next word, without copying it.
    const std::string& NextWord();
    // "Error on Line L Item I" followed by a carriage return and `what`.
    [[noreturn]] void Fail(const std::string& what) const;

    // Splits lines up to line `index` when they were not yet; true when that line exists.
    bool Scanned(int index) const;

    // Lines are split into words as reading reaches them, so that text after
    // what a reader takes costs nothing but its loading. A deque: a line once
    // handed out stays where it is.
    std::string content_;
    mutable std::size_t scanned_ = 0;  // the byte where the next line to split starts
    mutable std::deque<TWordContainer> lines_;
    int lineIndex_ = 0;
    int wordIndex_ = 0;
    long long wordsBefore_ = 0;  // words of the lines before the current one
    mutable long long totalWords_ = -1;  // words of the whole file; -1 until counted
};
