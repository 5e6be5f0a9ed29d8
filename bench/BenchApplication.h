#pragma once
// The one Qt application object of a benchmark program, made on first use, on
// the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>

// `App` is QGuiApplication or QApplication; `name` the program's name.
template <class App>
App& BenchApplication(const char* name)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static App app(argc, argv);
    return app;
}

// The same, with the user's settings in a folder of the benchmark's own, so
// that the windows neither read nor write the user's recent files and options.
template <class App>
App& BenchApplicationWithOwnSettings(const char* name)
{
    App& app = BenchApplication<App>(name);
    static QTemporaryDir settings;
    for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(f, QSettings::UserScope, settings.path());
    return app;
}
