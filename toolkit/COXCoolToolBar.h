#pragma once
// The frame's dockable toolbar: buttons from a toolbar resource, each
// sending its command to the frame, enabled and checked as the frame's
// update handlers say. The text after the line break of a command's string
// is its tooltip, the text before it the fly-by prompt in the status bar.
#include "platform/types/Win32Types.h"

#include <QToolBar>

class CFrameWnd;
class QTimer;

class COXCoolToolBar : public QToolBar {
    Q_OBJECT
public:
    COXCoolToolBar();
    ~COXCoolToolBar() override;

    // Becomes a bar of frame (a QMainWindow) with window id nID; style
    // carries the CBRS_ alignment, tooltip and fly-by bits.
    BOOL Create(CFrameWnd* frame, DWORD style, UINT nID);
    // The buttons of toolbar resource nIDResource. FALSE when it is missing.
    BOOL LoadToolBar(UINT nIDResource);
    // Where the bar may dock (CBRS_ALIGN_ bits; 0: nowhere, floating only).
    void EnableDocking(DWORD alignment);
    DWORD GetBarStyle() const { return m_style; }
    void SetBarStyle(DWORD style);
    // Sizes the buttons for the current screen (the images are vector art).
    void UpdateSizes();
    void SetWindowText(const QString& text);

    // The button's action for a command, or null.
    QAction* FindButton(UINT id) const;
    // The command ids in order, 0 for separators.
    std::vector<UINT> ButtonIds() const;
    // Brings the buttons' states up to date with the frame's update handlers.
    void UpdateButtons();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void applyTips();

    CFrameWnd* m_frame = nullptr;
    DWORD m_style = 0;
    QTimer* m_idle = nullptr;
};
