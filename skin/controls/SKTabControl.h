// The skinned tab control: a strip of picture tabs along one edge (TskTabControlTopPanel)
// and a framed page area (TskTab, abstract: a descendant chooses its strip).
#pragma once

#include "framework/controls/Panel.h"
#include "framework/core/Strings.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SKTabGeometry.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

#include <array>
#include <functional>
#include <memory>

class TskTab;

// The strip: holds the captions, measures and paints the tabs and the line under them,
// scrolls tabs that do not fit and turns clicks into a new tab index.
class TskTabControlTopPanel : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TStrings* Tabs READ Tabs WRITE SetTabs)
    Q_PROPERTY(int TabIndex READ TabIndex WRITE SetTabIndex)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(SkinTabs::TskTabPosition TabPosition READ TabPosition WRITE SetTabPosition)
public:
    TskTabControlTopPanel(TComponent* AOwner, TskTab* tabControl);
    ~TskTabControlTopPanel() override;

    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    // Loads the look's tab, line and scroll-button pictures and sizes the strip to them.
    void SetUIStyle(TskUIStyle style);
    TStrings* Tabs() const { return FTabs; }
    void SetTabs(TStrings* tabs) { FTabs->Assign(tabs); }
    int TabIndex() const { return FTabIndex; }
    // A click asks the tab control's OnChanging first; a program call does not.
    void SetTabIndex(int index);
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int margin);
    TskTabPosition TabPosition() const { return FTabPosition; }
    // Turns the pictures half round for the bottom edge.
    void SetTabPosition(TskTabPosition position);

    TskTab* TabControl() const { return FTabControl; }
    // Per tab: shown in the strip (tabs past MaxStripTabs are never shown).
    bool TabVisibleFlag(int index) const;
    void SetTabVisibleFlag(int index, bool visible);
    int FirstTab() const { return FFirstTab; }
    // The height of the active-tab picture: the band where clicks hit tabs.
    int TabHeight() const { return FActiveTabPic.Height(); }
    int ScrollButtonWidth() const { return FScrollButtonWidth; }
    int ScrollButtonHeight() const { return FScrollButtonHeight; }

    // The geometry of the strip as it is now painted.
    TskTabStripLayout Layout() const;
    // Per tab, its width at the current geometry (TabHidden, TabNeverMeasured...).
    int TabWidths(int index) const;
    bool Overflow() const { return Layout().Overflow; }
    // The scroll button under the pointer: -1 left, 1 right, 0 none.
    int HotScrollButton() const;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    void WMEraseBkgnd(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void CMMouseLeave(TMessage& message) override;

private:
    TskTabStripMetrics Metrics() const;
    TskTabStripState State() const;
    void LoadPictures();
    void TurnPictures();
    // Scrolls until the active tab is shown whole, as soon as the strip has its size.
    void ScrollActiveIntoView();
    void ApplyPendingScroll();
    void DrawTabs(TCanvas& canvas, const TskTabStripLayout& layout);
    void DrawScrollButtons(TCanvas& canvas, const TskTabStripLayout& layout);

    TStringList* FTabs;
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    int FTabIndex = 0;
    int FLeftMargin = 10;
    bool FUserClick = false;
    int FFirstTab = 0;
    bool FScrollPending = false;
    // The pointer's last position over the strip, for the scroll buttons' hover look.
    TPoint FPointer{-1, -1};
    int FScrollButtonWidth = 0;
    int FScrollButtonHeight = 0;
    TBitmap FActiveTabPic;
    TBitmap FInactiveTabPic;
    TBitmap FTabLinePic;
    // The four scroll-button frames: right, right hot, left, left hot.
    std::array<TBitmap, 4> FScrollButtonPics;
    TskTabPosition FTabPosition = skTop;
    TskTab* FTabControl;
    std::array<bool, MaxStripTabs> FTabVisibleFlags;
};

// The tab control frame: owns the strip, paints the page area and its border, and
// carries the look, the tab font, the border colour and the tab events. Abstract: a
// descendant passes the strip it uses to the constructor.
class TskTab : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TFont* Font READ TabFont WRITE SetTabFont)
    Q_PROPERTY(SkinTabs::TskTabPosition TabPosition READ TabPosition WRITE SetTabPosition)
public:
    using TTabActiveNotify = std::function<void(TObject* Sender, int TabIndex)>;
    using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
    using TTopPanelFactory = std::function<TskTabControlTopPanel*(TskTab* tabControl)>;

    ~TskTab() override;

    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    int LeftMargin() const { return FTopPanel->LeftMargin(); }
    void SetLeftMargin(int margin) { FTopPanel->SetLeftMargin(margin); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);
    // The font of the tab captions (the panel's own font is not used).
    TFont* TabFont() const { return FTabFont; }
    void SetTabFont(TFont* font);
    TskTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TskTabPosition position);
    TskTabControlTopPanel* TopPanel() const { return FTopPanel; }

    // The page area: the client area less the strip.
    TRect PageArea() const;

    TNotifyEvent* NotifyEvent(const QString& name) override;
    std::optional<TEventSlot> EventSlot(const QString& name) override;

    TTabActiveNotify OnTabActive;
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    // Hooks a descendant overrides.
    virtual void SelectTab(int index);
    virtual void BorderColorChanged();
    // A tab became active: OnTabActive, then OnChange (not while loading).
    virtual void TabActive(int index);
    virtual void UpdateUIStyle(TskUIStyle style, TskFileTheme* theme);

protected:
    TskTab(TComponent* AOwner, const TTopPanelFactory& createTopPanel);

    void Paint() override;
    void WMEraseBkgnd(TMessage& message) override;
    void AdjustClientRect(TRect& rect) const override;
    void AlignControls(TControl* control, TRect& rect) override;

private:
    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the control in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    TColor FBorderColor = clBlack;
    TFont* FTabFont;
    TskTabPosition FTabPosition = skTop;
    TskTabControlTopPanel* FTopPanel = nullptr;
};
