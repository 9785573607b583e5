#include "toolkit/COXMetaFile.h"

#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "platform/metafile/WmfPlayer.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

COXMetaFile::SaveDialog& saveDialog()
{
    static COXMetaFile::SaveDialog dialog;
    return dialog;
}

CString defaultSaveDialog(const QStringList& filters, const CString& defExt)
{
    // Without widgets or a screen (a batch run, a headless test) there is
    // nobody to ask: the dialog counts as cancelled instead of waiting.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return CString();
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return CString();
    QFileDialog dialog(nullptr, QStringLiteral("Save As"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defExt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return CString();
    return dialog.selectedFiles().first();
}

} // namespace

COXMetaFile::~COXMetaFile()
{
    // A recording that was never closed leaves no file behind.
    delete m_recording;
    Close();
}

void COXMetaFile::SetSaveDialog(SaveDialog dialog) { saveDialog() = std::move(dialog); }

QStringList COXMetaFile::NameFilters(const CString& filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (desc.isEmpty() || patterns.isEmpty())
            continue;
        for (QString& p : patterns) {
            p = p.trimmed();
            // "*.*" means every file, with or without a dot.
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        const qsizetype paren = desc.indexOf(QLatin1Char('('));
        if (paren > 0)
            desc = desc.left(paren).trimmed();
        out << desc + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

CDC* COXMetaFile::CreateFile(const CString& fileName, const CString& description, const CString& defExt,
                             const CString& filter)
{
    if (m_recording)
        return nullptr;
    CString name = fileName;
    if (name.isEmpty()) {
        const SaveDialog& dialog = saveDialog();
        name = dialog ? dialog(NameFilters(filter), defExt) : defaultSaveDialog(NameFilters(filter), defExt);
        if (name.isEmpty())
            return nullptr;
        if (!defExt.isEmpty() && QFileInfo(name).suffix().isEmpty())
            name += QLatin1Char('.') + defExt;
    }
    m_recording = CreateEnhMetaFile(nullptr, name, nullptr, description);
    if (m_recording)
        m_fileName = name;
    return m_recording;
}

HENHMETAFILE COXMetaFile::CloseFile()
{
    if (!m_recording)
        return nullptr;
    HENHMETAFILE recorded = CloseEnhMetaFile(m_recording);
    m_recording = nullptr;
    if (!recorded)
        return nullptr;
    Close();
    m_hEMF = recorded;
    return m_hEMF;
}

void COXMetaFile::Close()
{
    if (m_hEMF)
        DeleteEnhMetaFile(m_hEMF);
    m_hEMF = nullptr;
}

HENHMETAFILE COXMetaFile::LoadFile(const CString& path)
{
    Close();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxEnhMetaFileBytes)
        return nullptr;
    const QByteArray bytes = file.readAll();
    m_hEMF = EnhMetaFile::FromBytes(bytes).release();
    if (!m_hEMF)
        m_hEMF = ConvertWinMetaFile(bytes);
    return m_hEMF;
}

HENHMETAFILE COXMetaFile::Detach()
{
    HENHMETAFILE h = m_hEMF;
    m_hEMF = nullptr;
    return h;
}

CRect COXMetaFile::frame() const
{
    if (!m_hEMF)
        return CRect();
    const EmfHeader& h = m_hEMF->Header();
    CRect f = h.frame;
    if (f.right != f.left && f.bottom != f.top)
        return f;
    // No frame: the bounds (inclusive device units) through the reference
    // device's size.
    const CRect& b = h.bounds;
    auto toHundredths = [](double px, double pxPerMM) {
        return LONG(std::clamp(std::round(px / pxPerMM * 100.0), -2147483647.0, 2147483647.0));
    };
    return CRect(toHundredths(b.left, h.PixelsPerMMX()), toHundredths(b.top, h.PixelsPerMMY()),
                 toHundredths(b.right + 1.0, h.PixelsPerMMX()), toHundredths(b.bottom + 1.0, h.PixelsPerMMY()));
}

CSize COXMetaFile::GetSize() const
{
    // Sides of hostile frames may not fit 32 bits: they are clamped.
    const CRect f = frame();
    auto side = [](long long a, long long b) { return LONG(std::clamp(b - a, -(long long)INT32_MAX, (long long)INT32_MAX)); };
    return CSize(side(f.left, f.right), side(f.top, f.bottom));
}

CSize COXMetaFile::GetNormalizedSize() const
{
    const CSize s = GetSize();
    return CSize(s.cx < 0 ? -s.cx : s.cx, s.cy < 0 ? -s.cy : s.cy);
}

CRect COXMetaFile::GetNormalizedRect() const { return CRect(CPoint(0, 0), GetNormalizedSize()); }

CRect COXMetaFile::GetBoundingRect() const
{
    CRect f = frame();
    f.NormalizeRect();
    return f;
}

CString COXMetaFile::GetDescription() const
{
    if (!m_hEMF)
        return CString();
    QString d = m_hEMF->Header().description;
    while (d.endsWith(QChar(0)))
        d.chop(1);
    return d;
}

CRect COXMetaFile::physicalRect(const CDC& dc) const
{
    // The frame (hundredths of a millimetre) in the device's pixels, then in
    // its logical units: the picture keeps its size and place on paper, on
    // the screen, and in a metafile recorded on either.
    const CRect f = GetBoundingRect();
    const int res[2] = {dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
    const int size[2] = {dc.GetDeviceCaps(HORZSIZE), dc.GetDeviceCaps(VERTSIZE)};
    if (res[0] <= 0 || res[1] <= 0 || size[0] <= 0 || size[1] <= 0)
        return f;
    auto pixels = [](LONG hundredths, int res, int mm) {
        return LONG(std::clamp(std::floor(double(hundredths) * res / (mm * 100.0) + 0.5), double(INT32_MIN), double(INT32_MAX)));
    };
    RECT r(pixels(f.left, res[0], size[0]), pixels(f.top, res[1], size[1]), pixels(f.right, res[0], size[0]),
           pixels(f.bottom, res[1], size[1]));
    dc.DPtoLP(&r);
    return CRect(r);
}

BOOL COXMetaFile::PlayFile(CDC* dc, const CRect* rect) const
{
    if (!m_hEMF || !dc)
        return FALSE;
    const CRect r = rect ? *rect : physicalRect(*dc);
    return PlayEnhMetaFile(dc, m_hEMF, &r);
}
