#include "skin/core/SKDraw.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Control.h"
#include "framework/core/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Fonts.h"
#include "skin/core/SKThemes.h"

#include <algorithm>

namespace {

constexpr int MenuBarRows = 12;
constexpr int MenuBarTallRows = 20;
constexpr int MenuSelectRows = 20;
constexpr int MenuFontPoints = 8;
constexpr int SeparatorOffsetY = 2;
constexpr int SeparatorBarGap = 4;
constexpr int SeparatorEndGap = 2;

// Copies source pixel (x, y) of a W x H image to where(x, y) of a targetSize image.
template <class Where>
void Remap(TBitmap* bitmap, QSize targetSize, Where where) {
    if (bitmap == nullptr || bitmap->Empty()) {
        return;
    }
    const QImage source = bitmap->Image();
    QImage rotated(targetSize, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QPoint to = where(x, y, source.width(), source.height());
            rotated.setPixel(to, row[x]);
        }
    }
    bitmap->SetImage(rotated);
}

void StretchPiece(TCanvas* canvas, const QImage& image, const TRect& target, const TRect& source) {
    if (target.IsEmpty() || source.IsEmpty()) {
        return;
    }
    canvas->DrawTransparent(target, image, source, SkinKeyColor);
}

void CopyCorner(TCanvas* canvas, const QImage& image, TPoint at, const TRect& source,
                bool transparent) {
    if (source.IsEmpty()) {
        return;
    }
    const TRect target = Bounds(at.X, at.Y, source.Width(), source.Height());
    if (transparent) {
        canvas->DrawTransparent(target, image, source, SkinKeyColor);
    } else {
        canvas->DrawImage(target, image, source);
    }
}

void DrawMacMenuPicture(TCanvas* canvas, const TRect& rect, const char* name, int rows) {
    const QImage picture = LoadThemePicture(QString::fromLatin1(name));
    if (picture.isNull()) {
        return;
    }
    canvas->DrawImage(rect, picture, Rect(0, 0, picture.width(), std::min(rows, picture.height())));
}

} // namespace

void CutFrame(TBitmap* source, TBitmap* target, int frameCount, int frameIndex) {
    if (source == nullptr || target == nullptr) {
        return;
    }
    if (frameCount < 1) {
        target->SetImage(QImage());
        return;
    }
    const int width = source->Width() / frameCount;
    const QImage& whole = source->Image();
    QImage frame(width, whole.height(), QImage::Format_RGB32);
    frame.fill(Qt::white);
    const int left = (frameIndex - 1) * width;
    for (int y = 0; y < whole.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(whole.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int sourceX = left + x;
            if (sourceX >= 0 && sourceX < whole.width()) {
                to[x] = from[sourceX];
            }
        }
    }
    target->SetImage(frame);
}

void DrawThreePartStrip(TBitmap* strip, TCanvas* canvas, const TRect& rect, bool useCornerKey,
                        bool keyFromTop) {
    if (strip == nullptr || canvas == nullptr || strip->Empty()) {
        return;
    }
    const QImage image = strip->Image();
    const int frameWidth = image.width() / 3;
    const int height = image.height();
    TColor key = SkinKeyColor;
    if (useCornerKey) {
        key = strip->Pixel(0, keyFromTop ? 0 : height - 1);
    }
    if (frameWidth == 0) {
        return;
    }
    canvas->DrawTransparent(Bounds(rect.Left, rect.Top, frameWidth, height), image,
                            Rect(0, 0, frameWidth, height), key);
    canvas->DrawTransparent(Bounds(rect.Right - frameWidth, rect.Top, frameWidth, height), image,
                            Rect(2 * frameWidth, 0, 3 * frameWidth, height), key);
    const TRect middle =
        Rect(rect.Left + frameWidth, rect.Top, rect.Right - frameWidth, rect.Bottom);
    if (!middle.IsEmpty()) {
        canvas->DrawImage(middle, image, Rect(frameWidth, 0, 2 * frameWidth, height));
    }
}

