#pragma once
// The library's grid engine: rows and columns of CUGCell values under a
// heading row on top and a heading column at the side, drawn by cell types,
// scrolled by rows, with one current cell and text edited in place. A grid
// derives from it and reacts through the virtual On... events, as the
// engine's clients always have: set-up, start and end of an edit, cell-type
// notifications, clicks, keys and size.
//
// Column UG_HEADING (-1) addresses the side heading, row UG_HEADING the top
// heading; (-1, -1) is the corner above the side heading.
#include "CUGCell.h"
#include "CUGCellType.h"
#include "platform/types/CRect.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <memory>
#include <vector>

#include <QLineEdit>

enum : int { UG_SUCCESS = 0, UG_ERROR = 1 };

class CUGCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CUGCtrl(QWidget* parent = nullptr);
    ~CUGCtrl() override;

    // Makes the grid a child of parent at rect with control id id, then
    // runs OnSetup. FALSE when parent is null.
    BOOL CreateGrid(DWORD style, const CRect& rect, QWidget* parent, UINT id);

    // --- shape ----------------------------------------------------------
    void SetNumberCols(int cols);
    int GetNumberCols() const { return m_cols; }
    void SetNumberRows(int rows);
    int GetNumberRows() const { return m_rows; }
    // Heading column at the side and heading row on top: 0 or 1 each.
    void SetSH_NumberCols(int n);
    int GetSH_NumberCols() const { return m_sideCols; }
    void SetTH_NumberRows(int n);
    int GetTH_NumberRows() const { return m_topRows; }

    void SetSH_Width(int width);
    int GetSH_Width() const { return m_sideCols ? m_sideWidth : 0; }
    void SetTH_Height(int height);
    int GetTH_Height() const { return m_topRows ? m_topHeight : 0; }
    void SetDefRowHeight(int height);
    int GetRowHeight() const { return m_rowHeight; }
    void SetColWidth(int col, int width);
    int GetColWidth(int col) const;
    // Shares the width left of the side heading among columns first..last.
    void FitToWindow(int first, int last);
    // The height of the headings and all rows: what the grid needs to show
    // everything without scrolling.
    int GetTotalHeight() const;

    // --- cells ----------------------------------------------------------
    int GetCell(int col, int row, CUGCell* cell) const;
    int SetCell(int col, int row, const CUGCell* cell);
    int QuickSetText(int col, int row, const QString& text);
    QString QuickGetText(int col, int row) const;

    void SetDefFont(const QFont& font);
    const QFont& GetDefFont() const { return m_defFont; }

    // Registers a cell type (not owned: it must outlive the grid's use of
    // it) and returns its id for CUGCell::SetCellType.
    int AddCellType(CUGCellType* type);
    CUGCellType* GetCellType(int id) const;

    // --- current cell and view --------------------------------------------
    int GotoCell(int col, int row);
    int GetCurrentCol() const { return m_curCol; }
    int GetCurrentRow() const { return m_curRow; }
    int GetTopRow() const { return m_topRow; }
    int SetTopRow(int row);
    // The cell's rectangle on the viewport (client coordinates); empty when
    // the cell is scrolled out of view.
    CRect GetCellRect(int col, int row) const;
    // The cell under point (viewport coordinates); UG_ERROR off the cells.
    int GetCellFromPoint(int x, int y, int* col, int* row) const;
    void RedrawCell(int col, int row);
    void RedrawAll();

    // --- in-place editing ---------------------------------------------------
    // Edits the current cell's text, all of it selected; with text, starts
    // with that text instead, as when the user types into the cell. UG_ERROR
    // for a read-only cell or one whose type edits no text.
    int StartEdit();
    int StartEdit(const QString& text);
    bool IsEditing() const { return m_edit != nullptr; }
    QLineEdit* GetEditCtrl() const { return m_edit; }
    // Ends the edit as the user's Enter does; false when OnEditFinish
    // refused the text (the edit stays open).
    bool FinishEdit();
    // Ends the edit as Escape does: the cell keeps its value.
    void CancelEdit();

    // --- events -------------------------------------------------------------
    virtual void OnSetup();
    // Before an edit starts; FALSE prevents it.
    virtual int OnEditStart(int col, int row, QLineEdit* edit);
    // The edit ended with text (cancelFlag: by Escape, and the answer is
    // ignored). Non-zero accepts the text; zero keeps the edit open.
    // continueFlag: the user wants to go on to the next cell.
    virtual int OnEditFinish(int col, int row, QLineEdit* edit, const QString& text, BOOL cancelFlag, BOOL continueFlag);
    // A cell type reports msg about a cell (UGCT_...); param as the message says.
    virtual int OnCellTypeNotify(long id, int col, int row, long msg, intptr_t param);
    virtual void OnCellChange(int oldCol, int newCol, int oldRow, int newRow);
    virtual void OnLClicked(int col, int row, const CRect& rect, const CPoint& point, BOOL processed);
    virtual void OnDClicked(int col, int row, const CRect& rect, const CPoint& point, BOOL processed);
    // A key went down (a Qt::Key). Set *processed to keep the key from the
    // grid's parent.
    virtual void OnKeyDown(UINT* vcKey, BOOL* processed);
    // A character was typed (its Unicode value) that nothing used yet.
    virtual void OnCharDown(UINT* vcKey, BOOL* processed);
    // After the engine laid itself out for the new size.
    virtual void OnSize(int cx, int cy);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CUGCell* cellAt(int col, int row);
    const CUGCell* cellAt(int col, int row) const;
    CUGCellType* typeOf(const CUGCell& cell) const;
    int visibleRows() const;
    void updateScrollBar();
    void ensureRowVisible(int row);
    void paintCell(QPainter& painter, int col, int row, const QRect& rect);
    void paintHeading(QPainter& painter, int col, int row, const QRect& rect);
    bool moveByKey(int key);
    void closeEdit();
    // Keeps the edit over its cell as the grid scrolls or resizes.
    void placeEdit();
    bool editKey(QKeyEvent* event);
    void updateAccessibleText();

    int m_cols = 0, m_rows = 0;
    int m_sideCols = 1, m_topRows = 1;
    std::vector<CUGCell> m_cells;    // row by row
    std::vector<CUGCell> m_sideHead; // one per row
    std::vector<CUGCell> m_topHead;  // one per column
    CUGCell m_corner;
    std::vector<int> m_colWidths;
    int m_sideWidth = 100, m_topHeight = 20, m_rowHeight = 20;
    QFont m_defFont;

    std::vector<std::unique_ptr<CUGCellType>> m_builtIn;
    std::vector<CUGCellType*> m_types;

    int m_curCol = 0, m_curRow = 0, m_topRow = 0;
    QPointer<QLineEdit> m_edit;
    int m_editCol = -1, m_editRow = -1;
    bool m_finishing = false;
};
