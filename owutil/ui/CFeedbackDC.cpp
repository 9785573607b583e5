#include "CFeedbackDC.h"

#include "platform/types/QtGeometry.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

CFeedbackDC::CFeedbackDC(QWidget* window)
    : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("dragFeedback"));
    setAccessibleName(tr("Drag feedback"));
    if (window) {
        setGeometry(window->rect());
        window->installEventFilter(this);
    }
    raise();
    show();
}

CFeedbackDC::~CFeedbackDC()
{
    // The window repaints what the inversions covered.
    if (QWidget* window = parentWidget())
        for (const CRect& r : m_rects)
            window->update(toQRect(r));
}

void CFeedbackDC::InvertRect(const CRect& rect)
{
    CRect r = rect;
    r.NormalizeRect();
    if (r.IsRectEmpty())
        return;
    const auto same = std::find(m_rects.begin(), m_rects.end(), r);
    if (same != m_rects.end())
        m_rects.erase(same);
    else
        m_rects.push_back(r);
    update(toQRect(r));
}

void CFeedbackDC::paintEvent(QPaintEvent* event)
{
    if (m_rects.empty())
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // Each rectangle inverts what lies beneath it, earlier inversions
    // included: where two overlap, the pixels come back, as with XOR.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    for (const CRect& r : m_rects)
        painter.fillRect(toQRect(r), Qt::white);
}

bool CFeedbackDC::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
