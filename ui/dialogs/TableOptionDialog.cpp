#include "ui/dialogs/TableOptionDialog.h"

#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "ui/art/Artwork.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TTableOptionDialog::TTableOptionDialog(TWallDocument& document, const QString& caption, const QString& checkCaption,
                                       const QString& buttonCaption, const QString& artwork,
                                       bool TProgramData::*flag, WallTable table, QWidget* parent)
    : TInputDialog(document, caption, parent), flag_(flag), table_(table)
{
    check_ = new QCheckBox(checkCaption, this);
    check_->setAccessibleName(QString(checkCaption).remove(QLatin1Char('&')));
    button_ = new QPushButton(buttonCaption, this);
    button_->setAccessibleName(QString(buttonCaption).remove(QLatin1Char('&')));
    // Toggled, not clicked: the box also changes by key and through the
    // accessibility tree (a screen reader's "toggle"), and must act the same.
    connect(check_, &QCheckBox::toggled, this, &TTableOptionDialog::CheckClicked);
    connect(button_, &QPushButton::clicked, this, [this] { document_.Tables()[table_].ShowEditor(); });

    auto* controls = new QHBoxLayout;
    controls->addWidget(check_);
    controls->addStretch(1);
    controls->addWidget(button_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Illustration(artwork), 0, Qt::AlignHCenter);
    layout->addLayout(controls);
}

void TTableOptionDialog::Load(const TProgramData& wall)
{
    check_->setChecked(wall.*flag_);
    button_->setEnabled(wall.*flag_);
}

void TTableOptionDialog::Store(TProgramData& wall)
{
    wall.*flag_ = check_->isChecked();
}

void TTableOptionDialog::CheckClicked(bool checked)
{
    button_->setEnabled(checked);
    if (Loading())
        return;
    if (!checked)
        document_.Tables()[table_].CloseEditor();
    MarkModified();
}
