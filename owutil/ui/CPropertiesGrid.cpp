#include "CPropertiesGrid.h"

#include "platform/gdi/FontDefs.h"
#include "platform/gdi/FontResolver.h"

#include <QFontMetrics>
#include <cmath>
#include <limits>

namespace {

// The grid's font: the platform's dialog face at 8 points, through the
// font substitution that maps it onto a face the machine has.
QFont gridFont()
{
    QFont font(FontResolver::FamilyFor(QStringLiteral("MS Sans Serif"), VARIABLE_PITCH | FF_SWISS, ANSI_CHARSET));
    font.setPointSize(8);
    return font;
}

QStringList fields(const char* options)
{
    return QString::fromUtf8(options ? options : "").split(QLatin1Char('\n'));
}

int toInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = std::round(value);
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(r);
}

} // namespace

CPropertiesGrid::CPropertiesGrid(QWidget* parent)
    : CUGCtrl(parent)
    , m_font(gridFont())
{
    m_nDropTextType = AddCellType(&m_dropText);
    m_nChoiceType = AddCellType(&m_choice);
    SetDefFont(m_font);
    setAccessibleName(tr("Properties"));
}

CPropertiesGrid::~CPropertiesGrid() = default;

void CPropertiesGrid::Setup(CGridSetupArray& table) { m_pSetup = &table; }

const CGridSetup* CPropertiesGrid::row(int r) const
{
    if (m_pSetup == nullptr || r < 0 || r >= int(m_pSetup->size()))
        return nullptr;
    return &(*m_pSetup)[size_t(r)];
}

QString CPropertiesGrid::GetText(int r)
{
    const CGridSetup* s = row(r);
    return s && s->m_pValue ? *static_cast<const QString*>(s->m_pValue) : QString();
}

void CPropertiesGrid::PutText(int r, const QString& text)
{
    if (const CGridSetup* s = row(r); s && s->m_pValue)
        *static_cast<QString*>(s->m_pValue) = text;
}

int CPropertiesGrid::GetInteger(int r)
{
    const CGridSetup* s = row(r);
    return s && s->m_pValue ? *static_cast<const int*>(s->m_pValue) : 0;
}

void CPropertiesGrid::PutInteger(int r, int value)
{
    if (const CGridSetup* s = row(r); s && s->m_pValue)
        *static_cast<int*>(s->m_pValue) = value;
}

double CPropertiesGrid::GetDouble(int r)
{
    const CGridSetup* s = row(r);
    return s && s->m_pValue ? *static_cast<const double*>(s->m_pValue) : 0.0;
}

void CPropertiesGrid::PutDouble(int r, double value)
{
    if (const CGridSetup* s = row(r); s && s->m_pValue)
        *static_cast<double*>(s->m_pValue) = value;
}

QString CPropertiesGrid::GetLabel(int r, int which)
{
    const CGridSetup* s = row(r);
    if (s == nullptr)
        return QString();
    const QStringList f = fields(s->m_pszOptions);
    const int i = which == 1 ? 1 : 0;
    return i < f.size() ? f[i] : QString();
}

void CPropertiesGrid::OnSetup()
{
    const int rows = m_pSetup ? int(m_pSetup->size()) : 0;
    SetNumberCols(1);
    SetNumberRows(rows);
    SetSH_NumberCols(1);
    SetTH_NumberRows(1);
    m_bChanged = false;

    CUGCell cell;
    GetCell(UG_HEADING, UG_HEADING, &cell);
    cell.SetFont(m_font);
    cell.SetText(tr("Property"));
    SetCell(UG_HEADING, UG_HEADING, &cell);
    GetCell(0, UG_HEADING, &cell);
    cell.SetFont(m_font);
    cell.SetText(tr("Value"));
    SetCell(0, UG_HEADING, &cell);

    const QFontMetrics fm(m_font);
    int nameWidth = fm.horizontalAdvance(tr("Property"));
    for (int r = 0; r < rows; ++r) {
        GetCell(UG_HEADING, r, &cell);
        cell.SetFont(m_font);
        cell.SetText(QString::fromUtf8((*m_pSetup)[size_t(r)].m_pszName));
        SetCell(UG_HEADING, r, &cell);
        nameWidth = std::max(nameWidth, fm.horizontalAdvance(cell.GetText()));
    }
    // The names show whole unless they would take more than half the grid.
    // (The window's own width: a hidden viewport learns its size only when shown.)
    SetSH_Width(std::clamp(nameWidth + 12, 60, std::max(60, width() / 2)));

    for (int r = 0; r < rows; ++r)
        UpdateCell(r, false);

    m_bSettingUp = false;
    FitToWindow(0, 0);
    GotoCell(0, 0);
    RedrawAll();
}

