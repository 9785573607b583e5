#pragma once
// A dynamic splitter: a document window's client area that the user splits
// into up to rows x columns panes, each holding a view of the same document.
// Dragging a split bar moves it; dragging it to within the minimum pane size
// of the edge removes the split. DoKeyboardSplit starts a split that follows
// the mouse (or the arrow keys) until a click or Enter places it.
#include "platform/types/Win32Types.h"

#include <QWidget>
#include <array>

class CView;
class CFrameWnd;
struct CCreateContext;
struct CRuntimeClass;

class CSplitterWnd : public QWidget {
    Q_OBJECT
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // A dynamic splitter in parent with at most maxRows x maxCols panes (2 x 2
    // at most) of at least minPane; the context's view fills the first pane.
    BOOL Create(QWidget* parent, int maxRows, int maxCols, QSize minPane, CCreateContext* context,
                DWORD style = 0, UINT nID = 0xE900);

    int GetRowCount() const { return m_split.y() > 0 ? 2 : 1; }
    int GetColumnCount() const { return m_split.x() > 0 ? 2 : 1; }
    CView* GetPane(int row, int col) const;
    // Splits at (x, y) in the splitter's coordinates; a coordinate at or
    // below 0 leaves that direction as it is. FALSE when nothing changed.
    BOOL SplitAt(int x, int y);
    BOOL SplitRow(int y) { return SplitAt(0, y); }
    BOOL SplitColumn(int x) { return SplitAt(x, 0); }
    void DeleteRow() { removeSplit(false, true); }
    void DeleteColumn() { removeSplit(true, false); }
    // Starts the split that follows the mouse.
    BOOL DoKeyboardSplit();
    bool IsTracking() const { return m_tracking; }
    // The panes' views in order (row by row); the next or previous after the
    // active one, wrapping around.
    std::vector<CView*> GetViews() const;
    void ActivateNext(bool previous);
    QPoint SplitPosition() const { return m_split; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CView*& pane(int row, int col) { return m_panes[size_t(row * 2 + col)]; }
    CView* createView();
    void destroyView(CView*& view);
    void removeSplit(bool column, bool row);
    void layoutPanes();
    void endTracking(bool accept);
    CFrameWnd* frame() const;
    // Which bars a point is on: bit 0 the vertical bar, bit 1 the horizontal.
    int hitBars(QPoint p) const;

    std::array<CView*, 4> m_panes{};
    const CRuntimeClass* m_viewClass = nullptr;
    class CDocument* m_doc = nullptr;
    int m_maxRows = 2, m_maxCols = 2;
    QSize m_minPane{10, 10};
    QPoint m_split{0, 0}; // the bars' positions; 0: no split in that direction
    int m_dragBars = 0;
    bool m_tracking = false;
    QPoint m_trackPos;
    // The tracker lines shown over the panes while a split follows the mouse.
    QWidget* m_trackX = nullptr;
    QWidget* m_trackY = nullptr;
    void showTracker();
};
