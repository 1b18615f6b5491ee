#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"

#include <QPainter>

using namespace control_private;

void TControl::Invalidate() {
    FHandle->update();
}

void TControl::Repaint() {
    FHandle->repaint();
}

void TControl::Update() {
    FHandle->repaint();
}

void TControl::PaintTo(TCanvas& canvas, TPoint offset) {
    PaintClientTo(canvas, offset);
}

void TControl::PaintClientTo(TCanvas& canvas, TPoint offset) {
    canvas.SaveState();
    canvas.MoveOrigin(offset.X, offset.Y);
    Perform(WM_ERASEBKGND, reinterpret_cast<intptr_t>(&canvas));
    Perform(WM_PAINT, reinterpret_cast<intptr_t>(&canvas));
    canvas.RestoreState();
}

void TControl::PaintParentBackground(TCanvas& canvas) {
    if (FParent == nullptr) {
        return;
    }
    // The parent paints in its client coordinates, where this control's bounds are;
    // nothing of its non-client frame may show through.
    const TRect client = FParent->ClientRect();
    canvas.SaveState();
    canvas.IntersectClipRect(
        Rect(client.Left - FLeft, client.Top - FTop, client.Right - FLeft, client.Bottom - FTop));
    FParent->PaintClientTo(canvas, Point(-FLeft, -FTop));
    canvas.RestoreState();
}

void TControl::SendPaintMessages(QWidget* widget, QEvent* event) {
    TCanvas canvas;
    canvas.SetDevice(widget);
    TCanvas* saved = FPaintCanvas;
    FPaintCanvas = &canvas;
    if (widget == ClientWidget()) {
        // Erase and paint work in client coordinates; a window widget that also holds
        // the frame is moved and clipped to its client area for them.
        if (widget == FHandle) {
            const TRect client = ClientAreaInWindow();
            canvas.MoveOrigin(client.Left, client.Top);
            canvas.IntersectClipRect(Rect(0, 0, client.Width(), client.Height()));
        }
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
        canvas.SetOrigin(0, 0);
        canvas.ClearClip();
    }
    // The frame is painted after the content, so a painted border (a flat edit frame)
    // lies over whatever a native widget drew there.
    if (widget == FHandle) {
        TMessage ncPaint;
        ncPaint.Msg = WM_NCPAINT;
        ncPaint.WParam = reinterpret_cast<intptr_t>(&canvas);
        Dispatch(ncPaint);
        canvas.ReleaseHandle();
    }
    FPaintCanvas = saved;
}

void TControl::WMPaint(TMessage& message) {
    if (message.WParam != 0) {
        // Painting into a canvas (a child asking for its background): render the
        // client area's own pixels without its children or the frame around them.
        auto* canvas = reinterpret_cast<TCanvas*>(message.WParam);
        if (QPainter* painter = canvas->Handle()) {
            QWidget* client = ClientWidget();
            const TRect area = client == FHandle ? ClientAreaInWindow() : ClientRect();
            client->render(painter, QPoint(), QRegion(area.ToQRect()),
                           QWidget::DrawWindowBackground);
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
