// The skinned push buttons (picture of the look, or four pictures of the user's) and
// the skinned check box.
#pragma once

#include "framework/controls/CustomControl.h"
#include "framework/core/ComponentReference.h"
#include "framework/core/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "skin/controls/SKButtonDraw.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKStateFrames.h"
#include "skin/core/SKThemes.h"

// State, input and the paint sequence of the skinned push buttons; the descendants
// choose the pictures and how they are drawn.
class TskCustomButton : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(int FocusedRectMargin READ FocusedRectMargin WRITE SetFocusedRectMargin)
    Q_PROPERTY(int MouseContinuouslyDownInterval READ MouseContinuouslyDownInterval WRITE
                   SetMouseContinuouslyDownInterval)
public:
    explicit TskCustomButton(TComponent* AOwner);
    ~TskCustomButton() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }
    virtual TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme.Get(); }
    int FocusedRectMargin() const { return FFocusedRectMargin; }
    void SetFocusedRectMargin(int value);
    int MouseContinuouslyDownInterval() const { return FMouseContinuouslyDownInterval; }
    void SetMouseContinuouslyDownInterval(int value) { FMouseContinuouslyDownInterval = value; }

    bool MouseIsOver() const { return FMouseIsOver; }
    bool MouseIsDown() const { return FMouseIsDown; }
    bool ActiveDefault() const { return FActiveDefault; }
    bool PicTransparent() const { return FPicTransparent; }
    bool RepeatTimerRunning() const { return FRepeatTimer != nullptr; }
    // The state the paint shows (Enabled is the control's own flag).
    TskControlState DrawState() const;

    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    virtual void AutoSizeChanged();
    virtual void CaptionChanged() {}
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnableChanged() {}
    virtual void UIStyleChanged() {}
    virtual void PaintPic(TCanvas* canvas, TBitmap* picture);
    virtual void PaintText(TCanvas* canvas, const QString& caption);
    virtual void PaintFocus(TCanvas* canvas);
    virtual void LoadNormalPic(TBitmap* picture);
    virtual void LoadMouseOnPic(TBitmap* picture);
    virtual void LoadMouseDownPic(TBitmap* picture);
    virtual void LoadDisabledPic(TBitmap* picture);

    void SetFileThemeReference(TskFileTheme* theme);
    void SetBoldCaption(bool value) { FBoldCaption = value; }
    bool BoldCaption() const { return FBoldCaption; }

    void Paint() override;
    void WMEraseBkgnd(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void WMCaptureChanged(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void Click() override;
    void KeyDown(quint16& key, TShiftState shift) override;
    void KeyUp(quint16& key, TShiftState shift) override;
    void Loaded() override;

private:
    void StartRepeat();
    void StopRepeat();
    // Ends a press that did not become a click (pointer gone, capture lost).
    void CancelPress();
    void LoadStatePicture(TBitmap* picture);

    bool FAutoSize = false;
    bool FCancel = false;
    bool FDefault = false;
    bool FTransparent = false;
    int FModalResult = 0;
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    bool FBoldCaption = false;
    bool FPicTransparent = false;
    TTimer* FRepeatTimer = nullptr;
    int FMouseContinuouslyDownInterval = 100;
    int FFocusedRectMargin = 2;
    bool FActiveDefault = false;
    bool FMouseIsOver = false;
    bool FMouseIsDown = false;
};

// The button of the main window: one frame of the look's ButtonImage stretched to any
// size, with an optional glyph beside the caption.
class TskButton : public TskCustomButton {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TBitmap* Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(uint ResHandle READ ResHandle WRITE SetResHandle)
public:
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)

    explicit TskButton(TComponent* AOwner);

    void SetFileTheme(TskFileTheme* theme);
    TBitmap* Glyph() const { return FGlyph; }
    void SetGlyph(TBitmap* glyph);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    // Kept for stored layouts: reads 0, writing does nothing.
    uint ResHandle() const { return 0; }
    void SetResHandle(uint) {}
    // Where the caption went in the last paint with a glyph.
    TPoint GlyphTextOrigin() const { return FGlyphTextOrigin; }

protected:
    void UIStyleChanged() override;
    void PaintPic(TCanvas* canvas, TBitmap* picture) override;
    void PaintText(TCanvas* canvas, const QString& caption) override;
    void PaintFocus(TCanvas* canvas) override;

private:
    TBitmap* FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    TPoint FGlyphTextOrigin;
    int FSpacing = 4;
};

