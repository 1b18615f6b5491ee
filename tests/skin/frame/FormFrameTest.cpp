#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemes.h"
#include "skin/frame/SKFormFrame.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Marker = RGB(1, 2, 3);

bool RowFull(const QRegion& region, int y, int width) {
    return region.contains(QRect(0, y, width, 1));
}

TEST(FormRegion, SquareCornersGiveTheWholeRectangle) {
    EXPECT_EQ(FormRegion(513, 343, 0, 0), QRegion(0, 0, 513, 343));
    EXPECT_EQ(FormRegion(513, 343, 0, -1), QRegion(0, 0, 513, 343));
}

TEST(FormRegion, RoundTopCornersFollowAnREllipseAndLeaveTheBottomSquare) {
    for (int r : {11, 13}) {
        const QRegion region = FormRegion(200, 100, r, 0);
        EXPECT_FALSE(region.contains(QPoint(0, 0))) << r;
        EXPECT_FALSE(region.contains(QPoint(199, 0))) << r;
        // The corner ellipse is r x r: its quarter spans about r / 2 pixels.
        EXPECT_TRUE(region.contains(QPoint(r / 2 + 1, 0))) << r;
        EXPECT_TRUE(region.contains(QPoint(0, r / 2 + 1))) << r;
        EXPECT_FALSE(region.contains(QPoint(1, 1))) << r;
        EXPECT_TRUE(RowFull(region, r, 200)) << r;
        EXPECT_TRUE(region.contains(QPoint(0, 99)));
        EXPECT_TRUE(region.contains(QPoint(199, 99)));
        EXPECT_TRUE(RowFull(region, 50, 200));
        // Left and right corners mirror each other.
        for (int y = 0; y < r; ++y) {
            for (int x = 0; x < r; ++x) {
                EXPECT_EQ(region.contains(QPoint(x, y)), region.contains(QPoint(199 - x, y)));
            }
        }
        EXPECT_EQ(region.boundingRect(), QRect(0, 0, 200, 100));
    }
}

TEST(FormRegion, RoundBottomCornersOnlyWithABottomRadius) {
    const QRegion region = FormRegion(200, 100, 0, 13);
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(0, 99)));
    EXPECT_FALSE(region.contains(QPoint(199, 99)));
    EXPECT_TRUE(RowFull(region, 99 - 13, 200));
}

TEST(FormRegion, TinyWindowsStayInsideTheirRectangle) {
    for (int size : {0, 1, 5, 20}) {
        const QRegion region = FormRegion(size, size, 13, 13);
        EXPECT_TRUE((region - QRegion(0, 0, size, size)).isEmpty()) << size;
    }
}

// The title pictures of a look, in the frame painter's input.
struct TLookPictures {
    TBitmap Left;
    TBitmap Right;
    TBitmap Middle;
    explicit TLookPictures(TskUIStyle style) {
        GetBuiltinThemeBitmap(style, TitleBarLeftImage, &Left);
        GetBuiltinThemeBitmap(style, TitleBarRightImage, &Right);
        GetBuiltinThemeBitmap(style, TitleBarClientImage, &Middle);
    }
};

std::unique_ptr<TBitmap> PaintFrame(const TskFrameInput& input) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(input.Width, input.Height);
    bitmap->Image().fill(ColorToQRgb(Marker));
    PaintSkinFrame(bitmap->Canvas(), input);
    return bitmap;
}

TskFrameInput LookFrame(TskUIStyle style, TLookPictures& pictures, int titleBarHeight) {
    TskFrameInput input;
    input.Width = 513;
    input.Height = 343;
    input.BorderWidth = GetBuiltinThemeInt(style, FormBorderWidthInt);
    input.BorderColor = static_cast<TColor>(GetBuiltinThemeColor(style, FormBorderColor));
    input.Color = static_cast<TColor>(GetBuiltinThemeColor(style, FormBackgroundColor));
    input.TitleBarHeight = titleBarHeight;
    input.TitleLeft = &pictures.Left;
    input.TitleRight = &pictures.Right;
    input.TitleMiddle = &pictures.Middle;
    input.RoundCorner = GetBuiltinThemeInt(style, FormRoundCornerInt);
    return input;
}

