#include "COXCoolButton.h"

#include "framework/dialog/CDialog.h"

#include <QEvent>
#include <QPushButton>

COXCoolButton::COXCoolButton() = default;

COXCoolButton::~COXCoolButton() { Detach(); }

BOOL COXCoolButton::Attach(QPushButton* button)
{
    if (button == nullptr || m_button != nullptr)
        return FALSE;
    m_button = button;
    button->installEventFilter(this);
    setHot(button->underMouse());
    return TRUE;
}

BOOL COXCoolButton::SubclassDlgItem(int id, QWidget* parent)
{
    return Attach(qobject_cast<QPushButton*>(CDialog::FindDlgItem(parent, id)));
}

QPushButton* COXCoolButton::Detach()
{
    QPushButton* button = m_button;
    if (button != nullptr) {
        button->removeEventFilter(this);
        button->setFlat(false);
    }
    m_button = nullptr;
    m_bHot = false;
    return button;
}

bool COXCoolButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_button) {
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
    // Qt's flat button is the cool look at rest; the style's own raised
    // button is its hot look.
    m_button->setFlat(!hot);
}
