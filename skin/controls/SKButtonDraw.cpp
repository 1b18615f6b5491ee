#include "skin/controls/SKButtonDraw.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/DrawDisabled.h"
#include "framework/graphics/Font.h"

#include <algorithm>

namespace {

// The colours of a disabled caption: grey over a white copy.
constexpr TColor DisabledCaptionShadow = clWhite;
constexpr TColor DisabledCaptionColor = 0x808080;

// Integer division rounding towards zero, as the placement rules are written.
int Half(int value) {
    return value / 2;
}

TColor TopLeftColor(const QImage& image) {
    const QRgb pixel = image.pixel(0, 0);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

void DrawKeyed(TCanvas* canvas, TPoint at, const QImage& image, const TRect& source,
               bool transparent) {
    const TRect dest = Bounds(at.X, at.Y, source.Width(), source.Height());
    if (transparent) {
        canvas->DrawTransparent(dest, image, source, TopLeftColor(image));
    } else {
        canvas->DrawImage(dest, image, source);
    }
}

} // namespace

TskGlyphPlacement PlaceGlyph(TskGlyphSide side, TSize controlSize, TSize glyphSize,
                             TSize captionSize, int spacing, bool pressed) {
    const int w = controlSize.cx;
    const int h = controlSize.cy;
    const int gw = glyphSize.cx;
    const int gh = glyphSize.cy;
    const int tw = captionSize.cx;
    const int th = captionSize.cy;
    TskGlyphPlacement placement;
    switch (side) {
    case skGlyphLeft:
        placement.Glyph = {Half(w - gw - tw - spacing), Half(h - gh)};
        placement.Caption = {placement.Glyph.X + gw + spacing, Half(h - th)};
        break;
    case skGlyphRight:
        placement.Glyph = {Half(w + tw + spacing - gw), Half(h - gh)};
        placement.Caption = {placement.Glyph.X - tw - spacing, Half(h - th)};
        break;
    case skGlyphTop:
        placement.Glyph = {Half(w - gw), Half(h - th - gh - spacing)};
        placement.Caption = {Half(w - tw), placement.Glyph.Y + gh + spacing};
        break;
    case skGlyphBottom:
        placement.Glyph = {Half(w - gw), Half(h + th + spacing - gh)};
        placement.Caption = {Half(w - tw), placement.Glyph.Y - th - spacing};
        break;
    }
    if (pressed) {
        ++placement.Glyph.X;
        ++placement.Glyph.Y;
    }
    return placement;
}

bool GlyphHasTwoFrames(const QImage& glyph) {
    return !glyph.isNull() && glyph.width() == 2 * glyph.height();
}

TSize GlyphFrameSize(const QImage& glyph) {
    if (glyph.isNull()) {
        return {};
    }
    return {GlyphHasTwoFrames(glyph) ? glyph.height() : glyph.width(), glyph.height()};
}

void DrawButtonGlyph(TCanvas* canvas, TPoint at, const QImage& glyph, bool enabled) {
    if (canvas == nullptr || glyph.isNull()) {
        return;
    }
    const TSize frame = GlyphFrameSize(glyph);
    if (GlyphHasTwoFrames(glyph)) {
        const int left = enabled ? 0 : frame.cx;
        DrawKeyed(canvas, at, glyph, Bounds(left, 0, frame.cx, frame.cy), true);
    } else if (enabled) {
        DrawKeyed(canvas, at, glyph, Rect(0, 0, frame.cx, frame.cy), true);
    } else {
        DrawDisabled(canvas, at.X, at.Y, glyph, TopLeftColor(glyph));
    }
}

void DrawStatePicture(TCanvas* canvas, const QImage& picture, bool transparent, bool enabled) {
    if (canvas == nullptr || picture.isNull()) {
        return;
    }
    if (!enabled) {
        DrawDisabled(canvas, 0, 0, picture,
                     transparent ? std::optional<TColor>(TopLeftColor(picture)) : std::nullopt);
        return;
    }
    DrawKeyed(canvas, {0, 0}, picture, Rect(0, 0, picture.width(), picture.height()), transparent);
}

void DrawCentredCaption(TCanvas* canvas, const TRect& rect, const QString& caption,
                        const TFont* font, bool bold, bool enabled, bool pressed) {
    if (canvas == nullptr) {
        return;
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(font);
    if (bold) {
        canvas->Font()->SetStyle(canvas->Font()->Style() | fsBold);
    }
    const auto drawAt = [&](TRect area) {
        TRect block = area;
        canvas->DrawText(caption, block, DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER | DT_CALCRECT);
        OffsetRect(block, Half(area.Width() - block.Width()), Half(area.Height() - block.Height()));
        block.Right = std::max(block.Right, block.Left);
        canvas->DrawText(caption, block, DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
    };
    TRect area = rect;
    if (!enabled) {
        OffsetRect(area, 1, 1);
        canvas->Font()->SetColor(DisabledCaptionShadow);
        drawAt(area);
        area = rect;
        canvas->Font()->SetColor(DisabledCaptionColor);
    } else if (pressed) {
        OffsetRect(area, 1, 1);
    }
    drawAt(area);
}

void DrawCaptionAt(TCanvas* canvas, TPoint origin, const TRect& clip, const QString& caption,
                   const TFont* font, bool enabled, bool pressed) {
    if (canvas == nullptr) {
        return;
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(font);
    const auto drawFrom = [&](TPoint at) {
        TRect area = Rect(at.X, at.Y, clip.Right, clip.Bottom);
        canvas->DrawText(caption, area, DT_SINGLELINE);
    };
    if (!enabled) {
        canvas->Font()->SetColor(DisabledCaptionShadow);
        drawFrom({origin.X + 1, origin.Y + 1});
        canvas->Font()->SetColor(DisabledCaptionColor);
    } else if (pressed) {
        ++origin.X;
        ++origin.Y;
    }
    drawFrom(origin);
}

void DrawFocusFrame(TCanvas* canvas, const TRect& rect) {
    if (canvas == nullptr || rect.IsEmpty()) {
        return;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(rect);
}

TskCheckBoxGeometry CheckBoxGeometry(TSize clientSize, TSize pictureSize, int lineHeight,
                                     bool rightToLeft) {
    const int textTop = Half(clientSize.cy - lineHeight);
    const int pictureTop = Half(clientSize.cy - pictureSize.cy);
    const int focusBottom = textTop + lineHeight + 2;
    TskCheckBoxGeometry geometry;
    geometry.RightAligned = rightToLeft;
    if (rightToLeft) {
        geometry.Picture = {clientSize.cx - pictureSize.cx - 1, pictureTop};
        geometry.Caption = Rect(0, textTop, clientSize.cx - pictureSize.cx - 4, clientSize.cy);
        geometry.Focus = Rect(0, textTop, clientSize.cx - pictureSize.cx - 2, focusBottom);
    } else {
        geometry.Picture = {1, pictureTop};
        geometry.Caption = Rect(pictureSize.cx + 4, textTop, clientSize.cx, clientSize.cy);
        geometry.Focus = Rect(pictureSize.cx + 3, textTop, clientSize.cx, focusBottom);
    }
    return geometry;
}

TSize CheckBoxAutoSize(TSize pictureSize, int lineHeight, int captionWidth) {
    return {pictureSize.cx + captionWidth + 8, std::max(lineHeight + 2, pictureSize.cy) + 4};
}

bool CaptionIsBlank(const QString& caption) {
    return std::all_of(caption.cbegin(), caption.cend(), [](QChar ch) {
        return ch.isSpace() || ch.category() == QChar::Other_Control;
    });
}
