#pragma once
// The platform's progress bar over QProgressBar: a 32-bit range, a position
// kept inside it, a step that wraps round at the end.
#include "platform/types/Win32Types.h"

#include <QProgressBar>

class CProgressCtrl : public QProgressBar {
    Q_OBJECT
public:
    explicit CProgressCtrl(QWidget* parent = nullptr);

    // A range whose bounds are equal or reversed is kept as given; the bar
    // then shows nothing filled, as the platform's does.
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    // The previous position. Positions outside the range are held at its ends.
    int SetPos(int pos);
    int GetPos() const { return m_pos; }
    int OffsetPos(int delta);
    int SetStep(int step);
    // Advances by the step; past the maximum the position starts over from
    // the minimum (and past the minimum, for a negative step, from the
    // maximum). Returns the previous position.
    int StepIt();

private:
    void present();

    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
    int m_step = 10;
};
