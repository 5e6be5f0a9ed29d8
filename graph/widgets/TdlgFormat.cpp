#include "graph/widgets/TdlgFormat.h"

#include "units/Prompt.h"
#include "units/widgets/DataEdit.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <climits>
#include <cmath>
#include <limits>

TdlgFormat::TdlgFormat(Prompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt)
{
    setWindowTitle("Save Attributes");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    const long double big = std::numeric_limits<long double>::max();
    auto* fields = new QFormLayout;
    deHeight_ = AddField(fields, "&Height (in)", 4, 2, big, false, "in");
    deWidth_ = AddField(fields, "&Width (in)", 6, 2, big, false, "in");
    dePPI_ = AddField(fields, "&Pixels Per Inch", 72, 10, INT_MAX, true, QString());

    auto* group = new QGroupBox("Colors");
    auto* groupLayout = new QVBoxLayout(group);
    colors_ = new QButtonGroup(this);
    const char* names[] = {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                           "True Color (24 bit)"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QRadioButton(names[i], group);
        colors_->addButton(b, i);
        groupLayout->addWidget(b);
    }
    colors_->button(1)->setChecked(true);

    auto* ok = new QPushButton("OK");
    auto* cancel = new QPushButton("Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TdlgFormat::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(group);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

TDataEdit* TdlgFormat::AddField(QFormLayout* form, const QString& caption, long double value, long double min,
                                long double max, bool integerOnly, const QString& unit)
{
    auto* field = new TDataEdit(this, &prompt_);
    field->SetIntegerOnly(integerOnly);
    field->SetRange(min, max);
    field->SetNumber(value);
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(110);
    field->installEventFilter(this);
    auto* label = new QLabel(this);
    field->SetCaption(caption);
    field->SetEditLabel(label);
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(new QLabel(unit, this));
    form->addRow(label, row);
    return field;
}

bool TdlgFormat::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            OkClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TdlgFormat::Colors() const
{
    return colors_->checkedId();
}

QRadioButton* TdlgFormat::ColorButton(int i) const
{
    return qobject_cast<QRadioButton*>(colors_->button(i));
}

void TdlgFormat::OkClick()
{
    for (TDataEdit* field : {deHeight_, deWidth_, dePPI_})
        if (!field->Validate())
            return;
    height_ = deHeight_->Number();
    width_ = deWidth_->Number();
    ppi_ = static_cast<int>(std::llround(dePPI_->Number()));
    // The image must fit in memory before anything is drawn: sizes beyond the
    // pixel range or an allocation that fails end the dialog with Abort.
    const long double pw = std::round(ppi_ * width_);
    const long double ph = std::round(ppi_ * height_);
    if (pw > INT_MAX || ph > INT_MAX || pw * ph * 4 > static_cast<long double>(std::numeric_limits<qsizetype>::max())) {
        done(Abort);
        return;
    }
    QImage probe(static_cast<int>(pw), static_cast<int>(ph), QImage::Format_RGB32);
    if (probe.isNull()) {
        done(Abort);
        return;
    }
    accept();
}
