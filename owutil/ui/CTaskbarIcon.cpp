#include "CTaskbarIcon.h"

#include "CTaskbarIconHelper.h"
#include "CTaskbarWindowHelper.h"

CTaskbarIcon::CTaskbarIcon() = default;
CTaskbarIcon::~CTaskbarIcon() = default;

bool CTaskbarIcon::Create(QWidget* parent, const QIcon& smallIcon, const QIcon& largeIcon, const QString& text,
                          UINT menuId, UINT defaultItem)
{
    if (m_icon || m_window)
        return false;
    auto icon = std::make_unique<CTaskbarIconHelper>();
    if (!icon->Create(0))
        return false;
    icon->m_pParent = parent;
    icon->SetIcon(smallIcon);
    icon->m_nMenuID = menuId;
    icon->m_nDefaultItem = defaultItem;

    auto window = std::make_unique<CTaskbarWindowHelper>(parent);
    window->setWindowTitle(QString());
    window->setGeometry(-100, -100, 101, 101);
    window->m_pParent = parent;
    QIcon both = largeIcon;
    for (const QSize& s : smallIcon.availableSizes())
        both.addPixmap(smallIcon.pixmap(s));
    window->setWindowIcon(both.isNull() ? smallIcon : both);

    m_icon = std::move(icon);
    m_window = std::move(window);
    SetText(text);
    return true;
}

void CTaskbarIcon::SetIconText(const QString& text)
{
    if (m_icon)
        m_icon->SetTooltipText(text);
}

void CTaskbarIcon::SetWindowText(const QString& text)
{
    if (m_window)
        m_window->setWindowTitle(text);
}

void CTaskbarIcon::SetText(const QString& text)
{
    SetIconText(text);
    SetWindowText(text);
}

void CTaskbarIcon::Show()
{
    if (m_window) {
        m_window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_window->move(-100, -100);
        m_window->showMinimized();
        m_window->lower();
    }
    if (m_icon)
        m_icon->Show();
}

void CTaskbarIcon::Hide()
{
    if (m_window)
        m_window->hide();
    if (m_icon)
        m_icon->Hide();
}
