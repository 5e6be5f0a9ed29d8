#include "model/SettingsJsonFields.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

using nlohmann::json;

namespace settings_fields {

void BadField(const char* key, const std::string& what)
{
    throw TSettingsFieldFault{key, "\"" + std::string(key) + "\" " + what};
}

// The text of a JSON value as it stands in the file, shortened.
std::string Shown(const json& value)
{
    std::string text = value.dump();
    return text.size() > 40 ? text.substr(0, 37) + "..." : text;
}

// Reads a number when it is there: any finite real (the reader refuses one
// beyond the range of 8-byte reals before this).
void TakeReal(const json& object, const char* key, double& value)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    if (!it->is_number())
        BadField(key, "has a value of the wrong kind (a number is needed, not " + Shown(*it) + ")");
    value = it->get<double>();
    if (!std::isfinite(value))
        BadField(key, "must be a finite number");
}

// Reads a node number: a whole number from 0 to the largest node a wall can
// have (a 32-bit integer), never one wrapped around or cut to fit.
void TakeNode(const json& object, const char* key, int& value)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    const bool whole =
        it->is_number_integer() || (it->is_number_float() && std::trunc(it->get<double>()) == it->get<double>());
    if (!whole)
        BadField(key, "has a value of the wrong kind (a whole number is needed, not " + Shown(*it) + ")");
    const double asReal = it->get<double>();
    if (asReal < 0 || asReal > std::numeric_limits<int>::max() ||
        (it->is_number_unsigned() &&
         it->get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<int>::max())))
        BadField(key, "must be a node number from 0 to " + std::to_string(std::numeric_limits<int>::max()) + ", not " +
                          Shown(*it));
    value = it->is_number_integer() ? static_cast<int>(it->get<std::int64_t>()) : static_cast<int>(asReal);
}

void TakeBool(const json& object, const char* key, bool& value)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    if (!it->is_boolean())
        BadField(key, "has a value of the wrong kind (true or false is needed, not " + Shown(*it) + ")");
    value = it->get<bool>();
}

constexpr std::size_t kMaxNameLength = 200;

void TakeName(const json& object, const char* key, std::string& value)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    if (!it->is_string())
        BadField(key, "has a value of the wrong kind (a text is needed, not " + Shown(*it) + ")");
    value = it->get<std::string>();
    if (value.size() > kMaxNameLength)
        BadField(key, "must not be longer than " + std::to_string(kMaxNameLength) + " characters");
}

void Require(bool condition, const char* key, const std::string& what)
{
    if (!condition)
        throw TSettingsFieldFault{key, what};
}

// Reads a list of whole numbers of at least `lowest` (rows or nodes), kept rising without repeats.
void TakeWholeList(const json& object, const char* key, int lowest, std::vector<int>& values)
{
    auto it = object.find(key);
    if (it == object.end())
        return;
    if (!it->is_array())
        BadField(key, "must be a list of whole numbers, not " + Shown(*it));
    values.clear();
    for (const json& entry : *it) {
        int value = 0;
        TakeNode(json{{key, entry}}, key, value);
        if (value < lowest)
            BadField(key, "must hold whole numbers from " + std::to_string(lowest) + ", not " + Shown(entry));
        values.push_back(value);
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

// The line of a byte offset in a text (1 for the first).
int LineOf(const std::string& text, size_t offset)
{
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

// The line of a key's first appearance (0 when absent).
int LineOfKey(const std::string& text, const std::string& key)
{
    const size_t at = text.find("\"" + key + "\"");
    return at == std::string::npos ? 0 : LineOf(text, at);
}

// The line of `field` inside entry `index` of the array `key` (the entry's own
// line when the field is not found in it).
int LineOfField(const std::string& text, const std::string& key, size_t index, const std::string& field)
{
    size_t at = text.find("\"" + key + "\"");
    for (size_t i = 0; at != std::string::npos && i <= index; ++i)
        at = text.find('{', at + 1);
    if (at == std::string::npos)
        return 0;
    const size_t end = text.find('}', at);
    const size_t found = field.empty() ? std::string::npos : text.find("\"" + field + "\"", at);
    return LineOf(text, found != std::string::npos && found < end ? found : at);
}

}  // namespace settings_fields
