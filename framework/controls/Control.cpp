#include "framework/controls/Control.h"

#include "framework/core/Application.h"
#include "framework/forms/Form.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <algorithm>

namespace {

const char* const ControlProperty = "sumwardenControl";

// Keeps the bridge of the event being translated, so DefaultHandler reaches the
// widget that received it (a form has two widgets), and nested events restore it.
class TEventScope {
public:
    TEventScope(IControlWidget*& slot, IControlWidget* bridge) : FSlot(slot), FSaved(slot) {
        FSlot = bridge;
    }
    ~TEventScope() { FSlot = FSaved; }
    TEventScope(const TEventScope&) = delete;
    TEventScope& operator=(const TEventScope&) = delete;

private:
    IControlWidget*& FSlot;
    IControlWidget* FSaved;
};

IControlWidget* gEventBridge = nullptr;

bool IsDialogKey(int vk) {
    switch (vk) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return true;
    default:
        return false;
    }
}

bool IsArrowKey(int vk) {
    return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
}

TControl* gCaptureControl = nullptr;

} // namespace

const TMouse* Mouse = [] {
    static const TMouse mouse;
    return &mouse;
}();

void TSizeConstraints::Apply(int& width, int& height) const {
    if (FMaxWidth > 0) {
        width = std::min(width, FMaxWidth);
    }
    if (FMaxHeight > 0) {
        height = std::min(height, FMaxHeight);
    }
    width = std::max(width, FMinWidth);
    height = std::max(height, FMinHeight);
}

void TSizeConstraints::Set(int& field, int value) {
    if (field != value) {
        field = std::max(0, value);
        if (OnChange) {
            OnChange(this);
        }
    }
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(new TFont(this)), FConstraints(new TSizeConstraints(this)) {
    FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
    FControlStyle = TControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption);
    WindowProc = [this](TMessage& message) { WndProc(message); };
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    RecreateHandle();
}

TControl::~TControl() {
    Destroying();
    if (gCaptureControl == this) {
        gCaptureControl = nullptr;
    }
    if (FParent != nullptr) {
        FParent->RemoveControl(this);
    }
    if (FBridge != nullptr) {
        FBridge->Detach();
    }
    delete FHandle;
}

QWidget* TControl::CreateHandle() {
    return new TControlWidget(this);
}

void TControl::RecreateHandle() {
    QWidget* old = FHandle;
    if (FBridge != nullptr) {
        FBridge->Detach();
    }
    FHandle = CreateHandle();
    FBridge = dynamic_cast<IControlWidget*>(FHandle);
    FHandle->setProperty(ControlProperty, QVariant::fromValue<QObject*>(this));
    FHandle->setMouseTracking(true);
    if (old != nullptr) {
        const QList<QWidget*> children = old->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (FindControl(child) != nullptr) {
                child->setParent(ClientWidget());
            }
        }
        delete old;
    }
    if (FParent != nullptr) {
        FHandle->setParent(FParent->ClientWidget());
    }
    FHandle->setGeometry(FLeft, FTop, FWidth, FHeight);
    FHandle->setEnabled(FEnabled);
    SetCursor(FCursor);
    ApplyFontToWidget();
    ApplyColorToWidget();
    UpdateWidgetVisibility();
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientSize(int width, int height) {
    const TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - client.Width() + width, FHeight - client.Height() + height);
}

TPoint TControl::ClientOrigin() const {
    return TPoint::FromQPoint(ClientWidget()->mapToGlobal(QPoint(0, 0)));
}

TPoint TControl::ScreenToClient(const TPoint& point) const {
    return TPoint::FromQPoint(ClientWidget()->mapFromGlobal(point.ToQPoint()));
}

TPoint TControl::ClientToScreen(const TPoint& point) const {
    return TPoint::FromQPoint(ClientWidget()->mapToGlobal(point.ToQPoint()));
}

void TControl::SetBoundsFields(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    FConstraints->Apply(width, height);
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) {
        return;
    }
    SetBoundsFields(left, top, width, height);
    FHandle->setGeometry(left, top, width, height);
    if (FParent != nullptr && FAlign != alNone) {
        FParent->Realign(this);
    }
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) {
        return;
    }
    const bool wasAligned = FAlign != alNone;
    FAlign = align;
    if (FParent != nullptr && (wasAligned || align != alNone)) {
        FParent->Realign(this);
    }
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) {
        return;
    }
    FVisible = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TControl::Show() {
    if (FParent != nullptr) {
        FParent->ShowControl(this);
    }
    SetVisible(true);
}

