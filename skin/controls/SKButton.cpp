#include "skin/controls/SKButton.h"

#include "framework/forms/Form.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"

#include <algorithm>

namespace {

// AutoSize's size when the look has no button picture.
constexpr int FallbackPictureWidth = 74;
constexpr int FallbackPictureHeight = 21;

constexpr int ButtonDefaultWidth = 80;
constexpr int ButtonDefaultHeight = 27;

} // namespace

TskCustomButton::TskCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() & ~TControlStyle(csAcceptsControls | csDoubleClicks));
    SetTabStop(true);
    SetUIStyle(GetFormUIStyle(AOwner));
}

TskCustomButton::~TskCustomButton() {
    Destroying();
    StopRepeat();
}

void TskCustomButton::SetAutoSize(bool value) {
    FAutoSize = value;
    AutoSizeChanged();
    Invalidate();
}

void TskCustomButton::SetDefault(bool value) {
    FDefault = value;
    FActiveDefault = value;
    if (TCustomForm* form = GetParentForm(); form != nullptr) {
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(form->ActiveControl()));
    }
}

void TskCustomButton::SetTransparent(bool value) {
    FTransparent = value;
    TransparentChanged();
}

void TskCustomButton::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    UIStyleChanged();
    AutoSizeChanged();
    Invalidate();
}

void TskCustomButton::SetFileThemeReference(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskCustomButton::SetFocusedRectMargin(int value) {
    FFocusedRectMargin = value;
    Invalidate();
}

TskControlState TskCustomButton::DrawState() const {
    TskControlState state;
    state.Enabled = Enabled();
    state.Pressed = FMouseIsDown;
    state.Hot = FMouseIsOver;
    state.Focused = Focused();
    return state;
}

TNotifyEvent* TskCustomButton::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnMouseExit")) {
        return &OnMouseExit;
    }
    if (name == QLatin1String("OnMouseContinuouslyDown")) {
        return &OnMouseContinuouslyDown;
    }
    return TCustomControl::NotifyEvent(name);
}

void TskCustomButton::AutoSizeChanged() {
    if (!FAutoSize) {
        return;
    }
    // The look's own picture, never the file theme's: a file look sizes like DeepBlue's
    // missing picture would (74 x 21, one frame of three).
    const QImage picture = LoadBuiltinThemePicture(FUIStyle, ButtonImage);
    const int height = picture.height() > 0 ? picture.height() : FallbackPictureHeight;
    const int width = picture.width() > 0 ? picture.width() : FallbackPictureWidth;
    SetBounds(Left(), Top(), width / ButtonFrameCount, height);
}

void TskCustomButton::FontChanged() {
    Invalidate();
}

void TskCustomButton::TransparentChanged() {
    FPicTransparent = FTransparent;
    Invalidate();
}

void TskCustomButton::LoadStatePicture(TBitmap* picture) {
    if (!Enabled()) {
        LoadDisabledPic(picture);
    } else if (FMouseIsDown) {
        LoadMouseDownPic(picture);
    } else if (FMouseIsOver) {
        LoadMouseOnPic(picture);
    } else {
        LoadNormalPic(picture);
    }
}

void TskCustomButton::LoadNormalPic(TBitmap* picture) {
    LoadThemeFrame(FileTheme(), FUIStyle, ButtonImage, picture, ButtonFrameCount,
                   ButtonStateFrame({.Enabled = true}));
}

void TskCustomButton::LoadMouseOnPic(TBitmap* picture) {
    LoadThemeFrame(FileTheme(), FUIStyle, ButtonImage, picture, ButtonFrameCount,
                   ButtonStateFrame({.Enabled = true, .Hot = true}));
}

void TskCustomButton::LoadMouseDownPic(TBitmap* picture) {
    LoadThemeFrame(FileTheme(), FUIStyle, ButtonImage, picture, ButtonFrameCount,
                   ButtonStateFrame({.Enabled = true, .Pressed = true}));
}

void TskCustomButton::LoadDisabledPic(TBitmap* picture) {
    LoadThemeFrame(FileTheme(), FUIStyle, ButtonImage, picture, ButtonFrameCount,
                   ButtonStateFrame({.Enabled = false}));
}

void TskCustomButton::Paint() {
    TBitmap picture;
    LoadStatePicture(&picture);
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    if (FTransparent) {
        ::PaintParentBackground(canvas, this);
    } else {
        FillRectColor(canvas, Rect(0, 0, Width(), Height()), Color());
    }
    PaintPic(canvas, &picture);
    if (Focused() && TabStop()) {
        PaintFocus(canvas);
    }
    canvas->SetFont(Font());
    if (!CaptionIsBlank(Caption())) {
        PaintText(canvas, Caption());
    }
    Canvas()->DrawImage(Rect(0, 0, Width(), Height()), buffer.Image(),
                        Rect(0, 0, Width(), Height()));
}

void TskCustomButton::PaintPic(TCanvas* canvas, TBitmap* picture) {
    DrawStatePicture(canvas, picture->Image(), FPicTransparent, Enabled());
}

