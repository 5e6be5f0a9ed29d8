#pragma once
#include "units/Prompt.h"

class QWidget;

// The program's prompt: every message and question is a modal QMessageBox and
// every file choice a QFileDialog, parented to the window that asks.
class DialogPrompt : public Prompt {
public:
    // Message boxes and file dialogs are centred on `parent` (may be null).
    explicit DialogPrompt(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the next dialogs are centred on.
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Information(const std::string& text) override;
    Answer AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    Answer AskChoice(const std::string& text, const std::string& yes, const std::string& no) override;
    Answer AskChoiceOf(const std::string& text, const std::string& yes, const std::string& no,
                       const std::string& cancel) override;
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& initial) override;
    std::optional<std::string> OpenFileOfFilter(const std::string& title, const std::string& filter,
                                                const std::string& initial, int& filterIndex) override;
    // A name typed without an extension receives that of the chosen filter,
    // so the filter decides the format of what is written.
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& initial) override;

private:
    QWidget* parent_;
};
