#pragma once
#include <QDialog>

class QLabel;
class QTreeWidget;

// Help > Verification: runs the built-in verification cases through the engine
// (the same cases as torvik-cli verify) and shows each computed value beside
// its reference, grouped, with failures marked; modeless, one at a time.
class TVerificationWindow : public QDialog {
public:
    explicit TVerificationWindow(QWidget* parent = nullptr);

    // Shows the window of `parent`, creating it and running the cases the
    // first time, bringing it to the front afterwards.
    static TVerificationWindow* Show(QWidget* parent);

    // Runs the cases again and refills the table.
    void RunCases();

    QTreeWidget* Table() const { return table_; }
    QLabel* Summary() const { return summary_; }

private:
    QTreeWidget* table_;
    QLabel* summary_;
};
