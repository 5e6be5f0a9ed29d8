#include "ui/dialogs/DlgConLoads.h"

#include "model/ProgramData.h"

TDlgConLoads::TDlgConLoads(TWallDocument& document, QWidget* parent)
    : TTableOptionDialog(document, "Concentrated Loads", "Apply &Concentrated Loads", "&Edit Concentrated Loads",
                         "ConcentratedLoads", &TProgramData::UseConcentratedLoads, WallTable::ConcentratedLoads, parent)
{
}
