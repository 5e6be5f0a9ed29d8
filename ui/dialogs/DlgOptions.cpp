#include "ui/dialogs/DlgOptions.h"

#include "model/WallDocument.h"
#include "units/Prompt.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TDlgOptions::TDlgOptions(TWallDocument& document, std::function<QString()> get,
                         std::function<void(const QString&)> set, QWidget* parent)
    : TInputDialog(document, "Control Options", parent), get_(std::move(get)), set_(std::move(set))
{
    auto* label = new QLabel("&Text Editor:", this);
    edtEditor_ = new QLineEdit(this);
    edtEditor_->setAccessibleName("Text Editor:");
    edtEditor_->setMinimumWidth(edtEditor_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    label->setBuddy(edtEditor_);
    btnBrowse_ = new QPushButton("&Browse...", this);
    btnBrowse_->setAccessibleName("Browse...");
    connect(btnBrowse_, &QPushButton::clicked, this, &TDlgOptions::BrowseClick);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(edtEditor_, 0, 1);
    grid->addWidget(btnBrowse_, 0, 2);
}

QString TDlgOptions::ProgramFilter()
{
#ifdef Q_OS_WIN
    return "Programs (*.exe *.com);;All Files (*.*)";
#else
    return "All Files (*)";
#endif
}

void TDlgOptions::Load(const TProgramData&)
{
    edtEditor_->setText(get_());
}

void TDlgOptions::Store(TProgramData&)
{
    if (edtEditor_->text() != get_())
        set_(edtEditor_->text());
}

void TDlgOptions::BrowseClick()
{
    // The file dialog returns only an existing file.
    std::optional<std::string> name = document_.UserPrompt().OpenFileName(
        "Open", ProgramFilter().toStdString(), edtEditor_->text().toStdString());
    if (name)
        edtEditor_->setText(QString::fromStdString(*name));
}
