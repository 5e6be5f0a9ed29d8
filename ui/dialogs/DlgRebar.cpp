#include "ui/dialogs/DlgRebar.h"

#include "model/WallDocument.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"
#include "ui/art/Artwork.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const CaseArtwork[3] = {"SurchargePoint", "SurchargeLine", "SurchargeStrip"};
const char* const CaseCaption[3] = {"P&oint Load", "L&ine Load", "St&rip Load"};

}  // namespace

TDlgRebar::TDlgRebar(TWallDocument& document, QWidget* parent) : TInputDialog(document, "Additional Surcharge", parent)
{
    auto* group = new QGroupBox("Surcharge Cases", this);
    auto* choice = new QHBoxLayout;
    cases_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(CaseCaption[i], group);
        button->setAccessibleName(QString(CaseCaption[i]).remove(QLatin1Char('&')));
        cases_->addButton(button, i);
        choice->addWidget(button);
    }
    choice->addStretch(1);
    // The three drawings share one size, so the window keeps its size.
    picture_ = Illustration(CaseArtwork[0]);
    auto* inside = new QVBoxLayout(group);
    inside->addLayout(choice);
    inside->addWidget(picture_);
    connect(cases_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) {
            picture_->SetArtwork(CaseArtwork[id]);
            picture_->setAccessibleName(CaseArtwork[id]);
        }
    });
    cases_->button(0)->setChecked(true);

    btnSurcharge_ = new QPushButton("&Edit Surcharge Loads", this);
    btnSurcharge_->setAccessibleName("Edit Surcharge Loads");
    connect(btnSurcharge_, &QPushButton::clicked, this,
            [this] { document_.Tables()[WallTable::SurchargeTable].ShowEditor(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSurcharge_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}
