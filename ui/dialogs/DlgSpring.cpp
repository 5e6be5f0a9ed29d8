#include "ui/dialogs/DlgSpring.h"

#include "model/ProgramData.h"

TDlgSpring::TDlgSpring(MainWindowHost& host, QWidget* parent)
    : TTableOptionDialog(host, "Lateral & Rotational Springs", "&Lateral and Rotational Springs",
                         "&Edit Spring Stiffness", "Springs", &TProgramData::UseSprings, WallTable::Springs,
                         parent)
{
}