// A button drawn from four pictures of the user's (the scroll bar's arrows use it).
class TskImageButton : public TskCustomButton {
    Q_OBJECT
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(bool DrawFocused READ DrawFocused WRITE SetDrawFocused)
    Q_PROPERTY(TPicture* PicNormal READ PicNormal WRITE SetPicNormal)
    Q_PROPERTY(TPicture* PicMouseOn READ PicMouseOn WRITE SetPicMouseOn)
    Q_PROPERTY(TPicture* PicMouseDown READ PicMouseDown WRITE SetPicMouseDown)
    Q_PROPERTY(TPicture* PicDisabled READ PicDisabled WRITE SetPicDisabled)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
public:
    explicit TskImageButton(TComponent* AOwner);

    // The pictures are the look: the stored value is kept but never used.
    TskUIStyle UIStyle() const override { return FromThemeFile; }
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    TPicture* PicNormal() const { return FPicNormal; }
    TPicture* PicMouseOn() const { return FPicMouseOn; }
    TPicture* PicMouseDown() const { return FPicMouseDown; }
    TPicture* PicDisabled() const { return FPicDisabled; }
    void SetPicNormal(TPicture* picture) { AssignPicture(FPicNormal, picture); }
    void SetPicMouseOn(TPicture* picture) { AssignPicture(FPicMouseOn, picture); }
    void SetPicMouseDown(TPicture* picture) { AssignPicture(FPicMouseDown, picture); }
    void SetPicDisabled(TPicture* picture) { AssignPicture(FPicDisabled, picture); }

protected:
    void AutoSizeChanged() override;
    void PaintPic(TCanvas* canvas, TBitmap* picture) override;
    void PaintFocus(TCanvas* canvas) override;
    void LoadNormalPic(TBitmap* picture) override;
    void LoadMouseOnPic(TBitmap* picture) override;
    void LoadMouseDownPic(TBitmap* picture) override;
    void LoadDisabledPic(TBitmap* picture) override;

private:
    void AssignPicture(TPicture* target, TPicture* source);
    // picture, else PicNormal, into target (empty when both are empty).
    void LoadOrNormal(TPicture* picture, TBitmap* target) const;

    TPicture* FPicNormal;
    TPicture* FPicMouseOn;
    TPicture* FPicMouseDown;
    TPicture* FPicDisabled;
    bool FStretch = false;
    bool FDrawFocused = false;
};

// The two-state check box: the look's picture for its state, the caption beside it,
// a focus rectangle around the caption; toggles on click, Space, Enter and accelerator.
class TskCheckBox : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(TCheckBoxState State READ State WRITE SetState)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
    Q_ENUM(TCheckBoxState)

    explicit TskCheckBox(TComponent* AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    TCheckBoxState State() const { return FChecked ? cbChecked : cbUnchecked; }
    void SetState(TCheckBoxState state) { SetChecked(state == cbChecked); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme.Get(); }
    void SetFileTheme(TskFileTheme* theme);

    // The state picture of the moment (frame of PicElement by the state table).
    QImage StatePicture() const;
    TskControlState DrawState() const;

    TNotifyEvent* NotifyEvent(const QString& name) override;

    // Raised when Checked changes outside loading; the framework's OnClick is not used.
    TNotifyEvent OnClick;

protected:
    virtual bool NeedDrawFocus() const;
    virtual bool PicIsTransparent() const { return false; }
    virtual int PicElement() const { return CheckBoxImage; }
    virtual void DoClick();
    virtual void BeforeToggle() {}
    virtual void Toggle();
    virtual bool KeyToggles() const { return true; }

    void Paint() override;
    void WMEraseBkgnd(TMessage& message) override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(quint16& key, TShiftState shift) override;
    void CMDialogChar(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;

private:
    // Sizes the box to picture and caption (font, caption, look or picture changed).
    void ApplyAutoSize();
    void TakeFocus();

    bool FChecked = false;
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    bool FTransparent = false;
    bool FAutoSize = true;
};
