#include "StartupFixture.h"

#include "framework/doc/CDocManager.h"
#include "framework/except/CException.h"
#include "platform/ui/KeyState.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"
#include "viewer/resources/ViewerModule.h"

#include <QDir>
#include <QFile>
#include <QSettings>

BOOL RecordingApp::ProcessShellCommand(CCommandLineInfo& info)
{
    calls.push_back({info.m_nShellCommand, info.m_strFileName});
    if (throwOnCommand) {
        throwOnCommand = false;
        throw CFileException(CFileException::accessDenied, 13, QStringLiteral("/no/such/place"));
    }
    return recordOnly ? TRUE : CLumivueApp::ProcessShellCommand(info);
}

void StartupTest::SetUp()
{
    testenv::ClearMessages();
    SetKeyStateHook([](int) { return short(0); });
    QFile::remove(ProfilePath());
}

void StartupTest::TearDown()
{
    if (app) {
        app->CloseAllDocuments(true);
        if (app->m_pMainWnd)
            delete app->m_pMainWnd->GetWidget();
        app.reset();
    }
    SetKeyStateHook({});
}

BOOL StartupTest::Start(const QStringList& args, const std::function<void(RecordingApp&)>& prepare)
{
    app = std::make_unique<RecordingApp>();
    app->m_arguments = QStringList{QStringLiteral("Lumivu")} + args;
    EXPECT_TRUE(AfxWinInit(ViewerModule()));
    if (prepare)
        prepare(*app);
    return app->InitInstance();
}

QString StartupTest::MakeFile(const QString& name, const QByteArray& content)
{
    const QString dir = testenv::Home() + QStringLiteral("/files");
    QDir().mkpath(dir);
    QFile f(dir + '/' + name);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
}

CMainFrame* StartupTest::MainFrame() const
{
    return app ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr;
}

std::vector<CLumivueDoc*> StartupTest::Documents() const
{
    std::vector<CLumivueDoc*> out;
    for (CDocument* d : app->m_pDocManager->GetDocuments())
        out.push_back(dynamic_cast<CLumivueDoc*>(d));
    std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->m_nDocNumber < b->m_nDocNumber; });
    return out;
}

QString StartupTest::ProfilePath() const
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orrery Works"),
                     QStringLiteral("Lumivue"))
        .fileName();
}

void StartupTest::WriteSetting(const QString& key, const QVariant& value)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orrery Works"), QStringLiteral("Lumivue"));
    s.setValue(key, value);
    s.sync();
}
