#pragma once

#include "framework/controls/DragDock.h"
#include "framework/core/Component.h"
#include "framework/core/ComponentReference.h"
#include "framework/core/Messages.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Types.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

class TWinControl;
class TCustomForm;
class TControl;

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int MinWidth READ MinWidth WRITE SetMinWidth)
    Q_PROPERTY(int MinHeight READ MinHeight WRITE SetMinHeight)
    Q_PROPERTY(int MaxWidth READ MaxWidth WRITE SetMaxWidth)
    Q_PROPERTY(int MaxHeight READ MaxHeight WRITE SetMaxHeight)
public:
    using TPersistent::TPersistent;
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int value) { Set(FMinWidth, value); }
    void SetMinHeight(int value) { Set(FMinHeight, value); }
    void SetMaxWidth(int value) { Set(FMaxWidth, value); }
    void SetMaxHeight(int value) { Set(FMaxHeight, value); }
    // Clamps a size to the limits.
    void Apply(int& width, int& height) const;

    TNotifyEvent OnChange;

private:
    void Set(int& field, int value);
    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};

// Gives a control's widget its Qt default behaviour back: DefaultHandler calls it.
class IControlWidget {
public:
    virtual ~IControlWidget() = default;
    virtual bool DefaultEvent(QEvent* event) = 0;
    // The control is going away: the widget handles its events alone from now on.
    virtual void Detach() = 0;
};

// A Qt widget class whose every event goes to its control's message boundary first.
template <class Base>
class TForwardingWidget : public Base, public IControlWidget {
public:
    template <class... Args>
    explicit TForwardingWidget(TControl* control, Args&&... args)
        : Base(std::forward<Args>(args)...), FControl(control) {}
    bool DefaultEvent(QEvent* event) override { return Base::event(event); }
    void Detach() override { FControl = nullptr; }

protected:
    bool event(QEvent* event) override;

private:
    TControl* FControl;
};

// The widget of a control painted by the framework (custom controls, panels).
using TControlWidget = TForwardingWidget<QWidget>;

