#include "framework/controls/Control.h"

#include "framework/controls/ControlPrivate.h"
#include "framework/core/EventSlot.h"
#include "framework/forms/Form.h"

#include <QCursor>
#include <QLocale>
#include <algorithm>

using namespace control_private;

namespace control_private {
const char* const ControlProperty = "sumwardenControl";
} // namespace control_private

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

TRect TControl::ClientAreaInWindow() const {
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
    if (!enabled) {
        LeaveFocusBeforeDisabling();
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
    const bool changed = cursor != FCursor;
    FCursor = cursor;
    if (cursor == crDefault) {
        FHandle->unsetCursor();
    } else {
        FHandle->setCursor(QCursor(CursorShapeOf(cursor)));
    }
    if (changed) {
        Perform(CM_CURSORCHANGED);
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
        if (FParentBiDiMode) {
            Perform(CM_PARENTBIDIMODECHANGED);
        }
    }
}

std::optional<TComponent::TEventSlot> TControl::EventSlot(const QString& name) {
    if (name == QLatin1String("OnMouseDown")) {
        return MakeEventSlot(OnMouseDown);
    }
    if (name == QLatin1String("OnMouseUp")) {
        return MakeEventSlot(OnMouseUp);
    }
    if (name == QLatin1String("OnMouseMove")) {
        return MakeEventSlot(OnMouseMove);
    }
    if (name == QLatin1String("OnContextPopup")) {
        return MakeEventSlot(OnContextPopup);
    }
    if (name == QLatin1String("OnCanResize")) {
        return MakeEventSlot(OnCanResize);
    }
    if (name == QLatin1String("OnConstrainedResize")) {
        return MakeEventSlot(OnConstrainedResize);
    }
    if (std::optional<TEventSlot> slot = DragDockEventSlot(name)) {
        return slot;
    }
    return TComponent::EventSlot(name);
}

void TControl::LeaveFocusBeforeDisabling() {
    // A disabled control cannot keep the focus: the form takes it, with no active control.
    TCustomForm* form = GetParentForm();
    if (form == nullptr || form == this || form->ActiveControl() == nullptr) {
        return;
    }
    const auto* container = qobject_cast<const TWinControl*>(this);
    if (container != nullptr && container->ContainsControl(form->ActiveControl())) {
        form->SetActiveControl(nullptr);
        form->Handle()->setFocus(Qt::OtherFocusReason);
    }
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (!FApplyingParentBiDiMode) {
        FParentBiDiMode = false;
    }
    if (mode == FBiDiMode) {
        return;
    }
    FBiDiMode = mode;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
    if (value == FParentBiDiMode) {
        return;
    }
    FParentBiDiMode = value;
    if (value && FParent != nullptr) {
        Perform(CM_PARENTBIDIMODECHANGED);
    }
}

bool TControl::UseRightToLeftAlignment() const {
    return FBiDiMode == bdRightToLeft && SysLocaleMiddleEast();
}

void TControl::CMBiDiModeChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
    if (FParentBiDiMode && FParent != nullptr) {
        FApplyingParentBiDiMode = true;
        SetBiDiMode(FParent->BiDiMode());
        FApplyingParentBiDiMode = false;
    }
}

namespace {

std::optional<bool>& LocaleOverride() {
    static std::optional<bool> value;
    return value;
}

bool LocaleIsMiddleEast() {
    switch (QLocale::system().language()) {
    case QLocale::Arabic:
    case QLocale::Hebrew:
    case QLocale::Persian:
    case QLocale::Urdu:
        return true;
    default:
        return false;
    }
}

} // namespace

bool SysLocaleMiddleEast() {
    static const bool system = LocaleIsMiddleEast();
    return LocaleOverride().value_or(system);
}

void SetSysLocaleMiddleEastOverride(std::optional<bool> value) {
    LocaleOverride() = value;
}
