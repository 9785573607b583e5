#pragma once
// A drag that selects or moves a vertical range (a band of rows, a span of
// time) in a window: pressing inside the current selection moves it
// (type 3), pressing elsewhere starts a new one (type 4); a derived class
// may recognise the selection's edges (types 1 and 2) in CheckMoveType.
// The feedback is the dragged band inverted across the window's width;
// with live update a move of the selection shows no feedback and calls
// UpdateData(TRUE) at every step instead, for the client to redraw.
//
// The range is in client coordinates; NoSelection (the largest int) in
// either bound means there is no selection.
#include "CDragObject.h"

class CDragVerticalRange : public CDragObject {
public:
    enum MoveType : int { MoveNone = 0, MoveTop = 1, MoveBottom = 2, MoveSelection = 3, NewSelection = 4 };
    static constexpr int NoSelection = 2147483647;
    // The dragged band of a moved selection is never less high than this.
    static constexpr int MinHeight = 2;

    explicit CDragVerticalRange(QWidget* window);
    ~CDragVerticalRange() override;
    CDragVerticalRange(const CDragVerticalRange&) = default;
    CDragVerticalRange& operator=(const CDragVerticalRange&) = default;

    BOOL Begin(CPoint point) override;
    BOOL Update(CPoint point, BOOL flag) override;
    BOOL End(CPoint point) override;
    BOOL Cancel(CPoint point) override;

    // Reads Control and Shift into the selection type and decides the move
    // type for a drag starting at point; whether there is one.
    virtual BOOL CheckMoveType(CPoint point);
    // TRUE: take over the dragged range (m_nDragTop, m_nDragBottom); FALSE:
    // drop it. Nothing here; the client's class acts.
    virtual void UpdateData(BOOL take);

    BOOL ValidSelection() const { return m_nSelTop != NoSelection && m_nSelBottom != NoSelection; }

    int m_nMoveType = MoveNone;
    int m_nSelTop = NoSelection;
    int m_nSelBottom = NoSelection;
    int m_nDragTop = NoSelection;
    int m_nDragBottom = NoSelection;
    CRect m_rcFeedback;
    int m_nDragOffset = 1;
    BOOL m_bLiveUpdate = FALSE;

private:
    bool drawsFeedback() const { return !(m_nMoveType == MoveSelection && m_bLiveUpdate); }
};