void TControl::UpdateWidgetVisibility() {
    // A parentless child widget would become a window of its own.
    FHandle->setVisible(FVisible && FParent != nullptr);
}

bool TControl::Showing() const {
    return FHandle->isVisible();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) {
        return;
    }
    FEnabled = enabled;
    FHandle->setEnabled(enabled);
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) {
        return;
    }
    FColor = color;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) {
        return;
    }
    FParentColor = value;
    if (value && FParent != nullptr) {
        Perform(CM_PARENTCOLORCHANGED);
    }
}

void TControl::SetFont(TFont* font) {
    if (font != nullptr && font != FFont) {
        FFont->Assign(font);
    }
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) {
        return;
    }
    FParentFont = value;
    if (value && FParent != nullptr) {
        Perform(CM_PARENTFONTCHANGED);
    }
}

void TControl::FontChanged() {
    if (!FApplyingParentFont) {
        FParentFont = false;
    }
    Perform(CM_FONTCHANGED);
}

void TControl::SetText(const QString& text) {
    if (text == FText) {
        return;
    }
    FText = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
    FCursor = cursor;
    if (cursor == crDefault) {
        FHandle->unsetCursor();
    } else {
        FHandle->setCursor(QCursor(CursorShapeOf(cursor)));
    }
}

void TControl::SetHint(const QString& hint) {
    FHint = hint;
    FHandle->setToolTip(FShowHint ? hint : QString());
}

void TControl::SetShowHint(bool value) {
    FShowHint = value;
    FParentShowHint = false;
    FHandle->setToolTip(value ? FHint : QString());
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) {
        return;
    }
    if (parent == this) {
        throw EComponentError("A control cannot have itself as its parent");
    }
    if (FParent != nullptr) {
        FParent->RemoveControl(this);
    }
    if (parent != nullptr) {
        parent->InsertControl(this);
    }
}

TCustomForm* TControl::GetParentForm() const {
    const TControl* control = this;
    while (control->FParent != nullptr) {
        control = control->FParent;
    }
    return qobject_cast<TCustomForm*>(const_cast<TControl*>(control));
}

void TControl::BringToFront() {
    FHandle->raise();
    if (FParent != nullptr) {
        FParent->FControls.removeAll(this);
        FParent->FControls.append(this);
        if (FAlign != alNone) {
            FParent->Realign();
        }
    }
}

void TControl::SendToBack() {
    FHandle->lower();
    if (FParent != nullptr) {
        FParent->FControls.removeAll(this);
        FParent->FControls.prepend(this);
        if (FAlign != alNone) {
            FParent->Realign();
        }
    }
}

void TControl::Invalidate() {
    FHandle->update();
}

void TControl::Repaint() {
    FHandle->repaint();
}

void TControl::Update() {
    FHandle->repaint();
}

intptr_t TControl::Perform(uint32_t msg, intptr_t wparam, intptr_t lparam) {
    TMessage message;
    message.Msg = msg;
    message.WParam = wparam;
    message.LParam = lparam;
    Dispatch(message);
    return message.Result;
}

void TControl::Dispatch(TMessage& message) {
    if (WindowProc) {
        WindowProc(message);
    } else {
        WndProc(message);
    }
}

bool TControl::MouseCapture() const {
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool capture) {
    if (capture == MouseCapture()) {
        return;
    }
    if (capture) {
        if (gCaptureControl != nullptr) {
            gCaptureControl->SetMouseCapture(false);
        }
        gCaptureControl = this;
        FHandle->grabMouse();
    } else {
        gCaptureControl = nullptr;
        FHandle->releaseMouse();
        Perform(WM_CAPTURECHANGED);
    }
}

void TControl::PaintTo(TCanvas& canvas, TPoint offset) {
    canvas.SaveState();
    canvas.MoveOrigin(offset.X, offset.Y);
    Perform(WM_ERASEBKGND, reinterpret_cast<intptr_t>(&canvas));
    Perform(WM_PAINT, reinterpret_cast<intptr_t>(&canvas));
    canvas.RestoreState();
}

void TControl::PaintParentBackground(TCanvas& canvas) {
    if (FParent != nullptr) {
        FParent->PaintTo(canvas, Point(-FLeft, -FTop));
    }
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* container = qobject_cast<TWinControl*>(parent)) {
        SetParent(container);
    }
}