void CPropertiesGrid::UpdateCell(int r, bool redraw)
{
    const CGridSetup* s = row(r);
    CUGCell cell;
    if (s == nullptr || GetCell(0, r, &cell) != UG_SUCCESS)
        return;
    switch (s->m_nKind) {
    case CGridSetup::KindText:
        cell.SetCellType(UGCT_NORMAL);
        cell.SetText(GetText(r));
        break;
    case CGridSetup::KindInteger:
        cell.SetCellType(UGCT_NORMAL);
        cell.SetNumberDecimals(0);
        cell.SetNumber(GetInteger(r));
        break;
    case CGridSetup::KindDouble:
        cell.SetCellType(UGCT_NORMAL);
        cell.SetNumberDecimals(s->m_nDecimals);
        cell.SetNumber(GetDouble(r));
        break;
    case CGridSetup::KindCheckBox:
        cell.SetCellType(UGCT_CHECKBOX);
        cell.SetCellTypeEx(UGCT_CHECKBOXCHECKMARK);
        cell.SetNumber(GetInteger(r));
        OnCheckBox(0, r, &cell);
        break;
    case CGridSetup::KindDropText:
        cell.SetCellType(m_nDropTextType);
        cell.SetText(GetText(r));
        break;
    case CGridSetup::KindChoice: {
        cell.SetCellType(m_nChoiceType);
        cell.SetLabelText(QString::fromUtf8(s->m_pszOptions));
        const QStringList choices = fields(s->m_pszOptions);
        const int at = GetInteger(r);
        cell.SetText(at >= 0 && at < choices.size() ? choices[at] : QString());
        OnList(0, r, &cell);
        break;
    }
    default:
        break;
    }
    cell.SetReadOnly(s->m_bReadOnly || s->m_bDisabled);
    cell.SetTextColor(s->m_bDisabled ? RGB(128, 128, 128) : RGB(0, 0, 0));
    SetCell(0, r, &cell);
    if (redraw)
        RedrawCell(0, r);
}

void CPropertiesGrid::UpdateData(int r)
{
    const CGridSetup* s = row(r);
    CUGCell cell;
    if (m_bSettingUp || s == nullptr || GetCell(0, r, &cell) != UG_SUCCESS)
        return;
    switch (s->m_nKind) {
    case CGridSetup::KindText:
    case CGridSetup::KindDropText:
        PutText(r, cell.GetText());
        break;
    case CGridSetup::KindInteger:
        PutInteger(r, toInt(cell.GetNumber()));
        break;
    case CGridSetup::KindDouble:
        PutDouble(r, cell.GetNumber());
        break;
    case CGridSetup::KindCheckBox:
        PutInteger(r, toInt(cell.GetNumber()));
        break;
    case CGridSetup::KindChoice:
        PutInteger(r, int(fields(s->m_pszOptions).indexOf(cell.GetText())));
        break;
    default:
        break;
    }
}

void CPropertiesGrid::OnLeave()
{
    if (IsEditing())
        FinishEdit();
    const int rows = m_pSetup ? int(m_pSetup->size()) : 0;
    for (int r = 0; r < rows && r < GetNumberRows(); ++r)
        UpdateData(r);
}