// Base of every visual component. Each control owns one QWidget (its Handle); the
// widget's Qt events become messages at one boundary, pass the replaceable WindowProc,
// then the virtual WndProc, and end in DefaultHandler, which runs the widget's own Qt
// handling of the original event.
class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Caption READ GetText WRITE SetText)
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints)
    Q_PROPERTY(TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)
    Q_PROPERTY(TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(TComponent* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(TComponent* Action READ Action WRITE SetAction)
    Q_PROPERTY(TCursor DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(TDragKind DragKind READ DragKind WRITE SetDragKind)
    Q_PROPERTY(TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(bool DockSite READ DockSite WRITE SetDockSite)
    Q_PROPERTY(bool UseDockManager READ UseDockManager WRITE SetUseDockManager)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
public:
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
    Q_ENUM(TAlign)
    enum TCursor {
        crDefault = 0,
        crNone = -1,
        crArrow = -2,
        crCross = -3,
        crIBeam = -4,
        crSize = -6,
        crSizeNESW = -6,
        crSizeNS = -7,
        crSizeNWSE = -8,
        crSizeWE = -9,
        crUpArrow = -10,
        crHourGlass = -11,
        crDrag = -12,
        crNoDrop = -13,
        crHSplit = -14,
        crVSplit = -15,
        crMultiDrag = -16,
        crSQLWait = -17,
        crNo = -18,
        crAppStart = -19,
        crHelp = -20,
        crHandPoint = -21,
        crSizeAll = -22,
    };
    Q_ENUM(TCursor)
    // Reading order of a control's text; right-to-left drawing also needs a
    // right-to-left system locale (SysLocaleMiddleEast).
    enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
    Q_ENUM(TBiDiMode)
    // Stored for layouts; the framework lays controls out by Align alone.
    enum TAnchorKind { akLeft = 0x1, akTop = 0x2, akRight = 0x4, akBottom = 0x8 };
    Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
    Q_FLAG(TAnchors)
    // Stored for layouts: the framework has no drag and drop or docking of controls.
    enum TDragKind { dkDrag, dkDock };
    Q_ENUM(TDragKind)
    enum TDragMode { dmManual, dmAutomatic };
    Q_ENUM(TDragMode)
    enum TMouseButton { mbLeft, mbRight, mbMiddle };
    Q_ENUM(TMouseButton)
    enum TShiftStateFlag {
        ssShift = 0x1,
        ssAlt = 0x2,
        ssCtrl = 0x4,
        ssLeft = 0x8,
        ssRight = 0x10,
        ssMiddle = 0x20,
        ssDouble = 0x40,
    };
    Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
    Q_FLAG(TShiftState)
    enum TControlStyleFlag {
        csAcceptsControls = 0x1,
        csCaptureMouse = 0x2,
        csClickEvents = 0x4,
        csDoubleClicks = 0x8,
        csOpaque = 0x10,
        csSetCaption = 0x20,
        csParentBackground = 0x40,
    };
    Q_DECLARE_FLAGS(TControlStyle, TControlStyleFlag)

    using TMouseEvent =
        std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
    using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
    using TKeyEvent = std::function<void(TObject* Sender, quint16& Key, TShiftState Shift)>;
    using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
    // MousePos in client coordinates; Handled true shows no popup menu.
    using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
    using TCanResizeEvent =
        std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
    using TConstrainedResizeEvent = std::function<void(
        TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
    using TWndMethod = std::function<void(TMessage& Message)>;

    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // The widget of this control (for a form: the whole top-level window).
    QWidget* Handle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Bounds, relative to the parent's client area.
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& rect) {
        SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    }
    virtual TRect ClientRect() const;
    // The client area in the control's window coordinates (all of it for a control
    // without a frame).
    virtual TRect ClientAreaInWindow() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientSize(int width, int height);
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    TPoint ClientOrigin() const;
    TPoint ScreenToClient(const TPoint& point) const;
    TPoint ClientToScreen(const TPoint& point) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // Asks the parents to bring the control into view (a page control shows the
    // page), then makes it visible.
    void Show();
    void Hide() { SetVisible(false); }
    // Visible and every parent visible: the control is on screen.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont; }
    void SetFont(TFont* font);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    virtual QString GetText() const { return FText; }
    virtual void SetText(const QString& text);
    QString Text() const { return GetText(); }
    QString Caption() const { return GetText(); }
    void SetCaption(const QString& caption) { SetText(caption); }

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { FParentShowHint = value; }

    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    // Whether the control draws right to left: BiDiMode asks for it and the system
    // locale is a right-to-left one.
    bool UseRightToLeftAlignment() const;
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors) { FAnchors = anchors; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor cursor) { FDragCursor = cursor; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind kind) { FDragKind = kind; }
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode mode) { FDragMode = mode; }
    // Stored for layouts, like the drag properties: nothing docks, nothing is drawn 3D.
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool value) { FDockSite = value; }
    bool UseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool value) { FUseDockManager = value; }
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool value) { FParentCtl3D = value; }
    // The menu shown at the pointer on a context-menu request (a TPopupMenu).
    TComponent* PopupMenu() const { return FPopupMenu.Get(); }
    void SetPopupMenu(TComponent* menu) { FPopupMenu.Set(menu); }
    // Stored for layouts: the component named as the control's action. The framework
    // has no action class, so any component may be named and nothing is taken from it.
    TComponent* Action() const { return FAction.Get(); }
    void SetAction(TComponent* action) { FAction.Set(action); }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    // The top-level form holding this control (or the control itself if it is one).
    TCustomForm* GetParentForm() const;

    void BringToFront();
    void SendToBack();
    void Invalidate();
    void Repaint();
    void Update();

    TSizeConstraints* Constraints() const { return FConstraints; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }

    // The message path: WindowProc (replaceable, defaults to WndProc) is called for
    // every message. A component that takes the window over keeps the old value and
    // passes on to it.
    TWndMethod WindowProc;
    intptr_t Perform(uint32_t msg, intptr_t wparam = 0, intptr_t lparam = 0);
    void Dispatch(TMessage& message);

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);
    bool MouseInClient() const { return FMouseInClient; }

    // Paints this control's own background and content (no children) into canvas,
    // with the control's (0, 0) at offset in the canvas.
    virtual void PaintTo(TCanvas& canvas, TPoint offset);
    // Erases and paints the client area alone (never the frame), with the client's
    // (0, 0) at offset in the canvas.
    void PaintClientTo(TCanvas& canvas, TPoint offset);
    // Paints the parent's background and content into canvas so that this control's
    // (0, 0) lands at the canvas's (0, 0): what a transparent control lies on.
    void PaintParentBackground(TCanvas& canvas);

    TNotifyEvent* NotifyEvent(const QString& name) override;
    std::optional<TEventSlot> EventSlot(const QString& name) override;
    void SetParentComponent(TComponent* parent) override;

    // A drag over the control: Accept starts false, and true when OnDragOver is bound,
    // which may change it. X and Y are client coordinates.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // A drop the control accepted: raises OnDragDrop.
    virtual void DragDrop(TObject* Source, int X, int Y);

    // The Qt event boundary; returns what QWidget::event should return.
    bool WidgetEvent(QWidget* widget, QEvent* event);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    // Raised on a context-menu request, before the popup menu.
    TContextPopupEvent OnContextPopup;
    // Stored for layouts: the framework sizes controls by its constraints alone.
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;
    // Raised for files dragged from other programs (see DragDock.h); the other drag and
    // dock events are stored for layouts, never raised.
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDock;
    TStartDockEvent OnStartDock;
    TDockDropEvent OnDockDrop;
    TDockOverEvent OnDockOver;
    TUnDockEvent OnUnDock;
    TGetSiteInfoEvent OnGetSiteInfo;

    static TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers,
                                    Qt::MouseButtons buttons = Qt::NoButton);
    static TShiftState KeysToShiftState(intptr_t keys);
    static int VirtualKeyOf(int qtKey);
    static Qt::CursorShape CursorShapeOf(TCursor cursor);

