#include "CUGDropListType.h"

#include "CUGCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

CUGDropListType::CUGDropListType(bool freeText)
    : m_freeText(freeText)
{
}

CUGDropListType::~CUGDropListType()
{
    delete m_list;
}

QString CUGDropListType::GetName() const
{
    return m_freeText ? QStringLiteral("Text with list") : QStringLiteral("Choice list");
}

QRect CUGDropListType::ButtonRect(const QRect& cellRect)
{
    const int width = std::min(cellRect.width(), std::max(16, cellRect.height() - 2));
    return QRect(cellRect.right() - width + 1, cellRect.top() + 1, width - 1, cellRect.height() - 2);
}

QRect CUGDropListType::EditRect(const QRect& cellRect) const
{
    return cellRect.adjusted(0, 0, -ButtonRect(cellRect).width() - 1, 0);
}

QStringList CUGDropListType::Choices(const CUGCell& cell)
{
    QStringList choices = cell.GetLabelText().split(QLatin1Char('\n'));
    for (QString& c : choices)
        if (c.endsWith(QLatin1Char('\r')))
            c.chop(1);
    while (!choices.isEmpty() && choices.last().isEmpty())
        choices.removeLast();
    return choices;
}

void CUGDropListType::OnDraw(QPainter& painter, const QRect& rect, const CUGCell& cell, const DrawState& state)
{
    const QRect button = ButtonRect(rect);
    DrawText(painter, EditRect(rect), cell.GetText(), state);
    if (!state.current || cell.GetReadOnly())
        return;
    // The button shows on the current cell only, as a combo box's arrow.
    QWidget* grid = GetGrid();
    QStyle* style = grid ? grid->style() : QApplication::style();
    QStyleOptionButton option;
    option.rect = button;
    option.state = QStyle::State_Enabled | QStyle::State_Raised;
    if (grid)
        option.palette = grid->palette();
    style->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, grid);
    // A text cell with no list yet has a button for the client (an
    // ellipsis, as a button that opens something); a list has an arrow.
    if (m_freeText && Choices(cell).isEmpty()) {
        painter.save();
        painter.setFont(state.font);
        painter.setPen(option.palette.color(QPalette::ButtonText));
        painter.drawText(button, Qt::AlignCenter, QStringLiteral("..."));
        painter.restore();
        return;
    }
    QStyleOption arrow;
    arrow.rect = button.adjusted(3, 3, -3, -3);
    arrow.state = QStyle::State_Enabled;
    if (grid)
        arrow.palette = grid->palette();
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, grid);
}

bool CUGDropListType::OnLClicked(int col, int row, const QRect& rect, const QPoint& point)
{
    if (!ButtonRect(rect).contains(point))
        return false;
    DropList(col, row);
    return true;
}

bool CUGDropListType::OnKeyDown(int col, int row, int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F4 || ((modifiers & Qt::AltModifier) && key == Qt::Key_Down)) {
        DropList(col, row);
        return true;
    }
    return false;
}

bool CUGDropListType::OnCharDown(int col, int row, const QString& text)
{
    if (m_freeText || text.isEmpty())
        return false;
    CUGCtrl* grid = GetGrid();
    CUGCell cell;
    if (grid == nullptr || grid->GetCell(col, row, &cell) != UG_SUCCESS || cell.GetReadOnly())
        return true;
    const QStringList choices = Choices(cell);
    const int start = int(choices.indexOf(cell.GetText()));
    for (int i = 1; i <= choices.size(); ++i) {
        const QString& c = choices[(start + i + choices.size()) % choices.size()];
        if (c.startsWith(text, Qt::CaseInsensitive)) {
            choose(col, row, c);
            break;
        }
    }
    return true;
}

bool CUGDropListType::DropList(int col, int row)
{
    CUGCtrl* grid = GetGrid();
    CUGCell cell;
    if (grid == nullptr || grid->GetCell(col, row, &cell) != UG_SUCCESS || cell.GetReadOnly())
        return false;
    if (Notify(col, row, UGCT_BUTTONCLICK, 0) == 0)
        return false;
    // The grid may have changed the list.
    grid->GetCell(col, row, &cell);
    const QStringList choices = Choices(cell);
    if (choices.isEmpty())
        return false;

    delete m_list;
    auto* list = new QListWidget(grid);
    list->setWindowFlags(Qt::Popup);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setObjectName(QStringLiteral("gridDropList"));
    list->setAccessibleName(QObject::tr("Choices"));
    list->setFont(cell.GetFont() ? *cell.GetFont() : grid->GetDefFont());
    list->addItems(choices);
    const int current = int(choices.indexOf(cell.GetText()));
    list->setCurrentRow(std::max(0, current));
    const QRect r(QPoint(grid->GetCellRect(col, row).left, grid->GetCellRect(col, row).bottom),
                  QSize(grid->GetColWidth(col), 0));
    const int rowsShown = std::min(int(choices.size()), 8);
    const int height = rowsShown * list->sizeHintForRow(0) + 2 * list->frameWidth();
    QPoint topLeft = grid->viewport()->mapToGlobal(r.topLeft());
    if (const QScreen* screen = grid->screen(); screen && topLeft.y() + height > screen->availableGeometry().bottom())
        topLeft.ry() -= height + grid->GetRowHeight();
    list->setGeometry(QRect(topLeft, QSize(std::max(r.width(), 60), height)));

    auto take = [this, list, col, row](QListWidgetItem* item) {
        if (!list->isVisible())
            return; // a click both clicks and activates
        const QString choice = item ? item->text() : QString();
        list->close();
        if (item)
            choose(col, row, choice);
    };
    QObject::connect(list, &QListWidget::itemClicked, list, take);
    QObject::connect(list, &QListWidget::itemActivated, list, take);
    m_list = list;
    list->show();
    list->setFocus(Qt::PopupFocusReason);
    return true;
}

bool CUGDropListType::choose(int col, int row, const QString& choice)
{
    CUGCtrl* grid = GetGrid();
    QString text = choice;
    if (grid == nullptr || Notify(col, row, UGCT_DROPLISTSELECT, intptr_t(&text)) == 0)
        return false;
    CUGCell cell;
    if (grid->GetCell(col, row, &cell) != UG_SUCCESS)
        return false;
    cell.SetText(text);
    grid->SetCell(col, row, &cell);
    grid->RedrawCell(col, row);
    return true;
}