void DrawNineGrid(TBitmap* picture, TCanvas* canvas, const TRect& rect, bool transparentCorners) {
    if (picture == nullptr || canvas == nullptr || picture->Empty()) {
        return;
    }
    const QImage image = picture->Image();
    const int W = image.width();
    const int H = image.height();
    const int DW = rect.Width();
    const int DH = rect.Height();
    const int w2 = W / 2;
    const int h2 = H / 2;
    const int dw2 = DW / 2;
    const int dh2 = DH / 2;
    const int xr = W - w2 + 1;
    const int yb = H - h2 + 1;
    auto clampSize = [](int value) { return std::max(value, 0); };

    const int leftWidth = clampSize(std::min(w2, dw2));
    const int rightWidth = clampSize(std::min(W - xr, DW - (DW - dw2 + 1)));
    const int topHeight = clampSize(std::min(h2, dh2));
    const int bottomHeight = clampSize(std::min(H - yb, DH - (DH - dh2 + 1)));

    // Corners, trimmed towards their own corner of the picture.
    const TRect topLeft = Bounds(0, 0, leftWidth, topHeight);
    const TRect bottomLeft = Bounds(0, DH - bottomHeight, leftWidth, bottomHeight);
    const TRect topRight = Bounds(DW - rightWidth, 0, rightWidth, topHeight);
    const TRect bottomRight = Bounds(DW - rightWidth, DH - bottomHeight, rightWidth, bottomHeight);
    auto hasSize = [](const TRect& piece) { return piece.Width() > 0 && piece.Height() > 0; };

    if (hasSize(topLeft)) {
        CopyCorner(canvas, image, topLeft.TopLeft(), Rect(0, 0, leftWidth, topHeight),
                   transparentCorners);
    }
    if (hasSize(bottomLeft)) {
        CopyCorner(canvas, image, bottomLeft.TopLeft(), Rect(0, H - bottomHeight, leftWidth, H),
                   transparentCorners);
    }
    // Left edge: the leftmost source columns, stretched only in height.
    StretchPiece(canvas, image, Rect(0, topLeft.Bottom, topLeft.Right, bottomLeft.Top),
                 Rect(0, h2, std::min(w2, topLeft.Right), H - h2));
    if (hasSize(topRight)) {
        CopyCorner(canvas, image, topRight.TopLeft(), Rect(W - rightWidth, 0, W, topHeight),
                   transparentCorners);
    }
    if (hasSize(bottomRight)) {
        CopyCorner(canvas, image, bottomRight.TopLeft(),
                   Rect(W - rightWidth, H - bottomHeight, W, H), transparentCorners);
    }
    // Right edge: the rightmost source columns.
    StretchPiece(canvas, image,
                 Rect(topRight.Left, topRight.Bottom, topRight.Right, bottomRight.Top),
                 Rect(std::max(xr, W - topRight.Width()), H - h2, W, h2 + 2));
    // Top edge: the top source rows.
    StretchPiece(canvas, image, Rect(topLeft.Right, 0, topRight.Left, topLeft.Bottom),
                 Rect(w2, 0, xr, std::min(h2, topLeft.Height())));
    StretchPiece(canvas, image,
                 Rect(topLeft.Right, topLeft.Bottom, topRight.Left, bottomRight.Top - 1),
                 Rect(w2, h2, xr, H - h2));
    // Bottom edge: the bottom source rows; it overlaps the left corner by one column
    // and the row above the bottom corners by one row.
    const TRect bottomEdge =
        Rect(topLeft.Right - 1, bottomLeft.Top - 1, bottomRight.Left, bottomRight.Bottom);
    StretchPiece(canvas, image, bottomEdge,
                 Rect(w2, H - std::min(h2, std::max(bottomEdge.Height(), 0)), xr, H));
}

void TilePicture(TCanvas* canvas, TGraphic* picture, const TRect& rect) {
    if (canvas == nullptr || picture == nullptr) {
        return;
    }
    const int width = picture->Width();
    const int height = picture->Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    for (int x = 0; x < rect.Width() + width; x += width) {
        for (int y = 0; y < rect.Height() + height; y += height) {
            canvas->Draw(x, y, picture);
        }
    }
}

void RotateBitmapLeft(TBitmap* bitmap) {
    if (bitmap == nullptr) {
        return;
    }
    Remap(bitmap, QSize(bitmap->Height(), bitmap->Width()),
          [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); });
}

void RotateBitmap180(TBitmap* bitmap) {
    if (bitmap == nullptr) {
        return;
    }
    Remap(bitmap, QSize(bitmap->Width(), bitmap->Height()),
          [](int x, int y, int w, int h) { return QPoint(w - 1 - x, h - 1 - y); });
}

void RotateBitmapRight(TBitmap* bitmap) {
    if (bitmap == nullptr) {
        return;
    }
    Remap(bitmap, QSize(bitmap->Height(), bitmap->Width()),
          [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); });
}

void PaintParentBackground(TCanvas* canvas, TControl* control) {
    if (canvas == nullptr || control == nullptr || control->Parent() == nullptr) {
        return;
    }
    control->PaintParentBackground(*canvas);
}

void DrawControlBorder(TCanvas* canvas, TControl* control, TColor borderColor, TColor innerColor,
                       bool drawInner) {
    if (canvas == nullptr || control == nullptr) {
        return;
    }
    TRect rect = Rect(0, 0, control->Width(), control->Height());
    FrameRectColor(canvas, rect, ColorToRGB(borderColor));
    if (drawInner) {
        InflateRect(rect, -1, -1);
        FrameRectColor(canvas, rect, ColorToRGB(innerColor));
    }
}

