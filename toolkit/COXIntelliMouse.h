#pragma once
// Panning a scrolling view with the mouse: while the trigger button is held
// (the middle button, as the wheel's click), moving the mouse drags the
// picture under a grabbing hand, through the view's own scrolling, so a
// view that stops its painting before a scroll does so here too.
#include "platform/types/Win32Types.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class CScrollView;
class QWidget;

enum : UINT {
    WM_LBUTTONDOWN = 0x0201,
    WM_RBUTTONDOWN = 0x0204,
    WM_MBUTTONDOWN = 0x0207,
};
enum : UINT { MK_SHIFT = 0x0004, MK_CONTROL = 0x0008 };

class COXIntelliMouse : public QObject {
    Q_OBJECT
public:
    COXIntelliMouse();
    ~COXIntelliMouse() override;

    // Starts panning on the button of startMessage (WM_MBUTTONDOWN...) with
    // the keys of keyFlags (MK_SHIFT, MK_CONTROL) held; false for a view that
    // is null or already attached elsewhere.
    BOOL Attach(CScrollView* view, UINT startMessage = WM_MBUTTONDOWN, UINT keyFlags = 0);
    void Detach();
    bool IsPanning() const { return m_panning; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stop();

    QPointer<CScrollView> m_view;
    QWidget* m_viewport = nullptr;
    Qt::MouseButton m_button = Qt::MiddleButton;
    UINT m_keys = 0;
    bool m_panning = false;
    QPoint m_last;
};
