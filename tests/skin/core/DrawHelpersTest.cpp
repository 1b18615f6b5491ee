#include "framework/controls/ComCtrls.h"
#include "framework/controls/Control.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemes.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr TColor Marker = RGB(1, 2, 3);

// Paints a picture whose every pixel names its own position: red = x, green = y.
void PaintPositions(TBitmap& bitmap, int width, int height, int blue = 0x80) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x, y, blue));
        }
    }
    bitmap.SetImage(image);
}

void FillBitmap(TBitmap& bitmap, int width, int height, TColor color = Marker) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    bitmap.SetImage(image);
}

TPoint SourceOf(TColor color) {
    return {GetRValue(color), GetGValue(color)};
}

// Source x that nearest-neighbour stretching of sourceWidth columns over targetWidth
// picks for target column i.
int NearestSource(int i, int sourceWidth, int targetWidth) {
    return ((2 * i + 1) * sourceWidth - 1) / (2 * targetWidth);
}

void ExpectSources(TBitmap& target, const std::function<TPoint(int, int)>& expected) {
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            ASSERT_EQ(SourceOf(target.Pixel(x, y)), expected(x, y)) << "at " << x << "," << y;
        }
    }
}

TEST(CutFrame, TakesEqualFramesAndDropsTheRemainderColumns) {
    for (int width : {231, 232}) {
        TBitmap strip;
        PaintPositions(strip, width, 4);
        TBitmap frame;
        CutFrame(&strip, &frame, 3, 2);
        ASSERT_EQ(frame.Width(), 77) << width;
        ASSERT_EQ(frame.Height(), 4);
        EXPECT_EQ(SourceOf(frame.Pixel(0, 0)), Point(77, 0));
        EXPECT_EQ(SourceOf(frame.Pixel(76, 3)), Point(153, 3));
    }
    TBitmap strip;
    PaintPositions(strip, 232, 2);
    TBitmap last;
    CutFrame(&strip, &last, 3, 3);
    EXPECT_EQ(SourceOf(last.Pixel(76, 0)), Point(230, 0));
}

TEST(CutFrame, BuiltInStripsGiveTheFramesOfTheTable) {
    TBitmap frame;
    GetBuiltinThemeBitmap(MacOS, ScrollBarButtonImage, &frame, 6, 2);
    TBitmap whole;
    GetBuiltinThemeBitmap(MacOS, ScrollBarButtonImage, &whole);
    ASSERT_EQ(frame.Width(), 16);
    ASSERT_EQ(frame.Height(), 22);
    EXPECT_EQ(frame.Image(), whole.Image().copy(16, 0, 16, 22));

    GetBuiltinThemeBitmap(MacOS, ScrollBarSliderImage, &whole);
    GetBuiltinThemeBitmap(MacOS, ScrollBarSliderImage, &frame, 3, 3);
    ASSERT_EQ(frame.Width(), 11);
    EXPECT_EQ(frame.Image(), whole.Image().copy(22, 0, 11, whole.Height()));
}

TEST(GetBuiltinThemeBitmap, OtherKindsAndUnknownStylesLeaveTheTargetAlone) {
    TBitmap target;
    FillBitmap(target, 3, 3);
    GetBuiltinThemeBitmap(MacOS, FormBackgroundColor, &target);
    GetBuiltinThemeBitmap(FromThemeFile, ButtonImage, &target, 3, 1);
    GetBuiltinThemeBitmap(MacOS, TitleBarMinimizedImage, &target);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Pixel(1, 1), Marker);
    GetBuiltinThemeBitmap(MacOS, ButtonImage, nullptr);
}

TEST(DrawThreePartStrip, DrawsTheEndsUnscaledAndStretchesTheMiddle) {
    TBitmap strip;
    PaintPositions(strip, 45, 5);
    TBitmap target;
    FillBitmap(target, 200, 5);
    DrawThreePartStrip(&strip, target.Canvas(), Rect(0, 0, 200, 5), false, false);
    ExpectSources(target, [](int x, int y) {
        if (x < 15) {
            return Point(x, y);
        }
        if (x >= 185) {
            return Point(30 + x - 185, y);
        }
        return Point(15 + NearestSource(x - 15, 15, 170), y);
    });
    EXPECT_EQ(SourceOf(target.Pixel(184, 0)), Point(29, 0));
}

