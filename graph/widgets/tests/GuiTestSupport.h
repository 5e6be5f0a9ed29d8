#pragma once
#include "graph/GraphPlot.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <string>

// The one application object of a widget test program, made on first use.
inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "widget_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app =
        qobject_cast<QApplication*>(QApplication::instance()) ? qobject_cast<QApplication*>(QApplication::instance())
                                                                : new QApplication(argc, argv);
    // Settings written by the windows under test go to a folder of the test's own, never the user's.
    static QTemporaryDir settings;
    static const bool placed = [] {
        for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(f, QSettings::UserScope, settings.path());
        return true;
    }();
    (void)placed;
    return *app;
}

// Answers the next modal dialog of type D once it is shown: `act` gets the dialog.
template <class D>
void WhenDialogShown(std::function<void(D&)> act)
{
    QTimer::singleShot(0, [act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget()))
            act(*d);
    });
}

// Fills `graph` with `curves` curves of 11 points: curve i runs from (0, 0)
// to (100, 10 (i + 1)), x the abscissa.
inline void FillCurves(TGraphPlot& graph, int curves)
{
    graph.SetLineCount(curves);
    graph.SetPointCount(11);
    for (int i = 0; i < curves; ++i)
        for (int j = 0; j <= 10; ++j)
            graph.Points(i, j) = {static_cast<long double>(10 * j), static_cast<long double>((i + 1) * j)};
}
