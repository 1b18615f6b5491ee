// The drawing steps of the skinned buttons and check box, and the geometry they share
// with the controls' sizing. Each takes a canvas, rectangles and the pictures and
// colours to use, so it paints into any image.
#pragma once

#include "framework/graphics/Types.h"

#include <QImage>
#include <QString>

class TCanvas;
class TFont;

// Glyph placement beside the caption, in TskButton::TButtonLayout order.
enum TskGlyphSide { skGlyphLeft, skGlyphRight, skGlyphTop, skGlyphBottom };

struct TskGlyphPlacement {
    TPoint Glyph;
    TPoint Caption;
};

// Where the glyph and the caption of a control of controlSize go; a pressed button
// moves the glyph one pixel down and right (the caption moves when it is drawn).
TskGlyphPlacement PlaceGlyph(TskGlyphSide side, TSize controlSize, TSize glyphSize,
                             TSize captionSize, int spacing, bool pressed);
// A glyph twice as wide as high holds an enabled and a disabled frame side by side.
bool GlyphHasTwoFrames(const QImage& glyph);
// The size of one glyph frame.
TSize GlyphFrameSize(const QImage& glyph);
// The glyph with its top-left pixel's colour transparent: the second frame of a
// two-frame glyph when disabled, else the first, greyed when a one-frame glyph is
// disabled.
void DrawButtonGlyph(TCanvas* canvas, TPoint at, const QImage& glyph, bool enabled);

// The state picture unscaled at (0, 0); its top-left pixel's colour is left out when
// transparent; greyed when disabled.
void DrawStatePicture(TCanvas* canvas, const QImage& picture, bool transparent, bool enabled);

// The caption word-wrapped and centred as a block in rect, each line centred; pressed
// moves it one pixel down and right; disabled draws it grey over a white copy one pixel
// down and right.
void DrawCentredCaption(TCanvas* canvas, const TRect& rect, const QString& caption,
                        const TFont* font, bool bold, bool enabled, bool pressed);
// The caption on one line with its top-left at origin, clipped to clip; disabled and
// pressed as above.
void DrawCaptionAt(TCanvas* canvas, TPoint origin, const TRect& clip, const QString& caption,
                   const TFont* font, bool enabled, bool pressed);

// The dotted focus rectangle of the skinned controls.
void DrawFocusFrame(TCanvas* canvas, const TRect& rect);

// The check box's picture, caption and focus rectangles for a client of clientSize.
struct TskCheckBoxGeometry {
    TPoint Picture;
    TRect Caption;
    TRect Focus;
    bool RightAligned = false;
};
TskCheckBoxGeometry CheckBoxGeometry(TSize clientSize, TSize pictureSize, int lineHeight,
                                     bool rightToLeft);
// The size AutoSize gives a check box: picture plus caption plus 8 wide, the taller of
// picture and line (plus 2) plus 4 high.
TSize CheckBoxAutoSize(TSize pictureSize, int lineHeight, int captionWidth);

// The caption with leading and trailing blanks and control characters removed is
// empty: nothing is drawn.
bool CaptionIsBlank(const QString& caption);
