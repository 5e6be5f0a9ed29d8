#pragma once
#include <QDialog>

#include <string>
#include <vector>

class Prompt;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The Legend dialog: renames the curves of a graph. It edits `names` (one entry
// per curve) and copies its list back into it however it is closed; the graph
// window applies the names only when the dialog was accepted.
class TfrmLineNames : public QDialog {
    Q_OBJECT
public:
    TfrmLineNames(std::vector<std::string>& names, Prompt& prompt, QWidget* parent = nullptr);

    // The controls, for the graph window's tests.
    QListWidget* lbLines() const { return lbLines_; }
    QLineEdit* edLine() const { return edLine_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();
    void ShowSelected();
    // Takes the text field into the selected entry; an empty text is refused.
    void CommitText();

    std::vector<std::string>& names_;
    Prompt& prompt_;
    QLabel* lblSelect_;
    QLabel* lblType_;
    QListWidget* lbLines_;
    QLineEdit* edLine_;
    QPushButton* btnOk_;
    QPushButton* btnCancel_;
    bool committing_ = false;
};
