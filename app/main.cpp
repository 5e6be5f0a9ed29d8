#include "ui/MainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Orvane");
    QApplication::setApplicationName("TORVIK 2013");
    QApplication::setApplicationVersion("2013.4.6");

    TMainForm window;
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        // A results file (opened from a file manager) opens the wall it belongs to.
        QString file = args.at(1);
        if (file.endsWith(".tk4p", Qt::CaseInsensitive))
            file = file.left(file.size() - 5) + ".tk4d";
        window.OpenStartupFile(file.toStdString());
    }
    return app.exec();
}
