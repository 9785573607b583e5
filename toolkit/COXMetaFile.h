#pragma once
// The toolkit's metafile wrapper: loads an enhanced metafile from a file and
// answers its size, frame and description, and plays it on a device
// context. The object owns the loaded handle; Detach hands it to a new
// owner. Windows 3.x metafiles and saving come with the recording layer.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EnhMetaFile.h"

#include <QString>

using CString = QString;

class COXMetaFile {
public:
    COXMetaFile() = default;
    ~COXMetaFile();
    COXMetaFile(const COXMetaFile&) = delete;
    COXMetaFile& operator=(const COXMetaFile&) = delete;

    // Loads the file as a metafile whatever its extension; null (and no
    // metafile held) for anything else. Never throws.
    HENHMETAFILE LoadFile(const CString& path);
    HENHMETAFILE GethEMF() const { return m_hEMF; }
    // Gives up the handle without deleting it.
    HENHMETAFILE Detach();
    void Close();

    // The frame's size in hundredths of a millimetre, as stored (a side may
    // be negative).
    CSize GetSize() const;
    // The frame's size made positive.
    CSize GetNormalizedSize() const;
    // (0, 0) to the normalized size.
    CRect GetNormalizedRect() const;
    // The picture's frame in hundredths of a millimetre, normalized; from
    // the device bounds when the header's frame is empty.
    CRect GetBoundingRect() const;
    // "application\0title" as the header stores it (without the final
    // nulls); empty without a description.
    CString GetDescription() const;
    // Plays the metafile into rect (logical units of dc), by default its
    // bounding rectangle.
    BOOL PlayFile(CDC* dc, const CRect* rect = nullptr) const;

private:
    CRect frame() const;

    HENHMETAFILE m_hEMF = nullptr;
};
