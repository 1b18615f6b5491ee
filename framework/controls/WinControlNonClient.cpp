#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"

#include <QAbstractScrollArea>
#include <QRegion>
#include <algorithm>

using namespace control_private;

void TWinControl::SetBorderWidth(int value) {
    value = std::max(0, value);
    if (value != FBorderWidth) {
        FBorderWidth = value;
        RecreateFrame();
    }
}

TRect TWinControl::ClientAreaInWindow() const {
    return FClientInWindow;
}

TRect TWinControl::ClientRect() const {
    return Rect(0, 0, FClientInWindow.Width(), FClientInWindow.Height());
}

void TWinControl::RecreateFrame() {
    const TRect window = Rect(0, 0, Width(), Height());
    TRect client = window;
    TMessage message;
    message.Msg = WM_NCCALCSIZE;
    message.LParam = reinterpret_cast<intptr_t>(&client);
    Dispatch(message);
    // A frame wider than the window leaves an empty client area, never a negative one.
    client.Left = std::clamp(client.Left, 0, window.Right);
    client.Top = std::clamp(client.Top, 0, window.Bottom);
    client.Right = std::clamp(client.Right, client.Left, window.Right);
    client.Bottom = std::clamp(client.Bottom, client.Top, window.Bottom);
    const bool resized =
        client.Width() != FClientInWindow.Width() || client.Height() != FClientInWindow.Height();
    FClientInWindow = client;
    PlaceClientArea();
    Handle()->update();
    if (resized) {
        Realign();
    }
}

void TWinControl::InvalidateFrame() {
    QRegion frame(0, 0, Width(), Height());
    frame -= QRegion(FClientInWindow.ToQRect());
    Handle()->update(frame);
}

QWidget* TWinControl::ClientWidget() const {
    return FClientWidget != nullptr ? FClientWidget : Handle();
}

QWidget* TWinControl::CreateClientWidget() {
    if (FClientWidget != nullptr) {
        return FClientWidget;
    }
    auto* client = new TControlWidget(this, Handle());
    client->setProperty(ControlProperty, QVariant::fromValue<QObject*>(this));
    client->setMouseTracking(true);
    client->setFocusPolicy(Qt::NoFocus);
    client->setGeometry(FClientInWindow.ToQRect());
    FClientWidget = client;
    // The children's widgets move in their stacking order, bottom first, so each
    // lands on top of the ones below it again.
    const QList<QWidget*> widgets = Handle()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* widget : widgets) {
        TControl* control = FindControl(widget);
        if (control == nullptr || control == this || control->Parent() != this) {
            continue;
        }
        widget->setParent(client);
        widget->setGeometry(control->Left(), control->Top(), control->Width(), control->Height());
        control->UpdateWidgetVisibility();
    }
    client->show();
    return client;
}

void TWinControl::PlaceClientArea() {
    QWidget* window = Handle();
    const QMargins frame(FClientInWindow.Left, FClientInWindow.Top, Width() - FClientInWindow.Right,
                         Height() - FClientInWindow.Bottom);
    // A control painted by the framework paints its client area on a widget of its
    // own, which also holds its children.
    if (FClientWidget == nullptr && !frame.isNull() &&
        dynamic_cast<TControlWidget*>(window) != nullptr) {
        CreateClientWidget();
    }
    QWidget* client = ClientWidget();
    if (client != window) {
        client->setGeometry(FClientInWindow.ToQRect());
    } else if (auto* area = qobject_cast<QAbstractScrollArea*>(window)) {
        // A scroll area lays its viewport, header and bars out inside its own frame and
        // ignores contents margins: the band becomes a plain frame (as wide as its
        // narrowest side), which WM_NCPAINT paints over.
        if (!frame.isNull() || FWidgetFrameSet) {
            const int width = std::min({frame.left(), frame.top(), frame.right(), frame.bottom()});
            area->setFrameStyle(width > 0 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
            area->setLineWidth(width);
            area->setMidLineWidth(0);
            FWidgetFrameSet = width > 0;
        }
    } else {
        window->setContentsMargins(frame);
    }
}

void TWinControl::WMNCCalcSize(TMessage& message) {
    if (auto* rect = reinterpret_cast<TRect*>(message.LParam)) {
        InflateRect(*rect, -FBorderWidth, -FBorderWidth);
    }
}

void TWinControl::WMNCPaint(TMessage& message) {
    auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
    QRegion band(0, 0, Width(), Height());
    band -= QRegion(FClientInWindow.ToQRect());
    if (canvas == nullptr || band.isEmpty()) {
        return;
    }
    canvas->SaveState();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(TBrush::bsSolid);
    for (const QRect& part : band) {
        canvas->FillRect(TRect::FromQRect(part));
    }
    canvas->RestoreState();
}

void TWinControl::PaintTo(TCanvas& canvas, TPoint offset) {
    canvas.SaveState();
    canvas.MoveOrigin(offset.X, offset.Y);
    Perform(WM_NCPAINT, reinterpret_cast<intptr_t>(&canvas));
    // The client paints in its own coordinates and never over the frame.
    if (FClientInWindow != Rect(0, 0, Width(), Height())) {
        canvas.IntersectClipRect(FClientInWindow);
    }
    PaintClientTo(canvas, Point(FClientInWindow.Left, FClientInWindow.Top));
    canvas.RestoreState();
}
