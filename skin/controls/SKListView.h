// The skinned list view: the framework's list view inside a flat border in the look's
// colour, optionally with painted scroll bars laid over its own and kept in step with
// them both ways.
#pragma once

#include "framework/controls/ComCtrls.h"
#include "framework/core/ComponentReference.h"
#include "skin/controls/SKScrollBar.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

class TskListView : public TCustomListView {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TskScrollBar* VScrollBar READ VScrollBar WRITE SetVScrollBar)
    Q_PROPERTY(TskScrollBar* HScrollBar READ HScrollBar WRITE SetHScrollBar)
public:
    explicit TskListView(TComponent* AOwner);
    ~TskListView() override;

    TskFileTheme* FileTheme() const { return FFileTheme.Get(); }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);
    TskScrollBar* VScrollBar() const { return FVScrollBar.Get(); }
    void SetVScrollBar(TskScrollBar* bar);
    TskScrollBar* HScrollBar() const { return FHScrollBar.Get(); }
    void SetHScrollBar(TskScrollBar* bar);

    bool Syncing() const { return FSyncing; }
    bool LeftButtonDown() const { return FLeftButtonDown; }
    // Lays the linked bars over the list's own, then synchronises them.
    void PlaceScrollBars();
    // Copies the list's scroll state into the linked bars.
    void SynchronizeScrollBars();

protected:
    void WndProc(TMessage& message) override;
    void Loaded() override;

private:
    // The bar's layout is mirrored (vertical bar on the left).
    bool MirroredLayout() const;
    void LinkBar(TComponentReference<TskScrollBar>& field, TskScrollBar* bar, bool vertical);
    // Gives a bar back its own behaviour, no longer calling into the list.
    static void ReleaseBar(TskScrollBar* bar);
    // A linked bar was unlinked or destroyed: the list's own bar, which it covered,
    // paints again; a bar that lives on is released.
    void BarUnlinked(TskScrollBar* survivor, bool vertical);
    void SynchronizeBar(TskScrollBar* bar, int objectId);
    void VerticalBarChanged();
    void HorizontalBarChanged();
    void ApplyStyleToBars();
    // The list's own bars, seen wherever no painted bar covers them, in the look's
    // scroll-bar colour with a thumb that stands out from it.
    void ApplyStyleToOwnBars();

    TColor FBorderColor = clBlack;
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    // A bar that leaves the list's owner but lives on must not call back into the list.
    TComponentReference<TskScrollBar> FVScrollBar{
        this, [this](TskScrollBar* survivor) { BarUnlinked(survivor, true); }};
    TComponentReference<TskScrollBar> FHScrollBar{
        this, [this](TskScrollBar* survivor) { BarUnlinked(survivor, false); }};
    bool FSyncing = false;
    bool FLeftButtonDown = false;
};
