#include "COXWorkspaceState.h"

#include "framework/app/CWinApp.h"
#include "framework/doc/CDocument.h"
#include "framework/frame/CMDIChildWnd.h"
#include "framework/frame/CMDIFrameWnd.h"

#include <QSettings>
#include <QStatusBar>

namespace {

const char* const kVersionKey = "Version";
constexpr int kVersion = 1;

CMDIFrameWnd* mainFrame() { return dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()); }

QString groupName(const QString& valueName, const QString& keyName)
{
    const QString v = valueName.isEmpty() ? COXWorkspaceState::DefaultValueName() : valueName;
    return keyName.isEmpty() ? v : keyName + '/' + v;
}

} // namespace

BOOL COXWorkspaceState::StoreToRegistry(const QString& valueName, const QString& keyName, BOOL overwrite,
                                        BOOL createKey, BOOL flush)
{
    CWinApp* app = AfxGetApp();
    CMDIFrameWnd* frame = mainFrame();
    if (app == nullptr || frame == nullptr)
        return FALSE;
    auto s = app->OpenProfile();
    const QString group = groupName(valueName, keyName);
    const bool exists = s->childGroups().contains(group.section('/', 0, 0));
    if (exists && !overwrite)
        return TRUE;
    if (!exists && !createKey)
        return FALSE;
    s->remove(group);
    s->beginGroup(group);
    s->setValue(kVersionKey, kVersion);
    if (m_mainWindow)
        s->setValue("MainWindow", frame->saveGeometry());
    if (m_bars) {
        s->setValue("Bars", frame->saveState(kVersion));
        // The main window's state leaves the status bar out.
        if (auto* bar = frame->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly))
            s->setValue("StatusBar", !bar->isHidden());
    }
    if (m_childFrames) {
        s->beginWriteArray("Children");
        int i = 0;
        for (CMDIChildWnd* c : frame->MDIGetChildren()) {
            CDocument* d = c->GetActiveDocument();
            if (d == nullptr || d->GetPathName().isEmpty())
                continue;
            s->setArrayIndex(i++);
            s->setValue("Path", d->GetPathName());
            s->setValue("Geometry", c->geometry());
            s->setValue("Maximized", c->isMaximized());
        }
        s->endArray();
    }
    s->endGroup();
    if (flush)
        s->sync();
    return s->status() == QSettings::NoError;
}

BOOL COXWorkspaceState::LoadFromRegistry(const QString& valueName, const QString& keyName, BOOL apply)
{
    CWinApp* app = AfxGetApp();
    CMDIFrameWnd* frame = mainFrame();
    if (app == nullptr)
        return FALSE;
    auto s = app->OpenProfile();
    s->beginGroup(groupName(valueName, keyName));
    // A state written by another version, or a damaged one, is ignored.
    if (s->value(kVersionKey).toInt() != kVersion)
        return FALSE;
    if (!apply || frame == nullptr)
        return TRUE;
    if (m_mainWindow) {
        const QByteArray g = s->value("MainWindow").toByteArray();
        if (!g.isEmpty() && frame->restoreGeometry(g))
            // The program shows its main window with this command after the
            // restore: a maximised window must stay maximised.
            app->m_nCmdShow = frame->isMaximized() || (frame->windowState() & Qt::WindowMaximized)
                                  ? SW_SHOWMAXIMIZED
                                  : SW_SHOWNORMAL;
    }
    if (m_bars) {
        const QByteArray b = s->value("Bars").toByteArray();
        if (!b.isEmpty())
            frame->restoreState(b, kVersion);
        if (auto* bar = frame->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
            bar && s->contains("StatusBar"))
            bar->setVisible(s->value("StatusBar").toBool());
    }
    if (m_childFrames) {
        const int n = s->beginReadArray("Children");
        for (int i = 0; i < n; ++i) {
            s->setArrayIndex(i);
            const QString path = s->value("Path").toString();
            for (CMDIChildWnd* c : frame->MDIGetChildren()) {
                CDocument* d = c->GetActiveDocument();
                if (d == nullptr || d->GetPathName() != path)
                    continue;
                if (s->value("Maximized").toBool())
                    c->showMaximized();
                else
                    c->setGeometry(s->value("Geometry").toRect());
            }
        }
        s->endArray();
    }
    return TRUE;
}
