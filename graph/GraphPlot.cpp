#include "graph/GraphPlot.h"

#include "units/NumberFormat.h"
#include "units/Units.h"

#include <algorithm>

namespace {

void ReplaceAll(std::string& text, const std::string& token, const std::string& by)
{
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + by.size()))
        text.replace(at, token.size(), by);
}

// Replaces one token kind of a family: the first of `tokens` (most specific
// first) that occurs in the text, every occurrence of it, and nothing else.
void ExpandFamily(std::string& text, const char* const tokens[3], const char* const labels[3])
{
    for (int k = 0; k < 3; ++k) {
        if (text.find(tokens[k]) != std::string::npos) {
            ReplaceAll(text, tokens[k], labels[k]);
            return;
        }
    }
}

}  // namespace

TLine::TLine(TGraphPlot* owner) : Value(1.0L + (owner ? owner->LineCount() : 0)), owner_(owner) {}

void TLine::SetPointCount(int n)
{
    Points.resize(static_cast<size_t>(std::max(n, 0)));
}

std::string TLine::GetName() const
{
    if (!Name.empty())
        return Name;
    const int k = owner_ ? owner_->IndexOf(this) : -1;
    if (k >= 0 && k < static_cast<int>(owner_->LineNames.size()))
        return owner_->LineNames[static_cast<size_t>(k)];
    return (owner_ ? owner_->CurveName : std::string()) + FormatGeneral(Value, 15);
}

TGraphPlot::TGraphPlot() = default;
TGraphPlot::~TGraphPlot() = default;

void TGraphPlot::SetUnits(UnitSystem units)
{
    units_ = units;
}

void TGraphPlot::SetCount(LineList& list, int n)
{
    const size_t target = static_cast<size_t>(std::max(n, 0));
    if (list.size() > target)
        list.resize(target);
    while (list.size() < target)
        list.push_back(std::make_unique<TLine>(this));
}

int TGraphPlot::FirstCount(const LineList& list)
{
    return list.empty() ? 0 : list.front()->PointCount();
}

void TGraphPlot::SetPoints(LineList& list, int n)
{
    for (auto& line : list)
        line->SetPointCount(n);
}

int TGraphPlot::IndexOf(const TLine* line) const
{
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].get() == line)
            return static_cast<int>(i);
    return -1;
}

void TGraphPlot::Execute()
{
    if (!plotForm_) {
        if (!windowFactory_)
            return;
        plotForm_ = windowFactory_(*this);
        if (!plotForm_)
            return;
    }
    plotForm_->ShowWindow();
}

std::string ExpandUnitTemplate(const std::string& unitTemplate, UnitSystem units)
{
    static const char* const forceTokens[3] = {"F2", "F1", "F"};
    static const char* const lengthTokens[3] = {"L2", "L1", "L"};
    static const char* const englishForce[3] = {"tons", "kips", "lbs"};
    static const char* const siForce[3] = {"kN", "kN", "kN"};
    static const char* const englishLength[3] = {"ft", "in", "in"};
    static const char* const siLength[3] = {"m", "mm", "m"};
    if (units != UnitSystem::English && units != UnitSystem::SI)
        return unitTemplate;
    std::string text = unitTemplate;
    // Force tokens first, then length tokens; the labels are lower case or
    // "kN", so a label never holds a token of the other family.
    ExpandFamily(text, forceTokens, units == UnitSystem::English ? englishForce : siForce);
    ExpandFamily(text, lengthTokens, units == UnitSystem::English ? englishLength : siLength);
    return text;
}

std::string AxisCaption(const std::string& caption, const std::string& unitTemplate, UnitSystem units)
{
    if (unitTemplate.empty())
        return caption;
    return caption + " (" + ExpandUnitTemplate(unitTemplate, units) + ")";
}
