#pragma once
// Puts a program into the desktop's notification area while its main window
// is hidden: a tray icon (click: the window comes back) and an off-screen
// frame window standing in the taskbar.
#include "platform/types/Win32Types.h"

#include <QIcon>
#include <QString>
#include <memory>

class QWidget;
class CTaskbarIconHelper;
class CTaskbarWindowHelper;

class CTaskbarIcon {
public:
    CTaskbarIcon();
    ~CTaskbarIcon();
    CTaskbarIcon(const CTaskbarIcon&) = delete;
    CTaskbarIcon& operator=(const CTaskbarIcon&) = delete;

    // True only when both parts were created.
    bool Create(QWidget* parent, const QIcon& smallIcon, const QIcon& largeIcon, const QString& text,
                UINT menuId = 0, UINT defaultItem = 0);
    void SetIconText(const QString& text);
    void SetWindowText(const QString& text);
    void SetText(const QString& text);
    void Show();
    void Hide();

    CTaskbarIconHelper* IconPart() const { return m_icon.get(); }
    CTaskbarWindowHelper* WindowPart() const { return m_window.get(); }

private:
    std::unique_ptr<CTaskbarIconHelper> m_icon;
    std::unique_ptr<CTaskbarWindowHelper> m_window;
};
