#include "ui/dialogs/DlgProp.h"

#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"
#include "units/widgets/DataEdit.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <limits>

TDlgProp::TDlgProp(TWallDocument& document, QWidget* parent) : TInputDialog(document, "Wall Properties", parent)
{
    const long double big = std::numeric_limits<long double>::max();
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(0, 1);
    increments_ = AddIntegerField(grid, 0, "&Increments (nodes)", 1, 300, &TProgramData::NodeCount);
    incrementLength_ = AddField(grid, 1, "Increment Length", "L", -big, big, &TProgramData::IncrementLength);
    maximumDeflection_ = AddField(grid, 2, "Maximum Allowable Deflection for computation iteration", "L", -big, big,
                      &TProgramData::MaxDeflection);
    // The guide to a sensible limit stands beside the limit it describes.
    auto* note = new QLabel("(Approx.10% of the wall height)  ", this);
    note->setEnabled(false);
    grid->addWidget(note, 2, 2);
    closureTolerance_ = AddField(grid, 3, "Deflection Closure Tolerance", "L", -big, big, &TProgramData::ClosureTolerance);
    freeHeight_ = AddField(grid, 4, "Free Height of Wall", "L2", -big, big, &TProgramData::WallHeight,
                     TShownUnit::FeetForInches);

    auto* stiffness = new QLabel("Wall Stiffness (EI)", this);
    btnSection_ = new QPushButton("Enter Section Data", this);
    btnSection_->setAccessibleName("Enter Section Data");
    stiffness->setBuddy(btnSection_);
    grid->addWidget(stiffness, 5, 0);
    grid->addWidget(btnSection_, 5, 1);
    grid->setRowMinimumHeight(5, btnSection_->sizeHint().height() + 8);
    connect(btnSection_, &QPushButton::clicked, this, [this] { document_.Tables()[WallTable::PileSect].ShowEditor(); });
}
