#include "COXTaskbarIcon.h"

#include <QSystemTrayIcon>

COXTaskbarIcon::COXTaskbarIcon() = default;

COXTaskbarIcon::~COXTaskbarIcon() { delete m_icon; }

BOOL COXTaskbarIcon::Create(UINT nID)
{
    if (m_icon)
        return FALSE;
    m_id = nID;
    m_icon = new QSystemTrayIcon(this);
    m_icon->setIcon(m_iconImage);
    m_icon->setToolTip(m_tip);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        // The tray reports a plain click as Trigger and the menu button as Context.
        if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
            OnLButtonDown();
        else if (why == QSystemTrayIcon::Context)
            OnRButtonDown();
    });
    return TRUE;
}

void COXTaskbarIcon::SetIcon(const QIcon& icon)
{
    m_iconImage = icon;
    if (m_icon)
        m_icon->setIcon(icon);
}

void COXTaskbarIcon::SetTooltipText(const QString& text)
{
    m_tip = text;
    if (m_icon)
        m_icon->setToolTip(text);
}

BOOL COXTaskbarIcon::Show()
{
    if (m_icon == nullptr)
        return FALSE;
    m_icon->show();
    return TRUE;
}

BOOL COXTaskbarIcon::Hide()
{
    if (m_icon == nullptr)
        return FALSE;
    m_icon->hide();
    return TRUE;
}

BOOL COXTaskbarIcon::IsShowing() const { return m_icon != nullptr && m_icon->isVisible(); }

bool COXTaskbarIcon::IsTrayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }
