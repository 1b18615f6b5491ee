#include "skin/frame/SKFormFrame.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/core/SKDraw.h"

#include <cmath>

namespace {

// The frame that the platform keeps around a captionless window.
constexpr int KeptFrame = 3;
// The radius of the two arcs drawn along rounded top corners of a thin border.
constexpr int ArcRadius = 11;

// Columns cut off each side of row y of a rounded rectangle of the given height.
int CornerInset(int y, int y1, int y2, double radiusX, double radiusY) {
    const double centre = y + 0.5;
    const double top = y1 + radiusY;
    const double bottom = y2 - radiusY;
    double dy = 0;
    if (centre < top) {
        dy = top - centre;
    } else if (centre > bottom) {
        dy = centre - bottom;
    } else {
        return 0;
    }
    const double t = 1.0 - (dy * dy) / (radiusY * radiusY);
    const double dx = t > 0 ? radiusX * std::sqrt(t) : 0.0;
    return static_cast<int>(std::lround(radiusX - dx));
}

void FillColor(TCanvas* canvas, const TRect& rect, TColor color) {
    if (rect.Right > rect.Left && rect.Bottom > rect.Top) {
        FillRectColor(canvas, rect, color);
    }
}

void PaintTitleMargins(TCanvas* canvas, const TskFrameInput& in) {
    const int W = in.Width;
    const int BW = in.BorderWidth;
    TBitmap* left = in.TitleLeft;
    TBitmap* right = in.TitleRight;
    TBitmap* middle = in.TitleMiddle;
    TBitmap margin;
    margin.SetSize(KeptFrame - BW, left->Height());
    margin.Canvas()->Draw(0, 0, left);
    canvas->Draw(BW, 0, &margin);
    if (right->Width() <= 2) {
        margin.Canvas()->StretchDraw(Rect(0, 0, margin.Width(), margin.Height()), right);
    } else {
        margin.Canvas()->Draw(2 - right->Width(), 0, right);
    }
    canvas->Draw(W - KeptFrame, 0, &margin);
    TBitmap strip;
    strip.SetSize(std::max(0, W - 5), KeptFrame);
    strip.Canvas()->Draw(-2, 0, left);
    const int rightX = W - 5 - right->Width() + KeptFrame;
    strip.Canvas()->Draw(rightX, 0, right);
    if (middle->Width() > 0 && middle->Height() > 0 && rightX > left->Width() - 2) {
        strip.Canvas()->StretchDraw(Rect(left->Width() - 2, 0, rightX, middle->Height()), middle);
    }
    canvas->Draw(2, 0, &strip);
}

void PaintPlainFrame(TCanvas* canvas, const TskFrameInput& in) {
    const int W = in.Width;
    const int H = in.Height;
    const int BW = in.BorderWidth;
    const int TH = in.TitleHeight();
    const int TBH = in.TitleBarHeight;
    const int MH = in.MenuBarHeight;
    FillColor(canvas, Rect(0, 0, BW, H), in.BorderColor);
    FillColor(canvas, Rect(0, H - BW, W, H), in.BorderColor);
    FillColor(canvas, Rect(W - BW, 0, W, H), in.BorderColor);
    if (BW < 4) {
        FillColor(canvas, Rect(BW, TH, KeptFrame, H - BW), in.Color);
        FillColor(canvas, Rect(BW, H - KeptFrame, W - BW, H - BW), in.Color);
        FillColor(canvas, Rect(W - KeptFrame, TH, W - BW, H - BW), in.Color);
        if (in.MenuBarVisible) {
            FillColor(canvas, Rect(BW, TBH + KeptFrame, KeptFrame, TBH + KeptFrame + MH),
                      in.MenuBarColor);
            FillColor(canvas, Rect(W - KeptFrame, TBH + KeptFrame, W - BW, TBH + KeptFrame + MH),
                      in.MenuBarColor);
        }
    }
    if (in.TitleBarVisible) {
        if (in.TitleLeft != nullptr && in.TitleRight != nullptr && in.TitleMiddle != nullptr &&
            BW < 4) {
            PaintTitleMargins(canvas, in);
            if (BW == 1 && in.RoundCorner == ArcRadius) {
                const int R = ArcRadius;
                canvas->Pen()->SetColor(in.BorderColor);
                canvas->Pen()->SetWidth(1);
                canvas->Arc(W - 2 * R + 1, -1, W + 1, 2 * R - 1, W + 1, R - 1, W - R + 1, -1);
                canvas->Arc(-1, -1, 2 * R - 1, 2 * R - 1, R - 1, -1, -1, R - 1);
            }
        }
    } else {
        FillColor(canvas, Rect(0, 0, W, 1), in.BorderColor);
        FillColor(canvas, Rect(BW, 1, W - BW, KeptFrame), in.Color);
    }
}

void PaintSidePictureFrame(TCanvas* canvas, const TskFrameInput& in) {
    const int W = in.Width;
    const int H = in.Height;
    const int s = in.SideBitmap->Width();
    const int TH = in.TitleHeight();
    const int MH = in.MenuBarHeight;
    int bh = 0;
    if (in.BottomBorder != nullptr && !in.BottomBorder->Empty()) {
        bh = in.BottomBorder->Height();
        TRect bottom = Rect(0, H - bh, W, H);
        canvas->SaveState();
        canvas->MoveOrigin(bottom.Left, bottom.Top);
        DrawThreePartStrip(in.BottomBorder, canvas, Rect(0, 0, bottom.Width(), bh), false, false);
        canvas->RestoreState();
    }
    if (in.LeftBorder != nullptr && !in.LeftBorder->Empty()) {
        canvas->StretchDraw(Rect(0, TH, s, H - bh), in.LeftBorder);
    }
    canvas->StretchDraw(Rect(W - s, TH, W, H - bh), in.SideBitmap);
    FillColor(canvas, Rect(s, TH, s + 1, H - bh), in.Color);
    FillColor(canvas, Rect(s + 1, H - bh - 1, W - s - 1, H - bh), in.Color);
    FillColor(canvas, Rect(W - s - 1, TH, W - s, H - bh), in.Color);
    if (in.MenuBarVisible) {
        FillColor(canvas, Rect(s, TH, s + 1, TH + MH + KeptFrame), in.MenuBarColor);
        FillColor(canvas, Rect(W - s - 1, TH + KeptFrame, W - s, TH + MH + KeptFrame),
                  in.MenuBarColor);
    }
    if (in.TitleBarVisible && in.TitleLeft != nullptr && in.TitleRight != nullptr &&
        in.TitleMiddle != nullptr) {
        TBitmap margin;
        margin.SetSize(s + 2, in.TitleLeft->Height());
        margin.Canvas()->Draw(0, 0, in.TitleLeft);
        canvas->Draw(0, 0, &margin);
        margin.SetSize(s + 2, in.TitleRight->Height());
        if (in.TitleRight->Width() < s + 2) {
            margin.Canvas()->StretchDraw(Rect(0, 0, s + 2, margin.Height()), in.TitleRight);
        } else {
            margin.Canvas()->Draw(s + 2 - in.TitleRight->Width(), 0, in.TitleRight);
        }
        canvas->Draw(W - s - 2, 0, &margin);
        TBitmap strip;
        strip.SetSize(std::max(0, W - 2 * s), KeptFrame);
        strip.Canvas()->Draw(1 - s, 0, in.TitleLeft);
        const int rightX = W - s - in.TitleRight->Width();
        strip.Canvas()->Draw(rightX, 0, in.TitleRight);
        const int middleLeft = in.TitleLeft->Width() - s;
        if (rightX > middleLeft && in.TitleMiddle->Height() > 0) {
            strip.Canvas()->StretchDraw(Rect(middleLeft, 0, rightX, in.TitleMiddle->Height()),
                                        in.TitleMiddle);
        }
        canvas->Draw(s, 0, &strip);
    } else {
        FillColor(canvas, Rect(s, 0, W - s, KeptFrame),
                  in.MenuBarVisible ? in.MenuBarColor : in.HostColor);
    }
}

} // namespace

