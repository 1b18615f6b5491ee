#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <QImage>
#include <memory>

// Small factories and probes shared by the drawing tests.
namespace pixels {

constexpr TColor kMarker = RGB(0x12, 0x34, 0x56);

inline std::unique_ptr<TBitmap> MarkedBitmap(int width, int height, TColor marker = kMarker) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Image().fill(ColorToQRgb(marker));
    return bitmap;
}

// Counts the pixels of the given colour.
inline int CountColor(const TBitmap& bitmap, TColor color) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            count += bitmap.Pixel(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

// True when exactly the pixels inside rect have the colour inside and every other
// pixel has the colour outside.
inline bool OnlyRectHas(const TBitmap& bitmap, const TRect& rect, TColor inside, TColor outside) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor expected = PtInRect(rect, {x, y}) ? inside : outside;
            if (bitmap.Pixel(x, y) != expected) {
                return false;
            }
        }
    }
    return true;
}

// The bounding box of every pixel that is not the marker (empty when none).
inline TRect InkBounds(const TBitmap& bitmap, TColor marker = kMarker) {
    TRect bounds{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Pixel(x, y) != marker) {
                bounds.Left = std::min(bounds.Left, x);
                bounds.Top = std::min(bounds.Top, y);
                bounds.Right = std::max(bounds.Right, x + 1);
                bounds.Bottom = std::max(bounds.Bottom, y + 1);
            }
        }
    }
    return bounds.IsEmpty() ? TRect{} : bounds;
}

// A picture of distinctly coloured pixels: each pixel's colour encodes its position.
inline QImage PositionImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
        }
    }
    return image;
}

} // namespace pixels
