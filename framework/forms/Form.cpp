#include "framework/forms/Form.h"

#include "framework/controls/Menus.h"
#include "framework/core/Application.h"
#include "framework/forms/WindowMover.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace {

QScreen* ScreenOfMainForm() {
    TCustomForm* mainForm = Application != nullptr ? Application->MainForm() : nullptr;
    if (mainForm != nullptr && mainForm->Handle()->screen() != nullptr) {
        return mainForm->Handle()->screen();
    }
    return QGuiApplication::primaryScreen();
}

Qt::Edges EdgesOfHit(intptr_t hit) {
    switch (hit) {
    case HTLEFT:
        return Qt::LeftEdge;
    case HTRIGHT:
        return Qt::RightEdge;
    case HTTOP:
        return Qt::TopEdge;
    case HTBOTTOM:
        return Qt::BottomEdge;
    case HTTOPLEFT:
        return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT:
        return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HTBOTTOMRIGHT:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

Qt::CursorShape CursorOfHit(intptr_t hit) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM:
        return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

const TScreen* Screen = [] {
    static const TScreen screen;
    return &screen;
}();

TRect TScreen::WorkAreaRect() const {
    QScreen* screen = ScreenOfMainForm();
    return screen != nullptr ? TRect::FromQRect(screen->availableGeometry()) : TRect();
}

TRect TScreen::DesktopRect() const {
    QScreen* screen = ScreenOfMainForm();
    return screen != nullptr ? TRect::FromQRect(screen->virtualGeometry()) : TRect();
}

TCustomForm* TScreen::ActiveForm() const {
    return qobject_cast<TCustomForm*>(FindControl(QApplication::activeWindow()));
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    RecreateHandle();
    CreateClientWidget();
    SetControlStyle(ControlStyle() | csOpaque | csAcceptsControls);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetVisible(false);
    ApplyWindowFlags();
    SetBounds(0, 0, 320, 240);
    RecreateFrame();
    AcceptFileDrops(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
}

void TCustomForm::BeforeDestruction() {
    if (OnDestroy) {
        OnDestroy(this);
    }
}

QWidget* TCustomForm::CreateHandle() {
    auto* window = new TControlWidget(this);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setFocusPolicy(Qt::NoFocus);
    return window;
}

TRect TCustomForm::WindowRect() const {
    return TRect::FromQRect(Handle()->geometry());
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    Constraints()->Apply(width, height);
    width = std::max(0, width);
    height = std::max(0, height);
    if (left != Left() || top != Top() || width != Width() || height != Height()) {
        SetBoundsFields(left, top, width, height);
        ApplySizeLimits();
        Handle()->setGeometry(left, top, width, height);
    }
    RecreateFrame();
}

void TCustomForm::SetClientSize(int width, int height) {
    if (IsLoading()) {
        FRequestedClientSize = TSize{width, height};
    }
    TWinControl::SetClientSize(width, height);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (FRequestedClientSize.has_value()) {
        const TSize size = *FRequestedClientSize;
        FRequestedClientSize.reset();
        SetClientSize(size.cx, size.cy);
    }
}

void TCustomForm::SyncBoundsFromWindow() {
    const QRect geometry = Handle()->geometry();
    SetBoundsFields(geometry.x(), geometry.y(), geometry.width(), geometry.height());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style != FBorderStyle) {
        FBorderStyle = style;
        ApplyWindowFlags();
    }
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons != FBorderIcons) {
        FBorderIcons = icons;
        ApplyWindowFlags();
    }
}

void TCustomForm::SetFrameless(bool frameless) {
    if (frameless != FFrameless) {
        FFrameless = frameless;
        ApplyWindowFlags();
        RecreateFrame();
    }
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    // Multiple-document windows do not exist here: such a form is a normal one.
    FFormStyle = style;
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    switch (FBorderStyle) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsSingle:
    case bsSizeable:
        flags |= Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        if (FBorderIcons.testFlag(biSystemMenu)) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (FBorderIcons.testFlag(biMinimize)) {
                flags |= Qt::WindowMinimizeButtonHint;
            }
            if (FBorderIcons.testFlag(biMaximize)) {
                flags |= Qt::WindowMaximizeButtonHint;
            }
        }
        break;
    }
    if (FFrameless) {
        // Qt drops the frameless hint next to title-bar hints: keep the window type.
        flags = (flags & Qt::WindowType_Mask) | Qt::FramelessWindowHint;
    }
    if (FFormStyle == fsStayOnTop) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    QWidget* window = Handle();
    if (window->windowFlags() == flags) {
        return;
    }
    const bool wasVisible = window->isVisible();
    window->setWindowFlags(flags);
    ApplySizeLimits();
    if (wasVisible) {
        window->show();
    }
}

