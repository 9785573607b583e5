#include "platform/gdi/CBitmap.h"

#include <QImageReader>

BOOL CBitmap::LoadBitmap(HINSTANCE module, UINT id)
{
    const QString* path = module ? module->FindImage(id) : nullptr;
    if (path == nullptr)
        return FALSE;
    QImageReader reader(*path);
    const QImage image = reader.read();
    return CreateFromImage(image);
}

BOOL CBitmap::CreateFromImage(const QImage& image)
{
    if (m_hObject != nullptr || image.isNull() || qint64(image.width()) * image.height() > MaxBitmapPixels)
        return FALSE;
    return Attach(new GdiBitmap(image));
}
