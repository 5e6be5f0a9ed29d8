#pragma once
#include <string>

class Prompt;
class QWidget;

// Shows a rejected entry's message through `prompt`, or in an information
// message box over `field` when the field was given no prompt.
void ShowEntryMessage(Prompt* prompt, QWidget* field, const std::string& message);
