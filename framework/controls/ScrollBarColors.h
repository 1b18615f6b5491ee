// Colours of a Qt scroll bar of its own: the application style draws its groove and its
// thumb in two near-equal shades of the button colour, which a user barely tells apart.
#pragma once

#include "framework/graphics/Colors.h"

class QScrollBar;

// From now on bar paints its groove in groove and its thumb in thumb (a shade darker
// while pressed); the arrows stay the style's.
void SetScrollBarColors(QScrollBar* bar, TColor groove, TColor thumb);

// A thumb colour that stands out from groove: a dark shade of a light groove, a light
// shade of a dark one, at a contrast of at least 3 to 1.
TColor ContrastingThumbColor(TColor groove);
