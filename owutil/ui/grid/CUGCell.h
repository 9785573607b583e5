#pragma once
// One cell of the grid engine: its text (or number with decimals), cell
// type and extended style, label text (a check box's caption, a drop list's
// choices separated by newlines), read-only flag, colours and font. A plain
// value: the grid hands out copies (GetCell) and takes them back (SetCell).
#include "UGDefs.h"

#include <QFont>
#include <QString>
#include <optional>

class CUGCell {
public:
    CUGCell() = default;

    // Empties the cell: no text, normal type, editable, default colours.
    void ClearAll() { *this = CUGCell(); }

    void SetText(const QString& text);
    const QString& GetText() const { return m_text; }

    // A number: the text becomes the number with the cell's decimals.
    void SetNumber(double number);
    // The number the cell holds: the number it was given, or its text read
    // as a decimal number (0 when the text is not one).
    double GetNumber() const;
    void SetNumberDecimals(int decimals);
    int GetNumberDecimals() const { return m_decimals; }
    int GetDataType() const { return m_dataType; }

    void SetCellType(int type) { m_cellType = type; }
    int GetCellType() const { return m_cellType; }
    void SetCellTypeEx(long style) { m_cellTypeEx = style; }
    long GetCellTypeEx() const { return m_cellTypeEx; }

    void SetLabelText(const QString& text) { m_label = text; }
    const QString& GetLabelText() const { return m_label; }

    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool GetReadOnly() const { return m_readOnly; }

    void SetTextColor(COLORREF color) { m_textColor = color; }
    // CLR_DEFAULT: the grid's text colour.
    COLORREF GetTextColor() const { return m_textColor; }
    void SetBackColor(COLORREF color) { m_backColor = color; }
    COLORREF GetBackColor() const { return m_backColor; }

    void SetFont(const QFont& font) { m_font = font; }
    void ClearFont() { m_font.reset(); }
    // Null: the grid's default font.
    const QFont* GetFont() const { return m_font ? &*m_font : nullptr; }

    bool operator==(const CUGCell&) const = default;

private:
    QString m_text;
    double m_number = 0;
    int m_dataType = UGCELLDATA_STRING;
    int m_decimals = 0;
    int m_cellType = 0;
    long m_cellTypeEx = 0;
    QString m_label;
    bool m_readOnly = false;
    COLORREF m_textColor = CLR_DEFAULT;
    COLORREF m_backColor = CLR_DEFAULT;
    std::optional<QFont> m_font;
};
