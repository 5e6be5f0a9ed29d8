#pragma once
#include "ui/dialogs/InputDialog.h"

#include <functional>

class QLineEdit;
class QPushButton;

// "Control Options": the program that shows text files (the data file, the
// run notes, the output), kept in the user's settings by the main window.
class TDlgOptions : public TInputDialog {
    Q_OBJECT
public:
    // `get` and `set` read and replace the main window's text editor path.
    TDlgOptions(TWallDocument& document, std::function<QString()> get, std::function<void(const QString&)> set,
                QWidget* parent = nullptr);

    QLineEdit* edtEditor() const { return edtEditor_; }
    QPushButton* btnBrowse() const { return btnBrowse_; }
    // The file dialog's filter: programs on Windows, every file elsewhere,
    // where programs carry no extension.
    static QString ProgramFilter();

protected:
    void Load(const TProgramData& wall) override;
    void Store(TProgramData& wall) override;

private:
    void BrowseClick();

    std::function<QString()> get_;
    std::function<void(const QString&)> set_;
    QLineEdit* edtEditor_;
    QPushButton* btnBrowse_;
};
