#include "graph/widgets/TdlgFormat.h"

#include "units/NumberFormat.h"
#include "units/Prompt.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <climits>
#include <cmath>
#include <limits>

namespace {

QLineEdit* NumberField(long double value)
{
    auto* e = new QLineEdit(QString::fromStdString(FormatFloat18(value)));
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(110);
    return e;
}

QLabel* Buddy(const QString& text, QWidget* field)
{
    auto* l = new QLabel(text);
    l->setBuddy(field);
    return l;
}

}  // namespace

TdlgFormat::TdlgFormat(Prompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt)
{
    setWindowTitle("Save Attributes");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    deHeight_ = NumberField(4);
    deWidth_ = NumberField(6);
    dePPI_ = NumberField(72);
    auto* fields = new QFormLayout;
    auto* hRow = new QHBoxLayout;
    hRow->addWidget(deHeight_);
    hRow->addWidget(new QLabel("in"));
    auto* wRow = new QHBoxLayout;
    wRow->addWidget(deWidth_);
    wRow->addWidget(new QLabel("in"));
    fields->addRow(Buddy("&Height (in)", deHeight_), hRow);
    fields->addRow(Buddy("&Width (in)", deWidth_), wRow);
    fields->addRow(Buddy("&Pixels Per Inch", dePPI_), dePPI_);

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
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

int TdlgFormat::Colors() const
{
    return colors_->checkedId();
}

QRadioButton* TdlgFormat::ColorButton(int i) const
{
    return qobject_cast<QRadioButton*>(colors_->button(i));
}

bool TdlgFormat::ReadField(QLineEdit* field, long double min, long double max, bool integerOnly, long double& value)
{
    bool ok = false;
    const long double n = field->text().trimmed().toDouble(&ok);
    auto refuse = [&](const std::string& message) {
        prompt_.Information(message);
        field->setFocus();
        field->selectAll();
        return false;
    };
    if (!ok)
        return refuse(integerOnly ? "Entry must be a valid integer." : "Entry must be a valid number.");
    if (integerOnly && n != std::trunc(n))
        return refuse("Entry must be an integer.");
    if (n < min) {
        field->setText(QString::fromStdString(FormatFloat18(min)));
        return refuse("Entry must be greater than or equal to " + FormatFloat18(min));
    }
    if (!(n <= max)) {
        field->setText(QString::fromStdString(FormatFloat18(max)));
        return refuse("Entry must be less than or equal to " + FormatFloat18(max));
    }
    field->setText(QString::fromStdString(FormatFloat18(n)));
    value = n;
    return true;
}

void TdlgFormat::OkClick()
{
    const long double big = std::numeric_limits<long double>::max();
    long double h = 0, w = 0, ppi = 0;
    if (!ReadField(deHeight_, 2, big, false, h) || !ReadField(deWidth_, 2, big, false, w) ||
        !ReadField(dePPI_, 10, INT_MAX, true, ppi))
        return;
    height_ = h;
    width_ = w;
    ppi_ = static_cast<int>(std::llround(ppi));
    // The image must exist in memory before anything is drawn: sizes beyond
    // the pixel range or an allocation that fails end the dialog with Abort.
    const long double pw = std::round(ppi * w);
    const long double ph = std::round(ppi * h);
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
