#include "skin/controls/SKTrackBar.h"

#include "framework/graphics/Canvas.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"
#include "skin/frame/SKImagePanel.h"

#include <algorithm>
#include <cmath>

namespace {

// The groove is paged every this many milliseconds while the button is held on it.
constexpr int PagingInterval = 100;

} // namespace

TskTrackBar::TskTrackBar(TComponent* AOwner)
    : TCustomPanel(AOwner), FBarImage(new TPicture(this)), FSlider(new TskImagePanel(this)) {
    SetControlStyle(ControlStyle() & ~TControlStyle(csAcceptsControls));
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetParentColor(true);
    SetTabStop(true);
    FSlider->SetParent(this);
    FSlider->SetAutoSize(true);
    FSlider->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        SliderMouseDown(button, shift, x, y);
    };
    FSlider->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        SliderMouseUp(button, shift, x, y);
    };
    FUIStyle = GetFormUIStyle(AOwner);
    SetBounds(Left(), Top(), 150, 45);
    RefreshPictures();
    if (FUIStyle == MacOS) {
        FTransparent = true;
    }
}

TskTrackBar::~TskTrackBar() {
    StopPaging();
}

void TskTrackBar::SetOrientation(TskProgressBarOrientation value) {
    if (FOrientation == value) {
        return;
    }
    FOrientation = value;
    RefreshPictures();
}

void TskTrackBar::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskTrackBar::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    RefreshPictures();
    if (style == MacOS) {
        SetTransparent(true);
    }
}

void TskTrackBar::SetBarImage(TPicture* picture) {
    FBarImage->Assign(picture);
    BuildGroove();
    FitSize();
    PlaceSlider();
}

TPicture* TskTrackBar::SliderImage() const {
    return FSlider->Picture();
}

void TskTrackBar::SetSliderImage(TPicture* picture) {
    FSlider->SetPicture(picture);
    PlaceSlider();
}

void TskTrackBar::SetMax(int value) {
    if (value == FMax) {
        return;
    }
    FMax = std::max(value, FMin);
    FPosition = std::min(FPosition, FMax);
    PlaceSlider();
}

void TskTrackBar::SetMin(int value) {
    if (value == FMin) {
        return;
    }
    FMin = std::min(value, FMax);
    FPosition = std::max(FPosition, FMin);
    PlaceSlider();
}

void TskTrackBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, FMax);
    PlaceSlider();
}

void TskTrackBar::SetPageSize(int value) {
    if (value >= 0 && value <= FMax) {
        FPageSize = value;
    }
}

void TskTrackBar::SetLineSize(int value) {
    if (value >= 0 && value <= FMax) {
        FLineSize = value;
    }
}

void TskTrackBar::SetShowTick(bool value) {
    FShowTick = value;
    Invalidate();
}

void TskTrackBar::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TskTrackBar::SetFrequency(int value) {
    FFrequency = value;
    Invalidate();
}

int TskTrackBar::PositionFromPoint(int x, int y) const {
    const int slider = Vertical() ? FSlider->Height() : FSlider->Width();
    const int length = Vertical() ? Height() : Width();
    const int along = Vertical() ? y : x;
    // A slider as long as the control (or longer) leaves no travel to measure.
    if (length <= slider) {
        return 0;
    }
    const double value = double(along - slider / 2) * double(FMax - FMin) / double(length - slider);
    return static_cast<int>(std::lrint(value)) + FMin;
}

QList<int> TskTrackBar::TickValues() const {
    QList<int> values;
    if (FMin == FMax) {
        return values;
    }
    int counter = 0;
    for (int i = FMin; i <= FMax; ++i) {
        if (i == FMax) {
            values.append(i);
            break;
        }
        if (counter == FFrequency) {
            counter = 1;
            values.append(i);
        } else {
            if (counter == 0) {
                values.append(i);
            }
            ++counter;
        }
    }
    return values;
}

void TskTrackBar::RefreshPictures() {
    LoadPictures();
    FitSize();
    PlaceSlider();
}

