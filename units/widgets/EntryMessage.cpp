#include "units/widgets/EntryMessage.h"

#include "units/Prompt.h"

#include <QMessageBox>
#include <QString>

void ShowEntryMessage(Prompt* prompt, QWidget* field, const std::string& message)
{
    if (prompt) {
        prompt->Information(message);
        return;
    }
    // The evaluator's messages break their line with a carriage return.
    QString text = QString::fromStdString(message);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::information(field ? field->window() : nullptr, QString(), text);
}
