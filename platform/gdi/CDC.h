#pragma once
// A device context with the platform's complete drawing state and
// operations. It draws through a DcBackend (a QPainter on an image, a
// printer, a PDF or an SVG generator); without a backend it is an
// information context that keeps state and answers queries.
//
// Thread safety: a CDC is used by one thread at a time, except CancelDC,
// which any thread may call while another draws: it raises an atomic flag
// that long operations poll, after which every drawing call fails until
// ResetCancel (which the start of a metafile playback does).
#include "platform/gdi/DcBackend.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiBitmap.h"
#include "platform/gdi/GdiRegion.h"

#include <QImage>
#include <atomic>
#include <map>
#include <memory>
#include <vector>

class CGdiObject;
class CPen;
class CBrush;
class CRgn;
class CPalette;
class CFont;
class CBitmap;
struct ResolvedFont;
struct POLYTEXTW;
struct POLYTEXTA;
class CDC;
class MetaRecorder;
using HDC = CDC*;
struct BltOp;

class CDC {
public:
    CDC();
    // Draws on backend; the DC owns it.
    explicit CDC(std::unique_ptr<DcBackend> backend);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = this;
    HDC GetSafeHdc() { return this; }
    DcBackend* Backend() const { return m_backend.get(); }
    // The recorder of a recording device context (CreateEnhMetaFile); null
    // for a DC that draws.
    virtual MetaRecorder* Recorder() { return nullptr; }
    // Ends pending drawing on the device.
    void Flush();

    // --- device -------------------------------------------------------------
    int GetDeviceCaps(int index) const;
    virtual BOOL IsPrinting() const { return m_printing; }
    void SetPrinting(bool printing) { m_printing = printing; }

    // --- cancelling ---------------------------------------------------------
    BOOL CancelDC();
    bool IsCancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    void ResetCancel() { m_cancel.store(false); }

    // --- state stack --------------------------------------------------------
    int SaveDC();
    BOOL RestoreDC(int savedDC);
    int SaveLevel() const { return int(m_saved.size()); }
    const DcState& State() const { return m_state; }
    // Replaces the whole current state (a metafile player's set-up and
    // clean-up); the saved states stay.
    void ReplaceState(DcState state);

    // --- mapping ------------------------------------------------------------
    int GetMapMode() const { return m_state.mapping.GetMapMode(); }
    int SetMapMode(int mode);
    int GetGraphicsMode() const { return m_state.mapping.GetGraphicsMode(); }
    int SetGraphicsMode(int mode) { return m_state.mapping.SetGraphicsMode(mode); }
    CPoint GetWindowOrg() const { return m_state.mapping.GetWindowOrg(); }
    CSize GetWindowExt() const { return m_state.mapping.GetWindowExt(); }
    CPoint GetViewportOrg() const { return m_state.mapping.GetViewportOrg(); }
    CSize GetViewportExt() const { return m_state.mapping.GetViewportExt(); }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    BOOL GetWorldTransform(XFORM* x) const;
    BOOL SetWorldTransform(const XFORM* x);
    BOOL ModifyWorldTransform(const XFORM* x, DWORD mode);
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const { LPtoDP(reinterpret_cast<POINT*>(rect), 2); }
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const { DPtoLP(reinterpret_cast<POINT*>(rect), 2); }
    // The outer transform a metafile player sets (metafile device -> device),
    // and the device sizes that the metric mapping modes refer to.
    void SetPlaybackTransform(const QTransform& t) { m_state.mapping.SetPlaybackTransform(t); }
    void SetMappingMetrics(const DcMapping::Metrics& m) { m_state.mapping.SetMetrics(m); }
    DcMapping::Metrics DeviceMetrics() const;

    // --- objects ------------------------------------------------------------
    HGDIOBJ SelectObject(HGDIOBJ object);
    HGDIOBJ GetCurrentObject(DWORD type) const;
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    int SelectObject(CRgn* region);
    CGdiObject* SelectStockObject(int index);
    HPALETTE SelectPalette(HPALETTE palette, BOOL forceBackground);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();