void TskTrackBar::LoadPictures() {
    if (!PicturesFromOwner()) {
        TBitmap bar;
        LoadThemeFrame(FileTheme(), FUIStyle, TrackBarBarImage, &bar);
        FBarImage->SetGraphic(&bar);
        TBitmap slider;
        LoadThemeFrame(FileTheme(), FUIStyle,
                       Vertical() ? TrackBarSliderVImage : TrackBarSliderImage, &slider);
        FSlider->Picture()->SetGraphic(&slider);
    }
    BuildGroove();
    FSlider->SetTransparent(SliderTransparent());
    FSlider->SetAutoSize(true);
}

void TskTrackBar::BuildGroove() {
    const int thickness = FBarImage->Height();
    const int length = Vertical() ? Height() : Width();
    if (thickness <= 0 || length <= 0) {
        FGroove.SetSize(0, 0);
        return;
    }
    FGroove.SetSize(length, thickness);
    FillRectColor(FGroove.Canvas(), Rect(0, 0, length, thickness), Color());
    DrawThreePartStrip(FBarImage->Bitmap(), FGroove.Canvas(), Rect(0, 0, length, thickness), false,
                       false);
    if (Vertical()) {
        RotateBitmapLeft(&FGroove);
    }
}

void TskTrackBar::FitSize() {
    const int groove = FBarImage->Height();
    if (Vertical()) {
        const int width = std::max(groove, FSlider->Width());
        if (width > 0 && width != Width()) {
            SetWidth(width);
        }
    } else {
        const int height = std::max(groove, FSlider->Height());
        if (height > 0 && height != Height()) {
            SetHeight(height);
        }
    }
    Invalidate();
}

void TskTrackBar::PlaceSlider(bool repaint) {
    const int range = FMax - FMin;
    if (Vertical()) {
        const int left = std::max(0, (Width() - FSlider->Width()) / 2);
        const int top =
            range == 0 ? 0 : (FPosition - FMin) * (Height() - FSlider->Height()) / range;
        MoveControlTo(FSlider, TPoint(left, top));
    } else {
        const int top = std::max(0, (Height() - FSlider->Height()) / 2);
        const int left = range == 0 ? 0 : (FPosition - FMin) * (Width() - FSlider->Width()) / range;
        MoveControlTo(FSlider, TPoint(left, top));
    }
    if (repaint) {
        Invalidate();
    }
    ReportChange();
}

void TskTrackBar::ReportChange() {
    if (FPosition == FLastNotified) {
        return;
    }
    FLastChange = FPosition - FLastNotified;
    FLastNotified = FPosition;
    if (OnChange) {
        OnChange(this);
    }
}

void TskTrackBar::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    if (FTransparent) {
        ::PaintParentBackground(canvas, this);
    } else {
        FillRectColor(canvas, Rect(0, 0, Width(), Height()), Color());
    }
    if (!FGroove.Empty()) {
        const int thickness = FBarImage->Height();
        const TPoint at = Vertical() ? TPoint((Width() - thickness) / 2, 0)
                                     : TPoint(0, (Height() - thickness) / 2);
        canvas->Draw(at.X, at.Y, &FGroove);
    }
    if (Focused() && TabStop()) {
        canvas->DrawFocusRect(Rect(0, 0, Width(), Height()));
    }
    if (FShowTick && FMax != FMin) {
        const int range = FMax - FMin;
        for (const int i : TickValues()) {
            if (Vertical()) {
                const int y =
                    (Height() - FSlider->Height()) * (i - FMin) / range + FSlider->Height() / 2;
                canvas->MoveTo(0, y);
                canvas->LineTo(3, y);
                canvas->MoveTo(Width() - 3, y);
                canvas->LineTo(Width(), y);
            } else {
                const int x =
                    (Width() - FSlider->Width()) * (i - FMin) / range + FSlider->Width() / 2;
                canvas->MoveTo(x, Height() - 3);
                canvas->LineTo(x, Height());
            }
        }
    }
    Canvas()->DrawImage(Rect(0, 0, Width(), Height()), buffer.Image(),
                        Rect(0, 0, Width(), Height()));
}

void TskTrackBar::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS;
        return;
    }
    TCustomPanel::WndProc(message);
    if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) {
        Invalidate();
    }
}

