#include "ui/dialogs/DlgSpring.h"

#include "model/ProgramData.h"

TDlgSpring::TDlgSpring(TWallDocument& document, QWidget* parent)
    : TTableOptionDialog(document, "Lateral & Rotational Springs", "&Lateral and Rotational Springs",
                         "&Edit Spring Stiffness", "Springs", &TProgramData::UseSprings, WallTable::Springs,
                         parent)
{
}
