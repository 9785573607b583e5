// Commands go to the active view, its document, the frames, then the
// application; update handlers decide what is enabled.
#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/frame/CMDIChildWnd.h"
#include "framework/frame/CMDIFrameWnd.h"
#include "framework/doc/CDocTemplate.h"
#include "framework/doc/CDocument.h"
#include "framework/view/CView.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> g_log;

class LogView : public CView {
public:
    LogView()
    {
        OnCommand(100, [] { g_log.push_back("view 100"); });
        OnUpdateCommand(101, [](CCmdUI* ui) { ui->Enable(FALSE); });
        OnCommand(101, [] { g_log.push_back("view 101"); });
    }
};

class LogDoc : public CDocument {
public:
    LogDoc()
    {
        OnCommand(100, [] { g_log.push_back("doc 100"); });
        OnCommand(102, [] { g_log.push_back("doc 102"); });
        OnCommandRange(200, 209, [](UINT id) { g_log.push_back("doc range " + std::to_string(id)); });
    }
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("RoutingTest")
    {
        OnCommand(103, [] { g_log.push_back("app 103"); });
    }
};

class Routing : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        static CModule resources("routing");
        resources.AddString(300, "\nLog\nLog\nLog Files (*.log)\n.log\nRouting.Document\nRouting Document");
        AfxSetResourceHandle(&resources);
        app = std::make_unique<TestApp>();
        frame = new CMDIFrameWnd;
        app->m_pMainWnd = frame;
        tmpl = new CMultiDocTemplate(300, RUNTIME_CLASS(LogDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(LogView));
        app->AddDocTemplate(tmpl);
        doc = tmpl->OpenDocumentFile(QString());
        ASSERT_NE(doc, nullptr);
    }
    void TearDown() override
    {
        app->CloseAllDocuments(true);
        delete frame;
        app.reset();
    }

    std::unique_ptr<TestApp> app;
    CMDIFrameWnd* frame = nullptr;
    CDocTemplate* tmpl = nullptr;
    CDocument* doc = nullptr;
};

} // namespace

TEST_F(Routing, ViewFirstThenDocumentThenApplication)
{
    EXPECT_TRUE(frame->SendCommand(100));
    EXPECT_TRUE(frame->SendCommand(102));
    EXPECT_TRUE(frame->SendCommand(205));
    EXPECT_TRUE(frame->SendCommand(103));
    EXPECT_EQ(g_log, (std::vector<std::string>{"view 100", "doc 102", "doc range 205", "app 103"}));
}

TEST_F(Routing, DisabledAndUnhandledCommandsDoNothing)
{
    EXPECT_FALSE(frame->QueryCommand(101).m_enabled);
    EXPECT_FALSE(frame->SendCommand(101));
    EXPECT_FALSE(frame->QueryCommand(999).m_enabled);
    EXPECT_FALSE(frame->SendCommand(999));
    EXPECT_TRUE(g_log.empty());
    EXPECT_TRUE(frame->QueryCommand(ID_WINDOW_CASCADE).m_enabled);
}

TEST_F(Routing, ClosingTheLastWindowClosesTheDocument)
{
    ASSERT_EQ(tmpl->GetDocuments().size(), 1u);
    frame->SendCommand(ID_WINDOW_NEW);
    ASSERT_EQ(frame->MDIGetChildren().size(), 2u);
    ASSERT_EQ(doc->GetViews().size(), 2u);
    // Two windows number their titles; closing one keeps the document.
    EXPECT_TRUE(frame->MDIGetChildren()[0]->windowTitle().endsWith(":1"));
    frame->MDIGetChildren()[1]->OnClose();
    ASSERT_EQ(tmpl->GetDocuments().size(), 1u);
    EXPECT_EQ(doc->GetViews().size(), 1u);
    frame->MDIGetChildren()[0]->OnClose();
    EXPECT_TRUE(tmpl->GetDocuments().empty());
    EXPECT_TRUE(frame->MDIGetChildren().empty());
}

TEST_F(Routing, OpeningAnOpenFileActivatesItsWindow)
{
    const QString path = QDir::tempPath() + "/routing-test.log";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    CDocument* first = app->OpenDocumentFile(path);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(app->OpenDocumentFile(path), first);
    EXPECT_EQ(tmpl->GetDocuments().size(), 2u);
    QFile::remove(path);
}
