#include "units/ScriptedPrompt.h"

void ScriptedPrompt::Information(const std::string& text)
{
    shown.push_back(text);
}

Prompt::Answer ScriptedPrompt::AskYesNo(const std::string& text)
{
    shown.push_back(text);
    if (answers.empty())
        return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

Prompt::Answer ScriptedPrompt::AskYesNoCancel(const std::string& text)
{
    return AskYesNo(text);
}

std::optional<std::string> ScriptedPrompt::OpenFileName(const std::string& title, const std::string&,
                                                        const std::string& initial)
{
    shown.push_back(title);
    initialNames.push_back(initial);
    if (fileNames.empty())
        return std::nullopt;
    std::string name = fileNames.front();
    fileNames.pop_front();
    return name;
}

std::optional<std::string> ScriptedPrompt::SaveFileName(const std::string& title, const std::string& filter,
                                                        const std::string& initial)
{
    return OpenFileName(title, filter, initial);
}

std::optional<std::string> ScriptedPrompt::OpenFileOfFilter(const std::string& title, const std::string& filter,
                                                            const std::string& initial, int& filterIndex)
{
    filterIndex = 0;
    if (!filterIndexes.empty()) {
        filterIndex = filterIndexes.front();
        filterIndexes.pop_front();
    }
    return OpenFileName(title, filter, initial);
}
