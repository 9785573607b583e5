#pragma once
// A two-column property editor for dialogs and property pages: one row per
// property, its name in the row heading, its value in the one value column,
// edited in place with a kind of cell chosen per row (CGridSetup). The
// grid shows the client's variables, checks numeric ranges when an edit
// ends, and writes the values back on OnLeave.
//
// Life: construct, Setup(table), CreateGrid (which runs OnSetup), the user
// edits, OnLeave writes everything back, HasChanged says whether the user
// changed anything. The table must outlive the grid's use of it.
//
// Rows of kind 5 (text with a drop-down button) write their text back like
// kind 1: the user can type into them, and an edit that was shown as
// accepted must not be dropped silently.
#include "CGridSetup.h"
#include "owutil/ui/grid/CUGCtrl.h"
#include "owutil/ui/grid/CUGDropListType.h"

#include <QString>

class CPropertiesGrid : public CUGCtrl {
    Q_OBJECT
public:
    explicit CPropertiesGrid(QWidget* parent = nullptr);
    ~CPropertiesGrid() override;

    // Keeps a pointer to the client's table; it is not copied.
    void Setup(CGridSetupArray& table);
    CGridSetupArray* GetSetup() const { return m_pSetup; }

    void UpdateCell(int row, bool redraw);
    void UpdateData(int row);
    // Writes every row back, in order: the client calls it when the user
    // leaves the grid or closes the page.
    void OnLeave();
    bool HasChanged() const { return m_bChanged; }
    bool IsSettingUp() const { return m_bSettingUp; }
    // The ids the grid's own cell types received: kind 5 rows, kind 6 rows.
    int GetDropTextTypeID() const { return m_nDropTextType; }
    int GetChoiceTypeID() const { return m_nChoiceType; }
    const QFont& GetGridFont() const { return m_font; }

    // The row's variable, read and written by its type. With no variable,
    // reads give an empty text, 0 or 0.0 and writes do nothing. A client
    // class may override them to keep the values elsewhere.
    virtual QString GetText(int row);
    virtual void PutText(int row, const QString& text);
    virtual int GetInteger(int row);
    virtual void PutInteger(int row, int value);
    virtual double GetDouble(int row);
    virtual void PutDouble(int row, double value);
    // Field which (0, or 1 when which is 1) of the row's options text.
    virtual QString GetLabel(int row, int which);
    // Whether the text that ends an edit of the cell is taken: kinds 2 and
    // 3 must be numbers within the row's range; others always are.
    virtual int OnEditFinishEx(int col, int row, CUGCell* cell, const QString& text);
    virtual int OnCheckBox(int col, int row, CUGCell* cell);
    // The cell's button on a row that is not a choice; releases the mouse.
    virtual int OnEllipse(int col, int row, CUGCell* cell);
    // Before a choice list drops (and after set-up): a client class may
    // adjust the cell's choices here.
    virtual int OnList(int col, int row, CUGCell* cell);

    // Engine events.
    void OnSetup() override;
    int OnEditFinish(int col, int row, QLineEdit* edit, const QString& text, BOOL cancelFlag, BOOL continueFlag) override;
    int OnCellTypeNotify(long id, int col, int row, long msg, intptr_t param) override;
    void OnDClicked(int col, int row, const CRect& rect, const CPoint& point, BOOL processed) override;
    void OnKeyDown(UINT* vcKey, BOOL* processed) override;
    void OnCharDown(UINT* vcKey, BOOL* processed) override;
    void OnSize(int cx, int cy) override;

private:
    const CGridSetup* row(int row) const;
    bool passToParent(int key);

    QFont m_font;
    CUGDropListType m_dropText{true};
    CUGDropListType m_choice{false};
    int m_nDropTextType = -1;
    int m_nChoiceType = -1;
    CGridSetupArray* m_pSetup = nullptr;
    bool m_bSettingUp = true;
    bool m_bChanged = false;
    int m_nLastHeight = 0;
};
