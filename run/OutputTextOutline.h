#pragma once
// The engine's output text as the calculation report reads it. The engine heads
// each analysis with its name between two rules of '=' and each block with a
// heading underlined by '-' of the same length; the headings below are the ones
// the report looks for, and the engine's writer heads its blocks with these same
// constants, so that the two cannot drift apart.
#include <string>
#include <vector>

namespace outputtext {

// Fields of the front lines ("Title:        ...").
inline constexpr const char* Engine = "Engine";
inline constexpr const char* RunStarted = "Run started";
inline constexpr const char* Title = "Title";
inline constexpr const char* Units = "Units";

// Block headings of the front matter.
inline constexpr const char* Method = "Method";
inline constexpr const char* InputError = "Input error";
// Block headings of each analysis.
inline constexpr const char* InputUsed = "Input used";
inline constexpr const char* ChoicesMade = "Choices made";
inline constexpr const char* Iterations = "Iterations";
inline constexpr const char* Maxima = "Maxima";
inline constexpr const char* SpringForces = "Spring forces (toward the excavation) and spring moments";
inline constexpr const char* RestraintReactions = "Restraint reactions";
inline constexpr const char* MomentJumps = "Moments just above and below nodes where couples act";
inline constexpr const char* Equilibrium = "Equilibrium of the whole wall";
inline constexpr const char* SpringTable = "Springs and anchors: forces since their installation";
inline constexpr const char* Warnings = "Warnings";
// The closing block of the whole run.
inline constexpr const char* Summary = "Summary";

}  // namespace outputtext

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
