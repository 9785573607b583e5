#include "CUGCtrl.h"

#include "CUGCheckBoxType.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

CUGCtrl::CUGCtrl(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
    setAccessibleName(tr("Grid"));
    m_builtIn.push_back(std::make_unique<CUGCellType>());
    m_builtIn.push_back(std::make_unique<CUGCheckBoxType>());
    for (auto& t : m_builtIn)
        AddCellType(t.get());
    SetDefFont(font());
}

CUGCtrl::~CUGCtrl() = default;

BOOL CUGCtrl::CreateGrid(DWORD, const CRect& rect, QWidget* parent, UINT id)
{
    if (parent == nullptr)
        return FALSE;
    setParent(parent);
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    setProperty("id", int(id));
    setObjectName(QStringLiteral("ctl%1").arg(id));
    OnSetup();
    updateScrollBar();
    show();
    return TRUE;
}

void CUGCtrl::SetNumberCols(int cols)
{
    cols = std::max(0, cols);
    std::vector<CUGCell> cells(size_t(cols) * size_t(m_rows));
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < std::min(cols, m_cols); ++c)
            cells[size_t(r) * cols + c] = m_cells[size_t(r) * m_cols + c];
    m_cells = std::move(cells);
    m_cols = cols;
    m_topHead.resize(size_t(cols));
    m_colWidths.resize(size_t(cols), 75);
    m_curCol = std::clamp(m_curCol, 0, std::max(0, cols - 1));
    updateScrollBar();
    viewport()->update();
}

void CUGCtrl::SetNumberRows(int rows)
{
    rows = std::max(0, rows);
    m_cells.resize(size_t(rows) * size_t(m_cols));
    m_sideHead.resize(size_t(rows));
    m_rows = rows;
    m_curRow = std::clamp(m_curRow, 0, std::max(0, rows - 1));
    m_topRow = std::clamp(m_topRow, 0, std::max(0, rows - 1));
    updateScrollBar();
    viewport()->update();
}

void CUGCtrl::SetSH_NumberCols(int n)
{
    m_sideCols = n > 0 ? 1 : 0;
    viewport()->update();
}

void CUGCtrl::SetTH_NumberRows(int n)
{
    m_topRows = n > 0 ? 1 : 0;
    updateScrollBar();
    viewport()->update();
}

void CUGCtrl::SetSH_Width(int width)
{
    m_sideWidth = std::max(0, width);
    viewport()->update();
}

void CUGCtrl::SetTH_Height(int height)
{
    m_topHeight = std::max(0, height);
    updateScrollBar();
    viewport()->update();
}

void CUGCtrl::SetDefRowHeight(int height)
{
    m_rowHeight = std::max(1, height);
    updateScrollBar();
    viewport()->update();
}

void CUGCtrl::SetColWidth(int col, int width)
{
    if (col >= 0 && col < m_cols)
        m_colWidths[size_t(col)] = std::max(0, width);
    else if (col == UG_HEADING)
        m_sideWidth = std::max(0, width);
    viewport()->update();
}

int CUGCtrl::GetColWidth(int col) const
{
    if (col == UG_HEADING)
        return GetSH_Width();
    return col >= 0 && col < m_cols ? m_colWidths[size_t(col)] : 0;
}

void CUGCtrl::FitToWindow(int first, int last)
{
    first = std::max(0, first);
    last = std::min(m_cols - 1, last);
    if (first > last)
        return;
    int fixed = GetSH_Width();
    for (int c = 0; c < m_cols; ++c)
        if (c < first || c > last)
            fixed += m_colWidths[size_t(c)];
    const int free = std::max(0, viewport()->width() - fixed);
    const int n = last - first + 1;
    for (int c = first; c <= last; ++c)
        m_colWidths[size_t(c)] = free / n + (c - first < free % n ? 1 : 0);
    viewport()->update();
}

int CUGCtrl::GetTotalHeight() const { return GetTH_Height() + m_rows * m_rowHeight; }

