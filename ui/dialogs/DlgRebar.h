#pragma once
#include "ui/dialogs/InputDialog.h"

class QButtonGroup;
class QPushButton;

// "Additional Surcharge": the surcharge cases (a point, a line or a strip load
// on the backfill), one illustrated at a time, and the button that opens the
// surcharge load table. The dialog itself stores nothing.
class TDlgRebar : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgRebar(TWallDocument& document, QWidget* parent = nullptr);

    QPushButton* btnSurcharge() const { return btnSurcharge_; }
    // The case illustrated: 0 point, 1 line, 2 strip load.
    QButtonGroup* Cases() const { return cases_; }

private:
    QButtonGroup* cases_;
    TArtView* picture_;
    QPushButton* btnSurcharge_;
};
