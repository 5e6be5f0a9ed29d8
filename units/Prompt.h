#pragma once
#include <optional>
#include <string>

// Every question or message to the user goes through this interface, so that
// the core never shows a window and tests can answer in place of a person.
class Prompt {
public:
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompt() = default;

    // An information message box with a single OK button.
    virtual void Information(const std::string& text) = 0;
    // A question answered with Yes or No.
    virtual Answer AskYesNo(const std::string& text) = 0;
    // A question answered with Yes, No or Cancel.
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    // The same question whose Yes and No buttons carry the texts `yes` and
    // `no` (such as "Overwrite" and "Save As..."); a prompt without button
    // texts of its own asks it as AskYesNoCancel.
    virtual Answer AskChoice(const std::string& text, const std::string& yes, const std::string& no)
    {
        (void)yes;
        (void)no;
        return AskYesNoCancel(text);
    }
    // The same with a text of its own for the third button, `cancel` (such as
    // "Keep for Later"); a prompt without button texts asks it as AskChoice.
    virtual Answer AskChoiceOf(const std::string& text, const std::string& yes, const std::string& no,
                               const std::string& cancel)
    {
        (void)cancel;
        return AskChoice(text, yes, no);
    }
    // The file-open dialog; no value when the user cancels. `filter` uses Qt's
    // "Description (*.ext)" form, entries separated by ";;".
    virtual std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                                    const std::string& initial) = 0;
    // The file-open dialog whose `filter` lists several formats: `filterIndex`
    // receives the number (from 1) of the filter the user chose, 0 when unknown.
    virtual std::optional<std::string> OpenFileOfFilter(const std::string& title, const std::string& filter,
                                                        const std::string& initial, int& filterIndex)
    {
        filterIndex = 0;
        return OpenFileName(title, filter, initial);
    }
    // The file-save dialog; no value when the user cancels.
    virtual std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                                    const std::string& initial) = 0;
};
