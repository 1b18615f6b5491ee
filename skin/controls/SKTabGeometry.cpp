#include "skin/controls/SKTabGeometry.h"

#include "skin/core/SKDraw.h"

#include <algorithm>

namespace {

bool TabShown(const TskTabStripState& state, int index) {
    return index >= state.Visible.size() || state.Visible.at(index);
}

// Visible tabs before the tab: the scroll offset at which it is the first one drawn.
int VisibleTabsBefore(const TskTabStripState& state, int index) {
    int count = 0;
    for (int i = 0; i < index && i < state.NaturalWidths.size(); ++i) {
        count += TabShown(state, i) ? 1 : 0;
    }
    return count;
}

void PlaceScrollButtons(const TskTabStripMetrics& m, TskTabStripLayout& layout) {
    const int sw = m.ScrollButtonWidth;
    const int sh = m.ScrollButtonHeight;
    const int x1 = m.Width - sw - ScrollButtonGap;
    const int x0 = x1 - sw;
    const bool room = m.Height > sh + 2 * ScrollButtonGap;
    int y = 0;
    if (m.Position == skTop) {
        y = room ? (m.Height - sh) / 2 - ScrollButtonGap : 0;
    } else {
        y = room ? (m.Height - sh) / 2 + ScrollButtonGap : m.Height - sh;
    }
    layout.RightButton = Bounds(x1, y, sw, sh);
    layout.LeftButton = Bounds(x0, y, sw, sh);
}

} // namespace

int TabWidthForCaption(bool emptyCaption, int textWidth) {
    const int width = emptyCaption ? EmptyCaptionTabWidth : textWidth + TabCaptionPadding;
    return std::max(MinTabWidth, width);
}

TskTabStripLayout LayoutTabStrip(const TskTabStripMetrics& m, const TskTabStripState& state) {
    TskTabStripLayout layout;
    const int count = std::min<int>(MaxStripTabs, state.NaturalWidths.size());
    layout.TabWidths.fill(TabNeverMeasured, count);
    const int ih = m.InactiveHeight;
    const int lh = m.LineHeight;
    int inactiveTop = 0;
    int activeTop = 1;
    if (m.Position == skTop) {
        layout.Line = Rect(1, ih, m.Width - 1, ih + lh);
        layout.LineTop = ih;
        layout.LineBottom = ih + lh;
        layout.BandTop = 0;
        layout.BandBottom = m.ActiveHeight;
    } else {
        layout.Line = Rect(1, 0, m.Width - 1, lh);
        layout.LineTop = 0;
        layout.LineBottom = lh;
        inactiveTop = m.Height - ih;
        activeTop = m.Height - ih - 1;
        layout.BandTop = m.Height - m.ActiveHeight;
        layout.BandBottom = m.Height;
    }
    // The right edge allowed for a tab that is not the last, and for the last one.
    const int cutEdge = m.Width - 2 * m.ScrollButtonWidth - ScrollButtonGap;
    const int lastEdge = m.Width - LastTabRightGap;

    int x = state.LeftMargin;
    int limit = cutEdge;
    int visibleSeen = 0;
    bool stop = false;
    layout.LastWholeTab = count - 1;
    for (int i = 0; i < count; ++i) {
        limit = i == count - 1 ? lastEdge : cutEdge;
        if (!TabShown(state, i)) {
            layout.TabWidths[i] = TabHidden;
            continue;
        }
        if (stop) {
            break;
        }
        const int width = state.NaturalWidths.at(i);
        layout.TabWidths[i] = width;
        if (++visibleSeen <= state.FirstTab) {
            continue;
        }
        const bool active = i == state.TabIndex;
        const int top = active ? activeTop : inactiveTop;
        TskDrawnTab tab{i, Rect(x, top, x + width, top + ih), active, false};
        if (tab.Rect.Right > limit) {
            tab.Rect.Right = cutEdge;
            tab.Cut = true;
            stop = true;
            layout.LastWholeTab = i - 1;
            if (!active) {
                layout.TabWidths[i] = cutEdge - x;
            }
        }
        layout.Tabs.append(tab);
        x += width;
    }
    layout.Overflow = (x > limit || stop) && count > 0;
    layout.ScrollButtons = layout.Overflow || state.FirstTab > 0;
    if (layout.ScrollButtons) {
        PlaceScrollButtons(m, layout);
    }
    return layout;
}

int ScrollButtonAt(const TskTabStripLayout& layout, const TPoint& point) {
    if (!layout.ScrollButtons) {
        return 0;
    }
    // The right button's hot area reaches the gap at the strip's edge; the left one
    // ends where the right one's picture begins.
    const TRect right = layout.RightButton;
    if (PointInRect(point,
                    Rect(right.Left, right.Top, right.Right + ScrollButtonGap - 1, right.Bottom))) {
        return 1;
    }
    const TRect left = layout.LeftButton;
    if (PointInRect(point, Rect(left.Left, left.Top, left.Right - 1, left.Bottom))) {
        return -1;
    }
    return 0;
}

int TabAt(const TskTabStripLayout& layout, const TPoint& point) {
    if (point.Y <= layout.BandTop || point.Y >= layout.BandBottom) {
        return -1;
    }
    for (const TskDrawnTab& tab : layout.Tabs) {
        const int right = tab.Rect.Left + layout.TabWidths.at(tab.Index);
        if (tab.Rect.Left < point.X && point.X < right) {
            return tab.Index;
        }
    }
    return -1;
}

TRect TabCaptionRect(const TskDrawnTab& tab) {
    TRect rect = tab.Rect;
    if (tab.Cut) {
        rect.Left += CutCaptionLeftInset;
        rect.Right -= CutCaptionRightInset;
    }
    return rect;
}

int FirstTabShowingActive(const TskTabStripMetrics& metrics, TskTabStripState state) {
    if (state.TabIndex < 0) {
        return state.FirstTab;
    }
    const int furthest = VisibleTabsBefore(state, state.TabIndex);
    while (state.FirstTab < furthest &&
           LayoutTabStrip(metrics, state).LastWholeTab < state.TabIndex) {
        ++state.FirstTab;
    }
    return state.FirstTab;
}
