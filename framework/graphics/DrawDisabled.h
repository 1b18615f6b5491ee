#pragma once

#include "framework/graphics/Colors.h"

#include <QImage>
#include <optional>

class TCanvas;

// The framework's disabled look of a picture: its shape (opaque pixels that are not
// white and not the key colour) in the highlight colour one pixel down and right, then
// in the shadow colour at (x, y). Image lists, glyphs and pictures all use it.
void DrawDisabled(TCanvas* canvas, int x, int y, const QImage& image,
                  std::optional<TColor> key = std::nullopt);
