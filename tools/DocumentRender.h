#pragma once
// What lumivu-render draws: an image loaded by the viewer's own document
// code (a metafile of either kind, or any raster image the viewer opens),
// its natural size, and its drawing into a rectangle of a device context.
#include "platform/types/CRect.h"
#include "platform/types/CSize.h"

#include <QString>
#include <memory>

class CDC;
class CLumivueDoc;

class DocumentRender {
public:
    DocumentRender();
    ~DocumentRender();
    DocumentRender(const DocumentRender&) = delete;
    DocumentRender& operator=(const DocumentRender&) = delete;

    // Loads path as the viewer does; false when the viewer would show an
    // empty document.
    bool Load(const QString& path);
    bool IsMetafile() const;
    // The natural size in units of UnitsPerInch(): a metafile's frame in
    // hundredths of a millimetre, a raster image's pixels at its horizontal
    // resolution (the height rescaled when the vertical one differs).
    CSize NaturalSize() const;
    int UnitsPerInch() const;
    // The metafile's "application\0title" description; empty for raster.
    QString Description() const;
    // Draws the image filling rect (device units of dc).
    bool Draw(CDC* dc, const CRect& rect) const;
    // The loaded document (for saving).
    CLumivueDoc& Document() { return *m_doc; }

private:
    std::unique_ptr<CLumivueDoc> m_doc;
};
