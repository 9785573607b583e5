#include "tools/DocumentRender.h"

#include "viewer/document/CLumivueDoc.h"

DocumentRender::DocumentRender() : m_doc(std::make_unique<CLumivueDoc>())
{
    // This object owns the document: it outlives its last view.
    m_doc->m_bAutoDelete = false;
}

DocumentRender::~DocumentRender() = default;

bool DocumentRender::Load(const QString& path)
{
    m_doc->LoadImageFile(path);
    return m_doc->IsLoaded();
}

bool DocumentRender::IsMetafile() const
{
    return m_doc->m_bIsMetafile;
}

// The document keeps a metafile's frame at 2540 units per inch and a raster
// image's pixels at its resolution, which the raster layer never leaves at 0.
int DocumentRender::UnitsPerInch() const
{
    return int(qMax<LONG>(1, m_doc->m_sizeResolution.cx));
}

CSize DocumentRender::NaturalSize() const
{
    const CSize size = m_doc->m_sizeImage;
    const LONG xdpi = qMax<LONG>(1, m_doc->m_sizeResolution.cx), ydpi = qMax<LONG>(1, m_doc->m_sizeResolution.cy);
    if (xdpi == ydpi)
        return size;
    // Non-square pixels: the height in horizontal dots keeps the picture's proportions.
    return CSize(size.cx, LONG(qint64(size.cy) * xdpi / ydpi));
}

QString DocumentRender::Description() const
{
    return IsMetafile() ? m_doc->m_MetaFile.GetDescription() : QString();
}

bool DocumentRender::Draw(CDC* dc, const CRect& rect) const
{
    if (IsMetafile())
        return m_doc->m_MetaFile.PlayFile(dc, &rect);
    return m_doc->m_Image.Draw2(dc, rect) != 0;
}
