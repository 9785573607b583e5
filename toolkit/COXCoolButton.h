#pragma once
// A push button, radio button or check box that highlights while the
// pointer is over it (hot tracking): a push button is drawn flat until it
// rises under the pointer; a radio button or check box shows its text in
// the highlight colour. An adapter, not a button class of its own: it
// attaches to a button that a dialog template already created, as the
// platform lets a class take over an existing control, and the button keeps
// its id, signals and accessible name.
#include "platform/types/Win32Types.h"

#include <QAbstractButton>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QWidget;

class COXCoolButton : public QObject {
    Q_OBJECT
public:
    COXCoolButton();
    ~COXCoolButton() override;

    // Takes over button. FALSE when button is null or this adapter already
    // has a button.
    BOOL Attach(QAbstractButton* button);
    // Takes over parent's button with control id id ("id" property).
    BOOL SubclassDlgItem(int id, QWidget* parent);
    // Gives the button back its own look.
    QAbstractButton* Detach();

    QAbstractButton* GetButton() const { return m_button; }
    // Under the pointer now.
    bool IsHot() const { return m_bHot; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHot(bool hot);

    QPointer<QAbstractButton> m_button;
    // The same object, for event filtering: a QPointer of a derived type
    // must not be read while the object is destroyed.
    QPointer<QObject> m_watched;
    QPalette m_restingPalette;
    bool m_bHot = false;
};