    // --- attributes ---------------------------------------------------------
    COLORREF GetTextColor() const { return m_state.textColor; }
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    COLORREF SetBkColor(COLORREF c);
    int GetBkMode() const { return m_state.bkMode; }
    int SetBkMode(int mode);
    UINT GetTextAlign() const { return m_state.textAlign; }
    UINT SetTextAlign(UINT align);
    int GetROP2() const { return m_state.rop2; }
    int SetROP2(int rop);
    int GetPolyFillMode() const { return m_state.polyFillMode; }
    int SetPolyFillMode(int mode);
    int GetStretchBltMode() const { return m_state.stretchBltMode; }
    int SetStretchBltMode(int mode);
    int GetArcDirection() const { return m_state.arcDirection; }
    int SetArcDirection(int dir);
    CPoint GetBrushOrg() const { return m_state.brushOrg; }
    CPoint SetBrushOrg(int x, int y);
    BOOL SetMiterLimit(float limit, float* old = nullptr);
    float GetMiterLimit() const { return m_state.miterLimit; }
    int SetTextCharacterExtra(int extra);
    BOOL SetTextJustification(int breakExtra, int breakCount);
    DWORD SetMapperFlags(DWORD flags);
    DWORD SetLayout(DWORD layout);
    CPoint GetCurrentPosition() const { return m_state.curPos; }

