#include "PixelHelpers.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace pixels;

namespace {

TCanvas* SolidCanvas(TBitmap& bitmap, TColor penColor, TColor brushColor) {
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetColor(penColor);
    canvas->Brush()->SetColor(brushColor);
    canvas->Brush()->SetStyle(bsSolid);
    return canvas;
}

} // namespace

TEST(CanvasFill, FillRectFillsExactlyTheRectangle) {
    auto bitmap = MarkedBitmap(10, 10);
    SolidCanvas(*bitmap, clBlack, clRed)->FillRect(Rect(2, 3, 6, 7));
    EXPECT_TRUE(OnlyRectHas(*bitmap, Rect(2, 3, 6, 7), clRed, kMarker));
}

TEST(CanvasFill, ClearBrushAndEmptyRectanglesFillNothing) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clRed);
    canvas->FillRect(Rect(5, 5, 5, 9));
    canvas->FillRect(Rect(6, 6, 2, 2));
    canvas->Brush()->SetStyle(bsClear);
    canvas->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(*bitmap, kMarker), 100);
}

TEST(CanvasFill, SystemColorsDrawTheirResolvedValue) {
    auto bitmap = MarkedBitmap(4, 4);
    SolidCanvas(*bitmap, clBlack, clBtnFace)->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(bitmap->Pixel(3, 3), ColorToRGB(clBtnFace));
}

TEST(CanvasFill, FrameRectDrawsAOnePixelBorderInside) {
    auto bitmap = MarkedBitmap(10, 10);
    SolidCanvas(*bitmap, clBlack, clBlue)->FrameRect(Rect(1, 1, 9, 8));
    for (int x = 1; x < 9; ++x) {
        EXPECT_EQ(bitmap->Pixel(x, 1), clBlue);
        EXPECT_EQ(bitmap->Pixel(x, 7), clBlue);
    }
    for (int y = 1; y < 8; ++y) {
        EXPECT_EQ(bitmap->Pixel(1, y), clBlue);
        EXPECT_EQ(bitmap->Pixel(8, y), clBlue);
    }
    EXPECT_EQ(CountColor(*bitmap, clBlue), 2 * 8 + 2 * 5);
    EXPECT_EQ(bitmap->Pixel(4, 4), kMarker);
    EXPECT_EQ(bitmap->Pixel(9, 1), kMarker);
    EXPECT_EQ(bitmap->Pixel(1, 8), kMarker);
}

TEST(CanvasFill, PatternBrushTilesFromTheDeviceOrigin) {
    TBitmap pattern;
    pattern.SetSize(2, 1);
    pattern.SetPixel(0, 0, clRed);
    pattern.SetPixel(1, 0, clLime);
    auto bitmap = MarkedBitmap(6, 2);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetBitmap(&pattern);
    canvas->FillRect(Rect(1, 0, 5, 2));
    EXPECT_EQ(bitmap->Pixel(0, 0), kMarker);
    EXPECT_EQ(bitmap->Pixel(1, 0), clLime);
    EXPECT_EQ(bitmap->Pixel(2, 1), clRed);
    EXPECT_EQ(bitmap->Pixel(4, 0), clRed);
    EXPECT_EQ(bitmap->Pixel(5, 0), kMarker);
}

TEST(CanvasShapes, RectangleDrawsPenInsideAndFillsTheInside) {
    auto bitmap = MarkedBitmap(10, 10);
    SolidCanvas(*bitmap, clBlack, clYellow)->Rectangle(Rect(1, 1, 7, 6));
    EXPECT_EQ(bitmap->Pixel(1, 1), clBlack);
    EXPECT_EQ(bitmap->Pixel(6, 5), clBlack);
    EXPECT_EQ(bitmap->Pixel(6, 1), clBlack);
    EXPECT_EQ(bitmap->Pixel(7, 1), kMarker);
    EXPECT_EQ(bitmap->Pixel(1, 6), kMarker);
    EXPECT_EQ(CountColor(*bitmap, clYellow), 4 * 3);
    EXPECT_EQ(bitmap->Pixel(2, 2), clYellow);
    EXPECT_EQ(bitmap->Pixel(5, 4), clYellow);
}

