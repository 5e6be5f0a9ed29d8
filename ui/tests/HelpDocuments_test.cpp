// The Help menu's documents: the build places all three next to the program,
// and a missing one is reported rather than silently not opened.
#include "ui/HelpDocuments.h"
#include "units/ScriptedPrompt.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(HelpDocuments, EveryDocumentIsBesideTheProgramAndAMissingOneIsReported)
{
    for (HelpDocument d : {HelpDocument::Contents, HelpDocument::UsersManual, HelpDocument::TechnicalManual}) {
        const QFileInfo file(QString::fromStdString(HelpDocumentPath(d, TORVIK_BIN_DIR)));
        EXPECT_TRUE(file.isFile()) << file.filePath().toStdString();
        EXPECT_GT(file.size(), 10000) << file.filePath().toStdString();
    }

    ScriptedPrompt prompt;
    EXPECT_FALSE(OpenHelpDocument(HelpDocument::TechnicalManual, prompt, "/nonexistent"));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0],
              "The document \"/nonexistent/TorvikTechnicalManual.pdf\" was not found. Reinstall the program to "
              "restore it.");
}
