#pragma once
// A push button drawn flat until the pointer hovers over it, when it rises
// (hot tracking). An adapter, not a button class of its own: it attaches to
// a button that a dialog template already created, as the platform lets a
// class take over an existing control, and the button keeps its id,
// signals and accessible name.
#include "platform/types/Win32Types.h"

#include <QObject>
#include <QPointer>
#include <QPushButton>

class QWidget;

class COXCoolButton : public QObject {
    Q_OBJECT
public:
    COXCoolButton();
    ~COXCoolButton() override;

    // Takes over button. FALSE when button is null or this adapter already
    // has a button.
    BOOL Attach(QPushButton* button);
    // Takes over parent's push button with control id id ("id" property).
    BOOL SubclassDlgItem(int id, QWidget* parent);
    // Gives the button back its own look.
    QPushButton* Detach();

    QPushButton* GetButton() const { return m_button; }
    // Under the pointer now.
    bool IsHot() const { return m_bHot; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHot(bool hot);

    QPointer<QPushButton> m_button;
    bool m_bHot = false;
};
