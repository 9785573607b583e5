#pragma once
// The main frame's status bar: a row of indicator panes. The pane of id 0
// (ID_SEPARATOR) is the message pane: it stretches, shows the idle message
// and gives way to the fly-by prompt of the command under the mouse. Every
// other pane is as wide as its id's string and shows text set by the frame.
// A double click on a pane sends the frame the pane notification.
#include "platform/types/Win32Types.h"

#include <QColor>
#include <QStatusBar>
#include <functional>
#include <vector>

class QLabel;

class COXStatusBar : public QStatusBar {
    Q_OBJECT
public:
    // The notification the bar sends its owner for a gesture on a pane.
    static constexpr UINT WM_OX_PANE_NOTIFY = 0x0400 + 555;

    COXStatusBar();
    ~COXStatusBar() override;

    // Becomes the status bar of parent (a QMainWindow) with window id nID.
    BOOL Create(QWidget* parent, DWORD style, UINT nID);
    // The panes, left to right; FALSE when ids is null or count is not positive.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return int(m_panes.size()); }
    // The index of the pane with this id, -1 when none has it.
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    // Sets a pane's text in the given colour (invalid: the palette's); update
    // repaints it now. FALSE for a bad index.
    BOOL SetPaneText(int index, const QString& text, QColor color = QColor(), BOOL update = TRUE);
    QString GetPaneText(int index) const;
    QLabel* GetPane(int index) const;
    // The idle text of the message pane.
    void SetIdleMessage(const QString& text);

    // Receives the pane notification: (message, pane id) -> result.
    std::function<LRESULT(UINT, UINT)> m_notify;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QLabel*> m_panes;
    std::vector<UINT> m_ids;
};
