#include "framework/controls/Panel.h"

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    TBrush* brush = canvas.Brush();
    brush->SetStyle(TBrush::bsSolid);
    for (int ring = 0; ring < width && !rect.IsEmpty(); ++ring) {
        const TRect r = rect;
        brush->SetColor(topColor);
        canvas.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
        canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
        brush->SetColor(bottomColor);
        canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
        canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
        InflateRect(rect, -1, -1);
    }
}

namespace {

void BevelColors(TCustomPanel::TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == TCustomPanel::bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == TCustomPanel::bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value != FBevelInner) {
        FBevelInner = value;
        FrameChanged();
    }
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value != FBevelOuter) {
        FBevelOuter = value;
        FrameChanged();
    }
}

void TCustomPanel::SetBevelWidth(int value) {
    value = std::max(1, value);
    if (value != FBevelWidth) {
        FBevelWidth = value;
        FrameChanged();
    }
}

void TCustomPanel::SetBorderWidth(int value) {
    value = std::max(0, value);
    if (value != FBorderWidth) {
        FBorderWidth = value;
        FrameChanged();
    }
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value != FBorderStyle) {
        FBorderStyle = value;
        RecreateFrame();
        Invalidate();
    }
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (value != FAlignment) {
        FAlignment = value;
        Invalidate();
    }
}

void TCustomPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::CMTextChanged(TMessage& message) {
    TCustomControl::CMTextChanged(message);
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) {
        inset += FBevelWidth;
    }
    if (FBevelInner != bvNone) {
        inset += FBevelWidth;
    }
    InflateRect(rect, -inset, -inset);
}

void TCustomPanel::WMNCCalcSize(TMessage& message) {
    TCustomControl::WMNCCalcSize(message);
    auto* rect = reinterpret_cast<TRect*>(message.LParam);
    if (rect != nullptr && FBorderStyle == bsSingle) {
        InflateRect(*rect, -1, -1);
    }
}

void TCustomPanel::WMNCPaint(TMessage& message) {
    TCustomControl::WMNCPaint(message);
    auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
    if (canvas != nullptr && FBorderStyle == bsSingle) {
        TRect window = Rect(0, 0, Width(), Height());
        canvas->SaveState();
        Frame3D(*canvas, window, clWindowFrame, clWindowFrame, 1);
        canvas->RestoreState();
    }
}

void TCustomPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect rect = ClientRect();
    TColor top = clBtnHighlight;
    TColor bottom = clBtnShadow;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    Frame3D(canvas, rect, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(TBrush::bsSolid);
    canvas.FillRect(rect);
    const QString caption = Caption();
    if (caption.isEmpty()) {
        return;
    }
    canvas.Brush()->SetStyle(TBrush::bsClear);
    canvas.SetFont(Font());
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FAlignment == taCenter) {
        flags |= DT_CENTER;
    } else if (FAlignment == taRightJustify) {
        flags |= DT_RIGHT;
    }
    TRect textRect = rect;
    canvas.DrawText(caption, textRect, flags);
}
