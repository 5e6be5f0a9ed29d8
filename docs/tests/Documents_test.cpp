// The documents the Help menu opens are made by the build and placed beside
// the program under the names it opens: whole PDF files, and the HTML manual
// with its pictures inside it so that it can be opened from anywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(Documents, TheHelpDocumentsAreBesideTheProgram)
{
    const std::filesystem::path bin = TORVIK_BIN_DIR;
    for (const char* name : {"TORVIK 2013 Users Manual.pdf", "TorvikTechnicalManual.pdf"}) {
        const std::string pdf = ReadAll(bin / name);
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-") << name;
        EXPECT_NE(pdf.find("%%EOF"), std::string::npos) << name;
        EXPECT_NE(pdf.find("/FontFile2"), std::string::npos) << name << ": fonts embedded";
    }
    const std::string html = ReadAll(bin / "TORVIK_2013.html");
    EXPECT_NE(html.find("<title>TORVIK 2013 User's Manual</title>"), std::string::npos);
    EXPECT_NE(html.find("src=\"data:image/png;base64,"), std::string::npos);
    EXPECT_EQ(html.find("file://"), std::string::npos);
}