TNotifyEvent* TControl::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnClick")) {
        return &OnClick;
    }
    if (name == QLatin1String("OnDblClick")) {
        return &OnDblClick;
    }
    if (name == QLatin1String("OnResize")) {
        return &OnResize;
    }
    if (name == QLatin1String("OnMouseEnter")) {
        return &OnMouseEnter;
    }
    if (name == QLatin1String("OnMouseLeave")) {
        return &OnMouseLeave;
    }
    return TComponent::NotifyEvent(name);
}

bool TControl::WidgetEvent(QWidget* widget, QEvent* event) {
    auto* bridge = dynamic_cast<IControlWidget*>(widget);
    if (IsDestroying() || bridge == nullptr) {
        return bridge != nullptr && bridge->DefaultEvent(event);
    }
    try {
        TEventScope scope(gEventBridge, bridge);
        bool handled = false;
        if (TranslateEvent(widget, event, handled)) {
            return handled;
        }
        return bridge->DefaultEvent(event);
    } catch (...) {
        TApplication::HandleCurrentException(this);
        return true;
    }
}

TMessage TControl::MouseMessage(uint32_t msg, QMouseEvent* event) const {
    TMessage message;
    message.Msg = msg;
    intptr_t keys = 0;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) {
        keys |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        keys |= MK_RBUTTON;
    }
    if (buttons & Qt::MiddleButton) {
        keys |= MK_MBUTTON;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        keys |= MK_SHIFT;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        keys |= MK_CONTROL;
    }
    message.WParam = keys;
    const QPoint position = event->position().toPoint();
    message.LParam = MakeLParam(position.x(), position.y());
    message.Event = event;
    return message;
}

bool TControl::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    handled = true;
    switch (event->type()) {
    case QEvent::Paint:
        SendPaintMessages(widget, event);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool press = event->type() == QEvent::MouseButtonPress;
        const bool dbl = event->type() == QEvent::MouseButtonDblClick;
        uint32_t msg = WM_MOUSEMOVE;
        if (event->type() != QEvent::MouseMove) {
            switch (mouse->button()) {
            case Qt::LeftButton:
                msg = press ? WM_LBUTTONDOWN : (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONUP);
                break;
            case Qt::RightButton:
                msg = press ? WM_RBUTTONDOWN : (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONUP);
                break;
            case Qt::MiddleButton:
                msg = press ? WM_MBUTTONDOWN : (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONUP);
                break;
            default:
                return false;
            }
        }
        TMessage message = MouseMessage(msg, mouse);
        Dispatch(message);
        // The framework, not Qt's propagation, decides who sees a mouse message.
        event->accept();
        return true;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        TMessage message;
        message.Msg = WM_MOUSEWHEEL;
        message.WParam = static_cast<intptr_t>(wheel->angleDelta().y()) << 16;
        const QPoint global = wheel->globalPosition().toPoint();
        message.LParam = MakeLParam(global.x(), global.y());
        message.Event = event;
        Dispatch(message);
        return true;
    }
    case QEvent::Enter:
    case QEvent::Leave: {
        TMessage message;
        message.Msg = event->type() == QEvent::Enter ? CM_MOUSEENTER : CM_MOUSELEAVE;
        message.LParam = reinterpret_cast<intptr_t>(this);
        message.Event = event;
        Dispatch(message);
        return true;
    }
    case QEvent::Resize: {
        handled = gEventBridge->DefaultEvent(event);
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        TMessage message;
        message.Msg = WM_SIZE;
        message.WParam = SIZE_RESTORED;
        message.LParam = MakeLParam(size.width(), size.height());
        Dispatch(message);
        return true;
    }
    case QEvent::Move: {
        handled = gEventBridge->DefaultEvent(event);
        const QPoint position = static_cast<QMoveEvent*>(event)->pos();
        TMessage message;
        message.Msg = WM_MOVE;
        message.LParam = MakeLParam(position.x(), position.y());
        Dispatch(message);
        return true;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        TMessage message;
        message.Msg = WM_SHOWWINDOW;
        message.WParam = event->type() == QEvent::Show ? 1 : 0;
        message.Event = event;
        Dispatch(message);
        return true;
    }
    default:
        return false;
    }
}

