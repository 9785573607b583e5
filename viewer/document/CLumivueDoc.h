#pragma once
// The viewer's document: one opened file holding one image, a metafile
// (enhanced or Windows 3.x) or a raster image, with what the views need to
// lay it out and the event through which views and painting threads take
// turns with it.
#include "framework/doc/CDocument.h"
#include "platform/sync/NamedEvent.h"
#include "platform/types/CSize.h"
#include "raster/CRasterImage.h"
#include "toolkit/COXMetaFile.h"

class CLumivueDoc : public CDocument {
public:
    CLumivueDoc();
    ~CLumivueDoc() override;

    // Loads the file the archive was opened on; nothing when storing.
    void Serialize(CArchive& ar) override;
    // Writes the metafile as an enhanced metafile at path.
    BOOL OnSaveDocument(const QString& path) override;

    // Loads path: as a metafile whatever its extension, else as a raster
    // image chosen by the extension, else by content. Failure leaves the
    // document empty.
    void LoadImageFile(const QString& path);
    // The image is there: a side of the size is not 0 and the handle or the
    // raster image is valid.
    bool IsLoaded() const;
    // Stores the fit option and lets every view update.
    void SetFitOption(int fitOption);
    // The next view number: 1 for the first view, then 2...
    int NextViewNumber() { return m_nViewCounter++; }
    // A new metafile object holding the document's file anew; the caller owns it.
    COXMetaFile* CreateMetaFileCopy();
    // Why a file gave no image, in a sentence for the user.
    static QString LoadFailureReason(const QString& path, RasterDecodeStatus status);
    // The raster library's format for an extension (without the dot, any case).
    static int RasterFormatFor(const QString& extension);

    // Named events of this document and its views: prefix and number in
    // upper-case hexadecimal ("DocIsAvailableA"), qualified by this document
    // so that no other document, view or process shares the name.
    QString EventName(const QString& prefix, int number) const;
    QString AvailabilityEventName() const { return EventName(QStringLiteral("DocIsAvailable"), m_nDocNumber); }

    void OnFileSaveAs();
    void OnUpdateFileSaveAs(CCmdUI* cmdUI);

    int32_t m_nDocNumber = 0;
    int32_t m_nViewCounter = 1;
    QString m_strFileName;
    // Why the last load left the document without an image; empty otherwise.
    QString m_strLoadError;
    bool m_bIsMetafile = false;
    COXMetaFile m_MetaFile;
    CRasterImage m_Image{0};
    CSize m_sizeResolution;
    CSize m_sizeImage;
    int32_t m_nFitOption = 0;
    CSize m_sizeGiven{2032, 2032};
    HANDLE m_hDocIsAvailable = nullptr;

private:
    QString m_eventOwner;
};
