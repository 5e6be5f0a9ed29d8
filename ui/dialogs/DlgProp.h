#pragma once
#include "ui/dialogs/InputDialog.h"

class QPushButton;

// "Wall Properties": the analysis control (increments, iteration limits) and
// the free height of the wall; its button opens the wall stiffness table.
class TDlgProp : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgProp(TWallDocument& document, QWidget* parent = nullptr);

    TDataEdit* deNI() const { return deNI_; }
    TDataEdit* deXGS() const { return deXGS_; }
    TDataEdit* deXLN() const { return deXLN_; }
    TDataEdit* deSlope() const { return deSlope_; }
    TDataEdit* DeFH() const { return DeFH_; }
    QPushButton* btnSection() const { return btnSection_; }

private:
    TDataEdit* deNI_;
    TDataEdit* deXGS_;
    TDataEdit* deXLN_;
    TDataEdit* deSlope_;
    TDataEdit* DeFH_;
    QPushButton* btnSection_;
};
