#pragma once

#include "framework/controls/BaseControl.h"

// A control that holds other controls, takes the keyboard focus and keeps the tab
// order; it lays out its aligned children.
//
// Its window has a non-client area: the client area is what the window procedure's
// answer to WM_NCCALCSIZE leaves of the window (BorderWidth pixels off every side by
// default; descendants take more), and the band around it is painted on WM_NCPAINT
// with a canvas covering the whole window. ClientRect, the children's coordinates,
// alignment and the widget's own content all lie inside that band.
class TWinControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(TBevelEdges BevelEdges READ BevelEdges WRITE SetBevelEdges)
    Q_PROPERTY(TBevelKind BevelKind READ BevelKind WRITE SetBevelKind)
public:
    enum TBevelEdge { beLeft = 0x1, beTop = 0x2, beRight = 0x4, beBottom = 0x8 };
    Q_DECLARE_FLAGS(TBevelEdges, TBevelEdge)
    Q_FLAG(TBevelEdges)
    enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
    Q_ENUM(TBevelKind)

    using TControl::TControl;
    ~TWinControl() override;

    // A plain non-client border on every side, painted in Color unless a descendant
    // paints it.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TRect ClientRect() const override;
    TRect ClientAreaInWindow() const override;
    // Asks WM_NCCALCSIZE again, moves the client area and repaints the frame: call it
    // after anything that changes the answer.
    void RecreateFrame();
    // Repaints the band around the client area and nothing of the client.
    void InvalidateFrame();
    // Stored for layouts, like ParentCtl3D: windows are drawn flat and get no bevel
    // from these.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value) { FCtl3D = value; }
    TBevelEdges BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges value) { FBevelEdges = value; }
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind value) { FBevelKind = value; }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }
    bool ContainsControl(const TControl* control) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends a message to every child control (not deeper); stops at a nonzero Result.
    void Broadcast(TMessage& message);

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // Children with tab stops in tab order, depth first (a container, then its
    // children).
    void GetTabOrderList(QList<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    TNotifyEvent* NotifyEvent(const QString& name) override;
    std::optional<TEventSlot> EventSlot(const QString& name) override;

    // Brings a child into view; the default asks its own parent in turn.
    virtual void ShowControl(TControl* control);
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;

    void SetBounds(int left, int top, int width, int height) override;
    // Lays the aligned children out again (after a resize, a child's change...).
    // changed: the child whose bounds or alignment just changed (it wins ties).
    void Realign(TControl* changed = nullptr);
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();

    // The frame (WM_NCPAINT) with the window's (0, 0) at offset, then the client area.
    void PaintTo(TCanvas& canvas, TPoint offset) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    bool TranslateEvent(QWidget* widget, QEvent* event, bool& handled) override;
    void WndProc(TMessage& message) override;
    // WM_NCCALCSIZE: LParam points to a TRect that holds the window (0, 0, W, H) and
    // receives the client area in window coordinates. The default takes BorderWidth
    // off every side; a descendant widens the frame by shrinking the rectangle after
    // the inherited call.
    virtual void WMNCCalcSize(TMessage& message);
    // WM_NCPAINT: WParam is a TCanvas covering the whole window (nullptr: nothing to
    // paint on). The default fills the band around the client area with Color.
    virtual void WMNCPaint(TMessage& message);
    QWidget* ClientWidget() const override;
    // Gives the control a widget of its own for the client area, inside its window
    // widget (which then shows only the frame); returns it. Controls painted by the
    // framework get one as soon as they have a frame.
    QWidget* CreateClientWidget();
    void WMSize(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    virtual void WMKeyDown(TMessage& message);
    virtual void WMKeyUp(TMessage& message);
    virtual void WMChar(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void CMDialogKey(TMessage& message);
    virtual void CMDialogChar(TMessage& message);
    virtual void CMEnter(TMessage& message);
    virtual void CMExit(TMessage& message);
    virtual void CMFocusChanged(TMessage& message);

    virtual void KeyDown(quint16& key, TShiftState shift);
    virtual void KeyUp(quint16& key, TShiftState shift);
    virtual void KeyPress(QChar& key);
    virtual void DoEnter();
    virtual void DoExit();

    // The area the aligned children share (the client rectangle less borders).
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void AlignControls(TControl* control, TRect& rect);
    void Loaded() override;
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMBiDiModeChanged(TMessage& message) override;
    // A child control arrived (after insertion) or is leaving (before removal).
    virtual void ControlListChange(TControl* control, bool inserting);

private:
    friend class TControl;
    bool TranslateKey(QKeyEvent* event, bool release);
    // Puts the widget's content where the client area is.
    void PlaceClientArea();
    TWinControl* KeyPreviewForm() const;

    QList<TControl*> FControls;
    QList<TWinControl*> FTabList;
    int FPendingTabOrder = -1;
    bool FTabStop = false;
    int FAlignDisabled = 0;
    bool FAligning = false;
    bool FRealignPending = false;
    int FBorderWidth = 0;
    bool FCtl3D = true;
    TBevelEdges FBevelEdges = TBevelEdges(beLeft | beTop | beRight | beBottom);
    TBevelKind FBevelKind = bkNone;
    // The client area in window coordinates, as WM_NCCALCSIZE last answered.
    TRect FClientInWindow;
    // The widget's own frame was set to carry the band (see PlaceClientArea).
    bool FWidgetFrameSet = false;
    QWidget* FClientWidget = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TWinControl::TBevelEdges)

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp: the desktop's keys that turn the
// pages of a tabbed window. The focused control never takes them: they reach the form's
// controls as dialog keys (CM_DIALOGKEY).
bool IsPageKey(int vk, TShiftState shift);

// Whether ch is the accelerator of a caption ("&File" has F; "&&" is a literal &).
bool IsAccel(QChar ch, const QString& caption);
