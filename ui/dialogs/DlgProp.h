#pragma once
#include "ui/dialogs/InputDialog.h"

class QPushButton;

// "Wall Properties": the analysis control (increments, iteration limits) and
// the free height of the wall; its button opens the wall stiffness table.
class TDlgProp : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgProp(TWallDocument& document, QWidget* parent = nullptr);

    TDataEdit* Increments() const { return increments_; }
    TDataEdit* IncrementLength() const { return incrementLength_; }
    TDataEdit* MaximumDeflection() const { return maximumDeflection_; }
    TDataEdit* ClosureTolerance() const { return closureTolerance_; }
    TDataEdit* FreeHeight() const { return freeHeight_; }
    QPushButton* btnSection() const { return btnSection_; }

private:
    TDataEdit* increments_;
    TDataEdit* incrementLength_;
    TDataEdit* maximumDeflection_;
    TDataEdit* closureTolerance_;
    TDataEdit* freeHeight_;
    QPushButton* btnSection_;
};
