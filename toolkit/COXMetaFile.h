#pragma once
// The toolkit's metafile wrapper: loads an enhanced metafile (or a Windows
// 3.x metafile, converted to one) from a file and answers its size, frame
// and description, and plays it on a device context; records a new
// enhanced metafile into a file. The object owns the loaded handle; Detach
// hands it to a new owner.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EnhMetaFile.h"

#include <QString>
#include <QStringList>
#include <functional>

using CString = QString;

class COXMetaFile {
public:
    COXMetaFile() = default;
    ~COXMetaFile();
    COXMetaFile(const COXMetaFile&) = delete;
    COXMetaFile& operator=(const COXMetaFile&) = delete;

    // Loads the file as a metafile whatever its extension; null (and no
    // metafile held) for anything else. A Windows 3.x metafile is converted
    // to an enhanced metafile as the platform's SetWinMetaFileBits does (a
    // placeable header gives its size). Never throws.
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
    // frame at its physical size on dc's device.
    BOOL PlayFile(CDC* dc, const CRect* rect = nullptr) const;


    // Starts recording an enhanced metafile into fileName: the returned
    // device context records what is drawn on it (PlayFile included) until
    // CloseFile. An empty name asks the user with a save dialog showing
    // filter ("EMF Files(*.emf)|*.emf|All Files(*.*)|*.*|") and adding defExt
    // to a name without an extension. description: "application\0title".
    // Null when the dialog is cancelled or the file cannot be created.
    CDC* CreateFile(const CString& fileName, const CString& description, const CString& defExt = QStringLiteral("emf"),
                    const CString& filter = QStringLiteral("EMF Files(*.emf)|*.emf|All Files(*.*)|*.*|"));
    // Ends the recording and writes the file (replacing an old one only
    // when the new one is complete). The recorded metafile becomes this
    // object's metafile; null when nothing was recording or writing failed.
    HENHMETAFILE CloseFile();
    // The file being recorded or last recorded.
    CString GetFileName() const { return m_fileName; }

    // The save dialog of CreateFile: name filters in Qt's syntax and the
    // default extension in, the chosen path out (empty when cancelled).
    // Tests replace it; null restores the default, which shows a file
    // dialog in a widget application on a screen and cancels otherwise
    // (never blocking a headless run).
    using SaveDialog = std::function<CString(const QStringList& nameFilters, const CString& defExt)>;
    static void SetSaveDialog(SaveDialog dialog);
    // "Desc(*.a;*.b)|*.a;*.b|...|" as Qt name filters ("Desc (*.a *.b)").
    static QStringList NameFilters(const CString& filter);

private:
    CRect frame() const;
    CRect physicalRect(const CDC& dc) const;

    HENHMETAFILE m_hEMF = nullptr;
    CDC* m_recording = nullptr;
    CString m_fileName;
};
