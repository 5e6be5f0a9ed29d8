#pragma once
#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <vector>

// Reading the values of the settings file beside a wall: each value of an
// entry taken by its key when it is there and of the kind it must be, and the
// line of the text a faulty key lies on, so that a message can name both.
namespace settings_fields {

// A value of a settings entry that cannot be taken: the key it was found
// under and what is wrong with it.
struct TSettingsFieldFault {
    std::string key;
    std::string what;
};

// Throws the fault "\"key\" what".
[[noreturn]] void BadField(const char* key, const std::string& what);
// Throws the fault `what` under `key` unless `condition` holds.
void Require(bool condition, const char* key, const std::string& what);

// The text of a JSON value as it stands in the file, shortened.
std::string Shown(const nlohmann::json& value);

// Each reads the value of `key` when `object` has it and leaves `value` as it
// is when not; a value of the wrong kind or out of range throws the fault.
// Any finite real (the reader refuses one beyond the range of 8-byte reals before this).
void TakeReal(const nlohmann::json& object, const char* key, double& value);
// A node number: a whole number from 0 to the largest node a wall can have (a
// 32-bit integer), never one wrapped around or cut to fit.
void TakeNode(const nlohmann::json& object, const char* key, int& value);
void TakeBool(const nlohmann::json& object, const char* key, bool& value);
// A text of at most 200 characters.
void TakeName(const nlohmann::json& object, const char* key, std::string& value);
// A list of whole numbers of at least `lowest` (rows or nodes), kept rising without repeats.
void TakeWholeList(const nlohmann::json& object, const char* key, int lowest, std::vector<int>& values);

// The line of a byte offset in a text (1 for the first).
int LineOf(const std::string& text, std::size_t offset);
// The line of a key's first appearance (0 when absent).
int LineOfKey(const std::string& text, const std::string& key);
// The line of `field` inside entry `index` of the array `key` (the entry's own
// line when the field is not found in it).
int LineOfField(const std::string& text, const std::string& key, std::size_t index, const std::string& field);

}  // namespace settings_fields
