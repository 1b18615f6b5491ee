#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/graphics/Types.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TGraphic;

// Text layout flags of DrawText, with the classic values.
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
    DT_HIDEPREFIX = 0x100000,
};

// Draws with the classic pixel rules: shapes are never antialiased (text keeps the
// font's smoothing), rectangles are half-open, LineTo leaves out its end point,
// TextOut places the text's top-left corner.
//
// The canvas paints on a device: a bitmap's image or, during its paint event, a
// widget. Its QPainter opens on the first drawing call and ReleaseHandle() ends it
// (a bitmap releases its canvas before it reads, copies or resizes its image).
// Origin, clipping, pen, brush and font live in the canvas, not in the painter, so
// they survive a release and SaveState/RestoreState bring them back.
class TCanvas : public TPersistent {
    Q_OBJECT
public:
    explicit TCanvas(QObject* parent = nullptr);
    ~TCanvas() override;

    // Ends any open painter and paints on device from now on (nullptr: no device).
    void SetDevice(QPaintDevice* device);
    QPaintDevice* Device() const { return device_; }
    // The painter, opened on demand with the canvas's origin and clipping; nullptr
    // without a usable device. It stays valid until the canvas is released (reading
    // its bitmap's pixels releases it), so fetch it again rather than keep it; code
    // that changes its transform or clipping restores them (QPainter::save/restore).
    QPainter* Handle();
    bool HandleAllocated() const { return painter_ != nullptr; }
    void ReleaseHandle();

    TPen* Pen() const { return pen_; }
    TBrush* Brush() const { return brush_; }
    TFont* Font() const { return font_; }
    void SetPen(const TPen* pen) { pen_->Assign(pen); }
    void SetBrush(const TBrush* brush) { brush_->Assign(brush); }
    void SetFont(const TFont* font) { font_->Assign(font); }

    TPoint PenPos() const { return penPos_; }
    void SetPenPos(const TPoint& position) { penPos_ = position; }

    // Pixels in logical coordinates. Reading needs an image device; outside the image
    // or the clipping, or on a widget, it gives clNone. Writing honours the clipping.
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Connected lines; like LineTo, the last point is left out.
    void Polyline(const QList<TPoint>& points);
    // A closed outline in the pen, filled with the brush (alternate filling).
    void Polygon(const QList<TPoint>& points);
    // The pen outline inside the rectangle, the inside filled with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    // Part of the ellipse bounded by (x1, y1, x2, y2), anticlockwise from the ray
    // through (x3, y3) to the ray through (x4, y4).
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // Exactly the rectangle, with the brush (nothing for bsClear).
    void FillRect(const TRect& rect);
    // A one-pixel border inside the rectangle, with the brush colour.
    void FrameRect(const TRect& rect);
    // Inverts every other pixel of the rectangle's one-pixel border, those whose device
    // x + y is even, so drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& rect);

    // Text with its top-left corner at (x, y); a solid brush fills the text's cell
    // first (other brush styles leave the background alone). The pen position moves
    // to the text's right end.
    void TextOut(int x, int y, const QString& text);
    // Like TextOut at (x, y), clipped to rect; an opaque brush fills rect first.
    void TextRect(const TRect& rect, int x, int y, const QString& text);
    // Lays out text in rect by the DT_ flags; a solid brush fills each line's cell.
    // DT_VCENTER and DT_BOTTOM apply to DT_SINGLELINE text only. With DT_CALCRECT
    // nothing is drawn and rect's Right and Bottom are set to the text's extent.
    // Returns the text height.
    int DrawText(const QString& text, TRect& rect, unsigned flags);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    TSize TextExtent(const QString& text);

    // Copies source's sourceRect into dest, nearest neighbour when the sizes differ.
    // The source must paint on an image; the source may be this canvas.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // The graphic at its own size with its top-left at (x, y); a transparent bitmap
    // skips its transparent colour.
    void Draw(int x, int y, TGraphic* graphic);
    // The graphic stretched (nearest neighbour) to rect.
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Draws sourceRect of image into dest (nearest neighbour when sizes differ),
    // skipping exactly the source pixels whose RGB equals key.
    void DrawTransparent(const TRect& dest, const QImage& image, const TRect& sourceRect,
                         TColor key);
    // Draws sourceRect of image into dest, nearest neighbour when sizes differ. An
    // image with alpha blends by it; an RGB32 image is opaque.
    void DrawImage(const TRect& dest, const QImage& image, const TRect& sourceRect);

    // Pushes origin, clipping, pen position, pen, brush and font; returns the depth
    // reached (1 for the first save).
    int SaveState();
    // Pops back to the state saved when SaveState returned level (the last by
    // default); an unknown level is ignored.
    void RestoreState(int level = -1);

    // The device position of logical (0, 0).
    TPoint Origin() const { return origin_; }
    void SetOrigin(int x, int y);
    void MoveOrigin(int dx, int dy);

    // Clipping in logical coordinates of the moment (stored in device coordinates).
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ClearClip();
    // The clipping in logical coordinates, or nullopt when nothing clips.
    std::optional<TRect> ClipRect() const;

private:
    struct State;

    QImage* ImageDevice() const;
    // source of image (scaled to scaledTo when valid) with the key colour's pixels cleared.
    static QImage KeyedPiece(const QImage& image, const TRect& source, QSize scaledTo, TColor key);
    QPainter* Prepare();
    void ApplyClip();
    bool PenVisible() const;
    void StrokeSegment(int x1, int y1, int x2, int y2);
    // Outlines and fills a shape inside (left, top, right, bottom) with pen and brush.
    void DrawShape(int left, int top, int right, int bottom,
                   const std::function<void(QPainter&, const QRect&)>& draw);
    void DrawTextLine(int x, int y, const QString& line, int prefixIndex);

    QPaintDevice* device_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    TPen* pen_;
    TBrush* brush_;
    TFont* font_;
    TPoint penPos_;
    TPoint origin_;
    std::optional<QRect> deviceClip_;
    int dashPhase_ = 0;
    std::vector<State> saved_;
};
