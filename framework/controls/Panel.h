#pragma once

#include "framework/controls/Control.h"

// Draws width rings of a 3-D frame inside rect (top and left in topColor, bottom and
// right in bottomColor) and shrinks rect past them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// A framework-painted container with bevels, a border and a caption. Its BorderWidth
// is the classic panel's own: a ring in Color between the outer and inner bevels,
// inside the client area. BorderStyle bsSingle is a one-pixel line in the frame.
class TCustomPanel : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool FullRepaint READ FullRepaint WRITE SetFullRepaint)
public:
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool value) { FFullRepaint = value; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) const override;
    void WMNCCalcSize(TMessage& message) override;
    void WMNCPaint(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    void FrameChanged();

    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
    Q_OBJECT
public:
    using TCustomPanel::TCustomPanel;
};

using TAlignment = TCustomPanel::TAlignment;
using TBevelCut = TCustomPanel::TBevelCut;