TEST(DrawThreePartStrip, EndsKeepTheirHeightAndSkipTheCornerKey) {
    TBitmap strip;
    PaintPositions(strip, 45, 5);
    const TColor key = RGB(9, 9, 9);
    strip.SetPixel(0, 4, key);  // the bottom-left corner names the key
    strip.SetPixel(40, 1, key); // a keyed pixel of the last frame
    strip.SetPixel(20, 1, key); // the middle is drawn opaque
    TBitmap target;
    FillBitmap(target, 60, 9);
    DrawThreePartStrip(&strip, target.Canvas(), Rect(0, 0, 60, 9), true, false);
    EXPECT_EQ(target.Pixel(0, 4), Marker);
    EXPECT_EQ(target.Pixel(45 + 10, 1), Marker);
    EXPECT_EQ(target.Pixel(0, 5), Marker) << "the end frames keep the strip's height";
    EXPECT_EQ(SourceOf(target.Pixel(15, 8)), Point(15, 4)) << "the middle follows the target";
    // Source (20, 1) lands at (25, 2) of the stretched middle.
    EXPECT_EQ(target.Pixel(25, 2), key);

    TBitmap fromTop;
    PaintPositions(fromTop, 45, 5);
    fromTop.SetPixel(44, 0, fromTop.Pixel(0, 0));
    TBitmap second;
    FillBitmap(second, 60, 5);
    DrawThreePartStrip(&fromTop, second.Canvas(), Rect(0, 0, 60, 5), true, true);
    EXPECT_EQ(second.Pixel(0, 0), Marker);
    EXPECT_EQ(second.Pixel(59, 0), Marker);
    EXPECT_EQ(SourceOf(second.Pixel(1, 0)), Point(1, 0));
}

TEST(DrawThreePartStrip, UsesMagentaWithoutTheCornerKey) {
    TBitmap strip;
    PaintPositions(strip, 45, 5);
    strip.SetPixel(3, 3, SkinKeyColor);
    TBitmap target;
    FillBitmap(target, 100, 5);
    DrawThreePartStrip(&strip, target.Canvas(), Bounds(10, 0, 80, 5), false, true);
    EXPECT_EQ(target.Pixel(13, 3), Marker);
    EXPECT_EQ(SourceOf(target.Pixel(10, 0)), Point(0, 0));
    EXPECT_EQ(SourceOf(target.Pixel(89, 4)), Point(44, 4));
    EXPECT_EQ(target.Pixel(9, 0), Marker);
    EXPECT_EQ(target.Pixel(90, 0), Marker);
}

TEST(DrawNineGrid, PlacesEveryPieceOfAnOddHeightPicture) {
    TBitmap picture;
    PaintPositions(picture, 84, 23);
    TBitmap target;
    FillBitmap(target, 200, 23);
    DrawNineGrid(&picture, target.Canvas(), Rect(0, 0, 200, 23), false);
    ExpectSources(target, [](int x, int y) {
        if (x >= 41 && x < 159 && y >= 12) {
            return Point(42, y); // bottom edge, drawn last
        }
        if (x >= 42 && x < 159) {
            return Point(42, y); // top edge and centre
        }
        if (x >= 159) {
            return Point(43 + x - 159, y == 11 ? 12 : y); // right corners and edge
        }
        return Point(x, y == 12 ? 11 : y); // left corners and edge
    });
}

TEST(DrawNineGrid, KeysCornersOnlyWhenAskedAndEdgesAlways) {
    TBitmap picture;
    PaintPositions(picture, 84, 23);
    picture.SetPixel(2, 2, SkinKeyColor);  // top-left corner
    picture.SetPixel(42, 5, SkinKeyColor); // top edge column
    for (bool transparent : {false, true}) {
        TBitmap target;
        FillBitmap(target, 120, 23);
        DrawNineGrid(&picture, target.Canvas(), Rect(0, 0, 120, 23), transparent);
        EXPECT_EQ(target.Pixel(2, 2), transparent ? Marker : SkinKeyColor);
        EXPECT_EQ(target.Pixel(60, 5), Marker);
    }
}

