// Where a tab strip's tabs, line and scroll buttons lie, computed from the strip's size,
// its pictures' sizes and its tabs. Painting, hit tests and the tab-index setter all ask
// these functions, so what is clicked is what is drawn; none of them keeps state.
#pragma once

#include "framework/graphics/Types.h"

#include <QList>
#include <QObject>

namespace SkinTabs {
Q_NAMESPACE

// Which edge of the tab control the strip lies along.
enum TskTabPosition { skTop, skBottom };
Q_ENUM_NS(TskTabPosition)

} // namespace SkinTabs

using SkinTabs::TskTabPosition;
using enum SkinTabs::TskTabPosition;

// A strip holds at most this many tabs; later ones are neither drawn nor clicked.
inline constexpr int MaxStripTabs = 64;
inline constexpr int EmptyCaptionTabWidth = 80;
inline constexpr int TabCaptionPadding = 20;
inline constexpr int MinTabWidth = 15;
// The last tab may reach this close to the strip's right edge (no scroll buttons needed).
inline constexpr int LastTabRightGap = 10;
// A cut tab's caption starts this far inside its left edge and stops this far inside its
// right edge.
inline constexpr int CutCaptionLeftInset = 10;
inline constexpr int CutCaptionRightInset = 4;
// Scroll buttons keep this distance from the strip's right edge; with more room than
// the button plus twice this, they sit this much above (or below) the middle.
inline constexpr int ScrollButtonGap = 2;
// The tab widths of a strip never measured and of a hidden tab.
inline constexpr int TabNeverMeasured = -1;
inline constexpr int TabHidden = 0;

// The width of a tab whose caption measures textWidth pixels.
int TabWidthForCaption(bool emptyCaption, int textWidth);

// Sizes that come from the strip and its pictures.
struct TskTabStripMetrics {
    int Width = 0;
    int Height = 0;
    int InactiveHeight = 0;
    int ActiveHeight = 0;
    int LineHeight = 0;
    int ScrollButtonWidth = 0;
    int ScrollButtonHeight = 0;
    TskTabPosition Position = skTop;
};

// The strip's tabs and scroll state.
struct TskTabStripState {
    // Per tab, the width its caption asks for (TabWidthForCaption).
    QList<int> NaturalWidths;
    // Per tab, whether it is shown; missing entries count as shown.
    QList<bool> Visible;
    int TabIndex = 0;
    // Visible tabs scrolled away at the left.
    int FirstTab = 0;
    int LeftMargin = 10;
};

struct TskDrawnTab {
    int Index = 0;
    TRect Rect;
    bool Active = false;
    // The tab passes the room left before the scroll buttons and ends at their left.
    bool Cut = false;
};

struct TskTabStripLayout {
    // Per tab: its width as drawn (a cut inactive tab the part shown), TabHidden, or
    // TabNeverMeasured for tabs past a cut tab.
    QList<int> TabWidths;
    // The tabs drawn, left to right.
    QList<TskDrawnTab> Tabs;
    // The index of the last tab drawn whole.
    int LastWholeTab = -1;
    // Tabs were left out at the right.
    bool Overflow = false;
    bool ScrollButtons = false;
    // Where the scroll-button pictures are drawn.
    TRect LeftButton;
    TRect RightButton;
    // The line picture's rectangle and the two side lines' x (from LineTop to LineBottom).
    TRect Line;
    int LineTop = 0;
    int LineBottom = 0;
    // The band in which clicks hit tabs (edges excluded).
    int BandTop = 0;
    int BandBottom = 0;
};

TskTabStripLayout LayoutTabStrip(const TskTabStripMetrics& metrics, const TskTabStripState& state);

// -1 for the left scroll button under point, 1 for the right one, 0 for neither.
int ScrollButtonAt(const TskTabStripLayout& layout, const TPoint& point);
// The tab under point, or -1.
int TabAt(const TskTabStripLayout& layout, const TPoint& point);
// The rectangle of a drawn tab's caption and whether it is left-aligned (cut tab).
TRect TabCaptionRect(const TskDrawnTab& tab);

// The scroll offset at which the active tab is shown whole: FirstTab grows until the
// active tab is drawn whole, but never past the active tab itself, so a strip too narrow
// for it keeps it as the first tab shown.
int FirstTabShowingActive(const TskTabStripMetrics& metrics, TskTabStripState state);
