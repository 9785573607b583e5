#pragma once
// What the platform's enhanced-metafile recorder counts for each drawing
// call in a recording's bounds (Wine's gdi32 as the reference): a logical
// rectangle per call, fixed by the call's arguments alone (the pen's width,
// the clipping and what actually reaches the pixels play no part), whose
// two corners are mapped to the device as LPtoDP maps points, each rounded
// to the nearest pixel. A picture converted without a size is framed by
// these bounds, so they decide its frame to the pixel.
//
// Each function hands the device box to the DC's backend (DcBackend::
// ShapeBox) and returns true when the backend took it: a device that keeps
// only a recording's bounds; the caller then draws nothing. Inside a path
// bracket nothing is counted and they return false.
#include "platform/gdi/GdiDefs.h"

#include <cstddef>
#include <optional>

class CDC;

class RecordedBounds {
public:
    // An inclusive logical rectangle, as the recorder keeps it before mapping.
    struct Box {
        long long left = 0, top = 0, right = -1, bottom = -1;
    };

    // The box of a point list, with the current position for the calls that
    // start there (PolylineTo, PolyBezierTo, LineTo); none without points.
    static std::optional<Box> OfPoints(const POINT* points, size_t count, const POINT* current);
    // A bitmap transfer or pattern fill of w x h logical units at (x, y):
    // its last row and column are one unit in.
    static Box OfTransfer(int x, int y, long long w, long long h);
    // Arc, ArcTo, Chord and Pie: the ends where the radials through the two
    // points cross the ellipse, stretched to each side of the box the
    // counter-clockwise sweep between them passes, the centre for a pie, the
    // current position for ArcTo. None for an empty box.
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    static std::optional<Box> OfArc(int l, int t, int r, int b, int xs, int ys, int xe, int ye, ArcKind kind,
                                    bool compatible, POINT current);

    // The device box of a logical one: its corners mapped and rounded, then
    // ordered (a mirroring mapping swaps them). Inclusive.
    static RECT ToDevice(const CDC& dc, const Box& box);

    // Hands the box to the backend; true when it took it.
    static bool Count(CDC& dc, const Box& box);
    static bool Count(CDC& dc, const std::optional<Box>& box);
    // A call the recorder does not count: true when the backend keeps
    // bounds only, so that it draws nothing there either.
    static bool CountNothing(CDC& dc);
    // True when the DC's backend keeps bounds only: the long point lists
    // are walked for their box only then.
    static bool BoundsOnly(CDC& dc) { return CountNothing(dc); }
};
