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
    if (args.size() > 1)
        window.OpenStartupFile(args.at(1).toStdString());
    return app.exec();
}
