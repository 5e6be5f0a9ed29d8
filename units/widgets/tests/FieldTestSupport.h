#pragma once
#include "units/ScriptedPrompt.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

// The one application object of the widget tests (offscreen platform).
inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "units_widget_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qobject_cast<QApplication*>(QApplication::instance())
                                   ? qobject_cast<QApplication*>(QApplication::instance())
                                   : new QApplication(argc, argv);
    return *app;
}

// A shown, active window holding the field under test and a plain edit that
// takes the focus when the field is left.
template <class Field>
struct FieldWindow {
    FieldWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        field = new Field(&window, &prompt);
        other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
        field->setFocus(Qt::TabFocusReason);
    }

    // Moves the focus to the other edit, as a click or Tab would, and lets the
    // leave-field check run.
    void Leave()
    {
        other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    QApplication& app = TestApplication();  // before any widget
    ScriptedPrompt prompt;
    QWidget window;
    Field* field = nullptr;
    QLineEdit* other = nullptr;
};
