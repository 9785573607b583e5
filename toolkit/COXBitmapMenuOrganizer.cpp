#include "COXBitmapMenuOrganizer.h"

#include "framework/app/CWinApp.h"

#include <QAction>
#include <QChildEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

COXBitmapMenuOrganizer::COXBitmapMenuOrganizer() = default;

COXBitmapMenuOrganizer::~COXBitmapMenuOrganizer() { DetachFrameWnd(); }

BOOL COXBitmapMenuOrganizer::AttachFrameWnd(QMainWindow* frame)
{
    if (frame == nullptr)
        return FALSE;
    DetachFrameWnd();
    m_frame = frame;
    // A new menu bar comes as a child of the frame; its popups are filled
    // before the next event.
    frame->installEventFilter(this);
    ApplyToMenus();
    return TRUE;
}

void COXBitmapMenuOrganizer::DetachFrameWnd()
{
    if (m_frame)
        m_frame->removeEventFilter(this);
    m_frame = nullptr;
}

BOOL COXBitmapMenuOrganizer::AutoSetMenuImage()
{
    if (!m_frame)
        return FALSE;
    for (QToolBar* bar : m_frame->findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (!a->isSeparator() && a->data().toUInt() != 0 && !a->icon().isNull())
                setImage(a->data().toUInt(), a->icon());
    ApplyToMenus();
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SetMenuBitmap(UINT nCommandID, UINT nBitmapID)
{
    HINSTANCE res = AfxGetResourceHandle();
    const QString* path = res ? res->FindImage(nBitmapID) : nullptr;
    if (path == nullptr)
        return FALSE;
    setImage(nCommandID, QIcon(*path));
    ApplyToMenus();
    return TRUE;
}

void COXBitmapMenuOrganizer::setImage(UINT id, const QIcon& icon)
{
    if (m_images.find(id) == m_images.end())
        m_order.push_back(id);
    m_images[id] = icon;
}

QIcon COXBitmapMenuOrganizer::GetMenuImage(UINT nCommandID) const
{
    auto it = m_images.find(nCommandID);
    return it == m_images.end() ? QIcon() : it->second;
}

void COXBitmapMenuOrganizer::ApplyToMenus()
{
    if (!m_frame)
        return;
    for (QMenu* menu : m_frame->findChildren<QMenu*>())
        applyTo(menu);
}

void COXBitmapMenuOrganizer::applyTo(QMenu* menu)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->menu())
            continue;
        auto it = m_images.find(a->data().toUInt());
        if (it != m_images.end())
            a->setIcon(it->second);
    }
}

bool COXBitmapMenuOrganizer::eventFilter(QObject* watched, QEvent* event)
{
    // ChildAdded comes while the menu bar is still being constructed; by
    // ChildPolished it is one.
    if (watched == m_frame && event->type() == QEvent::ChildPolished &&
        qobject_cast<QMenuBar*>(static_cast<QChildEvent*>(event)->child()))
        QTimer::singleShot(0, this, &COXBitmapMenuOrganizer::ApplyToMenus);
    return QObject::eventFilter(watched, event);
}
