#include "COXCoolButton.h"

#include "framework/dialog/CDialog.h"

#include <QEvent>
#include <QPushButton>

COXCoolButton::COXCoolButton() = default;

COXCoolButton::~COXCoolButton() { Detach(); }

BOOL COXCoolButton::Attach(QAbstractButton* button)
{
    if (button == nullptr || m_button != nullptr)
        return FALSE;
    m_button = button;
    m_watched = button;
    m_restingPalette = button->palette();
    button->installEventFilter(this);
    setHot(button->underMouse());
    return TRUE;
}

BOOL COXCoolButton::SubclassDlgItem(int id, QWidget* parent)
{
    return Attach(qobject_cast<QAbstractButton*>(CDialog::FindDlgItem(parent, id)));
}

QAbstractButton* COXCoolButton::Detach()
{
    QAbstractButton* button = m_button;
    if (button != nullptr) {
        button->removeEventFilter(this);
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setFlat(false);
        else
            button->setPalette(m_restingPalette);
    }
    m_button = nullptr;
    m_watched = nullptr;
    m_bHot = false;
    return button;
}

bool COXCoolButton::eventFilter(QObject* watched, QEvent* event)
{
    // A button being destroyed still sends its hide event, when it is no
    // longer a button: it is compared and cast as a plain object only.
    if (watched != nullptr && watched == m_watched.data()) {
        if (event->type() == QEvent::Enter)
            setHot(true);
        else if (event->type() == QEvent::Leave || event->type() == QEvent::Hide)
            setHot(false);
    }
    return QObject::eventFilter(watched, event);
}

void COXCoolButton::setHot(bool hot)
{
    m_bHot = hot;
    auto* button = qobject_cast<QAbstractButton*>(m_watched.data());
    if (!button)
        return;
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        // Qt's flat button is the cool look at rest; the style's own raised
        // button is its hot look.
        push->setFlat(!hot);
        return;
    }
    QPalette palette = m_restingPalette;
    if (hot) {
        const QColor highlight = m_restingPalette.color(QPalette::Active, QPalette::Highlight);
        palette.setColor(QPalette::Active, QPalette::WindowText, highlight);
        palette.setColor(QPalette::Active, QPalette::ButtonText, highlight);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, highlight);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, highlight);
    }
    button->setPalette(palette);
}
