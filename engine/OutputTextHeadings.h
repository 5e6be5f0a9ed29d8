#pragma once
// The headings of the engine's output text. The engine heads each analysis with
// its name between two rules of '=' and each block with a heading underlined by
// '-' of the same length; the writer heads its blocks with these constants, and
// whatever shows blocks of the text (the calculation report) finds them by the
// same constants, so that the two cannot drift apart.

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