void TskCustomButton::PaintText(TCanvas* canvas, const QString& caption) {
    DrawCentredCaption(canvas, ClientRect(), caption, Font(), FBoldCaption, Enabled(),
                       FMouseIsDown);
    FBoldCaption = false;
}

void TskCustomButton::PaintFocus(TCanvas* canvas) {
    const int m = FFocusedRectMargin;
    DrawFocusFrame(canvas, Rect(m, m, ClientWidth() - m, ClientHeight() - m));
}

void TskCustomButton::WMEraseBkgnd(TMessage& message) {
    // The whole button is painted in one piece.
    message.Result = 1;
}

void TskCustomButton::CMMouseEnter(TMessage& message) {
    if (!ComponentState().testFlag(csDesigning)) {
        FMouseIsOver = true;
        Invalidate();
    }
    TCustomControl::CMMouseEnter(message);
}

void TskCustomButton::CMMouseLeave(TMessage& message) {
    TCustomControl::CMMouseLeave(message);
    FMouseIsOver = false;
    FMouseIsDown = false;
    StopRepeat();
    Invalidate();
    if (OnMouseExit) {
        OnMouseExit(this);
    }
}

void TskCustomButton::CancelPress() {
    FMouseIsDown = false;
    StopRepeat();
    Invalidate();
}

void TskCustomButton::WMCaptureChanged(TMessage& message) {
    TCustomControl::WMCaptureChanged(message);
    CancelPress();
}

void TskCustomButton::CMEnabledChanged(TMessage& message) {
    TCustomControl::CMEnabledChanged(message);
    EnableChanged();
}

void TskCustomButton::CMFontChanged(TMessage& message) {
    TCustomControl::CMFontChanged(message);
    FontChanged();
}

void TskCustomButton::CMTextChanged(TMessage& message) {
    TCustomControl::CMTextChanged(message);
    CaptionChanged();
    Invalidate();
}

void TskCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FMouseIsDown = true;
        StartRepeat();
        if (TabStop() && CanFocus() && Enabled() && Visible()) {
            SetFocus();
        }
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TskCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (x < 0 || y < 0 || x > Width() || y > Height()) {
        FMouseIsOver = false;
        FMouseIsDown = false;
        Invalidate();
    }
}

void TskCustomButton::StartRepeat() {
    if (FRepeatTimer != nullptr) {
        return;
    }
    FRepeatTimer = new TTimer(nullptr);
    FRepeatTimer->SetInterval(std::max(FMouseContinuouslyDownInterval, 0));
    FRepeatTimer->OnTimer = [this](TObject*) {
        if (OnMouseContinuouslyDown) {
            OnMouseContinuouslyDown(this);
        }
    };
}

void TskCustomButton::StopRepeat() {
    if (FRepeatTimer == nullptr) {
        return;
    }
    // The timer may be inside its own tick (a tick handler may free this button).
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->deleteLater();
    FRepeatTimer = nullptr;
}

void TskCustomButton::Click() {
    if (FMouseIsDown) {
        StopRepeat();
        FMouseIsDown = false;
        Invalidate();
    }
    if (Parent() != nullptr) {
        if (TCustomForm* form = GetParentForm(); form != nullptr) {
            form->SetModalResult(FModalResult);
        }
    }
    TCustomControl::Click();
}

void TskCustomButton::KeyDown(quint16& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
        FMouseIsDown = true;
        Invalidate();
    }
}

void TskCustomButton::KeyUp(quint16& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && FMouseIsDown && Enabled()) {
        FMouseIsDown = false;
        Invalidate();
        Click();
    }
}

