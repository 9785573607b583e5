#pragma once
// The framework's view: a widget that shows its document and takes part in
// command routing (view first, then its document).
#include "framework/cmd/CCmdTarget.h"

#include <QWidget>

class CDC;
class CDocument;
class CFrameWnd;
struct CCreateContext;

class CView : public QWidget, public CCmdTarget {
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
    virtual void OnActivateView(bool activate, CView* activateView, CView* deactiveView);

    // View, then document.
    bool OnCmdMsg(UINT id, CCmdUI* update) override;

    // The framework's print commands (print, print direct, preview).
    virtual void OnFilePrint();
    virtual void OnFilePrintPreview();

    // The view's creation, as the frame's client creation calls it.
    virtual bool Create(QWidget* parent, CCreateContext* context);

protected:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