TEST(CanvasShapes, WidePenStaysInsideTheRectangle) {
    auto bitmap = MarkedBitmap(12, 12);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clYellow);
    canvas->Pen()->SetWidth(2);
    canvas->Rectangle(Rect(1, 1, 11, 11));
    EXPECT_EQ(bitmap->Pixel(0, 0), kMarker);
    EXPECT_EQ(bitmap->Pixel(11, 11), kMarker);
    EXPECT_EQ(bitmap->Pixel(2, 2), clBlack);
    EXPECT_EQ(bitmap->Pixel(10, 10), clBlack);
    EXPECT_EQ(CountColor(*bitmap, clYellow), 6 * 6);
}

TEST(CanvasShapes, RectangleWithoutPenFillsOnePixelLess) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clYellow);
    canvas->Pen()->SetStyle(psClear);
    canvas->Rectangle(Rect(1, 1, 7, 6));
    EXPECT_TRUE(OnlyRectHas(*bitmap, Rect(1, 1, 6, 5), clYellow, kMarker));
}

TEST(CanvasLines, LineToLeavesOutTheEndPoint) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clRed, clWhite);
    canvas->MoveTo(1, 1);
    canvas->LineTo(6, 1);
    EXPECT_TRUE(OnlyRectHas(*bitmap, Rect(1, 1, 6, 2), clRed, kMarker));
    EXPECT_EQ(canvas->PenPos(), Point(6, 1));

    auto vertical = MarkedBitmap(10, 10);
    canvas = SolidCanvas(*vertical, clRed, clWhite);
    canvas->MoveTo(3, 8);
    canvas->LineTo(3, 2);
    EXPECT_TRUE(OnlyRectHas(*vertical, Rect(3, 3, 4, 9), clRed, kMarker));
}

TEST(CanvasLines, DiagonalLinesStepOnePixelPerColumn) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clRed, clWhite);
    canvas->MoveTo(0, 0);
    canvas->LineTo(5, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bitmap->Pixel(i, i), clRed) << i;
    }
    EXPECT_EQ(bitmap->Pixel(5, 5), kMarker);
    EXPECT_EQ(CountColor(*bitmap, clRed), 5);

    auto shallow = MarkedBitmap(12, 4);
    canvas = SolidCanvas(*shallow, clRed, clWhite);
    canvas->MoveTo(0, 0);
    canvas->LineTo(10, 2);
    EXPECT_EQ(CountColor(*shallow, clRed), 10);
    EXPECT_EQ(shallow->Pixel(0, 0), clRed);
    EXPECT_EQ(shallow->Pixel(10, 2), kMarker);
}

TEST(CanvasLines, PolylineDrawsEveryVertexButTheLast) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clRed, clWhite);
    canvas->Polyline({{1, 1}, {5, 1}, {5, 5}});
    EXPECT_EQ(bitmap->Pixel(1, 1), clRed);
    EXPECT_EQ(bitmap->Pixel(5, 1), clRed);
    EXPECT_EQ(bitmap->Pixel(5, 4), clRed);
    EXPECT_EQ(bitmap->Pixel(5, 5), kMarker);
    EXPECT_EQ(CountColor(*bitmap, clRed), 8);
}

TEST(CanvasLines, DottedPenUsesThreeOnThreeOff) {
    auto bitmap = MarkedBitmap(14, 1);
    TCanvas* canvas = SolidCanvas(*bitmap, clRed, clWhite);
    canvas->Pen()->SetStyle(psDot);
    canvas->MoveTo(0, 0);
    canvas->LineTo(14, 0);
    for (int x = 0; x < 14; ++x) {
        EXPECT_EQ(bitmap->Pixel(x, 0), (x / 3) % 2 == 0 ? clRed : kMarker) << x;
    }
}

TEST(CanvasLines, XorPenTwiceRestoresAndClearPenDrawsNothing) {
    auto bitmap = MarkedBitmap(8, 2);
    TCanvas* canvas = SolidCanvas(*bitmap, clWhite, clWhite);
    canvas->Pen()->SetMode(pmXor);
    canvas->MoveTo(0, 0);
    canvas->LineTo(8, 0);
    EXPECT_EQ(bitmap->Pixel(3, 0), RGB(0x12 ^ 0xFF, 0x34 ^ 0xFF, 0x56 ^ 0xFF));
    canvas->MoveTo(0, 0);
    canvas->LineTo(8, 0);
    EXPECT_EQ(CountColor(*bitmap, kMarker), 16);

    canvas->Pen()->SetMode(pmCopy);
    canvas->Pen()->SetStyle(psClear);
    canvas->MoveTo(0, 1);
    canvas->LineTo(8, 1);
    EXPECT_EQ(CountColor(*bitmap, kMarker), 16);
}