TEST(FormFramePaint, MacMainWindowHasTheLinesTheBandsAndTheTitlePicturesOnTop) {
    TLookPictures pictures(MacOS);
    const TskFrameInput input = LookFrame(MacOS, pictures, 20);
    auto frame = PaintFrame(input);
    const TColor line = RGB(0x7F, 0x7F, 0x7F);
    const TColor band = RGB(0xE7, 0xE7, 0xE7);
    for (int y = 23; y < 342; ++y) {
        ASSERT_EQ(frame->Pixel(0, y), line) << y;
        ASSERT_EQ(frame->Pixel(512, y), line) << y;
        ASSERT_EQ(frame->Pixel(1, y), band) << y;
        ASSERT_EQ(frame->Pixel(2, y), band) << y;
        ASSERT_EQ(frame->Pixel(510, y), band) << y;
        ASSERT_EQ(frame->Pixel(511, y), band) << y;
        if (y < 340) {
            ASSERT_EQ(frame->Pixel(3, y), Marker) << y;
        }
    }
    for (int x = 0; x < 513; ++x) {
        ASSERT_EQ(frame->Pixel(x, 342), line) << x;
        if (x > 0 && x < 512) {
            ASSERT_EQ(frame->Pixel(x, 341), band) << x;
            ASSERT_EQ(frame->Pixel(x, 340), band) << x;
        }
    }
    // Left margin: the left picture's first columns at x = 1 and 2; the top strip
    // holds the left picture from its column 2 at x = 2.
    EXPECT_EQ(frame->Pixel(1, 10), pictures.Left.Pixel(0, 10));
    EXPECT_EQ(frame->Pixel(2, 10), pictures.Left.Pixel(1, 10));
    EXPECT_EQ(frame->Pixel(5, 1), pictures.Left.Pixel(1, 1));
    // Right margin: the right picture's last two columns at x = 510 and 511.
    const int rw = pictures.Right.Width();
    EXPECT_EQ(frame->Pixel(510, 10), pictures.Right.Pixel(rw - 2, 10));
    EXPECT_EQ(frame->Pixel(511, 10), pictures.Right.Pixel(rw - 1, 10));
    EXPECT_EQ(frame->Pixel(200, 5), Marker);
}

TEST(FormFramePaint, EveryThinBorderedLookHasItsLineBandsAndTitleMargins) {
    const std::pair<TskUIStyle, int> looks[] = {
        {MacOS, 20}, {DeepBlue, 29}, {Protein, 20}, {BlueGlass, 30}};
    for (auto [style, titleHeight] : looks) {
        TLookPictures pictures(style);
        const TskFrameInput input = LookFrame(style, pictures, titleHeight);
        ASSERT_EQ(input.BorderWidth, 1) << style;
        auto frame = PaintFrame(input);
        const int below = pictures.Left.Height();
        EXPECT_EQ(frame->Pixel(0, below + 5), input.BorderColor) << style;
        EXPECT_EQ(frame->Pixel(512, below + 5), input.BorderColor) << style;
        EXPECT_EQ(frame->Pixel(200, 342), input.BorderColor) << style;
        EXPECT_EQ(frame->Pixel(2, below + 5), input.Color) << style;
        EXPECT_EQ(frame->Pixel(510, below + 5), input.Color) << style;
        EXPECT_EQ(frame->Pixel(200, 340), input.Color) << style;
        EXPECT_EQ(frame->Pixel(1, 5), pictures.Left.Pixel(0, 5)) << style;
        const int rw = pictures.Right.Width();
        EXPECT_EQ(frame->Pixel(511, 5), pictures.Right.Pixel(rw - 1, 5)) << style;
        EXPECT_EQ(frame->Pixel(200, 150), Marker) << style;
    }
}

TEST(FormFramePaint, WinXpThreePixelBorderHasNoBandsAndOnlyTheTopStrip) {
    TLookPictures pictures(WinXP);
    const TskFrameInput input = LookFrame(WinXP, pictures, 26);
    auto frame = PaintFrame(input);
    const TColor border = RGB(0x00, 0x2C, 0xC8);
    for (int y : {0, 10, 200, 342}) {
        for (int x : {0, 1, 510, 511, 512}) {
            EXPECT_EQ(frame->Pixel(x, y), border) << x << "," << y;
        }
    }
    EXPECT_EQ(frame->Pixel(2, 200), border);
    EXPECT_EQ(frame->Pixel(100, 340), border);
    EXPECT_EQ(frame->Pixel(100, 339), Marker);
    EXPECT_EQ(frame->Pixel(3, 100), Marker);
    // The top strip: the left picture at its own x, three rows high.
    EXPECT_EQ(frame->Pixel(5, 1), pictures.Left.Pixel(5, 1));
    EXPECT_EQ(frame->Pixel(5, 3), Marker);
}

