#pragma once

#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"

#include <QByteArray>
#include <QImage>

// A bitmap: a QImage in Format_RGB32 with a canvas that paints on it. The canvas is
// released before the image is read, copied or resized, so pixels read here are
// always those drawn so far.
class TBitmap : public TGraphic {
    Q_OBJECT
    Q_PROPERTY(int TransparentColor READ TransparentColor WRITE SetTransparentColor)
    Q_PROPERTY(TTransparentMode TransparentMode READ TransparentMode WRITE SetTransparentMode)
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData)
public:
    // tmAuto takes the transparent colour from the bottom-left pixel; tmFixed uses the
    // colour that was set.
    enum TTransparentMode { tmAuto, tmFixed };
    Q_ENUM(TTransparentMode)

    explicit TBitmap(QObject* parent = nullptr);
    ~TBitmap() override;

    int Width() const override { return image_.width(); }
    void SetWidth(int width) override { SetSize(width, Height()); }
    int Height() const override { return image_.height(); }
    void SetHeight(int height) override { SetSize(Width(), height); }
    // Keeps the top-left content; new pixels are white.
    void SetSize(int width, int height);
    bool Empty() const override { return image_.isNull(); }

    TCanvas* Canvas();

    // The image, after the canvas has been released. Do not keep the reference across
    // drawing on the canvas.
    const QImage& Image() const;
    QImage& Image();
    // Replaces the content with a copy of image converted to Format_RGB32.
    void SetImage(const QImage& image);

    // Pixels outside the bitmap read as clNone and are not written.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Row y as Width() pixels 0xffRRGGBB (nullptr outside the bitmap).
    QRgb* ScanLine(int y);

    TColor TransparentColor() const;
    // clDefault returns to tmAuto; any other colour switches to tmFixed.
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    void Draw(TCanvas* canvas, const TRect& rect) override;

    bool LoadFromFile(const QString& fileName) override;
    bool SaveToFile(const QString& fileName) const override;
    // One .bmp file image: its size is taken from its header and checked before use.
    bool LoadFromStream(QIODevice& stream) override;
    bool LoadFromData(const QByteArray& data);
    // The stored form of layouts: the .bmp file image after its 32-bit little-endian
    // length. Data that is not a bitmap leaves the bitmap empty.
    QByteArray Data() const;
    void SetData(const QByteArray& data);
    // Loads the embedded picture ":/pictures/NAME.bmp".
    bool LoadFromResourceName(const QString& name);

    // Copies a bitmap (content and transparency) or a picture's bitmap; nullptr clears.
    void Assign(const TPersistent* source) override;

private:
    void ReleaseCanvas() const;

    QImage image_;
    TCanvas* canvas_ = nullptr;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
};

using TTransparentMode = TBitmap::TTransparentMode;
constexpr TTransparentMode tmAuto = TBitmap::tmAuto;
constexpr TTransparentMode tmFixed = TBitmap::tmFixed;