void TskTrackBar::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TskTrackBar::WMSize(TMessage& message) {
    TCustomPanel::WMSize(message);
    BuildGroove();
    FitSize();
    PlaceSlider();
}

void TskTrackBar::WMCaptureChanged(TMessage& message) {
    TCustomPanel::WMCaptureChanged(message);
    StopPaging();
    FDragging = false;
}

void TskTrackBar::CMColorChanged(TMessage& message) {
    TCustomPanel::CMColorChanged(message);
    BuildGroove();
    Invalidate();
}

void TskTrackBar::TakeFocusOnClick() {
    if (FocusOnClick() && CanFocus() && Enabled()) {
        SetFocus();
    }
}

void TskTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft) {
        return;
    }
    const int sliderEdge = Vertical() ? FSlider->Top() : FSlider->Left();
    const int along = Vertical() ? y : x;
    if (sliderEdge < along) {
        SetPosition(std::min(FPosition + FPageSize, PositionFromPoint(x, y)));
    } else if (along < sliderEdge) {
        SetPosition(std::max(FPosition - FPageSize, PositionFromPoint(x, y)));
    }
    if (FPagingTimer == nullptr) {
        FPagingTimer = new TTimer(this);
        FPagingTimer->SetInterval(PagingInterval);
        FPagingTimer->OnTimer = [this](TObject*) { PagingTick(); };
        FPagingTimer->SetEnabled(true);
    }
    TakeFocusOnClick();
}

void TskTrackBar::PagingTick() {
    const TPoint point = ScreenToClient(GetCursorPos());
    const int sliderEdge = Vertical() ? FSlider->Top() : FSlider->Left();
    const int along = Vertical() ? point.Y : point.X;
    const int step = Vertical() ? FPageSize : 3 * FPageSize;
    if (sliderEdge < along) {
        SetPosition(std::min(FPosition + step, PositionFromPoint(point.X, point.Y)));
    } else if (along < sliderEdge) {
        SetPosition(std::max(FPosition - step, PositionFromPoint(point.X, point.Y)));
    }
}

void TskTrackBar::StopPaging() {
    if (FPagingTimer != nullptr) {
        FPagingTimer->SetEnabled(false);
        // The tick that stops paging may run inside the timer itself.
        FPagingTimer->deleteLater();
        FPagingTimer = nullptr;
    }
}

void TskTrackBar::SliderMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft) {
        return;
    }
    FDragging = true;
    TakeFocusOnClick();
    SetMouseCapture(true);
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x + FSlider->Left(), y + FSlider->Top());
    }
}

void TskTrackBar::SliderMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x + FSlider->Left(), y + FSlider->Top());
    }
}

void TskTrackBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    if (FDragging) {
        FPosition = std::clamp(PositionFromPoint(x, y), FMin, FMax);
        PlaceSlider(false);
        return;
    }
    if (x < 0 || x > Width() || y < 0 || y > Height()) {
        StopPaging();
    }
}

void TskTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseUp(button, shift, x, y);
    StopPaging();
    FDragging = false;
    SetMouseCapture(false);
}

void TskTrackBar::KeyDown(quint16& key, TShiftState shift) {
    TCustomPanel::KeyDown(key, shift);
    switch (key) {
    case VK_PRIOR:
        SetPosition(FPosition - FPageSize);
        break;
    case VK_NEXT:
        SetPosition(FPosition + FPageSize);
        break;
    case VK_END:
        SetPosition(FMax);
        break;
    case VK_HOME:
        SetPosition(FMin);
        break;
    case VK_LEFT:
    case VK_UP:
        SetPosition(FPosition - FLineSize);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetPosition(FPosition + FLineSize);
        break;
    default:
        break;
    }
}

TNotifyEvent* TskTrackBar::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TCustomPanel::NotifyEvent(name);
}

TskScrollTrackBar::TskScrollTrackBar(TComponent* AOwner) : TskTrackBar(AOwner) {
    SetTabStop(false);
    Slider()->SetTabStop(false);
    Slider()->SetControlStyle(ControlStyle());
    SetShowTick(false);
    RefreshPictures();
}
