// Painting of the tip dialog's frame: the window-coloured area, the shadow
// strip with the bulb, the heading and the tip.
#include "CTipDlg.h"

#include "owutil/resources/OwUtilModule.h"
#include "owutil/resources/OwUtilResourceIds.h"
#include "owutil/resources/OwUtilStringIds.h"
#include "owutil/text/ResString.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace {

COLORREF toColorRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

} // namespace

bool CTipDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == GetDlgItem(IDC_TIPFRAME)) {
        auto* frame = static_cast<QWidget*>(watched);
        paintFrame(frame, static_cast<QPaintEvent*>(event)->region());
        // The frame's own border goes on top.
        return false;
    }
    return CDialog::eventFilter(watched, event);
}

QRect CTipDlg::itemRectIn(int id, const QWidget* frame) const
{
    const QWidget* item = GetDlgItem(id);
    if (item == nullptr)
        return {};
    return QRect(frame->mapFrom(this, item->pos()), item->size());
}

QPixmap CTipDlg::bulb(qreal devicePixelRatio) const
{
    const QColor shadow = palette().color(QPalette::Dark);
    if (!m_bulb.isNull() && m_bulb.devicePixelRatio() == devicePixelRatio &&
        m_bulb.toImage().pixelColor(0, 0) == shadow)
        return m_bulb;
    const QString* path = OwUtilModule()->FindImage(IDB_LIGHTBULB);
    QSvgRenderer svg(path ? *path : QString());
    const QSize logical = svg.isValid() ? svg.defaultSize() : QSize(32, 40);
    QImage image(logical * devicePixelRatio, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        svg.render(&p);
    }
    {
        // The bitmap's white surroundings take the strip's colour, as a
        // flood fill from its corner gives them.
        CDC dc(std::make_unique<QPainterBackend>(&image));
        CBrush brush;
        brush.CreateSolidBrush(toColorRef(shadow));
        CBrush* old = dc.SelectObject(&brush);
        dc.ExtFloodFill(0, 0, RGB(255, 255, 255), FLOODFILLSURFACE);
        dc.SelectObject(old);
        dc.Flush();
    }
    image.setDevicePixelRatio(devicePixelRatio);
    m_bulb = QPixmap::fromImage(image);
    return m_bulb;
}

void CTipDlg::paintFrame(QWidget* frame, const QRegion& region)
{
    const QRect area = frame->rect().adjusted(2, 2, -2, -2);
    const QRect tipRect = itemRectIn(IDC_TIPSTRING, frame);
    const QRect bulbRect = itemRectIn(IDC_BULB, frame);
    const QColor window = palette().color(QPalette::Base);
    const QColor shadow = palette().color(QPalette::Dark);

    QPainter p(frame);
    p.setClipRegion(region);
    p.fillRect(area, window);
    p.fillRect(QRect(area.left(), area.top(), tipRect.left() - 10 - area.left(), area.height()), shadow);
    const QPixmap picture = bulb(frame->devicePixelRatioF());
    p.drawPixmap(bulbRect.topLeft(), picture);
    const int lineY = bulbRect.top() + int(picture.height() / picture.devicePixelRatio()) + 6;
    p.fillRect(QRect(area.left(), lineY, area.width(), 1), shadow);

    QFont heading(QStringLiteral("Times"));
    heading.setPixelSize(22);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(palette().color(QPalette::Text));
    const QRect headingRect(tipRect.left(), bulbRect.top(), tipRect.width(), tipRect.bottom() - bulbRect.top());
    p.drawText(headingRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               OwUtil::ResString(IDS_TIP_DIDYOUKNOW, OwUtilModule()));

    p.fillRect(tipRect, window);
    QFont text(QStringLiteral("Arial"));
    text.setPixelSize(16);
    text.setWeight(QFont::Normal);
    p.setFont(text);
    p.drawText(tipRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_strTip);
}
