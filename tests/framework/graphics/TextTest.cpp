#include "PixelHelpers.h"
#include "framework/graphics/Fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace pixels;

namespace {

// A canvas on a marked bitmap, drawing black text on a clear brush.
TCanvas* TextCanvas(TBitmap& bitmap) {
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsClear);
    return canvas;
}

} // namespace

TEST(UIFont, MeasuresTheDesignedGeometry) {
    TCanvas canvas;
    ASSERT_EQ(canvas.Font()->Height(), -11);
    EXPECT_EQ(canvas.TextWidth(QStringLiteral("Include sub folders")), 92);
    EXPECT_EQ(canvas.TextHeight(QStringLiteral("Include sub folders")), 12);
    EXPECT_EQ(canvas.TextExtent(QString()), (TSize{0, 12}));
}

TEST(UIFont, TheSymbolsOfControlCharactersAreDrawnEachItsOwnWay) {
    // Names show LF as U+240A and TAB as U+2409; without a font for them both would be the
    // same empty box.
    const auto drawn = [](char16_t character) {
        auto bitmap = MarkedBitmap(20, 20);
        TRect area = Rect(0, 0, 20, 20);
        TextCanvas(*bitmap)->DrawText(QString(QChar(character)), area, DT_SINGLELINE);
        return bitmap->Image();
    };
    const QImage box = drawn(u'\u0378'); // no character at all
    EXPECT_NE(drawn(u'\u240A'), drawn(u'\u2409'));
    EXPECT_NE(drawn(u'\u240A'), box);
    EXPECT_NE(drawn(u'\u2409'), box);
}

TEST(UIFont, ClassicAndUnknownNamesMapToTheLoadedFile) {
    const QString family = Fonts::UIFamily();
    EXPECT_EQ(family, QStringLiteral("Liberation Sans"));
    EXPECT_EQ(Fonts::ResolveFamily(QStringLiteral("MS Sans Serif")), family);
    EXPECT_EQ(Fonts::ResolveFamily(QStringLiteral("tahoma")), family);
    EXPECT_EQ(Fonts::ResolveFamily(QStringLiteral("No Such Font 12")), family);
    EXPECT_EQ(Fonts::ResolveFamily(QString()), family);
    TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetStyle(fsBold);
    const QFont qt = font.ToQFont();
    EXPECT_EQ(QFontInfo(qt).family(), family);
    EXPECT_TRUE(QFontInfo(qt).bold());
    EXPECT_EQ(qt.pixelSize(), 11);
    EXPECT_EQ(qt.hintingPreference(), QFont::PreferNoHinting);
    EXPECT_FALSE(qt.kerning());
}

TEST(UIFont, PointsConvertAtNinetySixDotsPerInch) {
    EXPECT_EQ(Fonts::PointsToPixels(8), 11);
    EXPECT_EQ(Fonts::PointsToPixels(9), 12);
    EXPECT_EQ(Fonts::PointsToPixels(10), 13);
    EXPECT_EQ(Fonts::MulDiv(-11, 72, 96), -8);
    EXPECT_EQ(Fonts::MulDiv(3, 1, 2), 2);
    EXPECT_EQ(Fonts::MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(Fonts::MulDiv(5, 5, 0), 0);
    TFont font;
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(-16);
    EXPECT_EQ(font.Size(), 12);
    EXPECT_EQ(font.ToQFont().pixelSize(), 16);
    font.SetHeight(20); // a cell height: the character height is smaller
    EXPECT_LT(font.ToQFont().pixelSize(), 20);
    EXPECT_GT(font.ToQFont().pixelSize(), 14);
}

TEST(TextLayout, BoldTextIsWider) {
    TCanvas canvas;
    const int regular = canvas.TextWidth(QStringLiteral("Verify check file"));
    canvas.Font()->SetStyle(fsBold);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("Verify check file")), regular);
}

