#pragma once

#include <QString>

// The user-interface font: one font file loaded by path, so text metrics are the same
// on every machine. Classic font names and names unknown here map to it.
namespace Fonts {

// The family of the loaded user-interface font, loaded on the first call, which must
// come after the application object exists.
QString UIFamily();

// The family that a font name draws with.
QString ResolveFamily(const QString& name);

// Points to pixels at 96 dpi, rounded like MulDiv(points, 96, 72).
int PointsToPixels(int points);
int PixelsToPoints(int pixels);

// a * b / c rounded half away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

} // namespace Fonts
