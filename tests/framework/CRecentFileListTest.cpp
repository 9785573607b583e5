#include "framework/app/CRecentFileList.h"
#include "framework/app/CWinApp.h"

#include <gtest/gtest.h>

TEST(CRecentFileList, NewestFirstOnceEachAndBounded)
{
    CRecentFileList list("Recent File List", "File%1", 3);
    list.Add("/a/one.emf");
    list.Add("/a/two.emf");
    list.Add("/a/one.emf");
    list.Add("/a/three.emf");
    list.Add("/a/four.emf");
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], "/a/four.emf");
    EXPECT_EQ(list[1], "/a/three.emf");
    EXPECT_EQ(list[2], "/a/one.emf");
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(list.Files(), (QStringList{"/a/four.emf", "/a/one.emf"}));
}

TEST(CRecentFileList, DisplayNamesAreShortAndKeepAmpersands)
{
    CRecentFileList list("Recent File List", "File%1", 4);
    list.Add("/data/very/long/folder/names/that/go/on/and/on/R&D plan.emf");
    const QString name = list.GetDisplayName(0, 40);
    EXPECT_LE(name.size(), 42);
    EXPECT_TRUE(name.endsWith("R&&D plan.emf")) << name.toStdString();
    EXPECT_TRUE(name.contains("..."));
}

TEST(CRecentFileList, SurvivesTheProfile)
{
    CWinApp app("RecentTest");
    app.SetRegistryKey("Orrery Works Tests");
    CRecentFileList list("Recent File List", "File%1", 4);
    list.Add("/x/1.emf");
    list.Add("/x/2.emf");
    list.WriteList(&app);
    CRecentFileList again("Recent File List", "File%1", 4);
    again.ReadList(&app);
    EXPECT_EQ(again.Files(), list.Files());
    EXPECT_EQ(app.GetProfileString("Recent File List", "File1"), "/x/2.emf");
}
