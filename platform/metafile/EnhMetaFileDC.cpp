#include "platform/metafile/EnhMetaFileDC.h"

#include "platform/gdi/GdiPalette.h"
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/EmfRecorder.h"

#include <QSaveFile>

EnhMetaFileDC::EnhMetaFileDC(std::unique_ptr<DcBackend> backend, std::unique_ptr<EmfRecorder> recorder)
    : CDC(std::move(backend)), m_recorder(std::move(recorder))
{
}

EnhMetaFileDC::~EnhMetaFileDC() = default;

MetaRecorder* EnhMetaFileDC::Recorder() { return m_recorder.get(); }

HDC CreateEnhMetaFile(HDC refDC, const QString& path, const RECT* frame, const QString& description)
{
    CDC screen;
    CDC* ref = refDC ? refDC : &screen;
    BoundsBackend::Device device;
    device.horzRes = std::max(1, ref->GetDeviceCaps(HORZRES));
    device.vertRes = std::max(1, ref->GetDeviceCaps(VERTRES));
    device.horzSize = std::max(1, ref->GetDeviceCaps(HORZSIZE));
    device.vertSize = std::max(1, ref->GetDeviceCaps(VERTSIZE));
    device.logPixels = std::max(1, ref->GetDeviceCaps(LOGPIXELSX));
    device.bitsPixel = std::max(1, ref->GetDeviceCaps(BITSPIXEL));

    EmfRecorderSetup setup;
    setup.devicePixels = SIZE(device.horzRes, device.vertRes);
    setup.deviceMillimeters = SIZE(device.horzSize, device.vertSize);
    if (frame)
        setup.frame = *frame;
    setup.description = description;
    if (!description.isEmpty() && !description.endsWith(QString(2, QChar(0))))
        setup.description += description.endsWith(QChar(0)) ? QString(QChar(0)) : QString(2, QChar(0));

    std::unique_ptr<QSaveFile> file;
    if (!path.isEmpty()) {
        file = std::make_unique<QSaveFile>(path);
        if (!file->open(QIODevice::WriteOnly))
            return nullptr;
    }
    auto recorder = std::make_unique<EmfRecorder>(setup);
    EmfRecorder* sink = recorder.get();
    auto backend = std::make_unique<BoundsBackend>(device, [sink](const QRectF& r) { sink->AddBounds(r); });
    auto* dc = new EnhMetaFileDC(std::move(backend), std::move(recorder));
    dc->m_file = std::move(file);
    return dc;
}

HENHMETAFILE CloseEnhMetaFile(HDC dc)
{
    auto* recording = dynamic_cast<EnhMetaFileDC*>(dc);
    if (!recording)
        return nullptr;
    std::unique_ptr<EnhMetaFileDC> owner(recording);
    GdiPalette* palette = recording->State().palette.get();
    if (palette && !palette->IsStock())
        recording->GetRecorder().SetPalette(palette->Entries());
    const QByteArray bytes = recording->GetRecorder().Finish();
    if (bytes.isEmpty())
        return nullptr;
    if (recording->m_file) {
        QSaveFile& file = *recording->m_file;
        if (file.write(bytes) != bytes.size() || !file.commit())
            return nullptr; // the temporary file goes with the QSaveFile
    }
    return EnhMetaFile::FromBytes(bytes).release();
}
