#pragma once
// An icon in the desktop's notification area (system tray). A click on it
// reaches the virtual handlers, after which a derived class acts.
#include "platform/types/Win32Types.h"

#include <QIcon>
#include <QObject>
#include <QString>

class QSystemTrayIcon;

class COXTaskbarIcon : public QObject {
    Q_OBJECT
public:
    COXTaskbarIcon();
    ~COXTaskbarIcon() override;

    // Creates the (hidden) icon; nID identifies it to the owner. FALSE when it exists.
    BOOL Create(UINT nID = 0);
    BOOL IsCreated() const { return m_icon != nullptr; }
    UINT GetID() const { return m_id; }
    void SetIcon(const QIcon& icon);
    QIcon GetIcon() const { return m_iconImage; }
    void SetTooltipText(const QString& text);
    QString GetTooltipText() const { return m_tip; }
    // Shows or hides the icon; FALSE when it was never created.
    BOOL Show();
    BOOL Hide();
    BOOL IsShowing() const;
    // Whether the desktop has a notification area to show icons in.
    static bool IsTrayAvailable();

    // The icon under test or an accessibility tool.
    QSystemTrayIcon* GetTrayIcon() const { return m_icon; }

protected:
    virtual void OnLButtonDown() {}
    virtual void OnRButtonDown() {}

private:
    QSystemTrayIcon* m_icon = nullptr;
    QIcon m_iconImage;
    QString m_tip;
    UINT m_id = 0;
};
