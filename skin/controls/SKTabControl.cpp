#include "skin/controls/SKTabControl.h"

#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"

#include <QFontMetrics>
#include <QScopeGuard>
#include <algorithm>

namespace {

// The pages lie this far inside the page area.
constexpr int PageInset = 3;
constexpr int TabControlHeight = 80;
constexpr TColor WinXPPageColor = 0xFFFFFF;

} // namespace

// ---------------------------------------------------------------------------

TskTabControlTopPanel::TskTabControlTopPanel(TComponent* AOwner, TskTab* tabControl)
    : TCustomPanel(AOwner), FTabs(new TStringList(this)), FTabControl(tabControl) {
    SetControlStyle(ControlStyle() & ~TControlStyle(csAcceptsControls));
    FTabs->Add(QStringLiteral("Tab1"));
    FTabs->OnChange = [this](TObject*) {
        if (FTabs->Count() == 0) {
            FTabIndex = -1;
        }
        Invalidate();
    };
    SetText(QStringLiteral(" "));
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderWidth(0);
    FTabVisibleFlags.fill(true);
}

TskTabControlTopPanel::~TskTabControlTopPanel() {
    Destroying();
}

void TskTabControlTopPanel::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskTabControlTopPanel::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    LoadPictures();
    if (FTabPosition == skBottom) {
        TurnPictures();
    }
    SetHeight(FActiveTabPic.Height() + FTabLinePic.Height());
    // The pages follow the strip's new height.
    if (FTabControl->TopPanel() == this) {
        FTabControl->Realign();
    }
    Invalidate();
}

void TskTabControlTopPanel::LoadPictures() {
    LoadThemeFrame(FFileTheme, FUIStyle, TabControlTabImage, &FActiveTabPic, 2, 1);
    LoadThemeFrame(FFileTheme, FUIStyle, TabControlTabImage, &FInactiveTabPic, 2, 2);
    LoadThemeFrame(FFileTheme, FUIStyle, TabControlBarImage, &FTabLinePic);
    for (int frame = 0; frame < 4; ++frame) {
        LoadThemeFrame(FFileTheme, FUIStyle, ScrollButtonImage, &FScrollButtonPics[frame], 4,
                       frame + 1);
        FScrollButtonPics[frame].SetTransparent(true);
    }
    FScrollButtonWidth = FScrollButtonPics[0].Width();
    FScrollButtonHeight = FScrollButtonPics[0].Height();
}

void TskTabControlTopPanel::TurnPictures() {
    RotateBitmap180(&FActiveTabPic);
    RotateBitmap180(&FInactiveTabPic);
    RotateBitmap180(&FTabLinePic);
}

void TskTabControlTopPanel::SetTabPosition(TskTabPosition position) {
    if (position == FTabPosition) {
        return;
    }
    FTabPosition = position;
    TurnPictures();
    Invalidate();
}

void TskTabControlTopPanel::SetLeftMargin(int margin) {
    FLeftMargin = margin;
    Invalidate();
}

bool TskTabControlTopPanel::TabVisibleFlag(int index) const {
    return index >= 0 && index < MaxStripTabs && FTabVisibleFlags.at(index);
}

void TskTabControlTopPanel::SetTabVisibleFlag(int index, bool visible) {
    if (index >= 0 && index < MaxStripTabs) {
        FTabVisibleFlags.at(index) = visible;
        Invalidate();
    }
}

void TskTabControlTopPanel::SetTabIndex(int index) {
    if (index == FTabIndex) {
        return;
    }
    if (FTabs->Count() == 0) {
        FTabIndex = -1;
        Invalidate();
        return;
    }
    if (index < -1 || index > FTabs->Count() - 1) {
        Invalidate();
        return;
    }
    if (FUserClick && FTabControl->OnChanging) {
        bool allowChange = true;
        FTabControl->OnChanging(FTabControl, allowChange);
        if (!allowChange) {
            return;
        }
    }
    FTabIndex = index;
    ScrollActiveIntoView();
    Invalidate();
    FTabControl->TabActive(FTabIndex);
}

void TskTabControlTopPanel::ScrollActiveIntoView() {
    FScrollPending = true;
    ApplyPendingScroll();
}

void TskTabControlTopPanel::ApplyPendingScroll() {
    // A strip not laid out yet (no width, or a layout still being read) would scroll
    // every tab away.
    if (!FScrollPending || Width() <= 0 || FTabControl->IsLoading()) {
        return;
    }
    FScrollPending = false;
    FFirstTab = FirstTabShowingActive(Metrics(), State());
}

void TskTabControlTopPanel::SetBounds(int left, int top, int width, int height) {
    TCustomPanel::SetBounds(left, top, width, height);
    ApplyPendingScroll();
}

TskTabStripMetrics TskTabControlTopPanel::Metrics() const {
    TskTabStripMetrics metrics;
    metrics.Width = Width();
    metrics.Height = Height();
    metrics.InactiveHeight = FInactiveTabPic.Height();
    metrics.ActiveHeight = FActiveTabPic.Height();
    metrics.LineHeight = FTabLinePic.Height();
    metrics.ScrollButtonWidth = FScrollButtonWidth;
    metrics.ScrollButtonHeight = FScrollButtonHeight;
    metrics.Position = FTabPosition;
    return metrics;
}

