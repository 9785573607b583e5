#pragma once
// Recording enhanced metafiles: the platform's CreateEnhMetaFile returns a
// device context whose calls become the records of a metafile, and
// CloseEnhMetaFile ends the recording, writes the file and returns the
// metafile.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EnhMetaFile.h"

class EmfRecorder;
class QSaveFile;

class EnhMetaFileDC : public CDC {
public:
    ~EnhMetaFileDC() override;
    MetaRecorder* Recorder() override;
    EmfRecorder& GetRecorder() { return *m_recorder; }

private:
    friend HDC CreateEnhMetaFile(HDC, const QString&, const RECT*, const QString&);
    friend HENHMETAFILE CloseEnhMetaFile(HDC);
    EnhMetaFileDC(std::unique_ptr<DcBackend> backend, std::unique_ptr<EmfRecorder> recorder);

    std::unique_ptr<EmfRecorder> m_recorder;
    std::unique_ptr<QSaveFile> m_file;
};

// refDC: the reference device (null: the screen). path: the file to write
// (empty: a metafile in memory); it is created through a temporary file in
// its folder and replaces an existing file only when the recording is
// closed and written completely. frame: the picture's frame in hundredths of
// a millimetre (null: computed from the bounds of what is drawn).
// description: "application\0title\0\0" (empty: none). Null when the file
// cannot be created.
HDC CreateEnhMetaFile(HDC refDC, const QString& path, const RECT* frame, const QString& description);

// Ends the recording, writes the file and deletes the DC; the metafile, or
// null (and the old file, if any, untouched) when it could not be written
// or dc is not a recording DC.
HENHMETAFILE CloseEnhMetaFile(HDC dc);