protected:
    // Creates the widget; the default is a plain framework-painted widget.
    virtual QWidget* CreateHandle();
    // Call once in the constructor of a class that overrides CreateHandle.
    void RecreateHandle();
    // The widget's events: returns true if the event was turned into messages.
    virtual bool TranslateEvent(QWidget* widget, QEvent* event, bool& handled);

    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Message handlers that descendants override (call the base to keep the default).
    virtual void WMPaint(TMessage& message);
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMSize(TMessage& message);
    virtual void WMMove(TMessage& message);
    virtual void WMMouseMove(TMessage& message);
    virtual void WMButtonDown(TMessage& message, TMouseButton button, bool doubleClick);
    virtual void WMButtonUp(TMessage& message, TMouseButton button);
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMBiDiModeChanged(TMessage& message);
    virtual void CMParentBiDiModeChanged(TMessage& message);
    virtual void WMContextMenu(TMessage& message);
    virtual void WMCaptureChanged(TMessage& message);

    // Hooks behind the events.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();

    // The painting canvas of the moment (the widget during a paint event, or the
    // canvas that PaintTo was given).
    TCanvas* PaintCanvas() const { return FPaintCanvas; }
    void SetPaintCanvas(TCanvas* canvas) { FPaintCanvas = canvas; }
    void SetBoundsFields(int left, int top, int width, int height);
    // Runs paint with PaintCanvas set to the canvas of a WM_PAINT (the widget's, or
    // the one in WParam), its state saved around the call.
    void PaintThroughCanvas(TMessage& message, const std::function<void()>& paint);
    // Fills the client area with Color on the paint canvas.
    void EraseBackground(TCanvas& canvas);
    // The widget the children of a windowed control live in.
    virtual QWidget* ClientWidget() const { return FHandle; }
    // Applies Font and Color to a native Qt widget.
    virtual void ApplyFontToWidget();
    virtual void ApplyColorToWidget();

    void Loaded() override;
    void UpdateWidgetVisibility();

    void SetParentFields(TWinControl* parent) { FParent = parent; }
    friend class TWinControl;

