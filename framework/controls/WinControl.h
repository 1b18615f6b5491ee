#pragma once

#include "framework/controls/BaseControl.h"

// A control that holds other controls, takes the keyboard focus and keeps the tab
// order; it lays out its aligned children.
class TWinControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
public:
    using TControl::TControl;
    ~TWinControl() override;

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

    void PaintTo(TCanvas& canvas, TPoint offset) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    bool TranslateEvent(QWidget* widget, QEvent* event, bool& handled) override;
    void WndProc(TMessage& message) override;
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
    TWinControl* KeyPreviewForm() const;

    QList<TControl*> FControls;
    QList<TWinControl*> FTabList;
    int FPendingTabOrder = -1;
    bool FTabStop = false;
    int FAlignDisabled = 0;
    bool FAligning = false;
    bool FRealignPending = false;
};

// Whether ch is the accelerator of a caption ("&File" has F; "&&" is a literal &).
bool IsAccel(QChar ch, const QString& caption);
