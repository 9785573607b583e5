// In-place editing: a frameless line edit over the current cell. Return
// ends it (OnEditFinish decides), Escape cancels it, Tab and the up and down
// arrows end it and then act as they do on the grid, and losing the focus
// to another control ends it too. A refused text keeps the edit open.
#include "CUGCtrl.h"

#include "platform/types/QtGeometry.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

int CUGCtrl::StartEdit() { return StartEdit(QString()); }

int CUGCtrl::StartEdit(const QString& text)
{
    if (m_edit)
        return UG_SUCCESS;
    const CUGCell* cell = cellAt(m_curCol, m_curRow);
    if (cell == nullptr || cell->GetReadOnly() || !typeOf(*cell)->CanEditText())
        return UG_ERROR;
    const CRect rect = GetCellRect(m_curCol, m_curRow);
    if (rect.IsRectEmpty())
        return UG_ERROR;

    auto* edit = new QLineEdit(viewport());
    edit->setFrame(false);
    edit->setFont(cell->GetFont() ? *cell->GetFont() : m_defFont);
    edit->setGeometry(typeOf(*cell)->EditRect(toQRect(rect)).adjusted(1, 1, -1, -1));
    edit->setTextMargins(2, 0, 0, 0);
    const CUGCell* heading = cellAt(UG_HEADING, m_curRow);
    edit->setAccessibleName(heading && !heading->GetText().isEmpty() ? heading->GetText() : tr("Cell"));
    edit->setAccessibleDescription(tr("Enter accepts the value, Escape keeps the old one"));
    edit->setObjectName(QStringLiteral("gridEdit"));
    if (OnEditStart(m_curCol, m_curRow, edit) == FALSE) {
        delete edit;
        return UG_ERROR;
    }
    if (text.isEmpty()) {
        edit->setText(cell->GetText());
        edit->selectAll();
    } else {
        edit->setText(text);
        edit->end(false);
    }
    edit->installEventFilter(this);
    m_edit = edit;
    m_editCol = m_curCol;
    m_editRow = m_curRow;
    edit->show();
    edit->setFocus(Qt::OtherFocusReason);
    return UG_SUCCESS;
}

bool CUGCtrl::FinishEdit()
{
    if (!m_edit)
        return true;
    if (m_finishing)
        return false;
    m_finishing = true;
    QLineEdit* edit = m_edit;
    const QString text = edit->text();
    const int accepted = OnEditFinish(m_editCol, m_editRow, edit, text, FALSE, TRUE);
    if (accepted != 0) {
        if (CUGCell* cell = cellAt(m_editCol, m_editRow)) {
            bool ok = false;
            const double number = text.trimmed().toDouble(&ok);
            if (cell->GetDataType() == UGCELLDATA_NUMBER && ok)
                cell->SetNumber(number);
            else
                cell->SetText(text);
        }
        closeEdit();
    } else if (m_edit) {
        m_edit->setFocus(Qt::OtherFocusReason);
        m_edit->selectAll();
    }
    m_finishing = false;
    return accepted != 0;
}

void CUGCtrl::CancelEdit()
{
    if (!m_edit || m_finishing)
        return;
    m_finishing = true;
    OnEditFinish(m_editCol, m_editRow, m_edit, m_edit->text(), TRUE, FALSE);
    closeEdit();
    m_finishing = false;
}

void CUGCtrl::closeEdit()
{
    QLineEdit* edit = m_edit;
    const bool hadFocus = edit && edit->hasFocus();
    m_edit = nullptr;
    const int col = m_editCol, row = m_editRow;
    m_editCol = m_editRow = -1;
    if (edit) {
        edit->removeEventFilter(this);
        edit->hide();
        edit->deleteLater();
    }
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    updateAccessibleText();
    RedrawCell(col, row);
}

bool CUGCtrl::editKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FinishEdit();
        return true;
    case Qt::Key_Escape:
        CancelEdit();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (FinishEdit()) {
            // The key then does what it does on the grid.
            QKeyEvent again(QEvent::KeyPress, event->key(), event->modifiers(), event->text());
            QApplication::sendEvent(this, &again);
        }
        return true;
    default:
        return false;
    }
}

bool CUGCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress)
            return editKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::ShortcutOverride) {
            // Escape and Return belong to the edit, not to the dialog's buttons.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        }
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Another window (a message box, a menu, another program) taking
            // the focus leaves the edit as it is.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !m_finishing)
                QMetaObject::invokeMethod(this, [this] {
                    if (m_edit && !m_edit->hasFocus())
                        FinishEdit();
                }, Qt::QueuedConnection);
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