private:
    // The drag and dock events by layout name (ControlDragDock.cpp).
    std::optional<TEventSlot> DragDockEventSlot(const QString& name);
    void SendPaintMessages(QWidget* widget, QEvent* event);
    void LeaveFocusBeforeDisabling();
    // Hidden or its window deactivated: a held button or capture is let go.
    void ReleaseMouseHold();
    void FontChanged();
    TMessage MouseMessage(uint32_t msg, const QWidget* widget, QMouseEvent* event) const;
    // A point of widget (the window or the client widget) in client coordinates.
    QPoint ClientPointOf(const QWidget* widget, QPoint point) const;
    // Mouse enter and leave while a button is held (see TranslateEvent).
    // point: the pointer in client coordinates.
    bool TranslateHeldMouseCrossing(QPoint point);

    QWidget* FHandle = nullptr;
    IControlWidget* FBridge = nullptr;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TFont* FFont;
    TSizeConstraints* FConstraints;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    QString FText;
    TCursor FCursor = crDefault;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FApplyingParentBiDiMode = false;
    TAnchors FAnchors = TAnchors(akLeft | akTop);
    TComponentReference<TComponent> FPopupMenu{this};
    TComponentReference<TComponent> FAction{this};
    TCursor FDragCursor = crDrag;
    TDragKind FDragKind = dkDrag;
    TDragMode FDragMode = dmManual;
    bool FDockSite = false;
    bool FUseDockManager = false;
    bool FLocked = false;
    bool FParentCtl3D = true;
    TControlStyle FControlStyle;
    bool FMouseInClient = false;
    bool FClickPending = false;
    TCanvas* FPaintCanvas = nullptr;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TControl::TShiftState)
Q_DECLARE_OPERATORS_FOR_FLAGS(TControl::TControlStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TControl::TAnchors)

using TAlign = TControl::TAlign;
using TBiDiMode = TControl::TBiDiMode;
constexpr TBiDiMode bdLeftToRight = TControl::bdLeftToRight;
constexpr TBiDiMode bdRightToLeft = TControl::bdRightToLeft;
using TCursor = TControl::TCursor;
using TMouseButton = TControl::TMouseButton;
using TShiftState = TControl::TShiftState;
using TMouseEvent = TControl::TMouseEvent;
using TMouseMoveEvent = TControl::TMouseMoveEvent;
using TKeyEvent = TControl::TKeyEvent;
using TKeyPressEvent = TControl::TKeyPressEvent;
constexpr TAlign alNone = TControl::alNone;
constexpr TAlign alTop = TControl::alTop;
constexpr TAlign alBottom = TControl::alBottom;
constexpr TAlign alLeft = TControl::alLeft;
constexpr TAlign alRight = TControl::alRight;
constexpr TAlign alClient = TControl::alClient;
constexpr TCursor crDefault = TControl::crDefault;
constexpr TCursor crArrow = TControl::crArrow;
constexpr TCursor crHandPoint = TControl::crHandPoint;
constexpr TCursor crIBeam = TControl::crIBeam;
constexpr TCursor crSizeAll = TControl::crSizeAll;
constexpr TCursor crHourGlass = TControl::crHourGlass;

template <class Base>
bool TForwardingWidget<Base>::event(QEvent* event) {
    return FControl != nullptr ? FControl->WidgetEvent(this, event) : Base::event(event);
}

// The mouse: its position on the screen and the control holding the capture.
struct TMouse {
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& point) const;
    TControl* Capture() const;
};
extern const TMouse* Mouse;
TPoint GetCursorPos();
TControl* GetCaptureControl();
// Whether the system locale is a right-to-left ("Middle-East") one: Arabic, Hebrew,
// Persian or Urdu. Read once; tests override it.
bool SysLocaleMiddleEast();
// Forces SysLocaleMiddleEast's answer (tests); std::nullopt reads the locale again.
void SetSysLocaleMiddleEastOverride(std::optional<bool> value);

// The control whose widget is (or contains) widget, if any.
TControl* FindControl(const QWidget* widget);
