#pragma once
// The coordinate spaces of a device context: world space (world transform,
// GM_ADVANCED only) -> page space (window/viewport mapping of the mapping
// mode) -> device space, followed by an outer "playback" transform that a
// metafile player sets so that the metafile's own device units land in the
// destination rectangle. A value type, saved and restored whole by SaveDC.
#include "platform/gdi/GdiDefs.h"

#include <QPointF>
#include <QTransform>

class DcMapping {
public:
    // Sizes of the device the metric mapping modes refer to.
    struct Metrics {
        int horzSizeMM = 1, vertSizeMM = 1; // HORZSIZE, VERTSIZE
        int horzRes = 1, vertRes = 1;       // HORZRES, VERTRES
    };

    void SetMetrics(const Metrics& m);
    const Metrics& GetMetrics() const { return m_metrics; }

    int GetMapMode() const { return m_mapMode; }
    int SetMapMode(int mode); // previous mode, 0 on failure
    int GetGraphicsMode() const { return m_graphicsMode; }
    int SetGraphicsMode(int mode);

    POINT GetWindowOrg() const { return m_wndOrg; }
    SIZE GetWindowExt() const { return m_wndExt; }
    POINT GetViewportOrg() const { return m_vpOrg; }
    SIZE GetViewportExt() const { return m_vpExt; }
    void SetWindowOrg(POINT p);
    void SetViewportOrg(POINT p);
    bool SetWindowExt(SIZE s);
    bool SetViewportExt(SIZE s);
    bool ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    bool ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);

    XFORM GetWorldTransform() const;
    bool SetWorldTransform(const XFORM& x);
    bool ModifyWorldTransform(const XFORM* x, DWORD mode);

    // The outer transform from this DC's device space to the real device.
    void SetPlaybackTransform(const QTransform& t);
    const QTransform& PlaybackTransform() const { return m_playback; }

    // Logical to real device, and back.
    const QTransform& ToDevice() const { return m_toDevice; }
    const QTransform& ToLogical() const { return m_toLogical; }
    bool IsInvertible() const { return m_invertible; }
    // Page (window/viewport) transform alone, without world and playback.
    QTransform PageTransform() const;
    // True when the logical-to-device transform keeps axes parallel.
    bool IsAxisAligned() const { return m_axisAligned; }

    static QTransform ToQTransform(const XFORM& x);
    static XFORM ToXForm(const QTransform& t);

private:
    void fixIsotropic();
    void update();

    Metrics m_metrics;
    int m_mapMode = MM_TEXT;
    int m_graphicsMode = GM_COMPATIBLE;
    POINT m_wndOrg, m_vpOrg;
    SIZE m_wndExt{1, 1}, m_vpExt{1, 1};
    QTransform m_world, m_playback;
    QTransform m_toDevice, m_toLogical;
    bool m_invertible = true;
    bool m_axisAligned = true;
};
