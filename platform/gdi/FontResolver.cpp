#include "platform/gdi/FontResolver.h"

#include "platform/gdi/SmallBoldRule.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QtEndian>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace {

// Faces the documents name and what draws them here. Only the substitutes
// the reference renderer also makes: it draws "Times New Roman" and
// "Courier New" by their pitch and family like any face it lacks (a
// document that says FF_SWISS gets a sans face), and mapping them to the
// metric-compatible Liberation Serif and Mono scored lower on the
// real-world corpus (image-2 0.96 against 0.99).
struct Substitute {
    const char* face;
    const char* family;
};
constexpr Substitute Substitutes[] = {
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"ms shell dlg", "Tahoma"},
    {"ms shell dlg 2", "Tahoma"},
    {"helv", "MS Sans Serif"},
};

bool hasFamily(const QString& family)
{
    static QMutex mutex;
    static QHash<QString, bool> known;
    QMutexLocker lock(&mutex);
    auto it = known.find(family);
    if (it != known.end())
        return *it;
    bool found = false;
    for (const QString& f : QFontDatabase::families())
        if (f.compare(family, Qt::CaseInsensitive) == 0) {
            found = true;
            break;
        }
    known.insert(family, found);
    return found;
}

quint16 u16(const QByteArray& t, int at)
{
    return at + 2 <= t.size() ? qFromBigEndian<quint16>(t.constData() + at) : 0;
}

struct FaceKey {
    QString family;
    int weight;
    bool italic;
    bool operator<(const FaceKey& o) const
    {
        return std::tie(family, weight, italic) < std::tie(o.family, o.weight, o.italic);
    }
};

// Design metrics of a face at em 1.
struct Face {
    QRawFont raw;
    double winAscent = 0.9, winDescent = 0.2, lineGap = 0, avgWidth = 0.5, maxWidth = 1;
    double underlinePos = 0.1, thickness = 0.05, strikePos = 0.25;
    bool symbol = false, fixed = false;
    quint32 glyphs = 0;
    // Outlines at em 1 by glyph: loading a glyph runs the face's hinting
    // program, far slower than a lookup.
    std::shared_ptr<QHash<quint32, QPainterPath>> outlines = std::make_shared<QHash<quint32, QPainterPath>>();
    std::shared_ptr<SizedFaces> sized = std::make_shared<SizedFaces>();
};

const Face& faceFor(const FaceKey& key)
{
    // One cache per thread: QRawFont objects are not shared across threads.
    thread_local std::map<FaceKey, Face> cache;
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    if (cache.size() > 64)
        cache.clear();
    QFont qf(key.family);
    qf.setPixelSize(int(FontResolver::RefPixelSize));
    qf.setWeight(QFont::Weight(std::clamp(key.weight, 100, 900)));
    qf.setItalic(key.italic);
    qf.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    qf.setHintingPreference(QFont::PreferNoHinting);
    Face f;
    f.raw = QRawFont::fromFont(qf);
    f.sized->font = qf;
    const QByteArray gasp = f.raw.fontTable("gasp");
    for (int at = 4, n = u16(gasp, 2); n > 0 && at + 4 <= gasp.size(); at += 4, --n)
        f.sized->gasp.emplace_back(u16(gasp, at), u16(gasp, at + 2));
    const double ref = FontResolver::RefPixelSize;
    if (f.raw.isValid()) {
        const double upm = std::max(1.0, double(f.raw.unitsPerEm()));
        const QByteArray os2 = f.raw.fontTable("OS/2");
        const QByteArray hhea = f.raw.fontTable("hhea");
        if (os2.size() >= 78) {
            f.avgWidth = qint16(u16(os2, 2)) / upm;
            f.strikePos = qint16(u16(os2, 28)) / upm;
            f.winAscent = u16(os2, 74) / upm;
            f.winDescent = u16(os2, 76) / upm;
        } else {
            f.winAscent = f.raw.ascent() / ref;
            f.winDescent = f.raw.descent() / ref;
        }
        if (f.winAscent + f.winDescent <= 0) {
            f.winAscent = 0.9;
            f.winDescent = 0.2;
        }
        if (hhea.size() >= 12) {
            const double hAsc = qint16(u16(hhea, 4)) / upm, hDesc = -qint16(u16(hhea, 6)) / upm;
            const double gap = qint16(u16(hhea, 8)) / upm;
            // The platform's external leading: what the line gap adds
            // beyond the Windows ascent and descent.
            f.lineGap = std::max(0.0, hAsc + hDesc + gap - (f.winAscent + f.winDescent));
            f.maxWidth = u16(hhea, 10) / upm;
        }
        if (f.avgWidth <= 0)
            f.avgWidth = f.raw.averageCharWidth() / ref;
        f.underlinePos = f.raw.underlinePosition() / ref;
        f.thickness = std::max(f.raw.lineThickness() / ref, 0.02);
        if (f.strikePos <= 0)
            f.strikePos = f.winAscent * 0.3;
        // A symbol-encoded face maps the private-use U+F0xx characters.
        f.symbol = f.raw.supportsCharacter(QChar(0xF041)) && !f.raw.supportsCharacter(QChar('A'));
        const QByteArray maxp = f.raw.fontTable("maxp");
        f.glyphs = maxp.size() >= 6 ? u16(maxp, 4) : 0xFFFF;
        const QByteArray post = f.raw.fontTable("post");
        f.fixed = post.size() >= 16 && qFromBigEndian<quint32>(post.constData() + 12) != 0;
    }
    return cache.emplace(key, std::move(f)).first->second;
}

} // namespace