TEST(TextLayout, TextOutPutsTheTopLeftAtThePointAndFillsTheCell) {
    auto bitmap = MarkedBitmap(120, 30);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clYellow);
    const QString text = QStringLiteral("Exit");
    const TSize extent = canvas->TextExtent(text);
    canvas->TextOut(10, 5, text);
    // The cell's corners: the top row and the left column carry no glyph ink.
    EXPECT_EQ(bitmap->Pixel(10, 5), clYellow);
    EXPECT_EQ(bitmap->Pixel(10 + extent.cx - 1, 5), clYellow);
    EXPECT_EQ(bitmap->Pixel(10, 5 + extent.cy - 1), clYellow);
    EXPECT_EQ(bitmap->Pixel(9, 5), kMarker);
    EXPECT_EQ(bitmap->Pixel(10 + extent.cx, 5), kMarker);
    EXPECT_EQ(bitmap->Pixel(10, 4), kMarker);
    EXPECT_EQ(bitmap->Pixel(10, 5 + extent.cy), kMarker);
    EXPECT_EQ(canvas->PenPos(), Point(10 + extent.cx, 5));

    auto clear = MarkedBitmap(120, 30);
    TextCanvas(*clear)->TextOut(10, 5, text);
    const TRect ink = InkBounds(*clear);
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Right, 10 + extent.cx + 1); // a glyph may overhang its advance by a pixel
    EXPECT_LE(ink.Bottom, 5 + extent.cy);
    EXPECT_EQ(CountColor(*clear, clYellow), 0);

    auto hatched = MarkedBitmap(120, 30);
    canvas = hatched->Canvas();
    canvas->Brush()->SetStyle(bsCross);
    canvas->TextOut(10, 5, text);
    EXPECT_EQ(hatched->Pixel(10, 5), kMarker);
}

TEST(TextLayout, TextRectClipsAndFillsTheRectangle) {
    auto bitmap = MarkedBitmap(60, 20);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->TextRect(Rect(5, 2, 25, 16), 0, 2, QStringLiteral("A long text that overflows"));
    EXPECT_EQ(InkBounds(*bitmap), Rect(5, 2, 25, 16));
}

TEST(TextLayout, CalcRectMeasuresSingleAndWrappedText) {
    TCanvas canvas;
    TRect single = Rect(10, 20, 11, 21);
    EXPECT_EQ(
        canvas.DrawText(QStringLiteral("Include sub folders"), single, DT_SINGLELINE | DT_CALCRECT),
        12);
    EXPECT_EQ(single, Rect(10, 20, 102, 32));

    TRect wrapped = Rect(0, 0, 60, 0);
    const QString text = QStringLiteral("Include sub folders and files");
    const int height = canvas.DrawText(text, wrapped, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, wrapped.Height());
    EXPECT_GE(height, 2 * 12);
    EXPECT_EQ(height % 12, 0);
    EXPECT_LE(wrapped.Width(), 60);

    TRect lines = Rect(0, 0, 500, 0);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("one\r\ntwo\nthree"), lines, DT_CALCRECT), 36);
    EXPECT_EQ(lines.Width(), canvas.TextWidth(QStringLiteral("three")));
    EXPECT_EQ(canvas.DrawText(QStringLiteral("a\r\rb"), lines, DT_CALCRECT), 36);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("a\r\n"), lines, DT_CALCRECT), 12);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("a\nb"), lines, DT_CALCRECT | DT_SINGLELINE), 12);

    TRect empty = Rect(3, 3, 50, 50);
    EXPECT_EQ(canvas.DrawText(QString(), empty, DT_CALCRECT), 0);
    EXPECT_EQ(empty, Rect(3, 3, 3, 3));
}

