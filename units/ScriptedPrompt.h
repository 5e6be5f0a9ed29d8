#pragma once
#include "units/Prompt.h"

#include <deque>
#include <string>
#include <vector>

// A prompt that answers from a script and records what it was shown: the fake
// that tests use in place of message boxes, and the command line's collector
// of messages.
class ScriptedPrompt : public Prompt {
public:
    void Information(const std::string& text) override;
    Answer AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& initial) override;
    // Answers with the next of `filterIndexes` (0 when none is left).
    std::optional<std::string> OpenFileOfFilter(const std::string& title, const std::string& filter,
                                                const std::string& initial, int& filterIndex) override;
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& initial) override;

    // Answers given to the next questions, in order; an empty queue answers No.
    std::deque<Answer> answers;
    // Names given to the next file dialogs, in order; an empty queue cancels.
    std::deque<std::string> fileNames;
    // Filters chosen in the next open dialogs that list several (numbered from 1).
    std::deque<int> filterIndexes;
    // Every text shown (messages and questions), in order.
    std::vector<std::string> shown;
    // The name or folder every file dialog started with, in order.
    std::vector<std::string> initialNames;
};
