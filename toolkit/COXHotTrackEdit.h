#pragma once
// The hot-tracking wrapper for an edit class: the edit is drawn flat, with a
// thin line for its border, and the border takes the highlight colour while
// the pointer is over the edit or the edit has the focus. EDIT is the
// wrapped edit class (a QLineEdit or a class derived from it, such as a
// COXPhysicalEdit); its constructors are the wrapper's.
//
//     COXHotTrackEdit<CSizeEdit> m_sizeEdit;
#include <QEnterEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPaintEvent>

namespace COXHotTrack {
// Gives edit the flat look: no frame of the style's, room for the line.
void MakeFlat(QLineEdit* edit);
// Draws the border line, in the highlight colour when hot.
void PaintBorder(QLineEdit* edit, bool hot);
} // namespace COXHotTrack

template <class EDIT>
class COXHotTrackEdit : public EDIT {
public:
    template <class... Args>
    explicit COXHotTrackEdit(Args&&... args) : EDIT(std::forward<Args>(args)...)
    {
        COXHotTrack::MakeFlat(this);
    }

    // Under the pointer or holding the focus.
    bool IsHot() const { return m_bMouseOver || this->hasFocus(); }

protected:
    void enterEvent(QEnterEvent* event) override
    {
        m_bMouseOver = true;
        this->update();
        EDIT::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override
    {
        m_bMouseOver = false;
        this->update();
        EDIT::leaveEvent(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        EDIT::paintEvent(event);
        COXHotTrack::PaintBorder(this, IsHot());
    }

private:
    bool m_bMouseOver = false;
};
