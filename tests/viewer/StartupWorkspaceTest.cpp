// Start-up's set-up steps and the workspace restore.
#include "StartupFixture.h"

#include <QVariant>

#include "framework/app/CRecentFileList.h"
#include "framework/doc/CDocManager.h"
#include "framework/doc/CDocTemplate.h"
#include "platform/ui/KeyState.h"
#include "toolkit/COXWorkspaceState.h"
#include "viewer/frame/CMainFrame.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>

namespace {

const QRect kStored(40, 50, 420, 310);

// A workspace as a previous session left it: the window at kStored.
void storeWorkspace()
{
    CMainFrame frame;
    frame.setGeometry(kStored);
    AfxGetApp()->SetRegistryKey("Orrery Works");
    CFrameWnd* old = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &frame;
    COXWorkspaceState ws;
    ws.IncludeMainWindow(TRUE);
    ASSERT_TRUE(ws.StoreToRegistry());
    AfxGetApp()->m_pMainWnd = old;
}

} // namespace

TEST_F(StartupTest, TemplatesHelpPathAndProfile)
{
    ASSERT_TRUE(Start({}));
    const auto& templates = app->m_pDocManager->GetTemplates();
    ASSERT_EQ(templates.size(), 11u);
    const char* names[] = {"EMF", "WMF", "BMP", "ICO", "TIF", "GIF", "JPG", "MJ", "PNG", "TGA", "PCX"};
    for (size_t i = 0; i < templates.size(); ++i) {
        EXPECT_EQ(templates[i]->m_nIDResource, 131 + i);
        QString name, id;
        templates[i]->GetDocString(name, CDocTemplate::docName);
        templates[i]->GetDocString(id, CDocTemplate::regFileTypeId);
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(id, "Lumivue.Document");
    }
    const QStringList filters = app->m_pDocManager->FilterList();
    ASSERT_EQ(filters.size(), 12);
    EXPECT_EQ(filters.first(), "Enhanced Metafiles (*.emf)");
    EXPECT_EQ(filters.last(), "All Files (*.*)");

    EXPECT_EQ(app->m_pszAppName, "Lumivue");
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    EXPECT_EQ(app->m_pszHelpFilePath, exe.path() + '/' + exe.completeBaseName() + ".chm");
    EXPECT_EQ(app->m_pszRegistryKey, "Orrery Works");
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    EXPECT_EQ(app->m_pRecentFileList->GetMaxSize(), 9);
}

TEST_F(StartupTest, RecentFileListKeepsNineEntriesAcrossSessions)
{
    QStringList files;
    for (int i = 0; i < 10; ++i)
        files << MakeFile(QStringLiteral("f%1.emf").arg(i));
    ASSERT_TRUE(Start(QStringList{"-Open"} + files));
    app->ExitInstance();
    TearDown();
    ASSERT_TRUE(Start({}));
    ASSERT_EQ(app->m_pRecentFileList->GetSize(), 9);
    EXPECT_EQ((*app->m_pRecentFileList)[0], files[9]);
    EXPECT_EQ((*app->m_pRecentFileList)[8], files[1]);
}

TEST_F(StartupTest, PersistentPosOneRestoresThePlacement)
{
    ASSERT_TRUE(Start({}, [](RecordingApp&) { storeWorkspace(); }));
    // PersistentPos absent: 0, the placement stays the framework's.
    EXPECT_NE(MainFrame()->geometry(), kStored);
    TearDown();
    WriteSetting("Settings/PersistentPos", 1);
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(MainFrame()->geometry(), kStored);
}

TEST_F(StartupTest, PersistentPosTwoBehavesLikeZero)
{
    ASSERT_TRUE(Start({}, [](RecordingApp&) { storeWorkspace(); }));
    TearDown();
    WriteSetting("Settings/PersistentPos", 2);
    ASSERT_TRUE(Start({}));
    EXPECT_NE(MainFrame()->geometry(), kStored);
}

TEST_F(StartupTest, CtrlHeldSkipsTheRestore)
{
    ASSERT_TRUE(Start({}, [](RecordingApp&) { storeWorkspace(); }));
    TearDown();
    WriteSetting("Settings/PersistentPos", 1);
    int asked = 0;
    SetKeyStateHook([&asked](int vk) {
        asked += vk == VK_CONTROL;
        return vk == VK_CONTROL ? short(0x8000) : short(0);
    });
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(asked, 1);
    EXPECT_NE(MainFrame()->geometry(), kStored);
    EXPECT_TRUE(MainFrame()->isVisible());
}

TEST_F(StartupTest, AnUnreadableSettingsFileGivesTheDefaults)
{
    QFileInfo profile(ProfilePath());
    QDir().mkpath(profile.path());
    QFile f(profile.filePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Settings\n\x01\x02PersistentPos=\xff\xfe\n=\n[[[\n");
    f.close();
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(app->GetProfileInt("Settings", "PersistentPos", 0), 0u);
    EXPECT_EQ(app->GetProfileInt("Settings", "MaximizeChildren", 1), 1u);
    EXPECT_TRUE(MainFrame()->isVisible());
}
