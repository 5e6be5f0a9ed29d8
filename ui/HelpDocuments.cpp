#include "ui/HelpDocuments.h"

#include "run/AnalysisRun.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

std::string HelpDocumentName(HelpDocument document)
{
    switch (document) {
        case HelpDocument::Contents:
#ifdef _WIN32
            return "TORVIK_2013.chm";
#else
            return "TORVIK_2013.html";
#endif
        case HelpDocument::UsersManual:
            return "TORVIK 2013 Users Manual.pdf";
        case HelpDocument::TechnicalManual:
            return "TorvikTechnicalManual.pdf";
    }
    return "";
}

std::string HelpDocumentPath(HelpDocument document, const std::string& directory)
{
    return directory + "/" + HelpDocumentName(document);
}

bool OpenHelpDocument(HelpDocument document, Prompt& prompt, const std::string& directory)
{
    const std::string path = HelpDocumentPath(document, directory.empty() ? ProgramDirectory() : directory);
    // Opening a missing file would fail without a word on most desktops.
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        prompt.Information("The document \"" + path + "\" was not found. Reinstall the program to restore it.");
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        prompt.Information("No application to show \"" + path + "\" was found on this computer.");
        return false;
    }
    return true;
}
