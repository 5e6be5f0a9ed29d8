#include "ui/dialogs/DlgStaged.h"

#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"
#include "units/widgets/DataEdit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <iterator>

namespace {

const char* const Explanation[] = {
    "TORVIK provides users with a convenient tool to study",
    "and to compare the predicted  deflection, bending moment, ",
    "and shear at different stages of construction based on a",
    "simplified approach.",
    "",
    "The program will not trace the stress history of soil and",
    "structure at each stage.  Instead, the program will use the",
    "earth pressure, restrained boundary conditions, and soil",
    "resistance curves (p-y curves) at each stage as the initial",
    "condition to evaluate the behavior of the system without",
    "considering any effect due to the stress history.",
    "",
    "However, the p-y resistance curves will be generated based",
    "on the excavation depth, wall height, and water table at",
    "each new stage to reflect the change in soil resistance.",
    "",
    "This approach is not a rigorous procedure but it provides the",
    "user with general ideas about the possible pattern of",
    "deformation and stress in the system. It completely relies ",
    "on the user's judgement to interpret the predicted results.",
    " ",
    " ",
};

constexpr int MaxStages = 5;
constexpr int MinStages = 2;

}  // namespace

QString TDlgStaged::ExplanationText()
{
    QStringList lines;
    for (const char* line : Explanation)
        lines << QString::fromLatin1(line);
    return lines.join('\n');
}

TDlgStaged::TDlgStaged(TWallDocument& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setWindowTitle("Staged Construction Options");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    memExplanation_ = new QPlainTextEdit(ExplanationText(), this);
    memExplanation_->setReadOnly(true);
    memExplanation_->setAccessibleName("Staged construction");
    memExplanation_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics fm = memExplanation_->fontMetrics();
    // The whole text in view: its lines (and one for the document margins) and the frame.
    const int lines = static_cast<int>(std::size(Explanation)) + 1;
    memExplanation_->setMinimumSize(fm.horizontalAdvance(QString(64, QLatin1Char('n'))),
                                    fm.lineSpacing() * lines + 2 * memExplanation_->frameWidth());

    chkStaged_ = new QCheckBox("Conduct &Staged-Construction Analysis", this);
    chkStaged_->setAccessibleName("Conduct Staged-Construction Analysis");

    lblStages_ = new QLabel(this);
    deStages_ = new TDataEdit(this, &document_.UserPrompt());
    deStages_->SetIntegerOnly(true);
    deStages_->SetRange(1, MaxStages);
    deStages_->SetCaption("Enter the total number of stages (Max. = 5, Min =2)");
    deStages_->SetEditLabel(lblStages_);
    deStages_->setAccessibleName(deStages_->Caption());
    deStages_->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("00000")) + 16);
    deStages_->installEventFilter(this);

    btnUp_ = new QToolButton(this);
    btnUp_->setArrowType(Qt::UpArrow);
    btnUp_->setAccessibleName("More stages");
    btnUp_->setAutoRepeat(true);
    connect(btnUp_, &QToolButton::clicked, this, [this] { Step(1); });
    btnDown_ = new QToolButton(this);
    btnDown_->setArrowType(Qt::DownArrow);
    btnDown_->setAccessibleName("Fewer stages");
    btnDown_->setAutoRepeat(true);
    connect(btnDown_, &QToolButton::clicked, this, [this] { Step(-1); });
    for (QToolButton* b : {btnUp_, btnDown_}) {
        b->setFocusPolicy(Qt::NoFocus);  // the count keeps the focus while it is stepped
        b->setFixedHeight(deStages_->sizeHint().height() / 2 + 1);
    }

    auto* buttons = new QDialogButtonBox(this);
    btnOK_ = buttons->addButton(QDialogButtonBox::Ok);
    btnOK_->setAccessibleName("OK");
    btnCancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    btnCancel_->setAccessibleName("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgStaged::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TDlgStaged::reject);

    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(btnUp_);
    spin->addWidget(btnDown_);
    auto* count = new QGridLayout;
    count->addWidget(lblStages_, 0, 0);
    count->addWidget(deStages_, 0, 1);
    count->addLayout(spin, 0, 2);
    count->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memExplanation_);
    layout->addWidget(chkStaged_);
    layout->addLayout(count);
    layout->addWidget(buttons);

    const int stages = document_.Wall().StageCount;
    deStages_->SetNumber(stages);
    chkStaged_->setChecked(stages > 1);
    EnableCount(stages > 1);
    // Every change of the box counts, by the mouse, the keyboard or an
    // accessibility action; connected once the box shows the wall.
    connect(chkStaged_, &QCheckBox::toggled, this, &TDlgStaged::ChkStagedClick);
    if (stages > 1)
        deStages_->setFocus();
    else
        chkStaged_->setFocus();
}

void TDlgStaged::EnableCount(bool enabled)
{
    deStages_->setEnabled(enabled);
    lblStages_->setEnabled(enabled);
    btnUp_->setEnabled(enabled);
    btnDown_->setEnabled(enabled);
}

void TDlgStaged::ChkStagedClick(bool checked)
{
    if (checked) {
        long double n = 1;
        try {
            n = deStages_->Number();
        } catch (const TorvikError&) {
            // An unreadable count is replaced like a count of 1.
        }
        if (n <= 1 || n > MaxStages)
            deStages_->SetNumber(MinStages);
    } else {
        deStages_->SetNumber(1);
    }
    EnableCount(checked);
    if (checked)
        deStages_->setFocus();
}

void TDlgStaged::Step(int by)
{
    if (!deStages_->Validate())
        return;  // the field has reported its entry
    const long n = std::lround(deStages_->Number());
    if ((by > 0 && n < MaxStages) || (by < 0 && n > MinStages))
        deStages_->SetNumber(static_cast<long double>(n + by));
    deStages_->selectAll();
}

bool TDlgStaged::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys in the count step it as the spin buttons do.
    if (watched == deStages_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgStaged::accept()
{
    if (deStages_->isEnabled() && !deStages_->Validate())
        return;  // the field has reported its entry and has the focus again
    const int count = chkStaged_->isChecked() ? static_cast<int>(std::lround(deStages_->Number())) : 1;
    try {
        ChangeStageCount(document_.Wall(), count);
    } catch (const TorvikError& e) {
        // The stage files are as far as the change got; the window shows that state.
        document_.UserPrompt().Information(e.what());
        emit StagesChanged();
        QDialog::reject();
        return;
    }
    emit StagesChanged();
    QDialog::accept();
}