void TCustomForm::ApplySizeLimits() {
    QWidget* window = Handle();
    const bool fixed =
        (FBorderStyle == bsSingle || FBorderStyle == bsDialog || FBorderStyle == bsToolWindow) ||
        FWindowState == wsMaximized;
    if (fixed) {
        window->setFixedSize(Width(), Height());
        return;
    }
    const TSizeConstraints* limits = Constraints();
    window->setMinimumSize(limits->MinWidth(), limits->MinHeight());
    window->setMaximumSize(limits->MaxWidth() > 0 ? limits->MaxWidth() : QWIDGETSIZE_MAX,
                           limits->MaxHeight() > 0 ? limits->MaxHeight() : QWIDGETSIZE_MAX);
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (state == FWindowState) {
        return;
    }
    if (!Visible()) {
        // Applied when the form is shown.
        FWindowState = state;
        return;
    }
    SetWindowStateNow(state);
}

void TCustomForm::SetWindowStateNow(TWindowState state) {
    QWidget* window = Handle();
    const TWindowState previous = FWindowState;
    if (previous == wsNormal) {
        FNormalBounds = BoundsRect();
    }
    switch (state) {
    case wsMaximized: {
        // Without a window manager maximising only flips a flag: set the geometry.
        FWindowState = wsMaximized;
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const TRect area = Screen->WorkAreaRect();
        SetBoundsFields(area.Left, area.Top, area.Width(), area.Height());
        window->setGeometry(area.ToQRect());
        ApplySizeLimits();
        RecreateFrame();
        Perform(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(ClientWidth(), ClientHeight()));
        break;
    }
    case wsMinimized:
        FWindowState = wsMinimized;
        window->showMinimized();
        break;
    case wsNormal:
        FWindowState = wsNormal;
        if (previous == wsMinimized) {
            window->showNormal();
        }
        if (previous == wsMaximized || !FNormalBounds.IsEmpty()) {
            window->setMinimumSize(0, 0);
            window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            const TRect normal = FNormalBounds;
            SetBoundsFields(normal.Left, normal.Top, normal.Width(), normal.Height());
            window->setGeometry(normal.ToQRect());
            ApplySizeLimits();
            RecreateFrame();
        }
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
        break;
    }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control != nullptr && (control == this || !ContainsControl(control))) {
        return;
    }
    FActiveControl = control;
    if (control != nullptr && Handle()->isVisible() && control->CanFocus()) {
        control->Handle()->setFocus(Qt::OtherFocusReason);
    }
}

void TCustomForm::FocusControlChanged(TWinControl* control) {
    FActiveControl = control;
    control->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(control));
}

void TCustomForm::ControlRemoved(TControl* control) {
    if (FActiveControl != nullptr &&
        (FActiveControl == control ||
         (qobject_cast<TWinControl*>(control) != nullptr &&
          static_cast<TWinControl*>(control)->ContainsControl(FActiveControl)))) {
        FActiveControl = nullptr;
    }
}

void TCustomForm::SetMenu(TComponent* menu) {
    if (menu == FMenu) {
        return;
    }
    FMenu.Set(menu);
    if (auto* mainMenu = qobject_cast<TMainMenu*>(menu)) {
        // The form follows its menu's changes; OnChange stays free for user code. A
        // menu may outlive the form or be handed on, so the listener checks both.
        mainMenu->ChangeListener = [form = QPointer<TCustomForm>(this)](TMenu* changed) {
            if (form != nullptr && !form->IsDestroying() && form->Menu() == changed) {
                form->Perform(CM_MENUCHANGED);
            }
        };
    }
    Perform(CM_MENUCHANGED);
}