TEST(DrawNineGrid, SmallTargetsTrimTheCornersTowardsTheirOwnCorner) {
    TBitmap picture;
    PaintPositions(picture, 84, 23);
    TBitmap target;
    FillBitmap(target, 10, 8);
    DrawNineGrid(&picture, target.Canvas(), Rect(0, 0, 10, 8), false);
    EXPECT_EQ(SourceOf(target.Pixel(0, 0)), Point(0, 0));
    EXPECT_EQ(SourceOf(target.Pixel(9, 0)), Point(83, 0));
    EXPECT_EQ(SourceOf(target.Pixel(9, 7)), Point(83, 22));
    EXPECT_EQ(SourceOf(target.Pixel(0, 7)), Point(0, 22));
    TBitmap tiny;
    FillBitmap(tiny, 2, 2);
    DrawNineGrid(&picture, tiny.Canvas(), Rect(0, 0, 2, 2), false);
    DrawNineGrid(&picture, tiny.Canvas(), Rect(0, 0, 0, 0), false);
    TBitmap even;
    PaintPositions(even, 10, 22);
    TBitmap evenTarget;
    FillBitmap(evenTarget, 30, 30);
    DrawNineGrid(&even, evenTarget.Canvas(), Rect(0, 0, 30, 30), false);
    EXPECT_EQ(SourceOf(evenTarget.Pixel(0, 0)), Point(0, 0));
}

TEST(TilePicture, TilesFromTheCanvasOriginPastTheTarget) {
    TBitmap picture;
    PaintPositions(picture, 3, 2);
    TBitmap target;
    FillBitmap(target, 14, 10);
    TilePicture(target.Canvas(), &picture, Rect(5, 5, 12, 10));
    // Width 7 and height 5 give columns 0, 3, 6, 9 and rows 0, 2, 4, 6.
    ExpectSources(target, [](int x, int y) {
        if (x < 12 && y < 8) {
            return Point(x % 3, y % 2);
        }
        return SourceOf(Marker);
    });
}

TEST(TilePicture, EmptyPicturesDrawNothing) {
    TBitmap empty;
    TBitmap target;
    FillBitmap(target, 4, 4);
    TilePicture(target.Canvas(), &empty, Rect(0, 0, 4, 4));
    TilePicture(target.Canvas(), nullptr, Rect(0, 0, 4, 4));
    EXPECT_EQ(target.Pixel(0, 0), Marker);
}

TEST(Rotations, TurnPixelsAndSwapTheSize) {
    TBitmap line;
    FillBitmap(line, 3, 1);
    line.SetPixel(0, 0, clRed);
    line.SetPixel(1, 0, clLime);
    line.SetPixel(2, 0, clBlue);
    TBitmap left;
    left.Assign(&line);
    RotateBitmapLeft(&left);
    ASSERT_EQ(left.Width(), 1);
    ASSERT_EQ(left.Height(), 3);
    EXPECT_EQ(left.Pixel(0, 0), clBlue);
    EXPECT_EQ(left.Pixel(0, 2), clRed);
    TBitmap right;
    right.Assign(&line);
    RotateBitmapRight(&right);
    EXPECT_EQ(right.Pixel(0, 0), clRed);
    EXPECT_EQ(right.Pixel(0, 2), clBlue);

    TBitmap picture;
    PaintPositions(picture, 4, 3);
    RotateBitmapLeft(&picture);
    ASSERT_EQ(picture.Width(), 3);
    ExpectSources(picture, [](int x, int y) { return Point(3 - y, x); });
    TBitmap half;
    PaintPositions(half, 4, 3);
    RotateBitmap180(&half);
    ExpectSources(half, [](int x, int y) { return Point(3 - x, 2 - y); });
    TBitmap quarter;
    PaintPositions(quarter, 4, 3);
    RotateBitmapRight(&quarter);
    ExpectSources(quarter, [](int x, int y) { return Point(y, 2 - x); });
}

TEST(DrawMenuSeparator, LeavesOutTheSideBar) {
    for (bool barOnLeft : {true, false}) {
        TBitmap target;
        FillBitmap(target, 100, 8);
        DrawMenuSeparator(target.Canvas(), Rect(0, 0, 100, 8), clRed, 20, barOnLeft);
        const int from = barOnLeft ? 24 : 2;
        const int to = barOnLeft ? 98 : 76;
        for (int x = 0; x < 100; ++x) {
            EXPECT_EQ(target.Pixel(x, 2), x >= from && x < to ? clRed : Marker) << x;
        }
        EXPECT_EQ(target.Pixel(50, 1), Marker);
        EXPECT_EQ(target.Pixel(50, 3), Marker);
    }
}

