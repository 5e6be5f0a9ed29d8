#include "ui/MainForm.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The window's place on the screen is kept beside the user's settings (Orvane/TORVIK).
    QApplication::setOrganizationName("Orvane");
    QApplication::setApplicationName("TORVIK");
    QApplication::setApplicationDisplayName("TORVIK 2013");
    QApplication::setApplicationVersion("2013.4.6");

    QCommandLineParser parser;
    parser.setApplicationDescription("TORVIK 2013: analysis of flexible retaining walls by the p-y method.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A wall data file to open (\".tk4d\" is added to a name without one).",
                                 "[file]");
    parser.process(app);  // --help and --version print and end the program here

    TMainForm window;
    window.show();
    const QStringList args = parser.positionalArguments();
    if (!args.isEmpty())
        window.OpenStartupFile(args.first().toStdString());
    return app.exec();
}
