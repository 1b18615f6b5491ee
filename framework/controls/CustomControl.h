#pragma once

#include "framework/controls/WinControl.h"

// A windowed control painted by the framework: Paint draws on Canvas, which during a
// paint event is the widget and during PaintTo is the given canvas. Erase-background
// arrives as its own message before WM_PAINT.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* AOwner);

    TCanvas* Canvas() const;

protected:
    virtual void Paint();
    void WMPaint(TMessage& message) override;

private:
    TCanvas* FWidgetCanvas;
};

// A control without focus or children, painted by the framework.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(TComponent* AOwner);

    TCanvas* Canvas() const;

protected:
    virtual void Paint();
    void WMPaint(TMessage& message) override;

private:
    TCanvas* FWidgetCanvas;
};
