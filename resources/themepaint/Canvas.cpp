#include "resources/themepaint/Canvas.h"

#include <algorithm>

namespace themepaint {

namespace {

// Coverage below this alpha is keyed; above it the pixel is blended over its background.
constexpr int KeyCoverage = 112;

bool NearColour(QRgb pixel, QRgb reference, int tolerance) {
    return std::abs(qRed(pixel) - qRed(reference)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(reference)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(reference)) <= tolerance;
}

// Moves a pixel that is close to the key just far enough away from it.
QRgb AwayFromKey(QRgb pixel, QRgb key) {
    constexpr int Tolerance = 40;
    if (!NearColour(pixel, key, Tolerance)) {
        return pixel;
    }
    if (key == KeyColour) {
        return qRgb(qRed(pixel), Tolerance + 8, qBlue(pixel));
    }
    return qRgb(std::min(qRed(pixel), 255 - Tolerance - 8),
                std::min(qGreen(pixel), 255 - Tolerance - 8),
                std::min(qBlue(pixel), 255 - Tolerance - 8));
}

} // namespace

QColor Mix(const QColor& from, const QColor& to, qreal amount) {
    const qreal keep = 1.0 - amount;
    return QColor::fromRgbF(from.redF() * keep + to.redF() * amount,
                            from.greenF() * keep + to.greenF() * amount,
                            from.blueF() * keep + to.blueF() * amount);
}

QImage NewLayer(int width, int height) {
    QImage layer(width, height, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

void BeginPainter(QPainter& painter, QImage& layer) {
    painter.begin(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
}

QImage Flatten(const QImage& layer, const QColor& under, std::optional<QRgb> key) {
    const QImage source = layer.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            if (key && alpha < KeyCoverage) {
                out[x] = *key;
                continue;
            }
            const QColor blended = Mix(under, QColor(in[x]), alpha / 255.0);
            out[x] = blended.rgb();
            if (key) {
                out[x] = AwayFromKey(out[x], *key);
            }
        }
    }
    return result;
}

QImage PaintStrip(int frameCount, int frameWidth, int height, const QColor& under,
                  std::optional<QRgb> key, const FramePainter& paint) {
    QImage strip(frameCount * frameWidth, height, QImage::Format_RGB32);
    QPainter copier(&strip);
    for (int index = 0; index < frameCount; ++index) {
        QImage layer = NewLayer(frameWidth, height);
        QPainter painter;
        BeginPainter(painter, layer);
        paint(painter, QRectF(0, 0, frameWidth, height), index);
        painter.end();
        copier.drawImage(index * frameWidth, 0, Flatten(layer, under, key));
    }
    return strip;
}

QLinearGradient GlossGradient(qreal top, qreal bottom, const QColor& base, bool vertical) {
    QLinearGradient gradient =
        vertical ? QLinearGradient(0, top, 0, bottom) : QLinearGradient(top, 0, bottom, 0);
    const QColor white(255, 255, 255);
    gradient.setColorAt(0.0, Mix(base, white, 0.78));
    gradient.setColorAt(0.48, Mix(base, white, 0.42));
    gradient.setColorAt(0.52, base);
    gradient.setColorAt(1.0, Mix(base, white, 0.45));
    return gradient;
}

QLinearGradient LinearGradient(qreal from, qreal to, const QColor& first, const QColor& last,
                               bool vertical) {
    QLinearGradient gradient =
        vertical ? QLinearGradient(0, from, 0, to) : QLinearGradient(from, 0, to, 0);
    gradient.setColorAt(0.0, first);
    gradient.setColorAt(1.0, last);
    return gradient;
}

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath TopRoundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.moveTo(rect.left(), rect.bottom());
    path.lineTo(rect.left(), rect.top() + radius);
    path.arcTo(QRectF(rect.left(), rect.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(rect.right() - radius, rect.top());
    path.arcTo(QRectF(rect.right() - 2 * radius, rect.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(rect.right(), rect.bottom());
    path.closeSubpath();
    return path;
}

void ClearKey(QImage& image, const QRect& rect, const QColor& colour) {
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((line[x] & 0xFFFFFF) == (KeyColour & 0xFFFFFF)) {
                line[x] = colour.rgb();
            }
        }
    }
}

} // namespace themepaint
