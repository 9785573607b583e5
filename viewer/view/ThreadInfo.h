#pragma once
// What a view hands its painting thread: written by the view before the
// thread starts and after the previous one has ended; the thread writes
// only pDC and Completed.
#include "platform/types/CPoint.h"
#include "platform/types/CRect.h"

class CDC;
class CRasterImage;
class CLumivueView;
class EnhMetaFile;

struct ThreadInfo {
    // The document's metafile (metafile documents).
    EnhMetaFile* hEmf = nullptr;
    // The document's raster image (raster documents).
    const CRasterImage* xImage = nullptr;
    // Play record by record, polling the stop request between records.
    bool Interruptable = false;
    // The context to draw on: the printer's, or none on screen, where the
    // thread makes a client-area context of its own.
    CDC* pDC = nullptr;
    CLumivueView* pView = nullptr;
    // Printing: the view waits until the thread has finished.
    bool ForceDirect = false;
    // The image's own frame: the metafile's bounding rectangle, or the
    // raster image's pixels.
    CRect Rect;
    // Where the whole image goes, device units.
    CRect DestRect;
    // The area still to be repainted, logical units of the paint context.
    CRect UpdateRect;
    CRect PageRect;
    // The paint context's viewport origin (scroll offset or centring).
    CPoint Origin;
    // The last painting ran to its end.
    bool Completed = false;
};