TEST(CanvasShapes, PolygonOutlinesEveryVertexAndFillsInside) {
    auto bitmap = MarkedBitmap(12, 12);
    SolidCanvas(*bitmap, clBlack, clLime)->Polygon({{1, 1}, {10, 1}, {10, 10}, {1, 10}});
    EXPECT_EQ(bitmap->Pixel(1, 1), clBlack);
    EXPECT_EQ(bitmap->Pixel(10, 1), clBlack);
    EXPECT_EQ(bitmap->Pixel(10, 10), clBlack);
    EXPECT_EQ(bitmap->Pixel(1, 10), clBlack);
    EXPECT_EQ(bitmap->Pixel(5, 5), clLime);
    EXPECT_EQ(bitmap->Pixel(0, 0), kMarker);
    EXPECT_EQ(bitmap->Pixel(11, 11), kMarker);
    EXPECT_EQ(InkBounds(*bitmap), Rect(1, 1, 11, 11));
}

TEST(CanvasShapes, EllipseAndRoundRectTouchEverySideOfTheirBoundsAndStayInside) {
    for (int shape = 0; shape < 2; ++shape) {
        auto bitmap = MarkedBitmap(30, 20);
        TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clLime);
        if (shape == 0) {
            canvas->Ellipse(Rect(3, 2, 23, 14));
        } else {
            canvas->RoundRect(3, 2, 23, 14, 6, 6);
        }
        EXPECT_EQ(InkBounds(*bitmap), Rect(3, 2, 23, 14)) << shape;
        EXPECT_EQ(bitmap->Pixel(13, 8), clLime) << shape;
        EXPECT_EQ(bitmap->Pixel(3, 2), kMarker) << shape; // the corner is cut off
    }
}

TEST(CanvasShapes, ArcDrawsOnlyBetweenItsRays) {
    auto bitmap = MarkedBitmap(21, 21);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clLime);
    // Anticlockwise from the ray to the right to the ray upwards: the top-right quarter.
    canvas->Arc(0, 0, 21, 21, 20, 10, 10, 0);
    const TRect ink = InkBounds(*bitmap);
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Bottom, 11);
    EXPECT_EQ(ink.Right, 20);
    EXPECT_EQ(ink.Top, 0);
    EXPECT_EQ(CountColor(*bitmap, clLime), 0);

    // On a flat ellipse the arc starts where the ray from the centre (20.5, 5.5)
    // through (40, 0) meets the ellipse: near x = 34, not at the far right end.
    auto flat = MarkedBitmap(41, 11);
    canvas = SolidCanvas(*flat, clBlack, clLime);
    canvas->Arc(0, 0, 41, 11, 40, 0, 0, 5);
    const TRect flatInk = InkBounds(*flat);
    EXPECT_EQ(flatInk.Left, 0);
    EXPECT_EQ(flatInk.Top, 0);
    EXPECT_GE(flatInk.Right, 32);
    EXPECT_LE(flatInk.Right, 37);
    EXPECT_LE(flatInk.Bottom, 7);
}

TEST(CanvasShapes, FocusRectInvertsAlternatePixelsAndUndoesItself) {
    auto bitmap = MarkedBitmap(8, 6);
    TCanvas* canvas = bitmap->Canvas();
    const TColor inverted = RGB(0x12 ^ 0xFF, 0x34 ^ 0xFF, 0x56 ^ 0xFF);
    canvas->DrawFocusRect(Rect(1, 1, 7, 5));
    EXPECT_EQ(bitmap->Pixel(1, 1), inverted);
    EXPECT_EQ(bitmap->Pixel(2, 1), kMarker);
    EXPECT_EQ(bitmap->Pixel(3, 1), inverted);
    EXPECT_EQ(bitmap->Pixel(1, 2), kMarker);
    EXPECT_EQ(bitmap->Pixel(1, 3), inverted);
    EXPECT_EQ(bitmap->Pixel(3, 3), kMarker); // inside is untouched
    EXPECT_EQ(CountColor(*bitmap, inverted), 8);
    canvas->DrawFocusRect(Rect(1, 1, 7, 5));
    EXPECT_EQ(CountColor(*bitmap, kMarker), 48);
}

