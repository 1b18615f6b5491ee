#include "framework/forms/Form.h"
#include "skin/controls/SKButton.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"

namespace {

constexpr int CheckBoxDefaultWidth = 93;
constexpr int CheckBoxDefaultHeight = 17;
// The line height is measured on this letter.
const QString LineSample = QStringLiteral("W");

} // namespace

TskCheckBox::TskCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), CheckBoxDefaultWidth, CheckBoxDefaultHeight);
    SetControlStyle(ControlStyle() & ~TControlStyle(csDoubleClicks | csAcceptsControls));
    SetTabStop(true);
    // An opaque check box fills with the colour of the page it sits on unless given its own.
    SetParentColor(true);
    SetUIStyle(GetFormUIStyle(AOwner));
}

void TskCheckBox::SetChecked(bool value) {
    if (value == FChecked) {
        return;
    }
    FChecked = value;
    Repaint();
    DoClick();
}

void TskCheckBox::SetAutoSize(bool value) {
    FAutoSize = value;
    ApplyAutoSize();
    Invalidate();
}

void TskCheckBox::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TskCheckBox::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    ApplyAutoSize();
    Invalidate();
}

void TskCheckBox::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

TskControlState TskCheckBox::DrawState() const {
    TskControlState state;
    state.Enabled = Enabled();
    state.Checked = FChecked;
    state.Focused = Focused();
    return state;
}

QImage TskCheckBox::StatePicture() const {
    return ThemeFrame(FileTheme(), FUIStyle, PicElement(), CheckBoxFrameCount,
                      CheckBoxStateFrame(DrawState()));
}

TNotifyEvent* TskCheckBox::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnClick")) {
        return &OnClick;
    }
    return TCustomControl::NotifyEvent(name);
}

bool TskCheckBox::NeedDrawFocus() const {
    return TabStop() && Focused();
}

void TskCheckBox::DoClick() {
    if (!IsLoading() && OnClick) {
        OnClick(this);
    }
}

void TskCheckBox::Toggle() {
    BeforeToggle();
    SetChecked(!FChecked);
}

void TskCheckBox::ApplyAutoSize() {
    if (!FAutoSize) {
        return;
    }
    const QImage picture = StatePicture();
    TCanvas measure;
    QImage scratch(1, 1, QImage::Format_RGB32);
    measure.SetDevice(&scratch);
    measure.SetFont(Font());
    const TSize size =
        CheckBoxAutoSize({picture.width(), picture.height()}, measure.TextHeight(LineSample),
                         measure.TextWidth(Caption()));
    measure.ReleaseHandle();
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TskCheckBox::Paint() {
    const QImage picture = StatePicture();
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    canvas->SetFont(Font());
    if (FTransparent) {
        ::PaintParentBackground(canvas, this);
    } else {
        FillRectColor(canvas, Rect(0, 0, Width(), Height()), Color());
    }
    canvas->Brush()->SetStyle(bsClear);
    const int lineHeight = canvas->TextHeight(LineSample);
    const TskCheckBoxGeometry geometry =
        CheckBoxGeometry({ClientWidth(), ClientHeight()}, {picture.width(), picture.height()},
                         lineHeight, UseRightToLeftAlignment());
    if (!picture.isNull()) {
        const TRect source = Rect(0, 0, picture.width(), picture.height());
        canvas->DrawImage(
            Bounds(geometry.Picture.X, geometry.Picture.Y, picture.width(), picture.height()),
            picture, source);
    }
    TRect captionRect = geometry.Caption;
    canvas->DrawText(Caption(), captionRect,
                     DT_SINGLELINE | (geometry.RightAligned ? DT_RIGHT : DT_LEFT));
    if (NeedDrawFocus()) {
        DrawFocusFrame(canvas, geometry.Focus);
    }
    Canvas()->DrawImage(Rect(0, 0, Width(), Height()), buffer.Image(),
                        Rect(0, 0, Width(), Height()));
}

void TskCheckBox::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TskCheckBox::Click() {
    Toggle();
    TCustomControl::Click();
}

void TskCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == mbLeft) {
        TakeFocus();
    }
}

void TskCheckBox::TakeFocus() {
    if (CanFocus() && Enabled() && Visible()) {
        SetFocus();
    }
}

void TskCheckBox::KeyUp(quint16& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (KeyToggles() && (key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
        Invalidate();
        Click();
    }
}

void TskCheckBox::CMDialogChar(TMessage& message) {
    const QChar ch(static_cast<char16_t>(message.WParam));
    if (IsAccel(ch, Caption()) && Enabled()) {
        TakeFocus();
        Click();
        message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(message);
}

void TskCheckBox::CMEnabledChanged(TMessage& message) {
    TCustomControl::CMEnabledChanged(message);
    Invalidate();
}

void TskCheckBox::CMFontChanged(TMessage& message) {
    TCustomControl::CMFontChanged(message);
    ApplyAutoSize();
}

void TskCheckBox::CMTextChanged(TMessage& message) {
    TCustomControl::CMTextChanged(message);
    ApplyAutoSize();
}

void TskCheckBox::CMFocusChanged(TMessage& message) {
    Invalidate();
    TCustomControl::CMFocusChanged(message);
}

void TskCheckBox::WMSetFocus(TMessage& message) {
    TCustomControl::WMSetFocus(message);
    Invalidate();
}

void TskCheckBox::WMKillFocus(TMessage& message) {
    TCustomControl::WMKillFocus(message);
    Invalidate();
}
