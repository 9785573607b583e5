#pragma once
// Tracks a mouse drag in a window: Begin on the button press, Update on
// every move, End on the release, Cancel when the drag is abandoned. During
// the drag the object captures the mouse and has a client-area device
// context (CFeedbackDC) to draw feedback with. This base draws nothing; a
// derived class (CDragVerticalRange) draws and decides.
//
// Copyable field by field: a copy made during a drag shares the device
// context, which the first Cancel deletes.
#include "CFeedbackDC.h"
#include "platform/types/CPoint.h"
#include "platform/types/CRect.h"
#include "platform/types/Win32Types.h"

#include <QPointer>

class QWidget;

class CDragObject {
public:
    // Stores window and its client rectangle as it is now.
    explicit CDragObject(QWidget* window);
    virtual ~CDragObject();
    CDragObject(const CDragObject&) = default;
    CDragObject& operator=(const CDragObject&) = default;

    // Creates the device context, captures the mouse, then Update(point,
    // TRUE); its answer. A framework exception creating the context is
    // reported and gives FALSE.
    virtual BOOL Begin(CPoint point);
    // Moves the feedback to point; flag: draw without erasing first.
    virtual BOOL Update(CPoint point, BOOL flag);
    // The drag ends at point: Cancel(point).
    virtual BOOL End(CPoint point);
    // Update(point, TRUE), the mouse released, the device context deleted.
    virtual BOOL Cancel(CPoint point);

    QWidget* GetWindow() const { return m_pWnd; }
    const CRect& GetClientRect() const { return m_rcClient; }
    CFeedbackDC* GetDC() const { return m_pDC; }
    bool IsDragging() const { return m_pDC != nullptr; }

    QPointer<QWidget> m_pWnd;
    CRect m_rcClient;
    QPointer<CFeedbackDC> m_pDC;
    // 0 plain; 1 with Control, 2 with Shift, 3 with both (CheckMoveType).
    int m_nSelectionType = 0;
};
