#pragma once
#include "ui/dialogs/TableOptionDialog.h"

// "Concentrated Loads": whether the concentrated loads on the wall are
// applied, and the button that opens their table.
class TDlgConLoads : public TTableOptionDialog {
    Q_OBJECT
public:
    explicit TDlgConLoads(TWallDocument& document, QWidget* parent = nullptr);
};
