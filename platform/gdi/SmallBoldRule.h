#pragma once
// When bold text is drawn with the regular face, as the reference renderer
// (Wine's gdi32 on FreeType) shows it.
//
// The reference always selects the bold face for a weight above 550, at
// every size. What makes small bold text look regular there is how the
// bold face is rasterized at the size on the device: the TrueType hinting
// of some bold faces snaps their stems to one pixel at a few sizes (and
// the regular face is drawn black and aliased where its 'gasp' table asks
// for that), so the bold strokes come out as heavy as the regular ones.
// This renderer draws unhinted outlines, so at those sizes the regular
// face is what matches. Measured on generated text (each face, weights
// 600/700/800, em and cell heights, played at 0.5x to 2x its recorded
// size): the choice depends only on the whole pixels per em on the
// playback device, never on the size in the metafile's own units, and
// only for the faces listed in the .cpp; faces without such hints
// (DejaVu, the URW faces) and the serif face stay bold. Up to 8 pixels an
// em the reference draws every face unhinted in light grayscale, lighter
// than the bold outline this renderer fills: the regular face is closer
// there.
#include "platform/types/Win32Types.h"

#include <QString>

class SmallBoldRule {
public:
    // The reference's weight classes: up to 550 draws the regular face.
    static constexpr LONG BoldAbove = 550;
    // The largest size the reference draws without hinting, in grayscale.
    static constexpr int UnhintedUpTo = 8;

    // The pixels per em the reference rasterizes at: the font height on the
    // device cut to whole pixels (the reference truncates the height it
    // maps through the transform), and for a positive (cell) height the em
    // of that cell, rounded. cellPerEm: the face's (winAscent + winDescent)
    // per em. 0 for a zero height or scale.
    static int DevicePpem(LONG lfHeight, double deviceScale, double cellPerEm);

    // Whether bold text in family (the face that draws it) at ppem looks
    // regular on the reference.
    static bool DrawsRegular(const QString& family, bool italic, int ppem);
};