TskTabStripState TskTabControlTopPanel::State() const {
    TskTabStripState state;
    const QFontMetrics font(FTabControl->TabFont()->ToQFont());
    const int count = std::min(FTabs->Count(), MaxStripTabs);
    for (int i = 0; i < count; ++i) {
        const QString caption = FTabs->Get(i);
        state.NaturalWidths.append(
            TabWidthForCaption(caption.isEmpty(), font.horizontalAdvance(caption)));
        state.Visible.append(FTabVisibleFlags.at(i));
    }
    state.TabIndex = FTabIndex;
    state.FirstTab = FFirstTab;
    state.LeftMargin = FLeftMargin;
    return state;
}

TskTabStripLayout TskTabControlTopPanel::Layout() const {
    return LayoutTabStrip(Metrics(), State());
}

int TskTabControlTopPanel::TabWidths(int index) const {
    const TskTabStripLayout layout = Layout();
    return index >= 0 && index < layout.TabWidths.size() ? layout.TabWidths.at(index)
                                                         : TabNeverMeasured;
}

int TskTabControlTopPanel::HotScrollButton() const {
    return ScrollButtonAt(Layout(), FPointer);
}

void TskTabControlTopPanel::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TskTabControlTopPanel::Paint() {
    const TskTabStripLayout layout = Layout();
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas& canvas = *buffer.Canvas();
    // The parent's background as it lies under the strip.
    canvas.SaveState();
    canvas.MoveOrigin(-Left(), -Top());
    ::PaintParentBackground(&canvas, FTabControl);
    canvas.RestoreState();
    DrawTabs(canvas, layout);
    DrawScrollButtons(canvas, layout);
    Canvas()->Draw(0, 0, &buffer);
}

void TskTabControlTopPanel::DrawTabs(TCanvas& canvas, const TskTabStripLayout& layout) {
    canvas.StretchDraw(layout.Line, &FTabLinePic);
    canvas.Pen()->SetColor(FTabControl->BorderColor());
    canvas.Pen()->SetWidth(1);
    canvas.MoveTo(0, layout.LineTop);
    canvas.LineTo(0, layout.LineBottom);
    canvas.MoveTo(Width() - 1, layout.LineTop);
    canvas.LineTo(Width() - 1, layout.LineBottom);
    canvas.SetFont(FTabControl->TabFont());
    canvas.Brush()->SetStyle(TBrush::bsClear);
    for (const TskDrawnTab& tab : layout.Tabs) {
        if (tab.Rect.IsEmpty()) {
            continue;
        }
        TBitmap* picture = tab.Active ? &FActiveTabPic : &FInactiveTabPic;
        DrawThreePartStrip(picture, &canvas, tab.Rect, false, false);
        TRect captionRect = TabCaptionRect(tab);
        const unsigned align = tab.Cut ? DT_LEFT : DT_CENTER;
        canvas.DrawText(FTabs->Get(tab.Index), captionRect, align | DT_VCENTER | DT_SINGLELINE);
    }
}

void TskTabControlTopPanel::DrawScrollButtons(TCanvas& canvas, const TskTabStripLayout& layout) {
    if (!layout.ScrollButtons) {
        return;
    }
    const int hot = ScrollButtonAt(layout, FPointer);
    canvas.Draw(layout.RightButton.Left, layout.RightButton.Top,
                &FScrollButtonPics[hot == 1 ? 1 : 0]);
    canvas.Draw(layout.LeftButton.Left, layout.LeftButton.Top,
                &FScrollButtonPics[hot == -1 ? 3 : 2]);
}

void TskTabControlTopPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft) {
        return;
    }
    FPointer = Point(x, y);
    const TskTabStripLayout layout = Layout();
    const int scroll = ScrollButtonAt(layout, FPointer);
    if (scroll != 0) {
        if (scroll == 1 && !layout.Overflow) {
            Invalidate();
            return;
        }
        FFirstTab = std::clamp(FFirstTab + scroll, 0, FTabs->Count());
        Invalidate();
        return;
    }
    const int tab = TabAt(layout, FPointer);
    if (tab < 0) {
        Invalidate();
        return;
    }
    FUserClick = true;
    const auto clickDone = qScopeGuard([this] { FUserClick = false; });
    SetTabIndex(tab);
    ScrollActiveIntoView();
    Invalidate();
}

void TskTabControlTopPanel::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    FPointer = Point(x, y);
    if (Layout().ScrollButtons) {
        Invalidate();
    }
}

void TskTabControlTopPanel::CMMouseLeave(TMessage& message) {
    TCustomPanel::CMMouseLeave(message);
    FPointer = Point(-1, -1);
    Invalidate();
}

// ---------------------------------------------------------------------------

