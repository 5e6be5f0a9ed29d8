#pragma once
// What the drawing module's commands share: the application object that
// drawing needs, and the boundary that turns an exception into the command's
// message and exit code.
#include <functional>
#include <string>
#include <vector>

// Runs `body` with a QGuiApplication on the offscreen platform (unless
// QT_QPA_PLATFORM names another), so that no display is needed. Qt's notices
// about the session are not the command's output; its errors still reach
// standard error.
int WithGuiApplication(const std::function<int()>& body);

// Runs the command `name` with its arguments; an exception becomes
// "torvik-cli NAME: message" on standard error and exit code 1.
int RunModuleCommand(const char* name, int (*run)(const std::vector<std::string>&), int argc,
                     const char* const* argv);
