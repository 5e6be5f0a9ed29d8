#include "ui/dialogs/DlgConLoads.h"

#include "model/ProgramData.h"

TDlgConLoads::TDlgConLoads(MainWindowHost& host, QWidget* parent)
    : TTableOptionDialog(host, "Concentrated Loads", "Apply &Concentrated Loads", "&Edit Concentrated Loads",
                         "ConcentratedLoads", &TProgramData::UseConcentratedLoads, WallTable::ConcentratedLoads, parent)
{
}