CUGCell* CUGCtrl::cellAt(int col, int row)
{
    return const_cast<CUGCell*>(std::as_const(*this).cellAt(col, row));
}

const CUGCell* CUGCtrl::cellAt(int col, int row) const
{
    if (col == UG_HEADING && row == UG_HEADING)
        return &m_corner;
    if (col == UG_HEADING)
        return row >= 0 && row < m_rows ? &m_sideHead[size_t(row)] : nullptr;
    if (row == UG_HEADING)
        return col >= 0 && col < m_cols ? &m_topHead[size_t(col)] : nullptr;
    if (col < 0 || col >= m_cols || row < 0 || row >= m_rows)
        return nullptr;
    return &m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
}

int CUGCtrl::GetCell(int col, int row, CUGCell* cell) const
{
    const CUGCell* c = cellAt(col, row);
    if (c == nullptr || cell == nullptr)
        return UG_ERROR;
    *cell = *c;
    return UG_SUCCESS;
}

int CUGCtrl::SetCell(int col, int row, const CUGCell* cell)
{
    CUGCell* c = cellAt(col, row);
    if (c == nullptr || cell == nullptr)
        return UG_ERROR;
    *c = *cell;
    if (col == m_curCol && row == m_curRow)
        updateAccessibleText();
    return UG_SUCCESS;
}

int CUGCtrl::QuickSetText(int col, int row, const QString& text)
{
    CUGCell* c = cellAt(col, row);
    if (c == nullptr)
        return UG_ERROR;
    c->SetText(text);
    RedrawCell(col, row);
    return UG_SUCCESS;
}

QString CUGCtrl::QuickGetText(int col, int row) const
{
    const CUGCell* c = cellAt(col, row);
    return c ? c->GetText() : QString();
}

void CUGCtrl::SetDefFont(const QFont& font)
{
    m_defFont = font;
    const int h = QFontMetrics(font).height() + 6;
    m_rowHeight = std::max(h, 18);
    m_topHeight = m_rowHeight;
    updateScrollBar();
    viewport()->update();
}

int CUGCtrl::AddCellType(CUGCellType* type)
{
    if (type == nullptr)
        return -1;
    const auto it = std::find(m_types.begin(), m_types.end(), type);
    if (it != m_types.end())
        return int(it - m_types.begin());
    type->m_ctrl = this;
    type->m_id = int(m_types.size());
    m_types.push_back(type);
    return type->m_id;
}

CUGCellType* CUGCtrl::GetCellType(int id) const
{
    return id >= 0 && id < int(m_types.size()) ? m_types[size_t(id)] : nullptr;
}

CUGCellType* CUGCtrl::typeOf(const CUGCell& cell) const
{
    CUGCellType* t = GetCellType(cell.GetCellType());
    return t ? t : m_types.front();
}

int CUGCtrl::GotoCell(int col, int row)
{
    if (col < 0 || col >= m_cols || row < 0 || row >= m_rows)
        return UG_ERROR;
    if (m_edit && !FinishEdit())
        return UG_ERROR;
    const int oldCol = m_curCol, oldRow = m_curRow;
    m_curCol = col;
    m_curRow = row;
    ensureRowVisible(row);
    // The side heading marks the current row: both rows' headings change.
    for (int c : {oldCol, UG_HEADING})
        RedrawCell(c, oldRow);
    for (int c : {col, UG_HEADING})
        RedrawCell(c, row);
    updateAccessibleText();
    if (oldCol != col || oldRow != row)
        OnCellChange(oldCol, col, oldRow, row);
    return UG_SUCCESS;
}

int CUGCtrl::SetTopRow(int row)
{
    if (row < 0 || row >= std::max(1, m_rows))
        return UG_ERROR;
    verticalScrollBar()->setValue(row);
    m_topRow = std::clamp(row, 0, verticalScrollBar()->maximum());
    viewport()->update();
    return UG_SUCCESS;
}

int CUGCtrl::visibleRows() const
{
    const int h = viewport()->height() - GetTH_Height();
    return std::max(1, h / m_rowHeight);
}