void TCustomForm::RebuildMenuBar() {
    auto* mainMenu = qobject_cast<TMainMenu*>(FMenu);
    if (mainMenu == nullptr) {
        delete FMenuBar;
        FMenuBar = nullptr;
        RecreateFrame();
        return;
    }
    if (FMenuBar == nullptr) {
        FMenuBar = new QMenuBar(Handle());
        FMenuBar->setNativeMenuBar(false);
        FMenuBar->setFont(Font()->ToQFont());
    }
    FMenuBar->clear();
    mainMenu->FillQMenu(FMenuBar, mainMenu->Items());
    RecreateFrame();
}

void TCustomForm::SetIcon(const QIcon& icon) {
    FIcon = icon;
    Handle()->setWindowIcon(icon);
    Perform(CM_ICONCHANGED);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) {
        OnCloseQuery(this, canClose);
    }
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) {
        return;
    }
    const bool isMain = Application != nullptr && Application->MainForm() == this;
    if (isMain) {
        Hide();
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    case caNone:
        break;
    }
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) {
        OnClose(this, action);
    }
}

int TCustomForm::ShowModal() {
    FModalResult = mrNone;
    FModal = true;
    Handle()->setWindowModality(Qt::ApplicationModal);
    Show();
    BringWindowToFront();
    while (true) {
        while (FModalResult == mrNone && Visible() &&
               (Application == nullptr || !Application->Terminated())) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (FModalResult == mrNone || CloseQuery()) {
            break;
        }
        FModalResult = mrNone;
    }
    const int result = FModalResult != mrNone ? FModalResult : mrCancel;
    FModal = false;
    TCloseAction action = caHide;
    DoClose(action);
    Hide();
    Handle()->setWindowModality(Qt::NonModal);
    FModalResult = result;
    return result;
}

void TCustomForm::Release() {
    if (FReleasing) {
        return;
    }
    FReleasing = true;
    Hide();
    QPointer<QObject> guard(this);
    QTimer::singleShot(0, [guard] {
        if (guard) {
            auto* form = static_cast<TCustomForm*>(guard.data());
            form->BeforeDestruction();
            delete form;
        }
    });
}

void TCustomForm::BringWindowToFront() {
    Handle()->raise();
    Handle()->activateWindow();
}

TNotifyEvent* TCustomForm::NotifyEvent(const QString& name) {
    const std::pair<const char*, TNotifyEvent*> events[] = {
        {"OnCreate", &OnCreate}, {"OnDestroy", &OnDestroy},   {"OnShow", &OnShow},
        {"OnHide", &OnHide},     {"OnActivate", &OnActivate}, {"OnDeactivate", &OnDeactivate},
        {"OnPaint", &OnPaint},
    };
    for (const auto& [eventName, event] : events) {
        if (name == QLatin1String(eventName)) {
            return event;
        }
    }
    return TWinControl::NotifyEvent(name);
}

void TCustomForm::DoCreate() {
    if (OnCreate) {
        OnCreate(this);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) {
        OnShow(this);
    }
}

void TCustomForm::DoHide() {
    if (OnHide) {
        OnHide(this);
    }
}

void TCustomForm::PlaceOnFirstShow() {
    if (FShownOnce) {
        return;
    }
    FShownOnce = true;
    TRect area;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        area = Screen->WorkAreaRect();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        auto* owner = qobject_cast<TCustomForm*>(Owner());
        TCustomForm* center = FPosition == poOwnerFormCenter && owner != nullptr
                                  ? owner
                                  : (Application != nullptr ? Application->MainForm() : nullptr);
        area = center != nullptr && center != this ? center->WindowRect() : Screen->WorkAreaRect();
        break;
    }
    default:
        return;
    }
    if (area.IsEmpty()) {
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
              Width(), Height());
}

