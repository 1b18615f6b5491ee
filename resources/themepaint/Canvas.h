// Drawing primitives of the theme painter: transparent layers, colour mixing, glossy
// gradients, and the step that turns an antialiased layer into a keyed bitmap.
#pragma once

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <optional>

namespace themepaint {

// Pixels of this colour are transparent where a picture is drawn with the key.
inline constexpr QRgb KeyColour = 0xFFFF00FF;
// The menu check mark is keyed by white instead.
inline constexpr QRgb WhiteKeyColour = 0xFFFFFFFF;

QColor Mix(const QColor& from, const QColor& to, qreal amount);

// A transparent, premultiplied layer to paint antialiased shapes on.
QImage NewLayer(int width, int height);

// An antialiasing painter on a layer.
void BeginPainter(QPainter& painter, QImage& layer);

// Flattens a layer onto the colour it will be drawn over. With a key, pixels that are
// mostly uncovered become exactly the key and no other pixel comes close to it.
QImage Flatten(const QImage& layer, const QColor& under, std::optional<QRgb> key);

// Frames of equal size side by side, each painted on its own layer and flattened.
using FramePainter = std::function<void(QPainter& painter, const QRectF& frame, int index)>;
QImage PaintStrip(int frameCount, int frameWidth, int height, const QColor& under,
                  std::optional<QRgb> key, const FramePainter& paint);

// Gel shading: a bright upper half, a break at the middle, a glow rising at the bottom.
QLinearGradient GlossGradient(qreal top, qreal bottom, const QColor& base, bool vertical = true);
// A plain two-colour gradient along y (or x when vertical is false).
QLinearGradient LinearGradient(qreal from, qreal to, const QColor& first, const QColor& last,
                               bool vertical = true);

QPainterPath RoundedRect(const QRectF& rect, qreal radius);
// A rectangle with rounded top corners and a square bottom (tabs).
QPainterPath TopRoundedRect(const QRectF& rect, qreal radius);

// Replaces key pixels inside rect by colour: parts that are drawn opaque must not hold it.
void ClearKey(QImage& image, const QRect& rect, const QColor& colour);

} // namespace themepaint