QRegion RoundRectRegion(int x1, int y1, int x2, int y2, int width, int height) {
    // The right column and the bottom row of the rectangle stay outside.
    x2 -= 1;
    y2 -= 1;
    if (x2 <= x1 || y2 <= y1) {
        return {};
    }
    width = std::min(width, x2 - x1);
    height = std::min(height, y2 - y1);
    if (width < 2 || height < 2) {
        return QRegion(x1, y1, x2 - x1, y2 - y1);
    }
    const double radiusX = width / 2.0;
    const double radiusY = height / 2.0;
    const int cornerRows = (height + 1) / 2;
    QRegion region(x1, y1 + cornerRows, x2 - x1, std::max(0, y2 - y1 - 2 * cornerRows));
    for (int i = 0; i < cornerRows; ++i) {
        for (int y : {y1 + i, y2 - 1 - i}) {
            const int inset = CornerInset(y, y1, y2, radiusX, radiusY);
            region += QRect(x1 + inset, y, std::max(0, x2 - x1 - 2 * inset), 1);
        }
    }
    return region;
}

QRegion FormRegion(int width, int height, int roundCorner, int roundCornerBottom) {
    const int W = width;
    const int H = height;
    const int m = H / 2;
    const int r = std::max(0, roundCorner);
    const int b = std::max(0, roundCornerBottom);
    QRegion top = RoundRectRegion(0, 0, W + 1, m + 1, r, r);
    top += QRect(0, m - 2 * r, 2 * r, 2 * r);
    top += QRect(W - 2 * r, m - 2 * r, 2 * r, 2 * r);
    QRegion bottom = RoundRectRegion(0, m, W + 1, H + 1, b, b);
    bottom += QRect(0, m, 2 * b, 2 * b);
    bottom += QRect(W - 2 * b, m, 2 * b, 2 * b);
    return (top + bottom) & QRegion(0, 0, W, H);
}

void PaintSkinFrame(TCanvas* canvas, const TskFrameInput& input) {
    if (canvas == nullptr || input.Width <= 0 || input.Height <= 0) {
        return;
    }
    canvas->Brush()->SetStyle(TBrush::bsSolid);
    if (input.SideBitmap != nullptr && !input.SideBitmap->Empty()) {
        PaintSidePictureFrame(canvas, input);
    } else {
        PaintPlainFrame(canvas, input);
    }
}
