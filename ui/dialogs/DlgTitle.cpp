#include "ui/dialogs/DlgTitle.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/rules/StageTitle.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TdlgTitle::TdlgTitle(TWallDocument& document, QWidget* parent) : TInputDialog(document, "Project Title", parent)
{
    auto* label = new QLabel("Enter text line for project description:", this);
    // One line: Return inserts nothing, and a pasted text loses its line breaks on storing.
    titleMemo_ = new QLineEdit(this);
    titleMemo_->setMaxLength(TitleLength);
    titleMemo_->setAccessibleName(label->text());
    titleMemo_->setMinimumWidth(titleMemo_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 64);
    label->setBuddy(titleMemo_);
    // The dialog has no buttons: Enter finishes the entry, keeping the text.
    connect(titleMemo_, &QLineEdit::returnPressed, this, &TdlgTitle::CloseWindow);

    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(titleMemo_);
    layout->addWidget(note_);
}

void TdlgTitle::Load(const TProgramData& wall)
{
    titleMemo_->setText(QString::fromStdString(wall.Title));
    titleMemo_->setCursorPosition(0);
    const bool editable = TitleEditable(wall.StageCount, wall.CurrentStage);
    titleMemo_->setReadOnly(!editable);
    note_->setText(QString::fromStdString(TitleNote(wall.StageCount, wall.CurrentStage)));
    note_->setVisible(!editable);
}

void TdlgTitle::Store(TProgramData& wall)
{
    if (!TitleEditable(wall.StageCount, wall.CurrentStage))
        return;
    if (StoreTitle(wall.Title, titleMemo_->text().toStdString()))
        document_.SetModified(true);
}
