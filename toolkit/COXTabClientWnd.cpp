#include "COXTabClientWnd.h"

#include "framework/frame/ControlBarStyles.h"

#include <QBoxLayout>
#include <QChildEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTimer>

namespace {
const char* const kWindowProperty = "oxTabWindow";

bool isGoing(QMdiSubWindow* w)
{
    // The framework marks a document window it is taking away.
    return w == nullptr || w->property("lumivuDestroying").toBool();
}
} // namespace

COXTabClientWnd::COXTabClientWnd() = default;
COXTabClientWnd::~COXTabClientWnd() = default;

BOOL COXTabClientWnd::Attach(QMainWindow* frame, DWORD style)
{
    auto* area = frame ? qobject_cast<QMdiArea*>(frame->centralWidget()) : nullptr;
    if (area == nullptr || m_mdiArea)
        return FALSE;
    m_style = style;
    m_mdiArea = area;
    frame->takeCentralWidget();

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("documentTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Document windows"));
    m_tabs->setShape((style & TCS_BOTTOM) ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(true);
    m_tabs->setElideMode(Qt::ElideMiddle);
    // Qt's tab bar keeps one row: with more tabs than room it scrolls them
    // instead of wrapping them onto several lines.
    m_tabs->setUsesScrollButtons(true);
    // Hot-tracking: the tab under the mouse is highlighted by the style.
    m_tabs->setAttribute(Qt::WA_Hover, (style & TCS_HOTTRACK) != 0);
    m_tabs->hide();

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    if (style & TCS_BOTTOM) {
        box->addWidget(area, 1);
        box->addWidget(m_tabs);
    } else {
        box->addWidget(m_tabs);
        box->addWidget(area, 1);
    }
    frame->setCentralWidget(this);

    connect(m_tabs, &QTabBar::tabBarClicked, this, [this](int i) {
        if (QMdiSubWindow* w = GetWindow(i); w && m_mdiArea)
            m_mdiArea->setActiveSubWindow(w);
    });
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) {
        if (m_syncing)
            return;
        if (QMdiSubWindow* w = GetWindow(i); w && m_mdiArea && m_mdiArea->activeSubWindow() != w)
            m_mdiArea->setActiveSubWindow(w);
    });
    connect(area, &QMdiArea::subWindowActivated, this, [this] { scheduleSync(); });
    area->viewport()->installEventFilter(this);
    sync();
    return TRUE;
}

QMdiSubWindow* COXTabClientWnd::GetWindow(int tab) const
{
    if (m_tabs == nullptr || tab < 0 || tab >= m_tabs->count())
        return nullptr;
    return static_cast<QMdiSubWindow*>(m_tabs->tabData(tab).value<QObject*>());
}

bool COXTabClientWnd::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
        if (m_mdiArea && watched == m_mdiArea->viewport()) {
            if (auto* w = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child());
                w && event->type() == QEvent::ChildAdded)
                w->installEventFilter(this);
            scheduleSync();
        }
        break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Close:
        if (qobject_cast<QMdiSubWindow*>(watched))
            scheduleSync();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void COXTabClientWnd::scheduleSync()
{
    if (m_syncPending)
        return;
    m_syncPending = true;
    QTimer::singleShot(0, this, [this] {
        m_syncPending = false;
        sync();
    });
}

void COXTabClientWnd::sync()
{
    if (!m_mdiArea || m_tabs == nullptr)
        return;
    m_syncing = true;
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (!isGoing(w))
            windows << w;
    while (m_tabs->count() > windows.size())
        m_tabs->removeTab(m_tabs->count() - 1);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows[i];
        if (i >= m_tabs->count())
            m_tabs->addTab(QString());
        m_tabs->setTabText(i, w->windowTitle());
        m_tabs->setTabIcon(i, w->windowIcon());
        m_tabs->setTabToolTip(i, w->windowTitle());
        m_tabs->setTabData(i, QVariant::fromValue<QObject*>(w));
        if (w == m_mdiArea->activeSubWindow())
            m_tabs->setCurrentIndex(i);
    }
    m_tabs->setVisible(!windows.isEmpty());
    m_syncing = false;
}
