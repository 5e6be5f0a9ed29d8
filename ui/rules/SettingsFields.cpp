#include "ui/rules/SettingsFields.h"

#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/Units.h"

namespace {

double Factor(const char* dimension, UnitSystem from, UnitSystem to)
{
    if (!dimension || !*dimension)
        return 1;
    return static_cast<double>(ConversionFactor(from, to, dimension));
}

}  // namespace

double ShownSetting(double si, const char* dimension, UnitSystem unitSystem)
{
    return si * Factor(dimension, UnitSystem::SI, unitSystem);
}

double StoredSetting(double shown, const char* dimension, UnitSystem unitSystem)
{
    return shown * Factor(dimension, unitSystem, UnitSystem::SI);
}

std::string SettingCaption(const char* caption, const char* dimension, UnitSystem unitSystem, const char* unitText)
{
    const std::string unit = dimension && *dimension ? UnitLabel(dimension, unitSystem) : unitText;
    return unit.empty() ? std::string(caption) : std::string(caption) + " (" + unit + ")";
}

std::string SettingText(double si, const char* dimension, UnitSystem unitSystem)
{
    return FormatFloat8(ShownSetting(si, dimension, unitSystem));
}

std::string ReadSettingEntry(const std::string& typed, double& value)
{
    try {
        value = static_cast<double>(EvaluateEntry(typed));
    } catch (const TorvikError& e) {
        return e.what();
    }
    return {};
}

std::string ReadStoredSetting(const std::string& typed, const char* dimension, UnitSystem unitSystem,
                              const std::function<std::string(double)>& problem, double& value)
{
    double shown = 0;
    if (std::string unreadable = ReadSettingEntry(typed, shown); !unreadable.empty())
        return unreadable;
    const double stored = StoredSetting(shown, dimension, unitSystem);
    if (std::string refused = problem(stored); !refused.empty())
        return refused;
    value = stored;
    return {};
}