void TCustomForm::CMVisibleChanged(TMessage& message) {
    QWidget* window = Handle();
    if (Visible()) {
        PlaceOnFirstShow();
        window->show();
        if (FWindowState != wsNormal) {
            const TWindowState state = FWindowState;
            FWindowState = wsNormal;
            SetWindowStateNow(state);
        }
        if (FActiveControl != nullptr && FActiveControl->CanFocus()) {
            FActiveControl->Handle()->setFocus(Qt::OtherFocusReason);
        }
    } else {
        window->hide();
    }
    DefaultHandler(message);
}

void TCustomForm::CMTextChanged(TMessage& message) {
    Handle()->setWindowTitle(GetText());
    TWinControl::CMTextChanged(message);
}

void TCustomForm::CMDialogKey(TMessage& message) {
    const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
    switch (message.WParam) {
    case VK_TAB:
        if (!shift.testFlag(ssCtrl)) {
            SelectNext(FActiveControl, !shift.testFlag(ssShift), true);
            message.Result = 1;
            return;
        }
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
            const bool forward = message.WParam == VK_RIGHT || message.WParam == VK_DOWN;
            if (TWinControl* next = FActiveControl->Parent()->FindNextControl(
                    FActiveControl, forward, false, true)) {
                next->SetFocus();
            }
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::CMDialogKey(message);
}

void TCustomForm::CMFocusChanged(TMessage& message) {
    TWinControl::CMFocusChanged(message);
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_NCHITTEST:
        WMNCHitTest(message);
        break;
    case WM_ACTIVATE:
        WMActivate(message);
        break;
    case WM_CLOSE:
        WMClose(message);
        break;
    case WM_SYSCOMMAND:
        WMSysCommand(message);
        break;
    case WM_NCLBUTTONDOWN:
        // A press on the caption moves the window with the pointer; on a sizeable
        // frame it resizes the window.
        // A press sent on by a control carries no position: the pointer's is used.
        if (const TPoint at = message.LParam != 0
                                  ? Point(LParamX(message.LParam), LParamY(message.LParam))
                                  : GetCursorPos();
            message.WParam == HTCAPTION && FWindowState != wsMaximized) {
            StartCaptionDrag(Handle(), at);
        } else if (const Qt::Edges edges = EdgesOfHit(message.WParam); edges != Qt::Edges()) {
            StartFrameResize(Handle(), edges, at);
        }
        TWinControl::WndProc(message);
        break;
    case WM_NCMOUSEMOVE:
        Handle()->setCursor(CursorOfHit(message.WParam));
        TWinControl::WndProc(message);
        break;
    case CM_MENUCHANGED:
        RebuildMenuBar();
        TWinControl::WndProc(message);
        break;
    case WM_SHOWWINDOW:
        TWinControl::WndProc(message);
        if (message.WParam != 0) {
            DoShow();
        } else {
            DoHide();
        }
        break;
    default:
        TWinControl::WndProc(message);
        break;
    }
}

void TCustomForm::WMNCCalcSize(TMessage& message) {
    // The window manager draws the frame: the client area is the whole window less a
    // shown menu bar. A frameless window with a border keeps a frame of its own.
    TWinControl::WMNCCalcSize(message);
    auto* rect = reinterpret_cast<TRect*>(message.LParam);
    if (FFrameless && FBorderStyle != bsNone) {
        rect->Left += KeptFrameWidth;
        rect->Top += KeptFrameWidth;
        rect->Right -= KeptFrameWidth;
        rect->Bottom -= KeptFrameWidth;
    }
    if (FMenuBar != nullptr && !FMenuBar->isHidden()) {
        const int height = FMenuBar->sizeHint().height();
        FMenuBar->setGeometry(rect->Left, rect->Top, rect->Width(), height);
        rect->Top += height;
    }
}

void TCustomForm::WMNCPaint(TMessage& message) {
    if (message.WParam == 0) {
        return;
    }
    auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(TBrush::bsSolid);
    canvas->FillRect(Rect(0, 0, Width(), Height()));
}