void TControl::SendPaintMessages(QWidget* widget, QEvent* event) {
    TCanvas canvas;
    canvas.SetDevice(widget);
    TCanvas* saved = FPaintCanvas;
    FPaintCanvas = &canvas;
    TMessage erase;
    erase.Msg = WM_ERASEBKGND;
    erase.WParam = reinterpret_cast<intptr_t>(&canvas);
    Dispatch(erase);
    canvas.ReleaseHandle();
    TMessage paint;
    paint.Msg = WM_PAINT;
    paint.Event = event;
    Dispatch(paint);
    canvas.ReleaseHandle();
    // The border of a windowed control is drawn after its content, so a painted
    // border (a flat edit frame) lies over what the native widget drew.
    if (PaintsBorderAfterContent()) {
        TMessage ncPaint;
        ncPaint.Msg = WM_NCPAINT;
        ncPaint.WParam = reinterpret_cast<intptr_t>(&canvas);
        Dispatch(ncPaint);
        canvas.ReleaseHandle();
    }
    FPaintCanvas = saved;
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        break;
    case WM_SIZE:
        WMSize(message);
        break;
    case WM_MOVE:
        WMMove(message);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(message);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        WMButtonDown(message, mbLeft, message.Msg == WM_LBUTTONDBLCLK);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        WMButtonDown(message, mbRight, message.Msg == WM_RBUTTONDBLCLK);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        WMButtonDown(message, mbMiddle, message.Msg == WM_MBUTTONDBLCLK);
        break;
    case WM_LBUTTONUP:
        WMButtonUp(message, mbLeft);
        break;
    case WM_RBUTTONUP:
        WMButtonUp(message, mbRight);
        break;
    case WM_MBUTTONUP:
        WMButtonUp(message, mbMiddle);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(message);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(message);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& message) {
    if (message.Event != nullptr && gEventBridge != nullptr) {
        gEventBridge->DefaultEvent(message.Event);
    }
}

void TControl::WMPaint(TMessage& message) {
    if (message.WParam != 0) {
        // Painting into a canvas (a child asking for its background): render the
        // native widget's own pixels without its children.
        auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
        if (QPainter* painter = canvas->Handle()) {
            FHandle->render(painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        }
        return;
    }
    if (FPaintCanvas != nullptr) {
        FPaintCanvas->ReleaseHandle();
    }
    DefaultHandler(message);
}

void TControl::PaintThroughCanvas(TMessage& message, const std::function<void()>& paint) {
    if (message.WParam == 0 && FPaintCanvas == nullptr) {
        return;
    }
    TCanvas* canvas =
        message.WParam != 0 ? reinterpret_cast<TCanvas*>(message.WParam) : FPaintCanvas;
    TCanvas* saved = FPaintCanvas;
    FPaintCanvas = canvas;
    canvas->SaveState();
    paint();
    canvas->RestoreState();
    FPaintCanvas = saved;
}

void TControl::WMEraseBkgnd(TMessage& message) {
    if (FControlStyle.testFlag(csOpaque) && message.WParam != 0) {
        EraseBackground(*reinterpret_cast<TCanvas*>(message.WParam));
        message.Result = 1;
    }
}

void TControl::EraseBackground(TCanvas& canvas) {
    canvas.Brush()->SetColor(FColor);
    canvas.Brush()->SetStyle(TBrush::bsSolid);
    canvas.FillRect(ClientRect());
}

void TControl::WMSize(TMessage& message) {
    DefaultHandler(message);
    Resize();
}

void TControl::WMMove(TMessage& message) {
    DefaultHandler(message);
}

void TControl::WMMouseMove(TMessage& message) {
    DefaultHandler(message);
    MouseMove(KeysToShiftState(message.WParam), LParamX(message.LParam), LParamY(message.LParam));
}

void TControl::WMButtonDown(TMessage& message, TMouseButton button, bool doubleClick) {
    if (button == mbLeft && FControlStyle.testFlag(csClickEvents)) {
        FClickPending = true;
    }
    DefaultHandler(message);
    TShiftState shift = KeysToShiftState(message.WParam);
    if (doubleClick && button == mbLeft && FControlStyle.testFlag(csDoubleClicks)) {
        DblClick();
        shift |= ssDouble;
    }
    MouseDown(button, shift, LParamX(message.LParam), LParamY(message.LParam));
}

void TControl::WMButtonUp(TMessage& message, TMouseButton button) {
    DefaultHandler(message);
    const int x = LParamX(message.LParam);
    const int y = LParamY(message.LParam);
    if (button == mbLeft && FClickPending) {
        FClickPending = false;
        if (PtInRect(ClientRect(), Point(x, y))) {
            Click();
        }
    }
    MouseUp(button, KeysToShiftState(message.WParam), x, y);
}

void TControl::CMMouseEnter(TMessage& message) {
    FMouseInClient = true;
    DefaultHandler(message);
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TControl::CMMouseLeave(TMessage& message) {
    FMouseInClient = false;
    DefaultHandler(message);
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    UpdateWidgetVisibility();
    if (FParent != nullptr && FAlign != alNone) {
        FParent->Realign();
    }
}

void TControl::CMColorChanged(TMessage&) {
    ApplyColorToWidget();
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    ApplyFontToWidget();
    Invalidate();
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage&) {
    if (FParentColor && FParent != nullptr) {
        SetColor(FParent->Color());
        FParentColor = true;
    }
}

void TControl::CMParentFontChanged(TMessage&) {
    if (FParentFont && FParent != nullptr) {
        FApplyingParentFont = true;
        FFont->Assign(FParent->Font());
        FApplyingParentFont = false;
    }
}

void TControl::ApplyFontToWidget() {
    FHandle->setFont(FFont->ToQFont());
}

void TControl::ApplyColorToWidget() {}

void TControl::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x, y);
    }
}

