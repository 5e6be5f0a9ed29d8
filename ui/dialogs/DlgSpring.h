#pragma once
#include "ui/dialogs/TableOptionDialog.h"

// "Lateral & Rotational Springs": whether the lateral and rotational springs
// on the wall are applied, and the button that opens their table.
class TDlgSpring : public TTableOptionDialog {
    Q_OBJECT
public:
    explicit TDlgSpring(TWallDocument& document, QWidget* parent = nullptr);
};
