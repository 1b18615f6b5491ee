#include "framework/graphics/Colors.h"
#include "framework/graphics/Types.h"

#include <gtest/gtest.h>

TEST(Rectangles, AreHalfOpen) {
    const TRect rect = Rect(0, 0, 10, 10);
    EXPECT_EQ(rect.Width(), 10);
    EXPECT_TRUE(PtInRect(rect, {0, 0}));
    EXPECT_TRUE(PtInRect(rect, {9, 9}));
    EXPECT_FALSE(PtInRect(rect, {10, 5}));
    EXPECT_FALSE(PtInRect(rect, {5, 10}));
    EXPECT_EQ(Bounds(3, 4, 5, 6), Rect(3, 4, 8, 10));
    EXPECT_TRUE(Rect(5, 5, 5, 9).IsEmpty());
}

TEST(Rectangles, ConvertToAndFromQt) {
    const TRect rect = Rect(2, 3, 12, 7);
    const QRect qt = rect.ToQRect();
    EXPECT_EQ(qt, QRect(2, 3, 10, 4));
    EXPECT_EQ(qt.right(), 11); // Qt's right is inclusive
    EXPECT_EQ(TRect::FromQRect(qt), rect);
    EXPECT_EQ(TPoint::FromQPoint(QPoint(4, 5)), Point(4, 5));
}

TEST(Rectangles, IntersectAndUnion) {
    TRect result;
    EXPECT_TRUE(IntersectRect(result, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(result, Rect(5, 5, 10, 10));
    EXPECT_FALSE(IntersectRect(result, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(result, TRect{});

    EXPECT_TRUE(UnionRect(result, Rect(0, 0, 2, 2), Rect(5, 6, 7, 8)));
    EXPECT_EQ(result, Rect(0, 0, 7, 8));
    EXPECT_TRUE(UnionRect(result, TRect{}, Rect(5, 6, 7, 8)));
    EXPECT_EQ(result, Rect(5, 6, 7, 8));
    EXPECT_FALSE(UnionRect(result, TRect{}, TRect{}));

    TRect moved = Rect(1, 1, 3, 3);
    OffsetRect(moved, 2, -1);
    EXPECT_EQ(moved, Rect(3, 0, 5, 2));
    InflateRect(moved, 1, 2);
    EXPECT_EQ(moved, Rect(2, -2, 6, 4));
}

TEST(Colors, KeepRedInTheLowByte) {
    EXPECT_EQ(clRed, 0x0000FF);
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211);
    EXPECT_EQ(ColorToQRgb(RGB(0x11, 0x22, 0x33)), qRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(QRgbToColor(qRgb(0xAA, 0xBB, 0xCC)), RGB(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(QColorToColor(ColorToQColor(clFuchsia)), clFuchsia);
}

TEST(Colors, ResolveSystemColorsToOneFixedScheme) {
    EXPECT_LT(clBtnFace, 0);
    EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xD4, 0xD0, 0xC8));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clHighlightText), clWhite);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(0xFF, 0xFF, 0xE1));
    // Ordinary values, clNone and clDefault pass unchanged.
    EXPECT_EQ(ColorToRGB(clNavy), clNavy);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
    // An unknown system index resolves to something drawable, not garbage.
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
}

TEST(Colors, ReadAndWriteLayoutIdentifiers) {
    TColor color = 0;
    EXPECT_TRUE(IdentToColor(QStringLiteral("clBtnFace"), color));
    EXPECT_EQ(color, clBtnFace);
    EXPECT_TRUE(IdentToColor(QStringLiteral("clwhite"), color));
    EXPECT_EQ(color, clWhite);
    EXPECT_TRUE(IdentToColor(QStringLiteral("$00FF8000"), color));
    EXPECT_EQ(color, 0x00FF8000);
    EXPECT_TRUE(IdentToColor(QStringLiteral("16777215"), color));
    EXPECT_EQ(color, clWhite);
    EXPECT_TRUE(IdentToColor(QStringLiteral("-2147483633"), color));
    EXPECT_EQ(color, clBtnFace);
    color = clRed;
    EXPECT_FALSE(IdentToColor(QStringLiteral("clNoSuchColour"), color));
    EXPECT_FALSE(IdentToColor(QStringLiteral("99999999999"), color));
    EXPECT_EQ(color, clRed);

    EXPECT_EQ(ColorToString(clHighlight), QStringLiteral("clHighlight"));
    EXPECT_EQ(ColorToString(0x00123456), QStringLiteral("$00123456"));
    EXPECT_TRUE(IdentToColor(ColorToString(0x00123456), color));
    EXPECT_EQ(color, 0x00123456);
}