void TControl::Resize() {
    if (OnResize) {
        OnResize(this);
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent != nullptr) {
        if (FParentColor) {
            Perform(CM_PARENTCOLORCHANGED);
        }
        if (FParentFont) {
            Perform(CM_PARENTFONTCHANGED);
        }
    }
}

TShiftState TControl::ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    shift.setFlag(ssShift, modifiers.testFlag(Qt::ShiftModifier));
    shift.setFlag(ssAlt, modifiers.testFlag(Qt::AltModifier));
    shift.setFlag(ssCtrl, modifiers.testFlag(Qt::ControlModifier));
    shift.setFlag(ssLeft, buttons.testFlag(Qt::LeftButton));
    shift.setFlag(ssRight, buttons.testFlag(Qt::RightButton));
    shift.setFlag(ssMiddle, buttons.testFlag(Qt::MiddleButton));
    return shift;
}

TShiftState TControl::KeysToShiftState(intptr_t keys) {
    TShiftState shift;
    shift.setFlag(ssShift, (keys & MK_SHIFT) != 0);
    shift.setFlag(ssCtrl, (keys & MK_CONTROL) != 0);
    shift.setFlag(ssLeft, (keys & MK_LBUTTON) != 0);
    shift.setFlag(ssRight, (keys & MK_RBUTTON) != 0);
    shift.setFlag(ssMiddle, (keys & MK_MBUTTON) != 0);
    shift.setFlag(ssAlt, QApplication::keyboardModifiers().testFlag(Qt::AltModifier));
    return shift;
}

int TControl::VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return qtKey & 0xFFFF;
    }
}

Qt::CursorShape TControl::CursorShapeOf(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    case crDefault:
    case crArrow:
        break;
    }
    return Qt::ArrowCursor;
}

// ---------------------------------------------------------------------------

TWinControl::~TWinControl() {
    Destroying();
    // A parent frees its children; each removes itself from FControls on the way.
    while (!FControls.isEmpty()) {
        delete FControls.last();
    }
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == this) {
            return true;
        }
    }
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (control->FParent != nullptr) {
        control->FParent->RemoveControl(control);
    }
    control->FParent = this;
    FControls.append(control);
    if (auto* win = qobject_cast<TWinControl*>(control)) {
        FTabList.append(win);
    }
    QWidget* widget = control->Handle();
    widget->setParent(ClientWidget());
    widget->setGeometry(control->FLeft, control->FTop, control->FWidth, control->FHeight);
    control->UpdateWidgetVisibility();
    control->Perform(CM_PARENTCHANGED, 0, reinterpret_cast<intptr_t>(this));
    if (!control->IsLoading()) {
        if (control->FParentColor) {
            control->Perform(CM_PARENTCOLORCHANGED);
        }
        if (control->FParentFont) {
            control->Perform(CM_PARENTFONTCHANGED);
        }
    }
    if (control->FAlign != alNone) {
        Realign();
    }
    ControlListChange(control, true);
}

void TWinControl::ControlListChange(TControl*, bool) {}