TskTab::TskTab(TComponent* AOwner, const TTopPanelFactory& createTopPanel)
    : TCustomPanel(AOwner), FTabFont(new TFont(this)) {
    FTopPanel = createTopPanel(this);
    FTopPanel->SetParent(this);
    FTopPanel->OnClick = [this](TObject*) { Click(); };
    FTopPanel->OnDblClick = [this](TObject*) { DblClick(); };
    FTabFont->OnChange = [this](TObject*) { FTopPanel->Invalidate(); };
    SetText(QStringLiteral(" "));
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderWidth(0);
    SetHeight(TabControlHeight);
    SetUIStyle(GetFormUIStyle(AOwner));
    Realign();
}

TskTab::~TskTab() {
    Destroying();
}

void TskTab::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskTab::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    FTopPanel->SetFileTheme(FFileTheme);
    FTopPanel->SetUIStyle(style);
    UpdateUIStyle(style, FFileTheme);
    const TColor background = ThemeColor(FFileTheme, style, ControlBackgroundColor);
    FTopPanel->SetColor(background);
    FBorderColor = ThemeColor(FFileTheme, style, ControlBorderColor);
    TskUIStyle effective = style;
    const bool fromFile = UsingFileTheme(FFileTheme, style, effective);
    SetColor(!fromFile && style == WinXP ? WinXPPageColor : background);
    Realign();
    Invalidate();
}

void TskTab::UpdateUIStyle(TskUIStyle style, TskFileTheme* theme) {
    ApplyStyleToChildren(this, style, theme);
}

void TskTab::SetBorderColor(TColor color) {
    FBorderColor = color;
    BorderColorChanged();
    Invalidate();
    FTopPanel->Invalidate();
}

void TskTab::BorderColorChanged() {}

void TskTab::SetTabFont(TFont* font) {
    if (font != nullptr) {
        FTabFont->Assign(font);
    }
}

void TskTab::SetTabPosition(TskTabPosition position) {
    if (position == FTabPosition) {
        return;
    }
    FTabPosition = position;
    FTopPanel->SetTabPosition(position);
    Realign();
    Invalidate();
}

void TskTab::SelectTab(int index) {
    FTopPanel->SetTabIndex(index);
}

void TskTab::TabActive(int index) {
    if (IsLoading()) {
        return;
    }
    if (OnTabActive) {
        OnTabActive(this, index);
    }
    if (OnChange) {
        OnChange(this);
    }
}

TNotifyEvent* TskTab::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnChange")) {
        return &OnChange;
    }
    return TCustomPanel::NotifyEvent(name);
}

TRect TskTab::PageArea() const {
    const TRect client = ClientRect();
    const int stripHeight = FTopPanel->Height();
    if (FTabPosition == skTop) {
        return Rect(client.Left, stripHeight, client.Right, client.Bottom);
    }
    return Rect(client.Left, 0, client.Right, client.Bottom - stripHeight);
}

void TskTab::AdjustClientRect(TRect& rect) const {
    TCustomPanel::AdjustClientRect(rect);
    const int stripHeight = FTopPanel != nullptr ? FTopPanel->Height() : 0;
    if (FTabPosition == skTop) {
        rect.Top += stripHeight;
    } else {
        rect.Bottom -= stripHeight;
    }
    InflateRect(rect, -PageInset, -PageInset);
}

void TskTab::AlignControls(TControl* control, TRect& rect) {
    if (FTopPanel != nullptr) {
        const int stripHeight = FTopPanel->Height();
        const int top = FTabPosition == skTop ? 0 : Height() - stripHeight;
        FTopPanel->SetBounds(0, top, Width(), stripHeight);
    }
    TCustomPanel::AlignControls(control, rect);
}

void TskTab::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
}

void TskTab::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect area = PageArea();
    canvas.Brush()->SetStyle(TBrush::bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(area);
    canvas.Pen()->SetColor(FBorderColor);
    canvas.Pen()->SetWidth(1);
    if (FTabPosition == skTop) {
        canvas.Polyline({Point(0, area.Top - 1), Point(0, area.Bottom - 1),
                         Point(area.Right - 1, area.Bottom - 1),
                         Point(area.Right - 1, area.Top - 1)});
    } else {
        canvas.Polyline({Point(area.Right - 1, area.Bottom - 1), Point(area.Right - 1, area.Top),
                         Point(0, area.Top), Point(0, area.Bottom)});
    }
}

std::optional<TComponent::TEventSlot> TskTab::EventSlot(const QString& name) {
    if (name == QLatin1String("OnChanging")) {
        return TEventSlot{{QMetaType::fromType<bool>()}, [this](const TEventInvoker& invoke) {
                              OnChanging = [invoke](TObject* sender, bool& allowChange) {
                                  QObject* from = sender;
                                  void* arguments[] = {nullptr, &from, &allowChange};
                                  invoke(arguments);
                              };
                          }};
    }
    if (name == QLatin1String("OnTabActive")) {
        return TEventSlot{{QMetaType::fromType<int>()}, [this](const TEventInvoker& invoke) {
                              OnTabActive = [invoke](TObject* sender, int tabIndex) {
                                  QObject* from = sender;
                                  void* arguments[] = {nullptr, &from, &tabIndex};
                                  invoke(arguments);
                              };
                          }};
    }
    return TCustomPanel::EventSlot(name);
}
