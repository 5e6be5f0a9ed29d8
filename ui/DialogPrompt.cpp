#include "ui/DialogPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QString Title()
{
    return QApplication::applicationName();
}

// "Bitmap (*.bmp)" gives "bmp"; a filter without a single pattern gives "".
QString FilterExtension(const QString& filter)
{
    static const QRegularExpression pattern(R"(\(\*\.([A-Za-z0-9]+)\))");
    QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

void DialogPrompt::Information(const std::string& text)
{
    QMessageBox::information(parent_, Title(), QString::fromStdString(text), QMessageBox::Ok);
}

Prompt::Answer DialogPrompt::AskYesNo(const std::string& text)
{
    auto b = QMessageBox::question(parent_, Title(), QString::fromStdString(text),
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return b == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Prompt::Answer DialogPrompt::AskYesNoCancel(const std::string& text)
{
    auto b = QMessageBox::question(parent_, Title(), QString::fromStdString(text),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (b == QMessageBox::Yes)
        return Answer::Yes;
    if (b == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

Prompt::Answer DialogPrompt::AskChoice(const std::string& text, const std::string& yes, const std::string& no)
{
    QMessageBox box(QMessageBox::Question, Title(), QString::fromStdString(text), QMessageBox::NoButton, parent_);
    QPushButton* first = box.addButton(QString::fromStdString(yes), QMessageBox::YesRole);
    QPushButton* second = box.addButton(QString::fromStdString(no), QMessageBox::NoRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == first)
        return Answer::Yes;
    if (box.clickedButton() == second)
        return Answer::No;
    return Answer::Cancel;
}

Prompt::Answer DialogPrompt::AskChoiceOf(const std::string& text, const std::string& yes, const std::string& no,
                                         const std::string& cancel)
{
    QMessageBox box(QMessageBox::Question, Title(), QString::fromStdString(text), QMessageBox::NoButton, parent_);
    QPushButton* first = box.addButton(QString::fromStdString(yes), QMessageBox::YesRole);
    QPushButton* second = box.addButton(QString::fromStdString(no), QMessageBox::NoRole);
    QPushButton* third = box.addButton(QString::fromStdString(cancel), QMessageBox::RejectRole);
    // Escape and the default button choose the answer that loses nothing.
    box.setDefaultButton(third);
    box.setEscapeButton(third);
    box.exec();
    if (box.clickedButton() == first)
        return Answer::Yes;
    if (box.clickedButton() == second)
        return Answer::No;
    return Answer::Cancel;
}

std::optional<std::string> DialogPrompt::OpenFileName(const std::string& title, const std::string& filter,
                                                      const std::string& initial)
{
    QString name = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title),
                                                QString::fromStdString(initial), QString::fromStdString(filter));
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> DialogPrompt::OpenFileOfFilter(const std::string& title, const std::string& filter,
                                                          const std::string& initial, int& filterIndex)
{
    const QString filters = QString::fromStdString(filter);
    QString selected;
    const QString name = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title),
                                                      QString::fromStdString(initial), filters, &selected);
    filterIndex = static_cast<int>(filters.split(QStringLiteral(";;")).indexOf(selected)) + 1;
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> DialogPrompt::SaveFileName(const std::string& title, const std::string& filter,
                                                      const std::string& initial)
{
    QFileDialog dialog(parent_, QString::fromStdString(title), QString::fromStdString(initial),
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    QString ext = FilterExtension(dialog.selectedNameFilter());
    dialog.setDefaultSuffix(ext);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& f) { dialog.setDefaultSuffix(FilterExtension(f)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString name = dialog.selectedFiles().first();
    if (!QFileInfo(name).absoluteDir().exists())
        return std::nullopt;
    return name.toStdString();
}