TEST(CanvasShapes, FocusRectDotsFollowTheDevicesPatternWhereverTheyStart) {
    auto bitmap = MarkedBitmap(8, 6);
    TCanvas* canvas = bitmap->Canvas();
    const TColor inverted = RGB(0x12 ^ 0xFF, 0x34 ^ 0xFF, 0x56 ^ 0xFF);
    canvas->DrawFocusRect(Rect(2, 1, 7, 5));
    EXPECT_EQ(bitmap->Pixel(2, 1), kMarker);
    EXPECT_EQ(bitmap->Pixel(3, 1), inverted);
    canvas->DrawFocusRect(Rect(2, 1, 7, 5));
    canvas->SetOrigin(1, 0);
    canvas->DrawFocusRect(Rect(0, 1, 5, 4));
    EXPECT_EQ(bitmap->Pixel(1, 1), inverted);
    EXPECT_EQ(bitmap->Pixel(2, 1), kMarker);
}

TEST(CanvasPixels, ReadAndWriteInLogicalCoordinates) {
    auto bitmap = MarkedBitmap(6, 6);
    TCanvas* canvas = bitmap->Canvas();
    canvas->SetOrigin(2, 1);
    canvas->SetPixel(1, 1, clRed);
    EXPECT_EQ(bitmap->Pixel(3, 2), clRed);
    EXPECT_EQ(canvas->Pixel(1, 1), clRed);
    EXPECT_EQ(canvas->Pixel(-2, -1), kMarker);
    EXPECT_EQ(canvas->Pixel(-3, 0), clNone);
    EXPECT_EQ(canvas->Pixel(4, 0), clNone);
}

TEST(CanvasState, OriginMovesEveryPrimitive) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clRed);
    canvas->SetOrigin(3, 2);
    canvas->FillRect(Rect(0, 0, 2, 2));
    EXPECT_TRUE(OnlyRectHas(*bitmap, Rect(3, 2, 5, 4), clRed, kMarker));
    canvas->MoveOrigin(-3, -2);
    EXPECT_EQ(canvas->Origin(), Point(0, 0));
    canvas->MoveTo(0, 9);
    canvas->LineTo(2, 9);
    EXPECT_EQ(bitmap->Pixel(0, 9), clBlack);
}

TEST(CanvasState, ClippingLimitsDrawingAndFollowsTheOriginOfItsMoment) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clRed);
    canvas->SetClipRect(Rect(2, 2, 6, 6));
    canvas->IntersectClipRect(Rect(4, 0, 10, 10));
    canvas->MoveOrigin(1, 1);
    // The clipping stays where it was on the device; read back in the new coordinates.
    ASSERT_TRUE(canvas->ClipRect().has_value());
    EXPECT_EQ(*canvas->ClipRect(), Rect(3, 1, 5, 5));
    canvas->FillRect(Rect(-1, -1, 10, 10));
    EXPECT_TRUE(OnlyRectHas(*bitmap, Rect(4, 2, 6, 6), clRed, kMarker));
    canvas->ClearClip();
    EXPECT_FALSE(canvas->ClipRect().has_value());
    canvas->IntersectClipRect(Rect(20, 20, 30, 30)); // outside: nothing is drawn
    canvas->FillRect(Rect(-1, -1, 10, 10));
    EXPECT_EQ(CountColor(*bitmap, clRed), 8);
}

TEST(CanvasState, RestoreStateBringsBackOriginClipPenBrushAndFont) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clRed);
    canvas->Font()->SetName(QStringLiteral("Tahoma"));
    const int outer = canvas->SaveState();
    canvas->SetOrigin(5, 5);
    canvas->SetClipRect(Rect(0, 0, 1, 1));
    canvas->Brush()->SetColor(clBlue);
    canvas->Pen()->SetWidth(3);
    canvas->Font()->SetStyle(fsBold);
    EXPECT_EQ(canvas->SaveState(), outer + 1);
    canvas->SetOrigin(7, 7);
    canvas->RestoreState();
    EXPECT_EQ(canvas->Origin(), Point(5, 5));
    canvas->RestoreState(outer);
    EXPECT_EQ(canvas->Origin(), Point(0, 0));
    EXPECT_FALSE(canvas->ClipRect().has_value());
    EXPECT_EQ(canvas->Brush()->Color(), clRed);
    EXPECT_EQ(canvas->Pen()->Width(), 1);
    EXPECT_EQ(canvas->Font()->Style(), TFontStyles());
    EXPECT_EQ(canvas->Font()->Name(), QStringLiteral("Tahoma"));
    canvas->RestoreState(); // nothing saved: ignored
    canvas->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(CountColor(*bitmap, clRed), 100);
}

