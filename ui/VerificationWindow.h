#pragma once
#include <QDialog>

#include <string>

class QLabel;
class QTreeWidget;

// Help > Verification: runs the built-in verification cases through the engine
// and shows each computed value beside its reference, grouped, with failures
// marked; modeless, one at a time. The cases run in torvik-cli verify of the
// program's directory, a process of their own: the walls they build need the
// wall tables that the program's open wall holds, and an engine fault cannot
// take the program down with it.
class TVerificationWindow : public QDialog {
public:
    // `programDirectory` holds torvik-cli (default: the running program's directory).
    explicit TVerificationWindow(QWidget* parent = nullptr, const std::string& programDirectory = "");

    // Shows the window of `parent`, creating it and running the cases the
    // first time, bringing it to the front afterwards.
    static TVerificationWindow* Show(QWidget* parent, const std::string& programDirectory = "");

    // Runs the cases again and refills the table.
    void RunCases();

    QTreeWidget* Table() const { return table_; }
    QLabel* Summary() const { return summary_; }

private:
    std::string programDirectory_;
    QTreeWidget* table_;
    QLabel* summary_;
};
