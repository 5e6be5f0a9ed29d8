#include "TorvikVersion.h"
#include "ui/rules/DocumentNames.h"
#include "ui/rules/MenuRules.h"
#include "ui/rules/RecentFiles.h"
#include "ui/rules/UpdateCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> List(const TRecentFiles& r)
{
    return {r.Entries().begin(), r.Entries().end()};
}

TEST(RecentFiles, UpdatePrevFileKeepsTheMostRecentFirst)
{
    TRecentFiles r;
    EXPECT_TRUE(r.UpdatePrevFile("/w/a.tk4d"));
    EXPECT_TRUE(r.UpdatePrevFile("/w/b.tk4d"));
    EXPECT_TRUE(r.UpdatePrevFile("/w/c.tk4d"));
    EXPECT_EQ(r.Count(), 3);
    // Opening the file on top again changes nothing (the settings are not rewritten).
    EXPECT_FALSE(r.UpdatePrevFile("/w/c.tk4d"));
    EXPECT_FALSE(r.UpdatePrevFile(""));
    // A later entry moves to the top; the comparison is case-sensitive.
    EXPECT_TRUE(r.UpdatePrevFile("/w/a.tk4d"));
    EXPECT_TRUE(r.UpdatePrevFile("/w/B.tk4d"));
    EXPECT_EQ(List(r), (std::vector<std::string>{"/w/B.tk4d", "/w/a.tk4d", "/w/c.tk4d", "/w/b.tk4d", "", "", "", "",
                                                 "", ""}));
}

TEST(RecentFiles, AnEleventhFileDropsTheOldest)
{
    TRecentFiles r;
    for (int i = 1; i <= 11; ++i)
        r.UpdatePrevFile("f" + std::to_string(i));
    EXPECT_EQ(r.Count(), 10);
    EXPECT_EQ(r.Entry(1), "f11");
    EXPECT_EQ(r.Entry(10), "f2");
    // The tenth moves to the top without losing any other.
    r.UpdatePrevFile("f2");
    EXPECT_EQ(r.Entry(1), "f2");
    EXPECT_EQ(r.Entry(10), "f3");
    EXPECT_EQ(r.Count(), 10);
}

TEST(RecentFiles, SettingsWithGapsCloseUp)
{
    TRecentFiles r;
    r.Assign({"", "/w/a.tk4d", "", "/w/b.tk4d"});
    EXPECT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Entry(1), "/w/a.tk4d");
    EXPECT_EQ(r.Entry(2), "/w/b.tk4d");
    EXPECT_EQ(r.Entry(11), "");
}

TEST(RecentFiles, CaptionShowsAFileOfTheWorkingDirectoryByItsBareName)
{
    EXPECT_EQ(RecentFileCaption(1, "/home/ann/walls/pier.tk4d", "/home/ann/walls"), "1 pier.tk4d");
    EXPECT_EQ(RecentFileCaption(2, "/home/ann/walls/old/pier.tk4d", "/home/ann/walls"), "2 old/pier.tk4d");
    EXPECT_EQ(RecentFileCaption(3, "/home/ann/walls2/pier.tk4d", "/home/ann/walls"), "3 /home/ann/walls2/pier.tk4d");
    EXPECT_EQ(RecentFileCaption(4, "C:\\walls\\pier.tk4d", "C:\\walls"), "4 pier.tk4d");
    EXPECT_EQ(RecentFileCaption(5, "C:\\pier.tk4d", "C:\\"), "5 pier.tk4d");
    EXPECT_EQ(RecentFileCaption(6, "C:\\walls\\pier.tk4d", "C:/walls"), "6 pier.tk4d");
    EXPECT_EQ(RecentFileCaption(10, "/srv/R&D/pier.tk4d", "/home"), "10 /srv/R&&D/pier.tk4d");
}

TEST(RecentFiles, FileMenuShowsTheUsedEntriesAndTheirSeparator)
{
    TRecentFiles r;
    EXPECT_FALSE(FileMenuState(r, "/w").RecentSeparator.Visible);
    r.UpdatePrevFile("/w/a.tk4d");
    r.UpdatePrevFile("/x/b.tk4d");
    const TFileMenu m = FileMenuState(r, "/w");
    EXPECT_TRUE(m.RecentSeparator.Visible);
    EXPECT_TRUE(m.Recent[0].Visible && m.Recent[1].Visible);
    EXPECT_FALSE(m.Recent[2].Visible || m.Recent[9].Visible);
    EXPECT_EQ(m.RecentCaption[0], "1 /x/b.tk4d");
    EXPECT_EQ(m.RecentCaption[1], "2 a.tk4d");
}

TEST(DocumentNames, DisplayFileNameShowsTheNameCapitalised)
{
    EXPECT_EQ(DisplayFileName("c:\\walls\\wall1.tk4d"), "Wall1.tk4d");
    EXPECT_EQ(DisplayFileName("c:\\walls\\old.wall.tkd"), "Old");
    EXPECT_EQ(DisplayFileName("/home/ann/OLD.TKD"), "OLD");
    EXPECT_EQ(DisplayFileName("a:x"), "x");
    EXPECT_EQ(TitleBarText("/walls/wall1.tk4d"), std::string(ProgramNameAndRelease) + " - Wall1.tk4d");
}

TEST(UpdateCheck, PageUrlCarriesTheReleaseAndTodayPercentEncoded)
{
    EXPECT_EQ(UpdatePageUrl("https://example.com/update", ProductName, ProductVersion, ReleaseDate,
                            IsoDate(2026, 3, 7)),
              "https://example.com/update?product=TORVIK%202013&version=" + std::string(ProgramRelease) +
                  "&released=2013-04-06&today=2026-03-07");
    EXPECT_EQ(UpdatePageUrl("https://example.com/u?lang=en#top", "A&B=\xC3\xA9", "1", "2", "3"),
              "https://example.com/u?lang=en&product=A%26B%3D%C3%A9&version=1&released=2&today=3#top");
    EXPECT_EQ(UpdatePageUrl("https://example.com/u?", "P", "1", "2", "3"),
              "https://example.com/u?product=P&version=1&released=2&today=3");
}

}  // namespace
