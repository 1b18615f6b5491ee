#pragma once

#include "framework/controls/Control.h"

#include <QIcon>
#include <optional>

class QEventLoop;
class QMenuBar;

enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
};

// A top-level window. Its widget (Handle) is the whole window; the client area is a
// child widget placed where the window procedure's answer to WM_NCCALCSIZE puts it
// (by default the whole window: the window manager draws the frame), and the area
// around it is painted on WM_NCPAINT. A skinned frame takes WindowProc over, makes the
// window frameless and answers those two messages.
class TCustomForm : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TBorderIcons BorderIcons READ BorderIcons WRITE SetBorderIcons)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool Scaled READ Scaled WRITE SetScaled)
    Q_PROPERTY(bool AutoScroll READ AutoScroll WRITE SetAutoScroll)
    Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
    Q_PROPERTY(int PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch)
    Q_PROPERTY(int TextHeight READ TextHeightValue WRITE SetTextHeightValue)
    Q_PROPERTY(TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(TWinControl* ActiveControl READ ActiveControl WRITE SetActiveControl)
    Q_PROPERTY(TComponent* Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(TFormStyle FormStyle READ FormStyle WRITE SetFormStyle)
public:
    enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
    Q_ENUM(TFormBorderStyle)
    enum TBorderIcon { biSystemMenu = 0x1, biMinimize = 0x2, biMaximize = 0x4, biHelp = 0x8 };
    Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
    Q_FLAG(TBorderIcons)
    enum TPosition {
        poDesigned,
        poDefault,
        poDefaultPosOnly,
        poDefaultSizeOnly,
        poScreenCenter,
        poDesktopCenter,
        poMainFormCenter,
        poOwnerFormCenter,
    };
    Q_ENUM(TPosition)
    enum TWindowState { wsNormal, wsMinimized, wsMaximized };
    Q_ENUM(TWindowState)
    enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
    Q_ENUM(TFormStyle)
    enum TCloseAction { caNone, caHide, caFree, caMinimize };
    Q_ENUM(TCloseAction)

    using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
    using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    void SetBounds(int left, int top, int width, int height) override;
    // The window rectangle on screen.
    TRect WindowRect() const;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    // Hides the window manager's frame whatever the border style (a painted frame).
    void SetFrameless(bool frameless);
    bool Frameless() const { return FFrameless; }
    // The frame that a frameless form with a border keeps on every side.
    static constexpr int KeptFrameWidth = 3;
    // Remembered while loading and applied again once the children exist, so a frame
    // that a child component adds does not shrink the client area.
    void SetClientSize(int width, int height) override;

    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value) { FAutoScroll = value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int TextHeightValue() const { return FTextHeight; }
    void SetTextHeightValue(int value) { FTextHeight = value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);

    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState state);
    // The bounds to come back to from maximised or minimised.
    TRect NormalBounds() const { return FNormalBounds; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    bool Active() const { return FActive; }
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* menu);
    // The Qt menu bar showing a TMainMenu Menu; a painted frame hides it and draws
    // its own.
    QMenuBar* MenuBar() const { return FMenuBar; }
    QIcon Icon() const { return FIcon; }
    void SetIcon(const QIcon& icon);

    void Close();
    // Runs CloseQuery; true when the form may close.
    virtual bool CloseQuery();
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool Modal() const { return FModal; }
    // Frees the form once control is back in the message loop.
    void Release();
    void BringWindowToFront();

    TNotifyEvent* NotifyEvent(const QString& name) override;

    // Runs OnCreate: the layout reader calls it when the form's layout is read.
    virtual void DoCreate();

    // Called by the framework when focus moves to control, or a control leaves.
    void FocusControlChanged(TWinControl* control);
    void ControlRemoved(TControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    QWidget* CreateHandle() override;
    bool TranslateEvent(QWidget* widget, QEvent* event, bool& handled) override;
    void WndProc(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;
    void WMNCCalcSize(TMessage& message) override;
    void WMNCPaint(TMessage& message) override;
    virtual void WMNCHitTest(TMessage& message);
    virtual void WMActivate(TMessage& message);
    virtual void WMClose(TMessage& message);
    virtual void WMSysCommand(TMessage& message);
    virtual void DoClose(TCloseAction& action);
    virtual void DoShow();
    virtual void DoHide();
    void BeforeDestruction() override;
    void Loaded() override;

private:
    bool TranslateFrameEvent(QEvent* event);
    void ApplyWindowFlags();
    void ApplySizeLimits();
    void PlaceOnFirstShow();
    void SetWindowStateNow(TWindowState state);
    void SyncBoundsFromWindow();

    void RebuildMenuBar();

    QMenuBar* FMenuBar = nullptr;
    std::optional<TSize> FRequestedClientSize;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = TBorderIcons(biSystemMenu | biMinimize | biMaximize);
    bool FFrameless = false;
    TPosition FPosition = poDesigned;
    bool FScaled = true;
    bool FAutoScroll = true;
    bool FKeyPreview = false;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    TRect FNormalBounds;
    TWinControl* FActiveControl = nullptr;
    bool FActive = false;
    TComponentReference<TComponent> FMenu{this, [this](TComponent*) { RebuildMenuBar(); }};
    QIcon FIcon;
    int FModalResult = 0;
    bool FModal = false;
    bool FShownOnce = false;
    bool FReleasing = false;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomForm::TBorderIcons)

// The form class that application windows derive from.
class TForm : public TCustomForm {
    Q_OBJECT
public:
    using TCustomForm::TCustomForm;
};

using TFormBorderStyle = TCustomForm::TFormBorderStyle;
using TCloseAction = TCustomForm::TCloseAction;

// The screen: its work area (the main form's screen, less panels and docks).
class TScreen {
public:
    TRect WorkAreaRect() const;
    TRect DesktopRect() const;
    int Width() const { return DesktopRect().Width(); }
    int Height() const { return DesktopRect().Height(); }
    // The active form, if the active window is one.
    TCustomForm* ActiveForm() const;
};
extern const TScreen* Screen;
