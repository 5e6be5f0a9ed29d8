#pragma once
#include <QDialog>

class TWallDocument;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TDataEdit;

// "Staged Construction Options": whether the open wall is analysed in stages,
// and how many (2 to 5). OK creates, rewrites or deletes the stage files
// beside the data file; Cancel changes nothing. Messages go through the
// document's prompt.
class TDlgStaged : public QDialog {
    Q_OBJECT
public:
    explicit TDlgStaged(TWallDocument& document, QWidget* parent = nullptr);

    QPlainTextEdit* memExplanation() const { return memExplanation_; }
    QCheckBox* ChkStaged() const { return chkStaged_; }
    TDataEdit* deStages() const { return deStages_; }
    QLabel* lblStages() const { return lblStages_; }
    QToolButton* btnUp() const { return btnUp_; }
    QToolButton* btnDown() const { return btnDown_; }
    QPushButton* btnOK() const { return btnOK_; }
    QPushButton* btnCancel() const { return btnCancel_; }

    // The explanatory text, one line per entry.
    static QString ExplanationText();

signals:
    // OK changed the stages of the wall (or tried to): the main window shows
    // the stage status, the Stage Construction menu and the stage buttons anew.
    void StagesChanged();

protected:
    // OK: checks the count and hands it to the wall's stage files.
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChkStagedClick(bool checked);
    // The spin buttons: one stage more (at most 5) or fewer (at least 2).
    void Step(int by);
    void EnableCount(bool enabled);

    TWallDocument& document_;
    QPlainTextEdit* memExplanation_;
    QCheckBox* chkStaged_;
    QLabel* lblStages_;
    TDataEdit* deStages_;
    QToolButton* btnUp_;
    QToolButton* btnDown_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};