TEST(CanvasState, StateSurvivesReleasingThePainter) {
    auto bitmap = MarkedBitmap(10, 10);
    TCanvas* canvas = SolidCanvas(*bitmap, clBlack, clRed);
    canvas->SetOrigin(2, 2);
    canvas->SetClipRect(Rect(0, 0, 3, 3));
    canvas->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(bitmap->Pixel(2, 2), clRed); // reading released the painter
    EXPECT_FALSE(canvas->HandleAllocated());
    canvas->FillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(OnlyRectHas(*bitmap, Rect(2, 2, 5, 5), clRed, kMarker));
}

// A child asks its parent to paint into the child's own bitmap: the origin moves by
// the child's position and drawing is clipped to the parent's client area.
TEST(CanvasState, ParentPaintsIntoAChildAtAnOffset) {
    const QImage parentPicture = PositionImage(40, 30);
    const auto paintParent = [&](TCanvas* canvas) {
        canvas->DrawImage(Rect(0, 0, 40, 30), parentPicture, Rect(0, 0, 40, 30));
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(Rect(12, 8, 14, 10));
    };
    auto child = MarkedBitmap(10, 8);
    TCanvas* canvas = child->Canvas();
    const int saved = canvas->SaveState();
    canvas->MoveOrigin(-11, -7);
    canvas->IntersectClipRect(Rect(0, 0, 40, 30));
    paintParent(canvas);
    canvas->RestoreState(saved);

    auto expected = MarkedBitmap(40, 30);
    paintParent(expected->Canvas());
    EXPECT_EQ(child->Image(), expected->Image().copy(11, 7, 10, 8));
    EXPECT_EQ(child->Pixel(1, 1), clRed);
}

TEST(CanvasCopy, CopyRectSameSizeIsExact) {
    TBitmap source;
    source.SetImage(PositionImage(20, 10));
    auto target = MarkedBitmap(20, 10);
    target->Canvas()->CopyRect(Rect(5, 2, 12, 6), source.Canvas(), Rect(1, 3, 8, 7));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = PtInRect(Rect(5, 2, 12, 6), {x, y});
            EXPECT_EQ(target->Pixel(x, y), inside ? source.Pixel(x - 4, y + 1) : kMarker);
        }
    }
}

TEST(CanvasCopy, StretchingIsNearestNeighbourLikeFastScaling) {
    TBitmap source;
    source.SetImage(PositionImage(7, 5));
    const QList<QSize> sizes = {{21, 15}, {3, 2}, {10, 13}, {7, 1}, {1, 9}, {50, 4}};
    for (const QSize& size : sizes) {
        auto target = MarkedBitmap(size.width(), size.height());
        target->Canvas()->CopyRect(Rect(0, 0, size.width(), size.height()), source.Canvas(),
                                   Rect(0, 0, 7, 5));
        const QImage expected =
            source.Image().scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_EQ(target->Image(), expected.convertToFormat(QImage::Format_RGB32))
            << size.width() << "x" << size.height();
    }
}