void CUGCtrl::updateScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, m_rows - visibleRows()));
    bar->setPageStep(visibleRows());
    m_topRow = bar->value();
}

void CUGCtrl::ensureRowVisible(int row)
{
    if (row < m_topRow)
        verticalScrollBar()->setValue(row);
    else if (row >= m_topRow + visibleRows())
        verticalScrollBar()->setValue(row - visibleRows() + 1);
}

CRect CUGCtrl::GetCellRect(int col, int row) const
{
    int x = 0, width = 0;
    if (col == UG_HEADING) {
        width = GetSH_Width();
    } else if (col >= 0 && col < m_cols) {
        x = GetSH_Width();
        for (int c = 0; c < col; ++c)
            x += m_colWidths[size_t(c)];
        width = m_colWidths[size_t(col)];
    } else {
        return CRect();
    }
    int y = 0, height = 0;
    if (row == UG_HEADING) {
        height = GetTH_Height();
    } else if (row >= m_topRow && row < m_rows) {
        y = GetTH_Height() + (row - m_topRow) * m_rowHeight;
        height = m_rowHeight;
        if (y >= viewport()->height())
            return CRect();
    } else {
        return CRect();
    }
    return CRect(x, y, x + width, y + height);
}

int CUGCtrl::GetCellFromPoint(int x, int y, int* col, int* row) const
{
    int c = UG_HEADING - 1, r = UG_HEADING - 1;
    if (x >= 0 && x < GetSH_Width()) {
        c = UG_HEADING;
    } else {
        int left = GetSH_Width();
        for (int i = 0; i < m_cols; ++i) {
            if (x >= left && x < left + m_colWidths[size_t(i)]) {
                c = i;
                break;
            }
            left += m_colWidths[size_t(i)];
        }
    }
    if (y >= 0 && y < GetTH_Height())
        r = UG_HEADING;
    else if (y >= GetTH_Height()) {
        const int i = m_topRow + (y - GetTH_Height()) / m_rowHeight;
        if (i < m_rows)
            r = i;
    }
    if (c < UG_HEADING || r < UG_HEADING)
        return UG_ERROR;
    if (col)
        *col = c;
    if (row)
        *row = r;
    return UG_SUCCESS;
}

void CUGCtrl::RedrawCell(int col, int row)
{
    const CRect r = GetCellRect(col, row);
    if (!r.IsRectEmpty())
        viewport()->update(r.left, r.top, r.Width(), r.Height());
}

void CUGCtrl::RedrawAll() { viewport()->update(); }

void CUGCtrl::updateAccessibleText()
{
    const CUGCell* heading = cellAt(UG_HEADING, m_curRow);
    const CUGCell* cell = cellAt(m_curCol, m_curRow);
    if (cell == nullptr)
        return;
    QString text = cell->GetText();
    if (cell->GetCellType() == UGCT_CHECKBOX)
        text = (cell->GetNumber() != 0 ? tr("checked") : tr("not checked")) + QStringLiteral(", ") + cell->GetLabelText();
    setAccessibleDescription(heading ? heading->GetText() + QStringLiteral(": ") + text : text);
}

void CUGCtrl::OnSetup() {}
int CUGCtrl::OnEditStart(int, int, QLineEdit*) { return TRUE; }
int CUGCtrl::OnEditFinish(int, int, QLineEdit*, const QString&, BOOL, BOOL) { return TRUE; }
int CUGCtrl::OnCellTypeNotify(long, int, int, long, intptr_t) { return TRUE; }
void CUGCtrl::OnCellChange(int, int, int, int) {}
void CUGCtrl::OnLClicked(int, int, const CRect&, const CPoint&, BOOL) {}
void CUGCtrl::OnDClicked(int, int, const CRect&, const CPoint&, BOOL) {}
void CUGCtrl::OnKeyDown(UINT*, BOOL*) {}
void CUGCtrl::OnCharDown(UINT*, BOOL*) {}
void CUGCtrl::OnSize(int, int) {}
