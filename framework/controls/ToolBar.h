#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"
#include "framework/core/ComponentReference.h"

#include <QPointer>

class QMenu;

class TToolBar;

// A button of a tool bar: a caption, an optional menu item it stands for, a down
// state; hot while the mouse is over it. Painted flat by default; a skinned menu bar
// overrides Paint.
class TToolButton : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(TToolButtonStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(bool Grouped READ Grouped WRITE SetGrouped)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(TMenuItem* MenuItem READ MenuItem WRITE SetMenuItem)
public:
    enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
    Q_ENUM(TToolButtonStyle)

    explicit TToolButton(TComponent* AOwner);

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle style);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value) { FGrouped = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* item);
    bool Hot() const { return MouseInClient(); }
    bool Pressed() const { return FPressed; }
    // The drop-down of its menu item is open.
    bool Dropped() const;
    TToolBar* ToolBar() const;

    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;

private:
    friend class TToolBar;
    // A drop-down held the pointer: Qt reported no leave meanwhile, so the button stops
    // being hot unless the pointer is over it now.
    void LeaveUnlessPointerInside();

    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    bool FGrouped = false;
    bool FPressed = false;
    int FImageIndex = -1;
    TComponentReference<TMenuItem> FMenuItem{this};
};

// A row of tool buttons laid out left to right in their order (wrapping into more rows
// when Wrapable). Buttons bound to menu items with children open their drop-downs, and
// the open drop-down moves to its neighbours with Left, Right and the mouse.
class TToolBar : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(bool Wrapable READ Wrapable WRITE SetWrapable)
    Q_PROPERTY(int EdgeBorders READ EdgeBorders WRITE SetEdgeBorders)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight)
    Q_PROPERTY(bool ShowCaptions READ ShowCaptions WRITE SetShowCaptions)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TComponent* Images READ Images WRITE SetImages)
public:
    enum TCustomDrawStateFlag {
        cdsSelected = 0x1,
        cdsGrayed = 0x2,
        cdsDisabled = 0x4,
        cdsHot = 0x40
    };
    Q_DECLARE_FLAGS(TCustomDrawState, TCustomDrawStateFlag)
    using TToolBarCustomDrawEvent =
        std::function<void(TToolBar* Sender, const TRect& ARect, bool& DefaultDraw)>;
    using TToolBarCustomDrawButtonEvent = std::function<void(
        TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;

    int ButtonCount() const;
    TToolButton* Buttons(int index) const;
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TComponent* Images() const { return FImages; }
    void SetImages(TComponent* images);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value);
    // Stored: the bar draws no edges.
    int EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(int value) { FEdgeBorders = value; }
    // The width a button takes: its caption's width when captions size the buttons.
    virtual int ButtonExtent(const TToolButton* button) const;

    // While OnCustomDraw or OnCustomDrawButton runs: the canvas to draw on, in bar
    // coordinates.
    TCanvas* CustomDrawCanvas() const { return FCustomDrawCanvas; }
    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

    // Opens the drop-down of the button's menu item below the button.
    void TrackMenu(TToolButton* button);
    // Opens the drop-down whose caption has ch as its accelerator; false without one.
    bool TrackAccelerator(QChar ch);
    // Keyboard entry into the bar (Alt, F10): opens the first drop-down.
    bool EnterMenuMode();
    void CloseMenu();
    TToolButton* TrackedButton() const { return FTracked; }
    QMenu* TrackedMenu() const { return FTrackedMenu; }

protected:
    void Paint() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void ControlListChange(TControl* control, bool inserting) override;

private:
    friend class TToolButton;
    bool DrawButtonCustom(TToolButton* button, TCanvas& canvas);
    // The next button (by step) whose item has a drop-down, wrapping round.
    TToolButton* NeighbourWithMenu(TToolButton* from, int step) const;

    TCanvas* FCustomDrawCanvas = nullptr;
    bool FWrapable = false;
    int FEdgeBorders = 0;
    QPointer<TToolButton> FTracked;
    QPointer<QMenu> FTrackedMenu;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FShowCaptions = false;
    bool FFlat = true;
    bool FAutoSize = false;
    TComponentReference<TComponent> FImages{this, [this](TComponent*) { Invalidate(); }};
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TToolBar::TCustomDrawState)