TEST(CanvasCopy, StretchOfAPartMatchesScalingThatPart) {
    TBitmap source;
    source.SetImage(PositionImage(30, 20));
    auto target = MarkedBitmap(40, 30);
    target->Canvas()->CopyRect(Rect(3, 4, 35, 13), source.Canvas(), Rect(10, 5, 25, 8));
    const QImage expected = source.Image()
                                .copy(10, 5, 15, 3)
                                .scaled(32, 9, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(target->Image().copy(3, 4, 32, 9), expected);
    EXPECT_EQ(target->Pixel(2, 4), kMarker);
    EXPECT_EQ(target->Pixel(35, 12), kMarker);
}

TEST(CanvasCopy, CopyWithinOneCanvasReadsTheOriginalPixels) {
    TBitmap bitmap;
    bitmap.SetImage(PositionImage(10, 1));
    const QImage before = bitmap.Image().copy();
    bitmap.Canvas()->CopyRect(Rect(2, 0, 10, 1), bitmap.Canvas(), Rect(0, 0, 8, 1));
    for (int x = 2; x < 10; ++x) {
        EXPECT_EQ(bitmap.Image().pixel(x, 0), before.pixel(x - 2, 0)) << x;
    }
}

TEST(CanvasCopy, CopyFromALogicallyMovedSourceUsesItsOrigin) {
    TBitmap source;
    source.SetImage(PositionImage(10, 10));
    source.Canvas()->SetOrigin(2, 3);
    auto target = MarkedBitmap(4, 4);
    target->Canvas()->CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(target->Image(), source.Image().copy(2, 3, 4, 4));
}

TEST(CanvasTransparent, SkipsExactlyTheKeyColour) {
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0xFF, 0x00, 0xFF));
    picture.setPixel(1, 0, qRgb(0xFE, 0x00, 0xFF));
    picture.setPixel(2, 0, qRgb(0x00, 0x00, 0xFF));
    picture.setPixel(3, 0, qRgb(0xFF, 0x00, 0xFF));
    auto target = MarkedBitmap(6, 1);
    target->Canvas()->DrawTransparent(Rect(1, 0, 5, 1), picture, Rect(0, 0, 4, 1), clFuchsia);
    EXPECT_EQ(target->Pixel(0, 0), kMarker);
    EXPECT_EQ(target->Pixel(1, 0), kMarker);
    EXPECT_EQ(target->Pixel(2, 0), RGB(0xFE, 0x00, 0xFF));
    EXPECT_EQ(target->Pixel(3, 0), clBlue);
    EXPECT_EQ(target->Pixel(4, 0), kMarker);
    EXPECT_EQ(target->Pixel(5, 0), kMarker);
}

TEST(CanvasTransparent, DrawingAgainFollowsAChangedPictureOrKey) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0xFF, 0x00, 0xFF));
    picture.setPixel(1, 0, qRgb(0x00, 0x00, 0xFF));
    auto target = MarkedBitmap(2, 1);
    target->Canvas()->DrawTransparent(Rect(0, 0, 2, 1), picture, Rect(0, 0, 2, 1), clFuchsia);
    EXPECT_EQ(target->Pixel(0, 0), kMarker);
    picture.setPixel(0, 0, qRgb(0x00, 0xFF, 0x00));
    target->Canvas()->DrawTransparent(Rect(0, 0, 2, 1), picture, Rect(0, 0, 2, 1), clFuchsia);
    EXPECT_EQ(target->Pixel(0, 0), clLime);
    auto other = MarkedBitmap(2, 1);
    other->Canvas()->DrawTransparent(Rect(0, 0, 2, 1), picture, Rect(0, 0, 2, 1), clBlue);
    EXPECT_EQ(other->Pixel(0, 0), clLime);
    EXPECT_EQ(other->Pixel(1, 0), kMarker);
}