    // --- lines and curves ---------------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL PolylineTo(const POINT* points, int count);
    BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polys);
    BOOL PolyBezier(const POINT* points, int count);
    BOOL PolyBezierTo(const POINT* points, int count);
    BOOL PolyDraw(const POINT* points, const BYTE* types, int count);
    BOOL Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    BOOL ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    BOOL AngleArc(int x, int y, int radius, float startAngle, float sweepAngle);

    // --- filled shapes ------------------------------------------------------
    BOOL Polygon(const POINT* points, int count);
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polys);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(const RECT* r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h);
    BOOL Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    BOOL Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    COLORREF SetPixel(int x, int y, COLORREF color);
    BOOL SetPixelV(int x, int y, COLORREF color);
    void FillRect(const RECT* rect, HBRUSH brush);
    void FillRect(const RECT* rect, CBrush* brush);
    void FillSolidRect(const RECT* rect, COLORREF color);
    void FrameRect(const RECT* rect, HBRUSH brush);
    void FrameRect(const RECT* rect, CBrush* brush);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL FillRgn(HRGN region, HBRUSH brush);
    BOOL FrameRgn(HRGN region, HBRUSH brush, int width, int height);
    BOOL InvertRgn(HRGN region);
    BOOL PaintRgn(HRGN region);

    // --- images -------------------------------------------------------------
    // Draws image into a logical destination rectangle through the mapping
    // and the clip: filtered when reducing, sharp pixels when enlarging, and
    // only the part that is visible.
    BOOL DrawImage(const RECT& logicalDest, const QImage& image);
    // --- fonts and text (CDCText.cpp, CDCTextLayout.cpp) -------------------
    CFont* SelectObject(CFont* font);
    // Metrics and extents of the selected font, in logical units.
    BOOL GetTextMetrics(TEXTMETRICW* tm) const;
    CSize GetTextExtent(const QString& text) const;
    BOOL GetTextExtentPoint32W(const char16_t* text, int count, SIZE* size) const;
    // The face that draws the selected font.
    QString GetTextFace() const;
    int GetTextCharacterExtra() const { return m_state.textCharExtra; }
    BOOL TextOut(int x, int y, const QString& text);
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, const QString& text, const INT* dx = nullptr);
    // dx: count advances (2 * count with ETO_PDY), or null. With
    // ETO_GLYPH_INDEX text holds glyph indices of the selected font.
    BOOL ExtTextOutW(int x, int y, UINT options, const RECT* rect, const char16_t* text, int count,
                     const INT* dx = nullptr);
    // text in the code page of the selected font's character set.
    BOOL ExtTextOutA(int x, int y, UINT options, const RECT* rect, const char* text, int count,
                     const INT* dx = nullptr);
    BOOL PolyTextOutW(const POLYTEXTW* items, int count);
    BOOL PolyTextOutA(const POLYTEXTA* items, int count);
    // The graphics mode of text output when a metafile record names its own
    // (0: the DC's mode); the platform's metafile player switches modes
    // around each text record even under a world transform.
    void SetTextGraphicsMode(int mode) { m_textGraphicsMode = mode; }

    // --- bitmaps (CDCBlt.cpp, CDCBltOps.cpp) --------------------------------
    // Sources are decoded DIBs (DecodeDib); destinations are logical,
    // sources in bitmap pixels from the top-left corner. Raster operations
    // that read the destination read the device's pixels back (raster
    // devices) or are approximated over paper (vector devices).
    bool DecodeDib(const DibSource& source, DibImage* out) const;
    BOOL BitBlt(int x, int y, int w, int h, const DibImage* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, const DibImage* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
    // Lines drawn, 0 when nothing was.
    int StretchDIBits(int x, int y, int w, int h, int xSrc, int ySrc, int wSrc, int hSrc, const DibSource& dib, DWORD rop);
    int SetDIBitsToDevice(int x, int y, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan, UINT lines,
                          const DibSource& dib);
    BOOL AlphaBlend(int x, int y, int w, int h, const DibImage& src, int xSrc, int ySrc, int wSrc, int hSrc,
                    BLENDFUNCTION blend);
    BOOL TransparentBlt(int x, int y, int w, int h, const DibImage& src, int xSrc, int ySrc, int wSrc, int hSrc,
                        UINT colorKey);
    // A pattern-only operation written with a null source.
    BOOL BitBlt(int x, int y, int w, int h, std::nullptr_t, int xSrc, int ySrc, DWORD rop)
    {
        return BitBlt(x, y, w, h, static_cast<const DibImage*>(nullptr), xSrc, ySrc, rop);
    }
    BOOL MaskBlt(int x, int y, int w, int h, const DibImage* src, int xSrc, int ySrc, const DibImage* mask, int xMask,
                 int yMask, DWORD rop4);
    BOOL PlgBlt(const POINT* points, const DibImage& src, int xSrc, int ySrc, int w, int h, const DibImage* mask,
                int xMask, int yMask);
    BOOL GradientFill(const TRIVERTEX* vertices, ULONG nVertices, const void* mesh, ULONG nMesh, ULONG mode);
    // FLOODFILLBORDER: up to pixels of color; FLOODFILLSURFACE: over pixels of color (CDCFlood.cpp).
    BOOL ExtFloodFill(int x, int y, COLORREF color, UINT type);

    // --- memory device contexts (CDCMemory.cpp) -----------------------------
    // Makes this a memory device context that draws on the bitmap selected
    // into it, starting with the platform's 1 x 1 monochrome bitmap. dc: the
    // device its bitmaps are to suit (may be null: the screen). FALSE when
    // this device context already has a device.
    BOOL CreateCompatibleDC(CDC* dc);
    bool IsMemoryDC() const { return m_memory; }
    // Selects bitmap into a memory device context; returns the previous
    // bitmap (a temporary wrapper), or null when this is no memory device
    // context or the bitmap is selected into another one.
    CBitmap* SelectObject(CBitmap* bitmap);
    HBITMAP SelectedBitmap() const { return m_bitmap.get(); }
    // The colour of the pixel at logical (x, y); CLR_INVALID outside the
    // device or the clip, or on a device without pixels.
    COLORREF GetPixel(int x, int y) const;
    // Transfers from another device context's pixels: a memory device
    // context's bitmap, or any raster device. (xSrc, ySrc) is logical in
    // src. A colour source into a monochrome bitmap becomes white where it
    // has src's background colour and black elsewhere; a monochrome source
    // takes this context's text (0) and background (1) colours.
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);

    // --- clipping -----------------------------------------------------------
    int SelectClipRgn(HRGN region);
    int SelectClipRgn(CRgn* region);
    int ExtSelectClipRgn(HRGN region, int mode);
    int IntersectClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(int l, int t, int r, int b);
    int OffsetClipRgn(int dx, int dy);
    int SetMetaRgn();
    int GetClipBox(RECT* rect) const;
    // 1 with a copy of the clip region in hrgn, 0 without clip, -1 on error.
    int GetClipRgn(HRGN region) const;
    BOOL PtVisible(int x, int y) const;
    // The effective clip in device pixels (clip and meta region), or none.
    std::optional<QRegion> EffectiveClip() const;

    // --- paths --------------------------------------------------------------
    BOOL BeginPath();
    BOOL EndPath();
    BOOL AbortPath();
    BOOL CloseFigure();
    BOOL FillPath();
    BOOL StrokePath();
    BOOL StrokeAndFillPath();
    BOOL SelectClipPath(int mode);
    BOOL FlattenPath();
    BOOL WidenPath();
    // Points of the closed path, in logical units; -1 without a closed path.
    int GetPath(std::vector<POINT>* points, std::vector<BYTE>* types) const;

    // Regions in this DC's device space become regions of the real device
    // (the player's outer transform); exposed for the metafile player.
    QRegion ToRealDevice(const QRegion& r) const;

