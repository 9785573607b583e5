#pragma once
// The framework's view: a window that shows its document and takes part in
// command routing (view first, then its document). Its client area is the
// viewport of a scroll area; a plain view never shows scroll bars (the
// scroll view does).
//
// Painting follows the platform: Invalidate and InvalidateRect add to the
// area that needs repainting, and the next paint (or UpdateWindow) hands it
// to OnDraw through a paint context whose clip box is that area. A view that
// draws elsewhere (a painting thread on an off-screen surface) overrides
// OnPaint and presents its surface; the areas it is asked to present without
// a repaint request are told apart from those that need drawing.
#include "framework/cmd/CCmdTarget.h"
#include "platform/types/CRect.h"

#include <QAbstractScrollArea>
#include <QRegion>

class CDC;
class CDocument;
class CFrameWnd;
class QPainter;
class QPrinter;
struct CCreateContext;
struct CPrintInfo;

// Virtual-key codes the views' key handlers see.
enum : UINT {
    VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
    VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E,
    VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DIVIDE = 0x6F, VK_F1 = 0x70,
    VK_OEM_PLUS = 0xBB, VK_OEM_MINUS = 0xBD,
};

// Size-change kinds of OnSize.
enum : UINT { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

class CView : public QAbstractScrollArea, public CCmdTarget {
    Q_OBJECT
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // The frame holding the view (the child frame for a document window).
    CFrameWnd* GetParentFrame() const;

    // Called once the view sits in its frame and belongs to its document.
    virtual void OnInitialUpdate();
    // The document changed (UpdateAllViews); repaints by default.
    virtual void OnUpdate(CView* sender, intptr_t hint, CObject* hintObject);
    // Drawing on a device context: the painting code of the derived view.
    virtual void OnDraw(CDC* dc);
    // Sets up dc's mapping before OnDraw (the scroll view's scroll offset).
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual void OnActivateView(bool activate, CView* activateView, CView* deactiveView);

    // View, then document.
    bool OnCmdMsg(UINT id, CCmdUI* update) override;

    // --- printing (CViewPrinting.cpp) ---------------------------------------
    // The framework's print commands: print with the print dialog, print on
    // the printer as it is set up (the shell's print), and preview.
    virtual void OnFilePrint();
    void OnFilePrintDirect();
    virtual void OnFilePrintPreview();
    // Prepares a job: the default runs DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    // The application's printer, and the print dialog unless the job is
    // direct or a preview; FALSE when the user cancels.
    BOOL DoPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    // Prints the page info->m_nCurPage: the default draws the view.
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // The print loop on printer: pages of info's range in order; false
    // with a sentence for the user when nothing or not all was printed.
    bool PrintPages(QPrinter* printer, CPrintInfo& info, QString* error);

    // The view's creation, as the frame's client creation calls it; runs
    // OnCreate, whose -1 fails the creation.
    virtual bool Create(QWidget* parent, CCreateContext* context);
    virtual int OnCreate(CCreateContext* context);
    // The view's window is being destroyed, while its document is still
    // there (the widget itself may go later): release what uses the document.
    virtual void OnDestroy();

    // --- the client area -----------------------------------------------------
    CRect GetClientRect() const;
    void Invalidate(bool erase = true);
    void InvalidateRect(const CRect* rect, bool erase = true);
    // Paints what is invalid now, before returning.
    void UpdateWindow();
    // The area waiting for a repaint, in client coordinates.
    QRegion InvalidRegion() const { return m_invalid; }
    // Moves the client area's pixels by (dx, dy) and invalidates what that
    // uncovers.
    virtual void ScrollWindow(int dx, int dy);

    // --- messages --------------------------------------------------------------
    virtual void OnSize(UINT type, int cx, int cy);
    // nChar is a virtual-key code; the base does nothing.
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    // The key a Qt key event stands for (keypad plus and minus are VK_ADD and
    // VK_SUBTRACT, the main keyboard's are VK_OEM_PLUS and VK_OEM_MINUS); 0
    // for keys without one.
    static UINT VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

protected:
    // Paints event area `exposed`; `requested` is the part of it (or more)
    // that was invalidated and so needs drawing. The base draws the requested
    // area through OnPrepareDC and OnDraw on the client area.
    virtual void OnPaint(QPainter& painter, const QRegion& exposed, const QRegion& requested);
    // Called after the client area's pixels moved (ScrollWindow).
    virtual void OnScrollWindow(int dx, int dy);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

    friend class CDocument;
    CDocument* m_pDocument = nullptr;

private:
    void print(bool direct);

    QRegion m_invalid;
    QSize m_lastClientSize{-1, -1};
};
