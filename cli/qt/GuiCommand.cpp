#include "cli/qt/GuiCommand.h"

#include "cli/Command.h"

#include <QGuiApplication>

#include <cstdlib>
#include <exception>
#include <iostream>

int WithGuiApplication(const std::function<int()>& body)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << message.toStdString() << "\n";
    });
    int argc = 1;
    char name[] = "torvik-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    return body();
}

int RunModuleCommand(const char* name, int (*run)(const std::vector<std::string>&), int argc,
                     const char* const* argv)
{
    try {
        return run(std::vector<std::string>(argv, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "torvik-cli " << name << ": " << e.what() << "\n";
        return ExitBadInput;
    }
}