void TWinControl::RemoveControl(TControl* control) {
    if (control->FParent != this) {
        return;
    }
    if (!IsDestroying()) {
        ControlListChange(control, false);
    }
    TCustomForm* form = IsDestroying() ? nullptr : GetParentForm();
    if (form != nullptr && !form->IsDestroying()) {
        form->ControlRemoved(control);
    }
    FControls.removeAll(control);
    // Compared by address: a control leaving from its destructor is no longer of
    // its derived class.
    FTabList.removeIf([control](TWinControl* entry) { return entry == control; });
    control->FParent = nullptr;
    if (!control->IsDestroying()) {
        control->Handle()->setParent(nullptr);
        control->UpdateWidgetVisibility();
        control->Perform(CM_PARENTCHANGED);
    }
    if (control->FAlign != alNone && !IsDestroying()) {
        Realign();
    }
}

void TWinControl::Broadcast(TMessage& message) {
    const QList<TControl*> controls = FControls;
    for (TControl* control : controls) {
        control->Dispatch(message);
        if (message.Result != 0) {
            return;
        }
    }
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) {
        return FPendingTabOrder >= 0 ? FPendingTabOrder : -1;
    }
    return static_cast<int>(Parent()->FTabList.indexOf(const_cast<TWinControl*>(this)));
}

void TWinControl::SetTabOrder(int order) {
    // While loading the siblings do not all exist yet: Loaded applies it.
    if (IsLoading() || Parent() == nullptr) {
        FPendingTabOrder = order;
        return;
    }
    QList<TWinControl*>& list = Parent()->FTabList;
    const int current = static_cast<int>(list.indexOf(this));
    if (current < 0) {
        return;
    }
    const int target = std::clamp(order, 0, static_cast<int>(list.size()) - 1);
    list.move(current, target);
}

void TWinControl::SetTabStop(bool value) {
    FTabStop = value;
}

void TWinControl::GetTabOrderList(QList<TWinControl*>& list) const {
    for (TWinControl* control : FTabList) {
        list.append(control);
        control->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
    QList<TWinControl*> list;
    GetTabOrderList(list);
    if (list.isEmpty()) {
        return nullptr;
    }
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(list.indexOf(current));
    if (start < 0) {
        start = forward ? count - 1 : 0;
    }
    int index = start;
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index + count - 1) % count;
        TWinControl* candidate = list.at(index);
        if (candidate == current) {
            break;
        }
        if ((!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this) && candidate->CanFocus()) {
            return candidate;
        }
    }
    return nullptr;
}

TNotifyEvent* TWinControl::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnEnter")) {
        return &OnEnter;
    }
    if (name == QLatin1String("OnExit")) {
        return &OnExit;
    }
    return TControl::NotifyEvent(name);
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, false)) {
        next->SetFocus();
    }
}

void TWinControl::ShowControl(TControl*) {
    if (Parent() != nullptr) {
        Parent()->ShowControl(this);
    }
}

bool TWinControl::CanFocus() const {
    // The form itself may still be hidden: focus then goes there when it shows.
    const TCustomForm* form = GetParentForm();
    if (form == nullptr) {
        return false;
    }
    for (const TControl* control = this; control != form; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled()) {
            return false;
        }
    }
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
        form->SetActiveControl(this);
    } else {
        Handle()->setFocus(Qt::OtherFocusReason);
    }
}

bool TWinControl::Focused() const {
    return ClientWidget()->hasFocus() || Handle()->hasFocus();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width();
    const int oldHeight = Height();
    TControl::SetBounds(left, top, width, height);
    if (Width() != oldWidth || Height() != oldHeight) {
        Realign();
    }
}