bool PointInRect(const TPoint& point, const TRect& rect) {
    return point.X >= rect.Left && point.X <= rect.Right && point.Y >= rect.Top &&
           point.Y <= rect.Bottom;
}

void GetWorkAreaRect(TRect& rect) {
    rect = Screen->WorkAreaRect();
}

void MoveControlTo(TControl* control, const TPoint& point) {
    if (control == nullptr) {
        return;
    }
    control->SetLeft(point.X);
    control->SetTop(point.Y);
}

void SetControlBounds(TControl* control, const TRect& rect) {
    if (control == nullptr) {
        return;
    }
    control->SetLeft(rect.Left);
    control->SetTop(rect.Top);
    control->SetWidth(rect.Width());
    control->SetHeight(rect.Height());
}

bool IsFormActive(TCustomForm* form) {
    TCustomForm* mainForm = Application != nullptr ? Application->MainForm() : nullptr;
    if (mainForm == nullptr) {
        return form != nullptr && form->Active();
    }
    if (!Application->Active()) {
        return false;
    }
    if (form == nullptr || form == mainForm) {
        return true;
    }
    return form->Active();
}

int SafeGetScrollBarInfo(TControl* control, int objectId, TScrollBarState& info) {
    const auto* listView = dynamic_cast<const TCustomListView*>(control);
    if (listView == nullptr || !listView->HandleAllocated()) {
        return 0;
    }
    if (objectId == OBJID_HSCROLL) {
        info = listView->ScrollBarState(Qt::Horizontal);
        return 1;
    }
    if (objectId == OBJID_VSCROLL) {
        info = listView->ScrollBarState(Qt::Vertical);
        return 1;
    }
    return 0;
}

void FrameRectColor(TCanvas* canvas, const TRect& rect, TColor color) {
    canvas->Brush()->SetColor(color);
    canvas->FrameRect(rect);
}

void FillRectColor(TCanvas* canvas, const TRect& rect, TColor color) {
    canvas->Brush()->SetColor(color);
    canvas->FillRect(rect);
}

void DrawMenuSeparator(TCanvas* canvas, const TRect& itemRect, TColor color, int barWidth,
                       bool barOnLeft) {
    canvas->Pen()->SetColor(color);
    const int y = itemRect.Top + SeparatorOffsetY;
    if (barOnLeft) {
        canvas->MoveTo(itemRect.Left + barWidth + SeparatorBarGap, y);
        canvas->LineTo(itemRect.Right - SeparatorEndGap, y);
    } else {
        canvas->MoveTo(itemRect.Left + SeparatorEndGap, y);
        canvas->LineTo(itemRect.Right - barWidth - SeparatorBarGap, y);
    }
}

void DrawMacMenuBar(TCanvas* canvas, const TRect& rect) {
    DrawMacMenuPicture(canvas, rect, "MACOS_MENU_BAR", MenuBarRows);
}

void DrawMacMenuBarTall(TCanvas* canvas, const TRect& rect) {
    DrawMacMenuPicture(canvas, rect, "MACOS_MENU_BAR", MenuBarTallRows);
}

void DrawMacMenuSelect(TCanvas* canvas, const TRect& rect) {
    DrawMacMenuPicture(canvas, rect, "MACOS_MENU_SELECT", MenuSelectRows);
}

void DrawMenuWindowFrame(TCanvas* canvas, const TRect& windowRect, TColor frameColor,
                         TColor shadowColor) {
    const int L = windowRect.Left;
    const int T = windowRect.Top;
    const int R = windowRect.Right;
    const int B = windowRect.Bottom;
    FrameRectColor(canvas, Rect(L, T + 1, R - 1, B - 1), frameColor);
    FrameRectColor(canvas, Rect(L + 1, T + 2, R - 2, B - 2), clWhite);
    canvas->Pen()->SetColor(shadowColor);
    canvas->MoveTo(L, B - 1);
    canvas->LineTo(R - 1, B - 1);
    canvas->LineTo(R - 1, T);
    canvas->LineTo(R, T);
    canvas->LineTo(L, T);
}

void SetSystemMenuFont(TFont* font) {
    if (font == nullptr) {
        return;
    }
    font->SetName(Fonts::UIFamily());
    font->SetSize(MenuFontPoints);
    font->SetColor(clMenuText);
}

void SetMenuItemHandlers(TMenuItem* item, const TMenuItem::TMenuMeasureItemEvent& measure,
                         const TMenuItem::TAdvancedMenuDrawItemEvent& draw) {
    if (item == nullptr) {
        return;
    }
    item->OnMeasureItem = measure;
    item->OnAdvancedDrawItem = draw;
    for (int i = 0; i < item->Count(); ++i) {
        SetMenuItemHandlers(item->Items(i), measure, draw);
    }
}
