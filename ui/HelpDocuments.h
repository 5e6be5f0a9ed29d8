#pragma once
#include "units/Prompt.h"

#include <string>

// The documents of the Help menu, kept in the program's directory.
enum class HelpDocument { Contents, UsersManual, TechnicalManual };

// The document's file name: "TORVIK_2013.html" (the user's manual as HTML;
// "TORVIK_2013.chm" on Windows), "TORVIK 2013 Users Manual.pdf",
// "TorvikTechnicalManual.pdf".
std::string HelpDocumentName(HelpDocument document);

// The document's path in `directory`.
std::string HelpDocumentPath(HelpDocument document, const std::string& directory);

// Opens the document of the program's directory (or of `directory` when given)
// with the desktop's application for its type. A missing document, or one the
// desktop cannot open, is reported through `prompt`; returns whether it opened.
bool OpenHelpDocument(HelpDocument document, Prompt& prompt, const std::string& directory = "");