TEST(FormFramePaint, BlueGlassDrawsTheTwoTopArcsOnlyWithRadiusElevenAndAThinBorder) {
    TLookPictures pictures(BlueGlass);
    TskFrameInput input = LookFrame(BlueGlass, pictures, 30);
    ASSERT_EQ(input.RoundCorner, 11);
    ASSERT_EQ(input.BorderWidth, 1);
    auto withArcs = PaintFrame(input);
    input.RoundCorner = 12;
    auto withoutArcs = PaintFrame(input);
    int leftDifferences = 0;
    int rightDifferences = 0;
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
            leftDifferences += withArcs->Pixel(x, y) != withoutArcs->Pixel(x, y) ? 1 : 0;
            rightDifferences +=
                withArcs->Pixel(512 - x, y) != withoutArcs->Pixel(512 - x, y) ? 1 : 0;
            if (withArcs->Pixel(x, y) != withoutArcs->Pixel(x, y)) {
                EXPECT_EQ(withArcs->Pixel(x, y), clBlack) << x << "," << y;
            }
        }
    }
    // The circle of radius 11 centred at (10, 10) meets the window's top row near
    // x = 5 and its left column near y = 5: a short arc is visible in each corner.
    EXPECT_GE(leftDifferences, 3);
    EXPECT_GE(rightDifferences, 3);
    EXPECT_EQ(withArcs->Pixel(8, 20), withoutArcs->Pixel(8, 20));
    // Nothing beyond the corner squares changes.
    EXPECT_EQ(withArcs->Pixel(100, 1), withoutArcs->Pixel(100, 1));
}

TEST(FormFramePaint, HiddenTitleBarGivesATopLineAndTheMenuBarItsSideColour) {
    TLookPictures pictures(DeepBlue);
    TskFrameInput input = LookFrame(DeepBlue, pictures, 29);
    input.TitleBarVisible = false;
    input.MenuBarVisible = true;
    input.MenuBarHeight = 22;
    input.MenuBarColor = RGB(9, 9, 9);
    auto frame = PaintFrame(input);
    for (int x = 0; x < 513; x += 37) {
        EXPECT_EQ(frame->Pixel(x, 0), clBlack) << x;
    }
    EXPECT_EQ(frame->Pixel(10, 1), input.Color);
    EXPECT_EQ(frame->Pixel(10, 2), input.Color);
    EXPECT_EQ(frame->Pixel(10, 3), Marker);
    // The menu bar's side columns lie below the (hidden) bar's height.
    EXPECT_EQ(frame->Pixel(1, 29 + 3), RGB(9, 9, 9));
    EXPECT_EQ(frame->Pixel(511, 29 + 3 + 21), RGB(9, 9, 9));
    EXPECT_EQ(frame->Pixel(1, 29 + 3 + 22), input.Color);
}

TEST(FormFramePaint, SidePicturesFrameAFileThemeWindow) {
    TBitmap side;
    side.SetSize(6, 10);
    side.Image().fill(qRgb(0, 200, 0));
    TBitmap left;
    left.SetSize(6, 10);
    left.Image().fill(qRgb(0, 0, 200));
    TskFrameInput input;
    input.Width = 100;
    input.Height = 80;
    input.Color = RGB(50, 50, 50);
    input.TitleBarHeight = 20;
    input.SideBitmap = &side;
    input.LeftBorder = &left;
    input.HostColor = RGB(70, 70, 70);
    input.TitleBarVisible = false;
    auto frame = PaintFrame(input);
    EXPECT_EQ(frame->Pixel(0, 40), RGB(0, 0, 200));
    EXPECT_EQ(frame->Pixel(99, 40), RGB(0, 200, 0));
    EXPECT_EQ(frame->Pixel(6, 40), RGB(50, 50, 50));
    EXPECT_EQ(frame->Pixel(93, 40), RGB(50, 50, 50));
    EXPECT_EQ(frame->Pixel(50, 79), RGB(50, 50, 50));
    EXPECT_EQ(frame->Pixel(50, 1), RGB(70, 70, 70));
    EXPECT_EQ(frame->Pixel(50, 40), Marker);
}

} // namespace
