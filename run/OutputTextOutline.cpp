#include "run/OutputTextOutline.h"

#include <algorithm>

namespace {

bool IsRule(const std::string& line, char c)
{
    return line.size() >= 3 && std::all_of(line.begin(), line.end(), [c](char x) { return x == c; });
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

void TrimTrailingEmpty(std::vector<std::string>& lines)
{
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
}

}  // namespace

const OutputTextBlock* OutputTextSection::Find(const std::string& heading) const
{
    for (const OutputTextBlock& b : blocks)
        if (b.heading == heading)
            return &b;
    return nullptr;
}

std::string OutputTextOutline::Field(const std::string& key) const
{
    for (const std::string& l : front)
        if (l.compare(0, key.size() + 1, key + ':') == 0) {
            const size_t first = l.find_first_not_of(' ', key.size() + 1);
            const size_t last = l.find_last_not_of(' ');
            return first == std::string::npos ? std::string() : l.substr(first, last - first + 1);
        }
    return {};
}

OutputTextOutline ParseOutputText(const std::string& text)
{
    const std::vector<std::string> lines = SplitLines(text);
    OutputTextOutline out;
    out.sections.emplace_back();
    OutputTextBlock* block = nullptr;
    for (size_t i = 2; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (IsRule(l, '=') && i + 2 < lines.size() && IsRule(lines[i + 2], '=')) {
            out.sections.push_back(OutputTextSection{lines[i + 1], {}});
            block = nullptr;
            i += 2;
        } else if (i + 1 < lines.size() && !l.empty() && IsRule(lines[i + 1], '-') && lines[i + 1].size() == l.size()) {
            if (l == outputtext::Summary) {
                block = &out.summary;
            } else {
                out.sections.back().blocks.push_back(OutputTextBlock{l, {}});
                block = &out.sections.back().blocks.back();
            }
            ++i;
        } else if (block) {
            if (!l.empty() || !block->lines.empty())
                block->lines.push_back(l);
        } else if (out.sections.size() == 1 && !l.empty()) {
            out.front.push_back(l);
        }
    }
    for (OutputTextSection& s : out.sections)
        for (OutputTextBlock& b : s.blocks)
            TrimTrailingEmpty(b.lines);
    TrimTrailingEmpty(out.summary.lines);
    return out;
}