TEST(MacMenuPictures, StretchOnlyTheirTopRows) {
    const QImage bar = LoadThemePicture(QStringLiteral("MACOS_MENU_BAR"));
    const QImage select = LoadThemePicture(QStringLiteral("MACOS_MENU_SELECT"));
    ASSERT_EQ(bar.size(), QSize(1, 22));
    ASSERT_EQ(select.size(), QSize(1, 21));
    TBitmap target;
    FillBitmap(target, 5, 12);
    DrawMacMenuBar(target.Canvas(), Rect(0, 0, 5, 12));
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(target.Image().pixel(4, y) & 0xFFFFFF, bar.pixel(0, y) & 0xFFFFFF) << y;
    }
    TBitmap tall;
    FillBitmap(tall, 3, 40);
    DrawMacMenuBarTall(tall.Canvas(), Rect(0, 0, 3, 40));
    EXPECT_EQ(tall.Image().pixel(0, 39) & 0xFFFFFF, bar.pixel(0, 19) & 0xFFFFFF);
    DrawMacMenuSelect(tall.Canvas(), Rect(0, 0, 3, 20));
    EXPECT_EQ(tall.Image().pixel(2, 19) & 0xFFFFFF, select.pixel(0, 19) & 0xFFFFFF);
}

TEST(DrawMenuWindowFrame, FramesInsideTheWindowWithAShadow) {
    TBitmap target;
    FillBitmap(target, 20, 10);
    DrawMenuWindowFrame(target.Canvas(), Rect(0, 0, 20, 10), clRed, clBlue);
    EXPECT_EQ(target.Pixel(0, 5), clRed);
    EXPECT_EQ(target.Pixel(1, 5), clWhite);
    EXPECT_EQ(target.Pixel(2, 5), Marker);
    EXPECT_EQ(target.Pixel(5, 9), clBlue);
    EXPECT_EQ(target.Pixel(19, 5), clBlue);
    EXPECT_EQ(target.Pixel(5, 0), clBlue);
}

TEST(RectColors, SetTheBrushAndFrameOrFill) {
    TBitmap target;
    FillBitmap(target, 6, 6);
    FillRectColor(target.Canvas(), Rect(1, 1, 5, 5), clLime);
    FrameRectColor(target.Canvas(), Rect(0, 0, 6, 6), clRed);
    EXPECT_EQ(target.Canvas()->Brush()->Color(), clRed);
    EXPECT_EQ(target.Pixel(0, 0), clRed);
    EXPECT_EQ(target.Pixel(2, 2), clLime);
    EXPECT_EQ(target.Pixel(5, 5), clRed);
}

TEST(PointInRect, CountsAllFourEdgesAsInside) {
    EXPECT_TRUE(PointInRect(Point(10, 10), Rect(0, 0, 10, 10)));
    EXPECT_TRUE(PointInRect(Point(0, 0), Rect(0, 0, 10, 10)));
    EXPECT_FALSE(PointInRect(Point(11, 10), Rect(0, 0, 10, 10)));
    EXPECT_FALSE(PointInRect(Point(5, -1), Rect(0, 0, 10, 10)));
}

// Records the bounds of every change, to see the order of SetControlBounds.
class BoundsRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void SetBounds(int left, int top, int width, int height) override {
        changes.push_back(Bounds(left, top, width, height));
        TCustomControl::SetBounds(left, top, width, height);
    }
    std::vector<TRect> changes;
};

TEST(ControlGeometry, SetsLeftTopWidthAndHeightInThatOrder) {
    BoundsRecorder control(nullptr);
    control.SetBounds(1, 2, 3, 4);
    control.changes.clear();
    SetControlBounds(&control, Rect(10, 20, 40, 60));
    ASSERT_EQ(control.changes.size(), 4u);
    EXPECT_EQ(control.changes[0], Bounds(10, 2, 3, 4));
    EXPECT_EQ(control.changes[1], Bounds(10, 20, 3, 4));
    EXPECT_EQ(control.changes[2], Bounds(10, 20, 30, 4));
    EXPECT_EQ(control.changes[3], Bounds(10, 20, 30, 40));
    MoveControlTo(&control, Point(7, 8));
    EXPECT_EQ(control.BoundsRect(), Bounds(7, 8, 30, 40));
}