TEST(TextLayout, AWordWiderThanTheRectangleStaysWhole) {
    TCanvas canvas;
    TRect rect = Rect(0, 0, 20, 0);
    canvas.DrawText(QStringLiteral("Unbreakable word"), rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(rect.Height(), 24);
    EXPECT_EQ(rect.Width(), canvas.TextWidth(QStringLiteral("Unbreakable")));
}

TEST(TextLayout, PrefixesAreHiddenUnlessSwitchedOff) {
    TCanvas canvas;
    TRect rect;
    canvas.DrawText(QStringLiteral("E&xit"), rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rect.Width(), canvas.TextWidth(QStringLiteral("Exit")));
    rect = TRect{};
    canvas.DrawText(QStringLiteral("A && B"), rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rect.Width(), canvas.TextWidth(QStringLiteral("A & B")));
    rect = TRect{};
    canvas.DrawText(QStringLiteral("E&xit"), rect, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(rect.Width(), canvas.TextWidth(QStringLiteral("E&xit")));
}

TEST(TextLayout, EndEllipsisKeepsTheTextInsideTheRectangle) {
    TCanvas canvas;
    const QString text = QStringLiteral("/home/user/a/rather/long/path/to/CheckSum.md5");
    TRect rect = Rect(0, 0, 80, 12);
    canvas.DrawText(text, rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(rect.Width(), 80);
    EXPECT_GT(rect.Width(), 60);
}

TEST(TextLayout, AlignsHorizontallyAndCentresVertically) {
    const QString text = QStringLiteral("OK");
    const TRect box = Rect(10, 4, 110, 40);
    auto right = MarkedBitmap(120, 50);
    TCanvas* canvas = TextCanvas(*right);
    const int width = canvas->TextWidth(text);
    TRect rect = box;
    canvas->DrawText(text, rect, DT_SINGLELINE | DT_RIGHT);
    TRect ink = InkBounds(*right);
    EXPECT_GE(ink.Left, 110 - width);
    EXPECT_LE(ink.Right, 110);
    EXPECT_LT(ink.Bottom, 4 + 12 + 1);

    auto centred = MarkedBitmap(120, 50);
    canvas = TextCanvas(*centred);
    rect = box;
    canvas->DrawText(text, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ink = InkBounds(*centred);
    const int cellTop = 4 + (36 - 12) / 2;
    EXPECT_GE(ink.Left, 10 + (100 - width) / 2);
    EXPECT_LE(ink.Right, 10 + (100 - width) / 2 + width);
    EXPECT_GE(ink.Top, cellTop);
    EXPECT_LE(ink.Bottom, cellTop + 12);

    auto multiLine = MarkedBitmap(120, 50);
    canvas = TextCanvas(*multiLine);
    rect = box;
    canvas->DrawText(text, rect, DT_VCENTER); // only single lines are centred
    EXPECT_LE(InkBounds(*multiLine).Bottom, 4 + 12);

    auto bottom = MarkedBitmap(120, 50);
    canvas = TextCanvas(*bottom);
    rect = box;
    canvas->DrawText(text, rect, DT_SINGLELINE | DT_BOTTOM);
    ink = InkBounds(*bottom);
    EXPECT_GE(ink.Top, 40 - 12);
    EXPECT_LE(ink.Bottom, 40);
}

TEST(TextLayout, DrawTextClipsToItsRectangleUnlessAskedNotTo) {
    const QString text = QStringLiteral("Something wide");
    auto clipped = MarkedBitmap(120, 20);
    TRect rect = Rect(0, 0, 20, 12);
    TextCanvas(*clipped)->DrawText(text, rect, DT_SINGLELINE);
    EXPECT_LE(InkBounds(*clipped).Right, 20);

    auto unclipped = MarkedBitmap(120, 20);
    rect = Rect(0, 0, 20, 12);
    TextCanvas(*unclipped)->DrawText(text, rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(*unclipped).Right, 40);
}

TEST(TextLayout, PrefixCharacterIsUnderlined) {
    auto plain = MarkedBitmap(60, 20);
    TRect rect = Rect(0, 0, 60, 20);
    TextCanvas(*plain)->DrawText(QStringLiteral("Exit"), rect, DT_SINGLELINE);
    auto prefixed = MarkedBitmap(60, 20);
    rect = Rect(0, 0, 60, 20);
    TextCanvas(*prefixed)->DrawText(QStringLiteral("&Exit"), rect, DT_SINGLELINE);
    EXPECT_GT(InkBounds(*prefixed).Bottom, InkBounds(*plain).Bottom);
    auto hidden = MarkedBitmap(60, 20);
    rect = Rect(0, 0, 60, 20);
    TextCanvas(*hidden)->DrawText(QStringLiteral("&Exit"), rect, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(InkBounds(*hidden), InkBounds(*plain));

    // Expanding tabs keeps the underline under its character, as buttons and labels ask.
    const auto drawn = [](const QString& text, unsigned flags) {
        auto bitmap = MarkedBitmap(90, 20);
        TRect area = Rect(0, 0, 90, 20);
        TextCanvas(*bitmap)->DrawText(text, area, DT_SINGLELINE | flags);
        return bitmap->Image();
    };
    EXPECT_EQ(drawn(QStringLiteral("&Exit"), DT_EXPANDTABS), drawn(QStringLiteral("&Exit"), 0));
    EXPECT_EQ(drawn(QStringLiteral("a\tE&xit"), DT_EXPANDTABS),
              drawn(QStringLiteral("a       E&xit"), 0));
    EXPECT_NE(drawn(QStringLiteral("a\tE&xit"), DT_EXPANDTABS),
              drawn(QStringLiteral("a       Exit"), 0));
}
