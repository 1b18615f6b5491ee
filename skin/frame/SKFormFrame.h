// The skinned form's window shape and frame, as pure functions of sizes, colours and
// pictures, so they can be checked as a region and as pixels.
#pragma once

#include "framework/graphics/Colors.h"
#include "framework/graphics/Types.h"

#include <QRegion>

class TBitmap;
class TCanvas;

// The platform's rounded-rectangle region: [x1, x2 - 1) x [y1, y2 - 1) (the right column
// and bottom row stay out) with corners cut by an ellipse width x height, row by row.
QRegion RoundRectRegion(int x1, int y1, int x2, int y2, int width, int height);

// The window region of a W x H skinned form: top corners rounded by r x r, bottom
// corners by b x b (b = -1 counts as 0); 0 and 0 give the whole rectangle.
QRegion FormRegion(int width, int height, int roundCorner, int roundCornerBottom);

// Everything the frame painter reads, in window coordinates.
struct TskFrameInput {
    int Width = 0;
    int Height = 0;
    int BorderWidth = 1;
    TColor BorderColor = clBlack;
    TColor Color = clBtnFace;
    bool TitleBarVisible = true;
    // The title bar's height, visible or not (the title height is 0 while hidden).
    int TitleBarHeight = 0;
    bool MenuBarVisible = false;
    int MenuBarHeight = 0;
    TColor MenuBarColor = clBtnFace;
    // The colour of the host form (the top strip of a side-picture frame without menu).
    TColor HostColor = clBtnFace;
    // The title bar's three section pictures; null unless it has exactly three.
    TBitmap* TitleLeft = nullptr;
    TBitmap* TitleRight = nullptr;
    TBitmap* TitleMiddle = nullptr;
    int RoundCorner = 0;
    // File themes with side pictures: the right side picture (the left one turned
    // round), the left one, and the bottom border; null otherwise.
    TBitmap* SideBitmap = nullptr;
    TBitmap* LeftBorder = nullptr;
    TBitmap* BottomBorder = nullptr;

    int TitleHeight() const { return TitleBarVisible ? TitleBarHeight : 0; }
};

// Paints the frame on a canvas covering the whole window.
void PaintSkinFrame(TCanvas* canvas, const TskFrameInput& input);
