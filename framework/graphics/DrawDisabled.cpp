#include "framework/graphics/DrawDisabled.h"

#include "framework/graphics/Canvas.h"

namespace {

constexpr QRgb RgbMask = 0xFFFFFFu;

QImage Silhouette(const QImage& image, QRgb color, std::optional<QRgb> key) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage shape(source.size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(0);
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb rgb = row[x] & RgbMask;
            if (qAlpha(row[x]) != 0 && rgb != RgbMask && (!key || rgb != *key)) {
                target[x] = color | 0xFF000000u;
            }
        }
    }
    return shape;
}

} // namespace

void DrawDisabled(TCanvas* canvas, int x, int y, const QImage& image, std::optional<TColor> key) {
    if (canvas == nullptr || image.isNull()) {
        return;
    }
    std::optional<QRgb> keyRgb;
    if (key) {
        keyRgb = ColorToQRgb(*key) & RgbMask;
    }
    const TRect whole = Rect(0, 0, image.width(), image.height());
    canvas->DrawImage(Bounds(x + 1, y + 1, image.width(), image.height()),
                      Silhouette(image, ColorToQRgb(clBtnHighlight), keyRgb), whole);
    canvas->DrawImage(Bounds(x, y, image.width(), image.height()),
                      Silhouette(image, ColorToQRgb(clBtnShadow), keyRgb), whole);
}
