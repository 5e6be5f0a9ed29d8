#pragma once
#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

// The Active Curves dialog: chooses which curves take part in the graph. It
// edits `flags` (one entry per curve, " yes : " or " no  : "); `names` are the
// curves' legend texts. The graph window applies the flags only when accepted.
class TfrmActiveLines : public QDialog {
    Q_OBJECT
public:
    TfrmActiveLines(std::vector<std::string>& flags, const std::vector<std::string>& names,
                    QWidget* parent = nullptr);

    // The flag texts.
    static constexpr const char* Yes = " yes : ";
    static constexpr const char* No = " no  : ";

    // Switches item i between active and inactive.
    void Toggle(int i);

    // The controls, for the graph window's tests.
    QListWidget* lbLines() const { return lbLines_; }
    QPushButton* btnToggle() const { return btnToggle_; }
    QPushButton* btnAll() const { return btnAll_; }
    QPushButton* btnNone() const { return btnNone_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();
    void ToggleSelected();
    void SetAll(bool active);
    void Rebuild(int i);

    std::vector<std::string>& flags_;
    const std::vector<std::string>& names_;
    QLabel* lblTitle_;
    QLabel* lblActive_;
    QLabel* lblCurve_;
    QListWidget* lbLines_;
    QPushButton* btnToggle_;
    QPushButton* btnAll_;
    QPushButton* btnNone_;
    QPushButton* btnOk_;
    QPushButton* btnCancel_;
};
