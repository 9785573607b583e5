#include "COXHotTrackEdit.h"

#include <QPainter>

namespace COXHotTrack {

void MakeFlat(QLineEdit* edit)
{
    edit->setFrame(false);
    edit->setTextMargins(2, 1, 2, 1);
    // A focus change repaints the edit anyway; hover needs the attribute so
    // that the style repaints on enter and leave as well.
    edit->setAttribute(Qt::WA_Hover);
}

void PaintBorder(QLineEdit* edit, bool hot)
{
    QPainter painter(edit);
    const QPalette& palette = edit->palette();
    painter.setPen(hot ? palette.color(QPalette::Highlight) : palette.color(QPalette::Mid));
    painter.drawRect(edit->rect().adjusted(0, 0, -1, -1));
}

} // namespace COXHotTrack
