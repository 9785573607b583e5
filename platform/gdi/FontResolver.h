#pragma once
// Which real face draws a logical font, and the font's metrics with the
// platform's meaning. Faces come from fontconfig (through Qt's font
// database); a face the machine lacks falls back to a listed substitute
// (Arial to Liberation Sans...) or to one chosen by the font's pitch and
// family, as the reference renderer (Wine's gdi32) picks them. Bold text
// takes the regular face at the sizes on the device where the reference
// draws it as heavy as regular (SmallBoldRule). Symbol-encoded
// text (U+F0xx) drawn with a face that is not symbol-encoded shows the
// characters of its low byte.
//
// The faces Wine ships in /usr/share/wine/fonts (Tahoma, Symbol,
// Wingdings, MS Sans Serif...) are not registered with fontconfig; the
// reference renderer does not see them, and rendering with them scored
// lower on the real-world corpus, so they are not loaded by default
// (AddFaces adds a folder of faces).
//
// Everything here is in the font's own logical units: an outline or an
// advance at em size 1 is multiplied by em. The device context maps the
// result through its transform.
#include "platform/gdi/FontDefs.h"

#include <QFont>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

// A face at whole pixel sizes, as drawn by the font engine itself (hinted
// or not), made once per size.
struct SizedFaces {
    QFont font;
    // The 'gasp' ranges: flags up to each ppem.
    std::vector<std::pair<quint16, quint16>> gasp;
    std::map<std::tuple<int, bool, bool>, QRawFont> bySize;
};

struct ResolvedFont {
    static constexpr qsizetype Chunk = 4096;
    QRawFont raw;       // the face at FontResolver::RefPixelSize
    QString family;     // the face that draws it
    double em = 16;     // em height in logical units
    double stretch = 1; // horizontal scale from lfWidth
    // Metrics in logical units (TEXTMETRIC's meaning).
    double ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
    double avgCharWidth = 0, maxCharWidth = 0;
    double underlinePos = 0, lineThickness = 1, strikeOutPos = 0;
    bool symbol = false; // a symbol-encoded face (bytes map to U+F0xx)
    bool fixedPitch = false;
    quint32 glyphCount = 0xFFFF; // glyph indices at or past it draw nothing
    LOGFONTW lf{};
    // The face's outline cache, shared by the fonts of one thread.
    std::shared_ptr<QHash<quint32, QPainterPath>> outlines;
    // The face at whole pixel sizes, shared as the outlines are.
    std::shared_ptr<SizedFaces> sized;

    // Glyph indices for text (0 for a character the face lacks). Long
    // texts are done in pieces, polling cancelled between them; a cancel
    // returns nothing.
    std::vector<quint32> Glyphs(const QString& text, const std::function<bool()>& cancelled = {}) const;
    // Advances of glyphs at em 1 (unstretched).
    std::vector<double> Advances(const std::vector<quint32>& glyphs, const std::function<bool()>& cancelled = {}) const;
    // The outline of a glyph at em 1, origin on the baseline, y down.
    QPainterPath Outline(quint32 glyph) const;
    // The face at ppem pixels an em, with the face's own hinting or none,
    // in black and white or smoothed; invalid when there is no such face.
    QRawFont Sized(int ppem, bool hinted, bool smooth) const;
    // The face's 'gasp' flags at ppem: how the face asks to be rasterized
    // at that size. A face without the table asks for hinted black and white.
    static constexpr quint16 GaspGridFit = 0x1, GaspDoGray = 0x2;
    quint16 GaspFlags(int ppem) const;
};

class FontResolver {
public:
    static constexpr double RefPixelSize = 256;
    // lf's height is in logical units (negative: em height; positive: cell
    // height; zero: the default). Never null.
    // deviceScale: device pixels per logical unit vertically on the device
    // the text is drawn on (0: unknown), for the choices that depend on the
    // size there (SmallBoldRule).
    static std::shared_ptr<const ResolvedFont> Resolve(const LOGFONTW& lf, double deviceScale = 0);
    // Registers the faces of a folder with the font database; the count.
    static int AddFaces(const QString& folder);
    // The family that draws a face name, after substitution and fallback.
    static QString FamilyFor(const QString& face, BYTE pitchAndFamily, BYTE charSet);
};