void TCustomForm::WMNCHitTest(TMessage& message) {
    const QPoint local =
        Handle()->mapFromGlobal(QPoint(LParamX(message.LParam), LParamY(message.LParam)));
    const TPoint point = TPoint::FromQPoint(local);
    const TRect client = ClientAreaInWindow();
    if (PtInRect(client, point)) {
        message.Result = HTCLIENT;
    } else if (!PtInRect(Rect(0, 0, Width(), Height()), point)) {
        message.Result = HTNOWHERE;
    } else if (FFrameless && (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) &&
               FWindowState == wsNormal) {
        // A painted frame of a sizeable window resizes from the edge it lies on.
        const bool left = point.X < client.Left;
        const bool right = point.X >= client.Right;
        const bool top = point.Y < client.Top;
        const bool bottom = point.Y >= client.Bottom;
        if (top) {
            message.Result = left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        } else if (bottom) {
            message.Result = left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        } else {
            message.Result = left ? HTLEFT : HTRIGHT;
        }
    } else {
        message.Result = HTBORDER;
    }
}

void TCustomForm::WMActivate(TMessage& message) {
    const bool active = message.WParam != WA_INACTIVE;
    if (active == FActive) {
        return;
    }
    FActive = active;
    Perform(WM_NCACTIVATE, active ? 1 : 0);
    if (active) {
        if (FActiveControl != nullptr && FActiveControl->CanFocus() && !FActiveControl->Focused()) {
            FActiveControl->Handle()->setFocus(Qt::ActiveWindowFocusReason);
        }
        if (OnActivate) {
            OnActivate(this);
        }
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::WMClose(TMessage&) {
    Close();
}

void TCustomForm::WMSysCommand(TMessage& message) {
    switch (message.WParam & 0xFFF0) {
    case SC_MINIMIZE:
        SetWindowState(wsMinimized);
        break;
    case SC_MAXIMIZE:
        SetWindowState(wsMaximized);
        break;
    case SC_RESTORE:
        SetWindowState(wsNormal);
        break;
    case SC_CLOSE:
        Close();
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

bool TCustomForm::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    if (widget == Handle() && TranslateFrameEvent(event)) {
        handled = true;
        return true;
    }
    return TWinControl::TranslateEvent(widget, event, handled);
}

bool TCustomForm::TranslateFrameEvent(QEvent* event) {
    QWidget* window = Handle();
    switch (event->type()) {
    case QEvent::Paint: {
        TCanvas canvas;
        canvas.SetDevice(window);
        Perform(WM_NCPAINT, reinterpret_cast<intptr_t>(&canvas));
        canvas.ReleaseHandle();
        return true;
    }
    case QEvent::Resize:
        SyncBoundsFromWindow();
        RecreateFrame();
        Perform(WM_SIZE, FWindowState == wsMaximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                MakeLParam(ClientWidth(), ClientHeight()));
        return true;
    case QEvent::Move:
        SyncBoundsFromWindow();
        Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
        return true;
    case QEvent::Close: {
        // The framework decides whether and how the window goes (OnCloseQuery,
        // OnClose); Qt only reports the request.
        event->ignore();
        TMessage message;
        message.Msg = WM_CLOSE;
        Dispatch(message);
        return true;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        Perform(WM_ACTIVATE, event->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE);
        return false;
    case QEvent::WindowStateChange: {
        const Qt::WindowStates states = window->windowState();
        if (states.testFlag(Qt::WindowMinimized)) {
            FWindowState = wsMinimized;
        } else if (FWindowState == wsMinimized) {
            FWindowState = wsNormal;
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        const intptr_t position = MakeLParam(global.x(), global.y());
        const intptr_t hit = Perform(WM_NCHITTEST, 0, position);
        uint32_t msg = WM_NCMOUSEMOVE;
        const bool left = mouse->button() == Qt::LeftButton;
        if (event->type() == QEvent::MouseButtonPress) {
            msg = left ? WM_NCLBUTTONDOWN : WM_NCRBUTTONDOWN;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            msg = left ? WM_NCLBUTTONUP : WM_NCRBUTTONUP;
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            msg = left ? WM_NCLBUTTONDBLCLK : WM_NCRBUTTONDOWN;
        }
        TMessage message;
        message.Msg = msg;
        message.WParam = hit;
        message.LParam = position;
        message.Event = event;
        Dispatch(message);
        event->accept();
        return true;
    }
    default:
        return false;
    }
}