private:
    void init();
    bool canDraw() const;
    void clipChanged();
    int applyClip(const QRegion& device, int mode);
    QRegion logicalRectToRegion(int l, int t, int r, int b) const;
    CGdiObject* tempWrapper(HGDIOBJ object);

    // Drawing helpers (CDCDraw.cpp, CDCShapes.cpp).
    QPointF toDevice(POINT p) const;
    QPointF toDevice(double x, double y) const;
    // A figure in device space: added to the open path, or drawn.
    // continues: a "To" operation that extends the path's open figure.
    BOOL output(GdiPath& figure, bool fill, bool stroke, bool continues = false);
    bool figureFromPoints(GdiPath& figure, const POINT* points, int count, bool moveFirst);
    void drawPath(const GdiPath& path, bool fill, bool stroke);
    void strokeHuge(const GdiPath& path);
    void fillHuge(const GdiPath& path, const QBrush& brush, const DrawAttrs& attrs);
    DrawAttrs attrs() const;
    bool rectShape(int l, int t, int r, int b, QRectF* device) const;
    // Hands a recording device the box the platform's recorder counts for a
    // shape bounded by a logical rectangle; true when the device took it.
    bool recordedShapeBox(int l, int t, int r, int b);
    // kind: -1 ArcTo, 0 Arc, 1 Chord, 2 Pie. Returns the arc's logical end.
    bool buildArc(GdiPath& figure, int l, int t, int r, int b, int x1, int y1, int x2, int y2, int kind,
                  QPointF* logicalEnd);
    void appendShape(GdiPath& figure, const QPainterPath& shape, bool logical) const;
    QRect deviceBounds() const;
    // Text (CDCText.cpp): glyphs, or the characters of text, at (x, y).
    BOOL textOut(int x, int y, UINT options, const RECT* rect, const QString& text, std::vector<quint32> glyphs,
                 const INT* dx);
    std::shared_ptr<const ResolvedFont> resolvedFont() const;

    // Bitmap transfer core (CDCBlt.cpp): source in bitmap pixels, may be
    // negative in size (mirrored).
    // deviceTarget: the destination in device pixels instead of (x, y, w, h).
    BOOL blt(int x, int y, int w, int h, const DibImage* src, QRectF source, const BltOp& op,
             const DibImage* mask = nullptr, QPoint maskOffset = QPoint(), const QRectF* deviceTarget = nullptr);
    void syncClip();
    // The source of a transfer from src (CDCMemory.cpp): its pixels of the
    // logical rectangle, in this context's terms.
    bool readSource(CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DibImage* out, QRectF* sourceRect);
    HGDIOBJ selectBitmap(HBITMAP bitmap);

    std::unique_ptr<DcBackend> m_backend;
    DcState m_state;
    std::vector<DcState> m_saved;
    size_t m_savedPathPoints = 0;
    std::atomic<bool> m_cancel{false};
    bool m_printing = false;
    bool m_clipDirty = true;
    int m_textGraphicsMode = 0;
    std::map<HGDIOBJ, std::unique_ptr<CGdiObject>> m_temps;
    // Vector devices: the silhouette of the last SRCAND transfer (BltSetup).
    QImage m_xorMask;
    QRect m_xorMaskRect;
    // A memory device context and the bitmap it draws on.
    bool m_memory = false;
    GdiRef<GdiBitmap> m_bitmap;
};
