#include "skin/frame/SKTitleBarLayout.h"

#include <gtest/gtest.h>

namespace {

// Every character 5 pixels wide, text 13 high.
int FixedWidth(const QString& text) {
    return 5 * static_cast<int>(text.size());
}

TskTitleBarLayoutInput MainWindowBar() {
    TskTitleBarLayoutInput input;
    input.BarWidth = 501;
    input.RightBtnXOffset = -2;
    input.LeftBtnXOffset = 3;
    input.ButtonRowTop = 1;
    input.ButtonRowHeight = 17;
    input.Buttons = {{false, true, 17, 17}, {true, false, 17, 17}};
    input.Cursor = Point(-100, -100);
    input.Caption = QStringLiteral("Sumwarden");
    input.TextWidth = FixedWidth;
    input.TextHeight = 13;
    return input;
}

TEST(TitleBarLayout, MainWindowPutsTheCloseGlyphTwentyPixelsFromTheRightAndTheCaptionAtFour) {
    const TskTitleBarLayout layout = LayoutTitleBar(MainWindowBar());
    EXPECT_EQ(layout.ButtonRects[1], Bounds(501 - 20, 1, 17, 17));
    EXPECT_TRUE(layout.ButtonRects[0].IsEmpty());
    EXPECT_EQ(layout.ControlBoxIndex, -1);
    EXPECT_EQ(layout.CaptionAt, Point(4, 1 + (17 - 13) / 2));
    EXPECT_EQ(layout.CaptionText, QStringLiteral("Sumwarden"));
    EXPECT_EQ(layout.HotIndex, -1);
}

TEST(TitleBarLayout, RightHandButtonsGoFromTheRightInCollectionOrder) {
    TskTitleBarLayoutInput input = MainWindowBar();
    input.Side = 2;
    input.ButtonInterval = 3;
    input.Buttons = {{true, false, 17, 17}, {true, false, 17, 17}, {true, false, 17, 17}};
    const TskTitleBarLayout layout = LayoutTitleBar(input);
    const int first = 501 - 2 + 2 - 21;
    EXPECT_EQ(layout.ButtonRects[0].Left, first);
    EXPECT_EQ(layout.ButtonRects[1].Left, first - 21);
    EXPECT_EQ(layout.ButtonRects[2].Left, first - 42);
    EXPECT_EQ(layout.RowLeft, first - 42);
}

TEST(TitleBarLayout, WithoutRightHandButtonsTheCaptionRunsToTheBarsEndPlusOffsetAndSide) {
    TskTitleBarLayoutInput input = MainWindowBar();
    input.Buttons = {};
    input.Side = 4;
    input.LeftBtnXOffset = 10;
    input.Caption = QString(200, QLatin1Char('x'));
    const TskTitleBarLayout layout = LayoutTitleBar(input);
    EXPECT_EQ(layout.RowLeft, 501 - 2 + 4);
    const int room = layout.RowLeft - (10 - 4 + 1);
    EXPECT_LE(FixedWidth(layout.CaptionText), room);
    EXPECT_GT(FixedWidth(layout.CaptionText) + 5, room);
}

TEST(TitleBarLayout, CaptionTooWideEndsInDotsAndNeverLoops) {
    EXPECT_EQ(EllipsizeCaption(QStringLiteral("abcdef"), 30, FixedWidth), QStringLiteral("abcdef"));
    EXPECT_EQ(EllipsizeCaption(QStringLiteral("abcdefg"), 30, FixedWidth),
              QStringLiteral("abc..."));
    EXPECT_EQ(EllipsizeCaption(QStringLiteral("abcdefg"), 15, FixedWidth), QStringLiteral("..."));
    EXPECT_EQ(EllipsizeCaption(QStringLiteral("abcdefg"), 14, FixedWidth), QString());
    EXPECT_EQ(EllipsizeCaption(QStringLiteral("abc"), -40, FixedWidth), QString());
}

TEST(TitleBarLayout, CaptionStartsAtSixWithoutControlBoxAndSmallLeftOffset) {
    TskTitleBarLayoutInput input = MainWindowBar();
    input.Side = 3;
    input.LeftBtnXOffset = 2;
    EXPECT_EQ(LayoutTitleBar(input).CaptionAt.X, 6);
    input.LeftBtnXOffset = -20;
    EXPECT_EQ(LayoutTitleBar(input).CaptionAt.X, 6);
}

TEST(TitleBarLayout, ButtonWiderThanTheRoomIsPushedBackOnePixelInsideTheBar) {
    TskTitleBarLayoutInput input = MainWindowBar();
    input.BarWidth = 40;
    input.RightBtnXOffset = 30;
    input.Buttons = {{true, false, 17, 17}};
    const TskTitleBarLayout layout = LayoutTitleBar(input);
    EXPECT_EQ(layout.ButtonRects[0].Left, 40 - 17 - 1);
}

TEST(TitleBarLayout, HotButtonCountsAllFourEdgesAsInside) {
    TskTitleBarLayoutInput input = MainWindowBar();
    const TRect close = Bounds(481, 1, 17, 17);
    for (TPoint inside : {Point(481, 1), Point(498, 18), Point(490, 10)}) {
        input.Cursor = inside;
        EXPECT_EQ(LayoutTitleBar(input).HotIndex, 1) << inside.X << "," << inside.Y;
    }
    for (TPoint outside : {Point(480, 1), Point(499, 10), Point(490, 0), Point(490, 19)}) {
        input.Cursor = outside;
        EXPECT_EQ(LayoutTitleBar(input).HotIndex, -1) << outside.X << "," << outside.Y;
    }
    EXPECT_EQ(close.Right, 498);
}

TEST(TitleBarLayout, ControlBoxSitsOnePixelHigherOrGivesWayToTheIcon) {
    TskTitleBarLayoutInput input = MainWindowBar();
    input.Buttons[0].Visible = true;
    TskTitleBarLayout layout = LayoutTitleBar(input);
    EXPECT_EQ(layout.ControlBoxIndex, 0);
    EXPECT_EQ(layout.ControlBoxRect, Bounds(4, 1, 17, 17));
    EXPECT_EQ(layout.ControlBoxDrawAt, Point(4, 0));
    EXPECT_EQ(layout.CaptionAt.X, 4 + 17 + 5);
    input.DrawAppIcon = true;
    input.Cursor = Point(10, 5);
    layout = LayoutTitleBar(input);
    EXPECT_EQ(layout.ControlBoxDrawAt, Point(7, 1));
    EXPECT_EQ(layout.CaptionAt.X, 4 + 21);
    EXPECT_EQ(layout.HotIndex, 0);
}

TEST(TitleBarLayout, RightToLeftCaptionEndsTenPixelsBeforeTheButtons) {
    TskTitleBarLayoutInput input = MainWindowBar();
    input.CaptionFromRight = true;
    const TskTitleBarLayout layout = LayoutTitleBar(input);
    EXPECT_EQ(layout.CaptionAt.X, 481 - FixedWidth(QStringLiteral("Sumwarden")) - 10);
}

} // namespace
