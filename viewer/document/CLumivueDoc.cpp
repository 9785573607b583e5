#include "CLumivueDoc.h"

#include "framework/cmd/CommandIds.h"
#include "framework/except/CException.h"
#include "owutil/paths/FileExt.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "viewer/app/CLumivueApp.h"

#include <QFileInfo>

CLumivueDoc::CLumivueDoc() : m_eventOwner(UniqueOwnerId(this))
{
    if (CWinApp* app = AfxGetApp())
        m_nFitOption = int32_t(app->GetProfileInt(QStringLiteral("Settings"), QStringLiteral("FitOption"), 0));
    if (CLumivueApp* app = CLumivueApp::Get())
        m_nDocNumber = app->m_nDocCounter++;
    // A new document is available at once.
    m_hDocIsAvailable = CreateEvent(true, false, AvailabilityEventName());
    if (m_hDocIsAvailable)
        SetEvent(m_hDocIsAvailable);

    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    OnUpdateCommand(ID_FILE_SAVE_AS, [this](CCmdUI* ui) { OnUpdateFileSaveAs(ui); });
}

CLumivueDoc::~CLumivueDoc()
{
    if (m_hDocIsAvailable)
        CloseHandle(m_hDocIsAvailable);
}

QString CLumivueDoc::EventName(const QString& prefix, int number) const
{
    return QualifiedEventName(m_eventOwner, prefix + QString::number(uint32_t(number), 16).toUpper());
}

void CLumivueDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        return;
    LoadImageFile(ar.GetFile()->GetFilePath());
}

int CLumivueDoc::RasterFormatFor(const QString& extension)
{
    static const struct {
        const char* ext;
        int format;
    } table[] = {
        {"bmp", RASTER_FORMAT_BMP}, {"jpg", RASTER_FORMAT_JPG},  {"jpeg", RASTER_FORMAT_JPG},
        {"gif", RASTER_FORMAT_GIF}, {"png", RASTER_FORMAT_PNG},  {"mng", RASTER_FORMAT_MNG},
        {"jng", RASTER_FORMAT_MNG}, {"ico", RASTER_FORMAT_ICO},  {"tiff", RASTER_FORMAT_TIF},
        {"tif", RASTER_FORMAT_TIF}, {"tga", RASTER_FORMAT_TGA},  {"pcx", RASTER_FORMAT_PCX},
    };
    const QString ext = extension.toLower();
    for (const auto& t : table)
        if (ext == QLatin1String(t.ext))
            return t.format;
    return RASTER_FORMAT_BY_CONTENT;
}

void CLumivueDoc::LoadImageFile(const QString& path)
{
    m_strFileName = path;
    m_bIsMetafile = false;
    m_strLoadError.clear();

    if (m_MetaFile.LoadFile(m_strFileName)) {
        m_sizeImage = m_MetaFile.GetNormalizedSize();
        m_bIsMetafile = m_MetaFile.GethEMF() != nullptr;
        m_sizeResolution = CSize(2540, 2540);
        if (!IsLoaded())
            m_strLoadError = QStringLiteral("The metafile's picture has no size.");
        return;
    }

    const int format = RasterFormatFor(OwUtil::GetFileExt(m_strFileName));
    if (!m_Image.Load(m_strFileName, format) && format != RASTER_FORMAT_BY_CONTENT)
        m_Image.Load(m_strFileName, RASTER_FORMAT_BY_CONTENT);
    if (m_Image.IsValid()) {
        m_sizeImage = CSize(LONG(m_Image.GetWidth()), LONG(m_Image.GetHeight()));
        m_sizeResolution = CSize(LONG(m_Image.GetXDPI()), LONG(m_Image.GetYDPI()));
        return;
    }
    m_strLoadError = LoadFailureReason(m_strFileName, m_Image.LastStatus());
}

QString CLumivueDoc::LoadFailureReason(const QString& path, RasterDecodeStatus status)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return QStringLiteral("The file cannot be read.");
    if (info.size() == 0)
        return QStringLiteral("The file is empty.");
    switch (status) {
    case RasterDecodeStatus::TooLarge: return QStringLiteral("The image is larger than this machine can hold.");
    case RasterDecodeStatus::NotThisFormat:
        return QStringLiteral("It is not a metafile, and no image decoder recognised its content.");
    case RasterDecodeStatus::Unsupported: return QStringLiteral("Its image format is of a kind no decoder here reads.");
    default: return QStringLiteral("Its image data is damaged and cannot be decoded.");
    }
}

bool CLumivueDoc::IsLoaded() const
{
    if (m_sizeImage.cx == 0 || m_sizeImage.cy == 0)
        return false;
    return m_bIsMetafile ? m_MetaFile.GethEMF() != nullptr : m_Image.IsValid();
}

void CLumivueDoc::SetFitOption(int fitOption)
{
    m_nFitOption = fitOption;
    UpdateAllViews(nullptr, 0, nullptr);
}

COXMetaFile* CLumivueDoc::CreateMetaFileCopy()
{
    auto* copy = new COXMetaFile;
    try {
        copy->LoadFile(m_strFileName);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
    return copy;
}

void CLumivueDoc::OnUpdateFileSaveAs(CCmdUI* cmdUI) { cmdUI->Enable(m_bIsMetafile); }

void CLumivueDoc::OnFileSaveAs()
{
    if (!m_bIsMetafile)
        return;
    COXMetaFile target;
    CDC* dc = target.CreateFile(CString(), m_MetaFile.GetDescription(), QStringLiteral("emf"),
                                QStringLiteral("EMF Files(*.emf)|*.emf|All Files(*.*)|*.*|"));
    if (!dc)
        return;
    m_MetaFile.PlayFile(dc);
    // A file that could not be written is not the document's file.
    if (target.CloseFile())
        m_strFileName = target.GetFileName();
}

BOOL CLumivueDoc::OnSaveDocument(const QString& path)
{
    if (!m_bIsMetafile)
        return FALSE;
    QString description = m_MetaFile.GetDescription();
    HDC dc = CreateEnhMetaFile(nullptr, path, nullptr, description);
    if (!dc)
        return FALSE;
    m_MetaFile.PlayFile(dc);
    // The save fails, and says so, when the file could not be written.
    HENHMETAFILE saved = CloseEnhMetaFile(dc);
    if (!saved)
        return FALSE;
    DeleteEnhMetaFile(saved);
    m_strFileName = path;
    return TRUE;
}
