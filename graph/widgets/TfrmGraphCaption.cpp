#include "graph/widgets/TfrmGraphCaption.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmGraphCaption::TfrmGraphCaption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Graph Caption");
    auto* label = new QLabel("Enter Graph Caption", this);
    edtCaption_ = new QLineEdit(this);
    edtCaption_->setMinimumWidth(320);
    label->setBuddy(edtCaption_);

    auto* group = new QGroupBox("Caption Location", this);
    rbTop_ = new QRadioButton("Top", group);
    rbBottom_ = new QRadioButton("Bottom", group);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(rbTop_);
    groupLayout->addWidget(rbBottom_);
    groupLayout->addStretch();
    rbBottom_->setChecked(true);

    auto* ok = new QPushButton("&OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edtCaption_);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}