int FontResolver::AddFaces(const QString& folder)
{
    int added = 0;
    const QDir dir(folder);
    for (const QString& f : dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files))
        added += QFontDatabase::addApplicationFont(dir.filePath(f)) >= 0 ? 1 : 0;
    return added;
}

QString FontResolver::FamilyFor(const QString& face, BYTE pitchAndFamily, BYTE charSet)
{
    const QString lower = face.trimmed().toLower();
    for (const auto& s : Substitutes)
        if (lower == QLatin1String(s.face) && hasFamily(QString::fromLatin1(s.family)))
            return QString::fromLatin1(s.family);
    if (!lower.isEmpty() && hasFamily(face.trimmed()))
        return face.trimmed();
    if (charSet == SYMBOL_CHARSET && hasFamily(QStringLiteral("Symbol")))
        return QStringLiteral("Symbol");
    // An unknown face: the platform picks by pitch, then family.
    const int family = pitchAndFamily & 0xF0;
    if ((pitchAndFamily & 0x03) == FIXED_PITCH || family == FF_MODERN)
        return QStringLiteral("Liberation Mono");
    if (family == FF_ROMAN)
        return QStringLiteral("Liberation Serif");
    return QStringLiteral("Liberation Sans");
}

std::shared_ptr<const ResolvedFont> FontResolver::Resolve(const LOGFONTW& lf, double deviceScale)
{
    auto r = std::make_shared<ResolvedFont>();
    r->lf = lf;
    int n = 0;
    while (n < LF_FACESIZE && lf.lfFaceName[n])
        ++n;
    r->family = FamilyFor(QString::fromUtf16(lf.lfFaceName, n), lf.lfPitchAndFamily, lf.lfCharSet);
    int weight = lf.lfWeight == 0 ? 400 : int(std::clamp<LONG>(lf.lfWeight, 1, 1000));
    // Between the regular and the bold face, the reference splits at 550
    // (the font database would take the nearer one, either for 550).
    if (weight > FW_NORMAL && weight < FW_BOLD)
        weight = weight > SmallBoldRule::BoldAbove ? FW_BOLD : FW_NORMAL;
    const bool italic = lf.lfItalic != 0;
    const Face* chosen = &faceFor(FaceKey{r->family, weight, italic});
    if (weight > SmallBoldRule::BoldAbove) {
        const int ppem = SmallBoldRule::DevicePpem(lf.lfHeight, deviceScale,
                                                   chosen->winAscent + chosen->winDescent);
        if (SmallBoldRule::DrawsRegular(r->family, italic, ppem))
            chosen = &faceFor(FaceKey{r->family, FW_NORMAL, italic});
    }
    const Face& face = *chosen;
    r->raw = face.raw;
    const double cell = face.winAscent + face.winDescent;
    // Absurd heights are clamped to something still drawable.
    constexpr double MaxHeight = 1e7;
    const double h = std::min(std::fabs(double(lf.lfHeight)), MaxHeight);
    if (lf.lfHeight < 0)
        r->em = h;
    else if (lf.lfHeight > 0)
        r->em = h / cell;
    else
        r->em = 16 / cell; // the default: a cell of 16 units
    r->ascent = face.winAscent * r->em;
    r->descent = face.winDescent * r->em;
    r->internalLeading = (cell - 1) * r->em;
    r->externalLeading = face.lineGap * r->em;
    r->avgCharWidth = face.avgWidth * r->em;
    r->maxCharWidth = face.maxWidth * r->em;
    r->underlinePos = face.underlinePos * r->em;
    r->lineThickness = face.thickness * r->em;
    r->strikeOutPos = face.strikePos * r->em;
    r->symbol = face.symbol;
    r->fixedPitch = face.fixed;
    r->glyphCount = face.glyphs;
    r->outlines = face.outlines;
    r->sized = face.sized;
    if (lf.lfWidth != 0 && r->avgCharWidth > 0)
        r->stretch = std::clamp(std::fabs(double(lf.lfWidth)) / r->avgCharWidth, 0.01, 100.0);
    return r;
}

