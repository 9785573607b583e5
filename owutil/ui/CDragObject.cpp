#include "CDragObject.h"

#include "framework/except/CException.h"
#include "platform/types/QtGeometry.h"

#include <QWidget>

CDragObject::CDragObject(QWidget* window)
    : m_pWnd(window)
    , m_rcClient(window ? toCRect(window->rect()) : CRect())
{
}

CDragObject::~CDragObject() = default;

BOOL CDragObject::Begin(CPoint point)
{
    if (!m_pWnd)
        return FALSE;
    try {
        delete m_pDC;
        m_pDC = new CFeedbackDC(m_pWnd);
    } catch (const CException& e) {
        e.ReportError();
        return FALSE;
    }
    m_pWnd->grabMouse();
    return Update(point, TRUE);
}

BOOL CDragObject::Update(CPoint, BOOL) { return TRUE; }

BOOL CDragObject::End(CPoint point) { return Cancel(point); }

BOOL CDragObject::Cancel(CPoint point)
{
    Update(point, TRUE);
    if (m_pWnd)
        m_pWnd->releaseMouse();
    delete m_pDC;
    return TRUE;
}
