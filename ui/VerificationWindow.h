#pragma once
#include "verify/Verification.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QTreeWidget;

// Help > Verification: runs the built-in verification cases through the engine
// and shows each computed value beside its reference, grouped, with failures
// marked; modeless, one at a time. The cases run in the program itself: the
// walls they build are documents of their own beside the one the user has open.
class TVerificationWindow : public QDialog {
public:
    // What runs the cases (the built-in verification unless a test gives another).
    using Runner = std::function<std::vector<VerificationCase>()>;

    explicit TVerificationWindow(QWidget* parent = nullptr, Runner run = RunVerification);

    // Shows the window of `parent`, creating it and running the cases the
    // first time, bringing it to the front afterwards.
    static TVerificationWindow* Show(QWidget* parent);

    // Runs the cases again and refills the table.
    void RunCases();

    QTreeWidget* Table() const { return table_; }
    QLabel* Summary() const { return summary_; }

private:
    Runner run_;
    QTreeWidget* table_;
    QLabel* summary_;
};
