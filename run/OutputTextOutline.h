#pragma once
// The engine's output text cut into its parts, for the calculation report,
// which shows blocks of it as the engine wrote them (the input echo, the method,
// the choices made). The results themselves travel as values (SectionResult);
// nothing here reads a number out of the text.
#include "engine/OutputTextHeadings.h"

#include <string>
#include <vector>

// A headed block: its heading and its lines, without trailing empty lines.
struct OutputTextBlock {
    std::string heading;
    std::vector<std::string> lines;
};

// One analysis ("Stage 2 of 3") or, first, the front matter (no name).
struct OutputTextSection {
    std::string name;
    std::vector<OutputTextBlock> blocks;
    // The block with this heading, or null.
    const OutputTextBlock* Find(const std::string& heading) const;
};

// The whole text cut into its parts.
struct OutputTextOutline {
    std::vector<std::string> front;          // the lines before the first heading
    std::vector<OutputTextSection> sections;  // [0]: the front matter's blocks (Method)
    OutputTextBlock summary;
    // The value of a front line "key: value", trimmed; empty when there is none.
    std::string Field(const std::string& key) const;
};

// Cuts the output text (lines ended by "\r\n" or "\n") into its parts; the
// first two lines (the program's title and its rule) are skipped.
OutputTextOutline ParseOutputText(const std::string& text);