void TWinControl::Realign(TControl* changed) {
    if (FAlignDisabled > 0 || IsLoading()) {
        FRealignPending = true;
        return;
    }
    if (FAligning) {
        return;
    }
    FAligning = true;
    FRealignPending = false;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(changed, rect);
    FAligning = false;
}

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0 && --FAlignDisabled == 0 && FRealignPending) {
        Realign();
    }
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::AlignControls(TControl* changed, TRect& rect) {
    for (const TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        QList<TControl*> group;
        for (TControl* control : FControls) {
            if (control->Align() == align && control->Visible()) {
                group.append(control);
            }
        }
        // Within a group the one nearest its edge comes first; on a tie the control
        // just moved or aligned goes before the others.
        const auto edge = [align](const TControl* c) {
            switch (align) {
            case alTop:
                return c->Top();
            case alBottom:
                return -(c->Top() + c->Height());
            case alLeft:
                return c->Left();
            case alRight:
                return -(c->Left() + c->Width());
            default:
                return 0;
            }
        };
        std::stable_sort(group.begin(), group.end(),
                         [&edge, changed](const TControl* a, const TControl* b) {
                             const int ea = edge(a);
                             const int eb = edge(b);
                             return ea < eb || (ea == eb && a == changed && b != changed);
                         });
        for (TControl* control : group) {
            const int width = std::max(0, rect.Width());
            const int height = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                control->SetBounds(rect.Left, rect.Top, width, control->Height());
                rect.Top += control->Height();
                break;
            case alBottom:
                control->SetBounds(rect.Left, rect.Bottom - control->Height(), width,
                                   control->Height());
                rect.Bottom -= control->Height();
                break;
            case alLeft:
                control->SetBounds(rect.Left, rect.Top, control->Width(), height);
                rect.Left += control->Width();
                break;
            case alRight:
                control->SetBounds(rect.Right - control->Width(), rect.Top, control->Width(),
                                   height);
                rect.Right -= control->Width();
                break;
            default:
                control->SetBounds(rect.Left, rect.Top, width, height);
                break;
            }
        }
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FPendingTabOrder >= 0) {
        const int order = FPendingTabOrder;
        FPendingTabOrder = -1;
        SetTabOrder(order);
    }
    Realign();
}

void TWinControl::PaintTo(TCanvas& canvas, TPoint offset) {
    TControl::PaintTo(canvas, offset);
}

void TWinControl::CMVisibleChanged(TMessage& message) {
    TControl::CMVisibleChanged(message);
}

void TWinControl::CMFontChanged(TMessage& message) {
    TControl::CMFontChanged(message);
    TMessage notify;
    notify.Msg = CM_PARENTFONTCHANGED;
    Broadcast(notify);
}

void TWinControl::CMColorChanged(TMessage& message) {
    TControl::CMColorChanged(message);
    TMessage notify;
    notify.Msg = CM_PARENTCOLORCHANGED;
    Broadcast(notify);
}

void TWinControl::WMSize(TMessage& message) {
    Realign();
    TControl::WMSize(message);
}

bool TWinControl::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    handled = true;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (!TranslateKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyRelease)) {
            return false;
        }
        event->accept();
        return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        TMessage message;
        message.Msg = event->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS;
        message.LParam = static_cast<QFocusEvent*>(event)->reason();
        message.Event = event;
        Dispatch(message);
        return true;
    }
    default:
        return TControl::TranslateEvent(widget, event, handled);
    }
}

bool TWinControl::TranslateKey(QKeyEvent* event, bool release) {
    const int vk = VirtualKeyOf(event->key());
    if (vk == 0) {
        return false;
    }
    const TShiftState shift = ShiftStateOf(event->modifiers());
    const bool alt = shift.testFlag(ssAlt);
    if (release) {
        TMessage message;
        message.Msg = alt ? WM_SYSKEYUP : WM_KEYUP;
        message.WParam = vk;
        message.LParam = shift.toInt();
        message.Event = event;
        Dispatch(message);
        return true;
    }
    if (IsDialogKey(vk) && !shift.testFlag(ssCtrl) && !alt) {
        const intptr_t code = Perform(WM_GETDLGCODE, vk);
        const bool wanted = (code & DLGC_WANTALLKEYS) != 0 ||
                            (vk == VK_TAB && (code & DLGC_WANTTAB) != 0) ||
                            (IsArrowKey(vk) && (code & DLGC_WANTARROWS) != 0);
        if (!wanted) {
            TCustomForm* form = GetParentForm();
            TControl* target = form != nullptr ? static_cast<TControl*>(form) : this;
            if (target->Perform(CM_DIALOGKEY, vk, shift.toInt()) != 0) {
                return true;
            }
        }
    }
    const QString text = event->text();
    const bool hasChar = !text.isEmpty() && vk != VK_ESCAPE && vk != VK_TAB;
    TMessage down;
    down.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    down.WParam = vk;
    down.LParam = shift.toInt();
    // A key that types a character gets Qt's handling through its WM_CHAR.
    down.Event = hasChar ? nullptr : event;
    Dispatch(down);
    if (down.Result != 0 || !hasChar) {
        return true;
    }
    TMessage character;
    character.Msg = alt ? WM_SYSCHAR : WM_CHAR;
    character.WParam = text.at(0).unicode();
    character.LParam = shift.toInt();
    character.Event = event;
    Dispatch(character);
    return true;
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(message);
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        WMChar(message);
        break;
    case WM_SETFOCUS:
        WMSetFocus(message);
        break;
    case WM_KILLFOCUS:
        WMKillFocus(message);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        break;
    case CM_ENTER:
        CMEnter(message);
        break;
    case CM_EXIT:
        CMExit(message);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        break;
    default:
        TControl::WndProc(message);
        break;
    }
}