TEST(CanvasTransparent, StretchedDrawingKeysTheNearestNeighbourPicture) {
    QImage picture = PositionImage(5, 4);
    picture.setPixel(2, 1, qRgb(0xFF, 0x00, 0xFF));
    picture.setPixel(4, 3, qRgb(0xFF, 0x00, 0xFF));
    auto target = MarkedBitmap(13, 9);
    target->Canvas()->DrawTransparent(Rect(0, 0, 13, 9), picture, Rect(0, 0, 5, 4), clFuchsia);
    const QImage scaled = picture.scaled(13, 9, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 13; ++x) {
            const QRgb source = scaled.pixel(x, y);
            const TColor expected = (source & 0xFFFFFF) == 0xFF00FF ? kMarker : QRgbToColor(source);
            EXPECT_EQ(target->Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(CanvasTransparent, SourceRectanglesPastThePictureDrawOnlyThePicture) {
    const QImage picture = PositionImage(4, 4);
    auto target = MarkedBitmap(8, 8);
    target->Canvas()->DrawTransparent(Rect(0, 0, 6, 6), picture, Rect(-2, -2, 4, 4), clFuchsia);
    EXPECT_EQ(target->Pixel(1, 1), kMarker);
    EXPECT_EQ(target->Pixel(2, 2), QRgbToColor(picture.pixel(0, 0)));
    EXPECT_EQ(target->Pixel(5, 5), QRgbToColor(picture.pixel(3, 3)));
}

TEST(CanvasDraw, DrawHonoursTheBitmapsTransparentColour) {
    TBitmap picture;
    picture.SetSize(3, 2);
    picture.Canvas()->Brush()->SetColor(clLime);
    picture.Canvas()->FillRect(Rect(0, 0, 3, 2));
    picture.SetPixel(0, 1, clFuchsia); // bottom-left: the automatic key
    picture.SetPixel(2, 0, clFuchsia);
    picture.SetPixel(1, 0, clRed);

    auto opaque = MarkedBitmap(5, 4);
    opaque->Canvas()->Draw(1, 1, &picture);
    EXPECT_EQ(opaque->Pixel(1, 2), clFuchsia);

    picture.SetTransparent(true);
    auto keyed = MarkedBitmap(5, 4);
    keyed->Canvas()->Draw(1, 1, &picture);
    EXPECT_EQ(keyed->Pixel(1, 2), kMarker);
    EXPECT_EQ(keyed->Pixel(3, 1), kMarker);
    EXPECT_EQ(keyed->Pixel(2, 1), clRed);
    EXPECT_EQ(keyed->Pixel(1, 1), clLime);

    picture.SetTransparentColor(clRed);
    auto fixedKey = MarkedBitmap(5, 4);
    fixedKey->Canvas()->Draw(1, 1, &picture);
    EXPECT_EQ(fixedKey->Pixel(2, 1), kMarker);
    EXPECT_EQ(fixedKey->Pixel(1, 2), clFuchsia);
}

TEST(CanvasDraw, StretchDrawIsNearestNeighbour) {
    TBitmap picture;
    picture.SetImage(PositionImage(3, 3));
    auto target = MarkedBitmap(10, 8);
    target->Canvas()->StretchDraw(Rect(1, 1, 8, 6), &picture);
    EXPECT_EQ(target->Image().copy(1, 1, 7, 5),
              picture.Image().scaled(7, 5, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    EXPECT_EQ(target->Pixel(8, 1), kMarker);
}

TEST(CanvasDraw, ABitmapDrawnOntoItsOwnCanvasReadsASnapshot) {
    TBitmap bitmap;
    bitmap.SetImage(PositionImage(6, 1));
    const QImage before = bitmap.Image().copy();
    bitmap.Canvas()->Draw(2, 0, &bitmap);
    EXPECT_EQ(bitmap.Image().pixel(5, 0), before.pixel(3, 0));
}

TEST(CanvasDevice, WithoutADeviceNothingHappens) {
    TCanvas canvas;
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.TextOut(0, 0, QStringLiteral("text"));
    EXPECT_EQ(canvas.Handle(), nullptr);
    EXPECT_EQ(canvas.Pixel(0, 0), clNone);
    TBitmap empty;
    empty.Canvas()->Rectangle(Rect(0, 0, 5, 5));
    EXPECT_TRUE(empty.Empty());
}

TEST(CanvasDevice, PaintsOnAnyImageItIsGiven) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::black);
    TCanvas canvas;
    canvas.SetDevice(&image);
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(Rect(1, 1, 3, 3));
    canvas.ReleaseHandle();
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 0));
}

namespace {

// Paints through a canvas opened on the widget itself during its paint event.
class CanvasWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        TCanvas canvas;
        canvas.SetDevice(this);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(2, 2, 5, 5));
        canvas.Pen()->SetColor(clBlue);
        canvas.MoveTo(0, 9);
        canvas.LineTo(10, 9);
        EXPECT_EQ(canvas.Pixel(3, 3), clNone); // a widget has no readable pixels
        canvas.ReleaseHandle();
    }
};

} // namespace

TEST(CanvasDevice, PaintsOnAWidgetDuringItsPaintEvent) {
    CanvasWidget widget;
    widget.resize(12, 12);
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(12, 12));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(4, 4), qRgb(255, 0, 0));
    EXPECT_NE(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(9, 9), qRgb(0, 0, 255));
    EXPECT_NE(image.pixel(10, 9), qRgb(0, 0, 255));
}
