// The strip's geometry in pixels: tab widths and places, the cut tab, the scroll
// buttons, clicks on both sides of every edge and the scrolling that shows the active tab.
#include "skin/controls/SKTabGeometry.h"

#include <gtest/gtest.h>

namespace {

// The MacOS strip: tab pictures 27 high, a 7-pixel line, 18 x 18 scroll buttons.
TskTabStripMetrics MacMetrics(int width = 489, TskTabPosition position = skTop) {
    TskTabStripMetrics metrics;
    metrics.Width = width;
    metrics.Height = 34;
    metrics.InactiveHeight = 27;
    metrics.ActiveHeight = 27;
    metrics.LineHeight = 7;
    metrics.ScrollButtonWidth = 18;
    metrics.ScrollButtonHeight = 18;
    metrics.Position = position;
    return metrics;
}

TskTabStripState Tabs(QList<int> widths, int tabIndex = 0, int firstTab = 0) {
    TskTabStripState state;
    state.NaturalWidths = widths;
    state.TabIndex = tabIndex;
    state.FirstTab = firstTab;
    return state;
}

TEST(TabGeometry, TabWidthsComeFromTheCaption) {
    EXPECT_EQ(TabWidthForCaption(false, 70), 90);
    EXPECT_EQ(TabWidthForCaption(true, 0), 80);
    EXPECT_EQ(TabWidthForCaption(false, 0), 20);
    EXPECT_EQ(TabWidthForCaption(false, -10), 15);
}

TEST(TabGeometry, TabsFollowEachOtherFromTheLeftMarginWithTheActiveOnePixelLower) {
    const TskTabStripLayout layout = LayoutTabStrip(MacMetrics(), Tabs({90, 80, 100}, 1));
    ASSERT_EQ(layout.Tabs.size(), 3);
    EXPECT_EQ(layout.Tabs[0].Rect, Rect(10, 0, 100, 27));
    EXPECT_EQ(layout.Tabs[1].Rect, Rect(100, 1, 180, 28));
    EXPECT_TRUE(layout.Tabs[1].Active);
    EXPECT_EQ(layout.Tabs[2].Rect, Rect(180, 0, 280, 27));
    EXPECT_EQ(layout.Line, Rect(1, 27, 488, 34));
    EXPECT_EQ(layout.TabWidths, (QList<int>{90, 80, 100}));
    EXPECT_EQ(layout.LastWholeTab, 2);
    EXPECT_FALSE(layout.Overflow);
    EXPECT_FALSE(layout.ScrollButtons);
}

TEST(TabGeometry, ATabPastTheRoomIsCutBeforeTheScrollButtonsAndLaterTabsAreLeftOut) {
    // Room for tabs that are not the last: 489 - 2 x 18 - 2 = 451.
    const TskTabStripLayout layout = LayoutTabStrip(MacMetrics(), Tabs({200, 200, 100, 50}, 0));
    ASSERT_EQ(layout.Tabs.size(), 3);
    EXPECT_EQ(layout.Tabs[2].Rect, Rect(410, 0, 451, 27));
    EXPECT_TRUE(layout.Tabs[2].Cut);
    EXPECT_EQ(TabCaptionRect(layout.Tabs[2]), Rect(420, 0, 447, 27));
    EXPECT_EQ(layout.TabWidths, (QList<int>{200, 200, 41, TabNeverMeasured}));
    EXPECT_EQ(layout.LastWholeTab, 1);
    EXPECT_TRUE(layout.Overflow);
    ASSERT_TRUE(layout.ScrollButtons);
    // Buttons at x 451 and 469, (34 - 18) / 2 - 2 = 6 from the top.
    EXPECT_EQ(layout.LeftButton, Rect(451, 6, 469, 24));
    EXPECT_EQ(layout.RightButton, Rect(469, 6, 487, 24));
}

TEST(TabGeometry, ACutActiveTabKeepsItsWholeWidth) {
    const TskTabStripLayout layout = LayoutTabStrip(MacMetrics(), Tabs({400, 100}, 1));
    ASSERT_EQ(layout.Tabs.size(), 2);
    EXPECT_EQ(layout.Tabs[1].Rect, Rect(410, 1, 451, 28));
    EXPECT_EQ(layout.TabWidths[1], 100);
}

TEST(TabGeometry, TheLastTabMayReachTenPixelsFromTheEdge) {
    EXPECT_FALSE(LayoutTabStrip(MacMetrics(), Tabs({400, 69})).Overflow);
    const TskTabStripLayout past = LayoutTabStrip(MacMetrics(), Tabs({400, 70}));
    EXPECT_TRUE(past.Overflow);
    EXPECT_TRUE(past.Tabs.last().Cut);
}

TEST(TabGeometry, ScrolledTabsAndHiddenTabsAreNotDrawnAndScrollingCountsVisibleTabs) {
    TskTabStripState state = Tabs({90, 80, 100, 60}, 3, 1);
    state.Visible = {false, true, true, true};
    const TskTabStripLayout layout = LayoutTabStrip(MacMetrics(), state);
    EXPECT_EQ(layout.TabWidths, (QList<int>{TabHidden, 80, 100, 60}));
    ASSERT_EQ(layout.Tabs.size(), 2);
    EXPECT_EQ(layout.Tabs[0].Index, 2);
    EXPECT_EQ(layout.Tabs[0].Rect.Left, 10);
    EXPECT_EQ(layout.Tabs[1].Index, 3);
    // Shown because the strip is scrolled, although everything fits.
    EXPECT_TRUE(layout.ScrollButtons);
    EXPECT_FALSE(layout.Overflow);
    EXPECT_EQ(TabAt(layout, Point(50, 10)), 2);
}

TEST(TabGeometry, ClicksHitTabsStrictlyInsideTheirEdgesAndTheBand) {
    const TskTabStripLayout layout = LayoutTabStrip(MacMetrics(), Tabs({90, 80}, 0));
    EXPECT_EQ(TabAt(layout, Point(10, 10)), -1);
    EXPECT_EQ(TabAt(layout, Point(11, 10)), 0);
    EXPECT_EQ(TabAt(layout, Point(99, 10)), 0);
    EXPECT_EQ(TabAt(layout, Point(100, 10)), -1);
    EXPECT_EQ(TabAt(layout, Point(101, 10)), 1);
    EXPECT_EQ(TabAt(layout, Point(179, 10)), 1);
    EXPECT_EQ(TabAt(layout, Point(180, 10)), -1);
    EXPECT_EQ(TabAt(layout, Point(50, 0)), -1);
    EXPECT_EQ(TabAt(layout, Point(50, 1)), 0);
    EXPECT_EQ(TabAt(layout, Point(50, 26)), 0);
    EXPECT_EQ(TabAt(layout, Point(50, 27)), -1);
}

TEST(TabGeometry, AtTheBottomTheTabsTheLineAndTheClickBandAreTurnedOver) {
    const TskTabStripLayout layout =
        LayoutTabStrip(MacMetrics(489, skBottom), Tabs({90, 400, 100}, 0));
    EXPECT_EQ(layout.Line, Rect(1, 0, 488, 7));
    EXPECT_EQ(layout.Tabs[0].Rect, Rect(10, 6, 100, 33));
    EXPECT_EQ(layout.Tabs[1].Rect, Rect(100, 7, 451, 34));
    // (34 - 18) / 2 + 2 = 10 from the top.
    EXPECT_EQ(layout.RightButton, Rect(469, 10, 487, 28));
    EXPECT_EQ(TabAt(layout, Point(50, 7)), -1);
    EXPECT_EQ(TabAt(layout, Point(50, 8)), 0);
    EXPECT_EQ(TabAt(layout, Point(50, 33)), 0);
    EXPECT_EQ(TabAt(layout, Point(50, 34)), -1);
}

TEST(TabGeometry, ScrollButtonsAreHotOnTheirPicturesWithoutOverlap) {
    const TskTabStripLayout layout = LayoutTabStrip(MacMetrics(), Tabs({300, 300}));
    EXPECT_EQ(ScrollButtonAt(layout, Point(450, 10)), 0);
    EXPECT_EQ(ScrollButtonAt(layout, Point(451, 10)), -1);
    EXPECT_EQ(ScrollButtonAt(layout, Point(468, 10)), -1);
    EXPECT_EQ(ScrollButtonAt(layout, Point(469, 10)), 1);
    EXPECT_EQ(ScrollButtonAt(layout, Point(488, 10)), 1);
    EXPECT_EQ(ScrollButtonAt(layout, Point(489, 10)), 0);
    EXPECT_EQ(ScrollButtonAt(layout, Point(470, 5)), 0);
    EXPECT_EQ(ScrollButtonAt(layout, Point(470, 6)), 1);
    EXPECT_EQ(ScrollButtonAt(layout, Point(470, 24)), 1);
    EXPECT_EQ(ScrollButtonAt(layout, Point(470, 25)), 0);
    EXPECT_EQ(ScrollButtonAt(LayoutTabStrip(MacMetrics(), Tabs({90})), Point(470, 10)), 0);
}

TEST(TabGeometry, ALowStripPutsTheButtonsAtItsEdge) {
    TskTabStripMetrics metrics = MacMetrics();
    metrics.Height = 22;
    EXPECT_EQ(LayoutTabStrip(metrics, Tabs({300, 300})).RightButton.Top, 0);
    metrics.Position = skBottom;
    EXPECT_EQ(LayoutTabStrip(metrics, Tabs({300, 300})).RightButton.Top, 4);
}

TEST(TabGeometry, ScrollsUntilTheActiveTabIsWholeButNeverPastIt) {
    EXPECT_EQ(FirstTabShowingActive(MacMetrics(), Tabs({200, 200, 100, 50}, 2)), 1);
    EXPECT_EQ(FirstTabShowingActive(MacMetrics(), Tabs({200, 200, 100, 50}, 1)), 0);
    EXPECT_EQ(FirstTabShowingActive(MacMetrics(), Tabs({200, 200, 100, 50}, -1)), 0);
    // A strip narrower than its scroll buttons: the active tab ends up first, cut.
    EXPECT_EQ(FirstTabShowingActive(MacMetrics(20), Tabs({90, 90, 90, 90}, 3)), 3);
    const TskTabStripLayout narrow = LayoutTabStrip(MacMetrics(20), Tabs({90, 90, 90, 90}, 3, 3));
    ASSERT_EQ(narrow.Tabs.size(), 1);
    EXPECT_TRUE(narrow.Tabs[0].Rect.IsEmpty());
}

TEST(TabGeometry, NoTabsAndTabsPastTheSixtyFourthDrawNothing) {
    const TskTabStripLayout empty = LayoutTabStrip(MacMetrics(), Tabs({}, -1));
    EXPECT_TRUE(empty.Tabs.isEmpty());
    EXPECT_FALSE(empty.Overflow);
    EXPECT_EQ(TabAt(empty, Point(20, 10)), -1);
    const TskTabStripLayout many =
        LayoutTabStrip(MacMetrics(100000), Tabs(QList<int>(100, 20), 80));
    EXPECT_EQ(many.TabWidths.size(), MaxStripTabs);
    EXPECT_EQ(many.Tabs.size(), MaxStripTabs);
}

} // namespace