TEST(DrawControlBorder, FramesTheWholeWindowOnceOrTwice) {
    BoundsRecorder control(nullptr);
    control.SetBounds(0, 0, 8, 6);
    TBitmap target;
    FillBitmap(target, 8, 6);
    DrawControlBorder(target.Canvas(), &control, clRed, clLime, true);
    EXPECT_EQ(target.Pixel(0, 0), clRed);
    EXPECT_EQ(target.Pixel(7, 5), clRed);
    EXPECT_EQ(target.Pixel(1, 1), clLime);
    EXPECT_EQ(target.Pixel(2, 2), Marker);
    TBitmap outer;
    FillBitmap(outer, 8, 6);
    DrawControlBorder(outer.Canvas(), &control, clBtnFace, clLime, false);
    EXPECT_EQ(outer.Pixel(0, 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(outer.Pixel(1, 1), Marker);
}

TEST(SafeGetScrollBarInfo, ReadsAListViewAndDegradesToZeroElsewhere) {
    TScrollBarState state;
    state.Max = 77;
    BoundsRecorder plain(nullptr);
    EXPECT_EQ(SafeGetScrollBarInfo(&plain, OBJID_VSCROLL, state), 0);
    EXPECT_EQ(SafeGetScrollBarInfo(nullptr, OBJID_VSCROLL, state), 0);
    EXPECT_EQ(state.Max, 77);

    TCustomListView list(nullptr);
    list.SetBounds(0, 0, 100, 60);
    EXPECT_NE(SafeGetScrollBarInfo(&list, OBJID_VSCROLL, state), 0);
    EXPECT_EQ(state.Max, list.ScrollBarState(Qt::Vertical).Max);
    EXPECT_NE(SafeGetScrollBarInfo(&list, OBJID_HSCROLL, state), 0);
    EXPECT_EQ(SafeGetScrollBarInfo(&list, 0, state), 0);
}

TEST(SetMenuItemHandlers, ReachesEveryItemBelowAndNothingElse) {
    TMenuItem root(nullptr);
    TMenuItem* file = new TMenuItem(&root);
    TMenuItem* open = new TMenuItem(&root);
    TMenuItem* recent = new TMenuItem(&root);
    TMenuItem* first = new TMenuItem(&root);
    TMenuItem* help = new TMenuItem(&root);
    root.Add(file);
    file->Add(open);
    file->Add(recent);
    recent->Add(first);
    root.Add(help);
    TMenuItem outside(nullptr);
    bool outsideMeasured = false;
    outside.OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { outsideMeasured = true; };
    help->OnMeasureItem = [](TObject*, TCanvas*, int& width, int&) { width = -1; };

    QList<TObject*> measured;
    QList<TObject*> drawn;
    SetMenuItemHandlers(
        &root,
        [&](TObject* sender, TCanvas*, int& width, int&) {
            measured.append(sender);
            width = 7;
        },
        [&](TObject* sender, TCanvas*, TRect, TMenuItem::TOwnerDrawState) {
            drawn.append(sender);
        });

    const QList<TMenuItem*> tree{&root, file, open, recent, first, help};
    for (TMenuItem* item : tree) {
        ASSERT_TRUE(item->OnMeasureItem);
        ASSERT_TRUE(item->OnAdvancedDrawItem);
        int width = 0;
        int height = 0;
        item->OnMeasureItem(item, nullptr, width, height);
        EXPECT_EQ(width, 7);
        item->OnAdvancedDrawItem(item, nullptr, TRect(), {});
    }
    EXPECT_EQ(measured, QList<TObject*>(tree.begin(), tree.end()));
    EXPECT_EQ(drawn, measured);
    EXPECT_FALSE(outside.OnAdvancedDrawItem);
    int width = 0;
    int height = 0;
    outside.OnMeasureItem(&outside, nullptr, width, height);
    EXPECT_TRUE(outsideMeasured);

    SetMenuItemHandlers(recent, {}, {});
    EXPECT_FALSE(recent->OnMeasureItem);
    EXPECT_FALSE(first->OnAdvancedDrawItem);
    EXPECT_TRUE(file->OnMeasureItem);
    SetMenuItemHandlers(nullptr, {}, {});
}

} // namespace