void TskCustomButton::CMDialogChar(TMessage& message) {
    const QChar ch(static_cast<char16_t>(message.WParam));
    if (IsAccel(ch, Caption()) && Enabled()) {
        Click();
        message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(message);
}

void TskCustomButton::CMDialogKey(TMessage& message) {
    const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
    const bool plain = !(shift & (ssShift | ssCtrl | ssAlt));
    const bool answers =
        (message.WParam == VK_RETURN && FActiveDefault) || (message.WParam == VK_ESCAPE && FCancel);
    if (answers && plain && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(message);
}

void TskCustomButton::CMFocusChanged(TMessage& message) {
    auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
    const bool toButton = qobject_cast<TskButton*>(focused) != nullptr;
    FActiveDefault = toButton ? focused == this : FDefault;
    Invalidate();
    TCustomControl::CMFocusChanged(message);
}

void TskCustomButton::WMSetFocus(TMessage& message) {
    TCustomControl::WMSetFocus(message);
    Invalidate();
}

void TskCustomButton::WMKillFocus(TMessage& message) {
    TCustomControl::WMKillFocus(message);
    Invalidate();
}

void TskCustomButton::Loaded() {
    TCustomControl::Loaded();
    FActiveDefault = FDefault;
}

TskButton::TskButton(TComponent* AOwner) : TskCustomButton(AOwner), FGlyph(new TBitmap(this)) {
    SetBounds(Left(), Top(), ButtonDefaultWidth, ButtonDefaultHeight);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
    // The look was applied in the base constructor, before this class existed.
    UIStyleChanged();
}

void TskButton::SetFileTheme(TskFileTheme* theme) {
    SetFileThemeReference(theme);
}

void TskButton::SetGlyph(TBitmap* glyph) {
    FGlyph->Assign(glyph);
    Invalidate();
}

void TskButton::SetLayout(TButtonLayout layout) {
    FLayout = layout;
    Invalidate();
}

void TskButton::SetSpacing(int spacing) {
    FSpacing = spacing;
    Invalidate();
}

void TskButton::UIStyleChanged() {
    TskUIStyle effective = UIStyle();
    const bool fromFile = UsingFileTheme(FileTheme(), UIStyle(), effective);
    SetTransparent(fromFile ? FileTheme()->GetBool(ButtonTransparentBool)
                            : GetBuiltinThemeBool(effective, ButtonTransparentBool));
}

void TskButton::PaintPic(TCanvas* canvas, TBitmap* picture) {
    DrawNineGrid(picture, canvas, ClientRect(), PicTransparent());
    if (FGlyph->Empty()) {
        return;
    }
    canvas->SetFont(Font());
    const TSize caption = canvas->TextExtent(Caption());
    const TskGlyphPlacement placement =
        PlaceGlyph(static_cast<TskGlyphSide>(FLayout), {Width(), Height()},
                   GlyphFrameSize(FGlyph->Image()), caption, FSpacing, MouseIsDown());
    FGlyphTextOrigin = placement.Caption;
    DrawButtonGlyph(canvas, placement.Glyph, FGlyph->Image(), Enabled());
}

void TskButton::PaintText(TCanvas* canvas, const QString& caption) {
    if (FGlyph->Empty()) {
        TskCustomButton::PaintText(canvas, caption);
        return;
    }
    DrawCaptionAt(canvas, FGlyphTextOrigin, ClientRect(), caption, Font(), Enabled(),
                  MouseIsDown());
}

void TskButton::PaintFocus(TCanvas* canvas) {
    // These looks mark the focused button by a bold caption instead.
    if (UIStyle() == MacOS || UIStyle() == BlueGlass) {
        SetBoldCaption(true);
        return;
    }
    TskCustomButton::PaintFocus(canvas);
}

TskImageButton::TskImageButton(TComponent* AOwner)
    : TskCustomButton(AOwner), FPicNormal(new TPicture(this)), FPicMouseOn(new TPicture(this)),
      FPicMouseDown(new TPicture(this)), FPicDisabled(new TPicture(this)) {
    for (TPicture* picture : {FPicNormal, FPicMouseOn, FPicMouseDown, FPicDisabled}) {
        picture->OnChange = [this](TObject*) {
            AutoSizeChanged();
            Invalidate();
        };
    }
}

void TskImageButton::SetDrawFocused(bool value) {
    FDrawFocused = value;
    Invalidate();
}

void TskImageButton::SetStretch(bool value) {
    FStretch = value;
    Invalidate();
}

void TskImageButton::AssignPicture(TPicture* target, TPicture* source) {
    target->Assign(source);
    AutoSizeChanged();
    Invalidate();
}

void TskImageButton::AutoSizeChanged() {
    if (Parent() != nullptr && AutoSize() && FPicNormal != nullptr &&
        FPicNormal->Graphic() != nullptr && !FPicNormal->Graphic()->Empty()) {
        SetBounds(Left(), Top(), FPicNormal->Width(), FPicNormal->Height());
    }
}

void TskImageButton::LoadOrNormal(TPicture* picture, TBitmap* target) const {
    const TPicture* source =
        picture->Graphic() != nullptr && !picture->Graphic()->Empty() ? picture : FPicNormal;
    if (source->Graphic() == nullptr || source->Graphic()->Empty()) {
        target->SetImage(QImage());
        return;
    }
    target->Assign(source);
}

void TskImageButton::LoadNormalPic(TBitmap* picture) {
    LoadOrNormal(FPicNormal, picture);
}

void TskImageButton::LoadMouseOnPic(TBitmap* picture) {
    LoadOrNormal(FPicMouseOn, picture);
}

void TskImageButton::LoadMouseDownPic(TBitmap* picture) {
    LoadOrNormal(FPicMouseDown, picture);
}

void TskImageButton::LoadDisabledPic(TBitmap* picture) {
    LoadOrNormal(FPicDisabled, picture);
}

void TskImageButton::PaintPic(TCanvas* canvas, TBitmap* picture) {
    if (picture->Empty()) {
        return;
    }
    const QImage& image = picture->Image();
    const TRect source = Rect(0, 0, image.width(), image.height());
    const TRect dest = FStretch ? Rect(0, 0, Width(), Height()) : source;
    if (PicTransparent()) {
        const QRgb key = image.pixel(0, 0);
        canvas->DrawTransparent(dest, image, source, RGB(qRed(key), qGreen(key), qBlue(key)));
    } else {
        canvas->DrawImage(dest, image, source);
    }
}

void TskImageButton::PaintFocus(TCanvas* canvas) {
    if (FDrawFocused) {
        TskCustomButton::PaintFocus(canvas);
    }
}