TWinControl* TWinControl::KeyPreviewForm() const {
    TCustomForm* form = GetParentForm();
    return form != nullptr && form != this && form->KeyPreview() ? form : nullptr;
}

void TWinControl::WMKeyDown(TMessage& message) {
    auto key = static_cast<quint16>(message.WParam);
    const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
    // A form with KeyPreview sees the key before its focused control.
    if (TWinControl* form = KeyPreviewForm()) {
        form->KeyDown(key, shift);
    }
    if (key != 0) {
        KeyDown(key, shift);
    }
    if (key == 0) {
        message.Result = 1;
        return;
    }
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message) {
    auto key = static_cast<quint16>(message.WParam);
    KeyUp(key, TShiftState::fromInt(static_cast<int>(message.LParam)));
    if (key == 0) {
        message.Result = 1;
        return;
    }
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
    QChar key(static_cast<char16_t>(message.WParam));
    if (TWinControl* form = KeyPreviewForm()) {
        form->KeyPress(key);
    }
    if (!key.isNull()) {
        KeyPress(key);
    }
    if (key.isNull()) {
        message.Result = 1;
        return;
    }
    message.WParam = key.unicode();
    const bool wantsChars = (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0;
    if (message.Msg == WM_SYSCHAR || !wantsChars) {
        TCustomForm* form = GetParentForm();
        TControl* target = form != nullptr ? static_cast<TControl*>(form) : this;
        if (target->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) {
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
    const auto reason = static_cast<Qt::FocusReason>(message.LParam);
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
        form->FocusControlChanged(this);
    }
}

void TWinControl::WMKillFocus(TMessage& message) {
    DefaultHandler(message);
    const auto reason = static_cast<Qt::FocusReason>(message.LParam);
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    Perform(CM_EXIT);
}

void TWinControl::CMDialogKey(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMDialogChar(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& message) {
    Broadcast(message);
}

void TWinControl::KeyDown(quint16& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TWinControl::KeyUp(quint16& key, TShiftState shift) {
    if (OnKeyUp) {
        OnKeyUp(this, key, shift);
    }
}

void TWinControl::KeyPress(QChar& key) {
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

void TWinControl::DoEnter() {
    if (OnEnter) {
        OnEnter(this);
    }
}

void TWinControl::DoExit() {
    if (OnExit) {
        OnExit(this);
    }
}

// ---------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FWidgetCanvas(new TCanvas(this)) {
    SetControlStyle(ControlStyle() | csOpaque | csAcceptsControls);
    SetColor(clBtnFace);
}

TCanvas* TCustomControl::Canvas() const {
    return PaintCanvas() != nullptr ? PaintCanvas() : FWidgetCanvas;
}

void TCustomControl::Paint() {}

void TCustomControl::WMPaint(TMessage& message) {
    PaintThroughCanvas(message, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FWidgetCanvas(new TCanvas(this)) {
    Handle()->setFocusPolicy(Qt::NoFocus);
}

TCanvas* TGraphicControl::Canvas() const {
    return PaintCanvas() != nullptr ? PaintCanvas() : FWidgetCanvas;
}

void TGraphicControl::Paint() {}

void TGraphicControl::WMPaint(TMessage& message) {
    PaintThroughCanvas(message, [this] { Paint(); });
}

// ---------------------------------------------------------------------------

bool IsAccel(QChar ch, const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            const QChar next = caption.at(i + 1);
            if (next == QLatin1Char('&')) {
                ++i;
                continue;
            }
            return next.toUpper() == ch.toUpper();
        }
    }
    return false;
}

TPoint TMouse::CursorPos() const {
    return TPoint::FromQPoint(QCursor::pos());
}

void TMouse::SetCursorPos(const TPoint& point) const {
    QCursor::setPos(point.ToQPoint());
}

TControl* TMouse::Capture() const {
    return gCaptureControl;
}

TPoint GetCursorPos() {
    return Mouse->CursorPos();
}

TControl* GetCaptureControl() {
    return gCaptureControl;
}

TControl* FindControl(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (QObject* control = w->property(ControlProperty).value<QObject*>()) {
            return qobject_cast<TControl*>(control);
        }
    }
    return nullptr;
}