std::vector<quint32> ResolvedFont::Glyphs(const QString& text, const std::function<bool()>& cancelled) const
{
    std::vector<quint32> out(size_t(text.size()), 0);
    if (!raw.isValid() || text.isEmpty())
        return out;
    QHash<char16_t, quint32> alternates;
    for (qsizetype begin = 0; begin < text.size();) {
        if (begin > 0 && cancelled && cancelled())
            return {};
        qsizetype n = std::min<qsizetype>(Chunk, text.size() - begin);
        if (begin + n < text.size() && text.at(begin + n - 1).isHighSurrogate())
            --n; // keep a surrogate pair in one piece
        const QList<quint32> g = raw.glyphIndexesForString(text.mid(begin, n));
        for (qsizetype i = 0; i < n && i < g.size(); ++i)
            out[size_t(begin + i)] = g[i];
        begin += n;
    }
    // Symbol faces: plain bytes reach the U+F0xx characters and back.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (out[size_t(i)] != 0)
            continue;
        char16_t alt = 0;
        if (c >= 0x20 && c < 0x100)
            alt = char16_t(0xF000 | c);
        else if (c >= 0xF020 && c < 0xF100)
            alt = char16_t(c & 0xFF);
        if (!alt)
            continue;
        auto it = alternates.find(alt);
        if (it == alternates.end()) {
            const QList<quint32> a = raw.glyphIndexesForString(QString(QChar(alt)));
            it = alternates.insert(alt, a.isEmpty() ? 0 : a.front());
        }
        out[size_t(i)] = *it;
    }
    return out;
}

std::vector<double> ResolvedFont::Advances(const std::vector<quint32>& glyphs,
                                           const std::function<bool()>& cancelled) const
{
    std::vector<double> out(glyphs.size(), 0);
    if (!raw.isValid() || glyphs.empty())
        return out;
    for (size_t begin = 0; begin < glyphs.size(); begin += size_t(Chunk)) {
        if (begin > 0 && cancelled && cancelled())
            return {};
        const size_t end = std::min(glyphs.size(), begin + size_t(Chunk));
        QList<quint32> ids(glyphs.begin() + qsizetype(begin), glyphs.begin() + qsizetype(end));
        for (quint32& g : ids)
            if (g >= glyphCount)
                g = 0;
        const QList<QPointF> adv = raw.advancesForGlyphIndexes(ids, QRawFont::UseDesignMetrics);
        for (qsizetype i = 0; i < adv.size() && begin + size_t(i) < end; ++i)
            out[begin + size_t(i)] = adv[i].x() / FontResolver::RefPixelSize;
    }
    return out;
}

QPainterPath ResolvedFont::Outline(quint32 glyph) const
{
    if (!raw.isValid() || glyph >= glyphCount)
        return {};
    if (outlines) {
        auto it = outlines->constFind(glyph);
        if (it != outlines->constEnd())
            return *it;
        if (outlines->size() > 8192)
            outlines->clear();
    }
    const QPainterPath p = QTransform::fromScale(1 / FontResolver::RefPixelSize, 1 / FontResolver::RefPixelSize)
                               .map(raw.pathForGlyph(glyph));
    if (outlines)
        outlines->insert(glyph, p);
    return p;
}

quint16 ResolvedFont::GaspFlags(int ppem) const
{
    if (!sized || sized->gasp.empty())
        return GaspGridFit;
    for (const auto& [upTo, flags] : sized->gasp)
        if (ppem <= upTo)
            return flags;
    return sized->gasp.back().second;
}

QRawFont ResolvedFont::Sized(int ppem, bool hinted, bool smooth) const
{
    if (!sized || ppem <= 0 || !raw.isValid())
        return QRawFont();
    const auto key = std::make_tuple(ppem, hinted, smooth);
    auto it = sized->bySize.find(key);
    if (it != sized->bySize.end())
        return it->second;
    if (sized->bySize.size() > 64)
        sized->bySize.clear();
    QFont f = sized->font;
    f.setPixelSize(ppem);
    f.setHintingPreference(hinted ? QFont::PreferFullHinting : QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | (smooth ? QFont::PreferAntialias : QFont::NoAntialias)));
    return sized->bySize.emplace(key, QRawFont::fromFont(f)).first->second;
}
