// Drawing helpers shared by the skinned controls: frames cut from picture strips,
// pictures drawn at any size keeping their ends or corners, tiling, rotations, borders,
// geometry and the menu primitives. None keeps state between calls.
#pragma once

#include "framework/controls/Menus.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Types.h"

#include <QtGlobal>

class TBitmap;
class TCanvas;
class TControl;
class TCustomForm;
class TFont;
class TGraphic;
struct TScrollBarState;

// The colour that marks transparent pixels of theme pictures.
inline constexpr TColor SkinKeyColor = clFuchsia;

// Target receives frame frameIndex (from 1) of frameCount equal frames side by side in
// source; remainder columns at the right are never used. A count below 1 empties target.
void CutFrame(TBitmap* source, TBitmap* target, int frameCount, int frameIndex);

// The strip's three equal frames: the first and last unscaled at the target's two ends
// (key colour transparent), the middle stretched between them. The key is the strip's
// top-left or bottom-left pixel when useCornerKey is set, magenta otherwise.
void DrawThreePartStrip(TBitmap* strip, TCanvas* canvas, const TRect& rect, bool useCornerKey,
                        bool keyFromTop);

// The picture drawn into rect (which starts at the canvas origin) keeping its corners
// unscaled and stretching its edges and centre; edges and centre always skip magenta,
// corners only when transparentCorners is set.
void DrawNineGrid(TBitmap* picture, TCanvas* canvas, const TRect& rect, bool transparentCorners);

// Tiles the picture from the canvas origin until it covers rect's width and height; a
// picture of zero width or height draws nothing.
void TilePicture(TCanvas* canvas, TGraphic* picture, const TRect& rect);

// Quarter turn anticlockwise, half turn, quarter turn clockwise, in place.
void RotateBitmapLeft(TBitmap* bitmap);
void RotateBitmap180(TBitmap* bitmap);
void RotateBitmapRight(TBitmap* bitmap);

// What the control's parent paints under it, drawn into canvas with the control's
// (0, 0) at the canvas origin; a control without a parent is left alone.
void PaintParentBackground(TCanvas* canvas, TControl* control);

// One or two one-pixel frames around the control's whole window, on canvas (which
// covers the whole window, as during the control's frame painting). System colours are
// resolved to RGB first.
void DrawControlBorder(TCanvas* canvas, TControl* control, TColor borderColor, TColor innerColor,
                       bool drawInner);

// The BorderWidth of the skinned edit and list view: their non-client band, where
// DrawControlBorder's two frames lie.
inline constexpr int SkinControlBorderWidth = 2;

// All four edges count as inside.
bool PointInRect(const TPoint& point, const TRect& rect);

// The work area (screen coordinates) of the main form's screen, or the primary one.
void GetWorkAreaRect(TRect& rect);

void MoveControlTo(TControl* control, const TPoint& point);
// Left, Top, Width and Height, in that order.
void SetControlBounds(TControl* control, const TRect& rect);

// Whether the form is to look active: the main form and, while the application is
// active, forms that are active themselves.
bool IsFormActive(TCustomForm* form);

// Object identifiers of a window's own scroll bars.
inline constexpr int OBJID_HSCROLL = -6;
inline constexpr int OBJID_VSCROLL = -5;
// The state of one of the control's own scroll bars; 0 (info untouched) where the
// control exposes none, nonzero otherwise.
int SafeGetScrollBarInfo(TControl* control, int objectId, TScrollBarState& info);

void FrameRectColor(TCanvas* canvas, const TRect& rect, TColor color);
void FillRectColor(TCanvas* canvas, const TRect& rect, TColor color);

// A line two pixels below the item's top, leaving out the coloured side bar.
void DrawMenuSeparator(TCanvas* canvas, const TRect& itemRect, TColor color, int barWidth,
                       bool barOnLeft);
// The MacOS menu-bar and selected-item backgrounds stretched over rect.
void DrawMacMenuBar(TCanvas* canvas, const TRect& rect);
void DrawMacMenuBarTall(TCanvas* canvas, const TRect& rect);
void DrawMacMenuSelect(TCanvas* canvas, const TRect& rect);
// The frame and shadow of a popup menu's window, painted into the popup's own canvas;
// windowRect is the window's rectangle there, (0, 0, width, height).
void DrawMenuWindowFrame(TCanvas* canvas, const TRect& windowRect, TColor frameColor,
                         TColor shadowColor);
// The user-interface font at the menu size, in the menu-text colour.
void SetSystemMenuFont(TFont* font);
// Gives the item and, depth first, every item below it the same owner-draw handlers,
// so a whole menu tree is measured and painted alike.
void SetMenuItemHandlers(TMenuItem* item, const TMenuItem::TMenuMeasureItemEvent& measure,
                         const TMenuItem::TAdvancedMenuDrawItemEvent& draw);
