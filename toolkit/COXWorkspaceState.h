#pragma once
// The workspace: the main window's placement and its bars (toolbars, docks,
// status bar), and optionally the document windows' placements, stored in
// the application's profile and restored at the next start.
#include "platform/types/Win32Types.h"

#include <QString>

class COXWorkspaceState {
public:
    COXWorkspaceState() = default;

    void IncludeMainWindow(BOOL include = TRUE) { m_mainWindow = include; }
    void IncludeBarProperty(BOOL include = TRUE) { m_bars = include; }
    // Document windows: each window's placement, found again by its document's path.
    void IncludeChildFrame(BOOL include = TRUE) { m_childFrames = include; }
    // Splitter panes: the document windows here have no splitters to keep.
    void IncludeSplitterPane(BOOL include = TRUE) { m_splitterPanes = include; }

    // The profile group the state lives in (default "Workspace") under the
    // current user's key of the application. overwrite: replace a stored
    // state (FALSE keeps one already there); createKey: create the group
    // when missing; flush: write it out now.
    BOOL StoreToRegistry(const QString& valueName = QString(), const QString& keyName = QString(),
                         BOOL overwrite = TRUE, BOOL createKey = TRUE, BOOL flush = TRUE);
    // Reads the state; apply: also give the windows their stored state.
    // FALSE when nothing is stored.
    BOOL LoadFromRegistry(const QString& valueName = QString(), const QString& keyName = QString(),
                          BOOL apply = TRUE);

    static QString DefaultValueName() { return QStringLiteral("Workspace"); }

private:
    BOOL m_mainWindow = TRUE;
    BOOL m_bars = TRUE;
    BOOL m_childFrames = FALSE;
    BOOL m_splitterPanes = FALSE;
};
