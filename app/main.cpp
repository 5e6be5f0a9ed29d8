#include "TorvikVersion.h"
#include "ui/MainForm.h"
#include "units/ScriptedPrompt.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Whether the command line asks only for the help text or the version, which
// are printed without a display.
bool AsksForTextOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

// Offers the autosaves of earlier runs. For tests, TORVIK_RECOVERY_ANSWER
// ("recover", "keep" or "discard") answers every start-up question, and the
// messages go to standard error instead of message boxes.
bool OfferRecoveries(TMainForm& window)
{
    const char* answer = std::getenv("TORVIK_RECOVERY_ANSWER");
    if (!answer || !*answer)
        return window.OfferRecoveries();
    const Prompt::Answer given = std::strcmp(answer, "recover") == 0   ? Prompt::Answer::Yes
                                 : std::strcmp(answer, "discard") == 0 ? Prompt::Answer::No
                                                                       : Prompt::Answer::Cancel;
    ScriptedPrompt scripted;
    scripted.answers.assign(1000, given);
    const bool recovered = window.OfferRecoveries(&scripted);
    for (const std::string& text : scripted.shown)
        std::fprintf(stderr, "%s\n\n", text.c_str());
    return recovered;
}

}  // namespace

int main(int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> app;
    if (AsksForTextOnly(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    // The window's place on the screen is kept beside the user's settings (Orvane/TORVIK).
    QCoreApplication::setOrganizationName("Orvane");
    QCoreApplication::setApplicationName("TORVIK");
    QCoreApplication::setApplicationVersion(ProgramRelease);

    QCommandLineParser parser;
    parser.setApplicationDescription(QString(ProgramName) +
                                     ": analysis of flexible retaining walls by the p-y method.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A wall data file to open (\".tk4d\" is added to a name without one).",
                                 "[file]");
    parser.process(*app);  // --help and --version print and end the program here

    TMainForm window;
    window.show();
    const QStringList args = parser.positionalArguments();
    // A wall recovered from an autosave is the one the user was working on: it is shown instead.
    const bool recovered = OfferRecoveries(window);
    if (!recovered && !args.isEmpty()) {
        // A results file (opened from a file manager) opens the wall it belongs to.
        QString file = args.first();
        if (file.endsWith(".tk4p", Qt::CaseInsensitive))
            file = file.left(file.size() - 5) + ".tk4d";
        window.OpenStartupFile(file.toStdString());
    } else if (!recovered) {
        // A new wall starts where its entry begins.
        window.ShowStartingWindows();
    }
    return app->exec();
}
