#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <gtest/gtest.h>

TEST(Font, FiresOnChangeOncePerRealChange) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    font.SetName(QStringLiteral("Tahoma"));
    font.SetName(QStringLiteral("Tahoma"));
    font.SetSize(8); // already 8 points
    font.SetStyle(fsBold | fsUnderline);
    font.SetColor(clRed);
    EXPECT_EQ(changes, 3);

    TFont other;
    other.SetHeight(-20);
    font.Assign(&other);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(font.Height(), -20);
    EXPECT_EQ(font.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.Style(), TFontStyles());
    font.Assign(&other);
    EXPECT_EQ(changes, 4);
}

TEST(Font, PublishesLayoutPropertiesByTheirNames) {
    TFont font;
    EXPECT_TRUE(font.setProperty("Name", QStringLiteral("Tahoma")));
    EXPECT_TRUE(font.setProperty("Size", 10));
    EXPECT_EQ(font.Height(), -13);
    const QMetaProperty style =
        font.metaObject()->property(font.metaObject()->indexOfProperty("Style"));
    const QMetaEnum flags = style.enumerator();
    ASSERT_TRUE(flags.isFlag());
    bool ok = false;
    const int value = flags.keysToValue("fsBold|fsItalic", &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(style.write(&font, value));
    EXPECT_EQ(font.Style(), fsBold | fsItalic);
    const QMetaEnum charset = QMetaEnum::fromType<TFont::TFontCharset>();
    EXPECT_EQ(charset.keyToValue("DEFAULT_CHARSET"), 1);
    EXPECT_EQ(font.Charset(), TFont::DEFAULT_CHARSET);
    EXPECT_EQ(font.Color(), clWindowText);
}

TEST(PenAndBrush, FireOnChangeAndCopyEachOther) {
    TPen pen;
    int penChanges = 0;
    pen.OnChange = [&](TObject*) { ++penChanges; };
    pen.SetColor(clRed);
    pen.SetWidth(0); // widths below one are one
    pen.SetStyle(psDot);
    pen.SetMode(pmXor);
    EXPECT_EQ(penChanges, 3);
    EXPECT_EQ(pen.Width(), 1);
    TPen copy;
    copy.Assign(&pen);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Style(), psDot);
    EXPECT_EQ(copy.Mode(), pmXor);

    TBrush brush;
    int brushChanges = 0;
    brush.OnChange = [&](TObject*) { ++brushChanges; };
    EXPECT_EQ(brush.Color(), clWhite);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::SolidPattern);
    brush.SetStyle(bsClear);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::NoBrush);
    brush.SetStyle(bsCross);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::CrossPattern);
    EXPECT_EQ(brushChanges, 2);
}

TEST(PenAndBrush, AFreedPatternBitmapIsNoLongerUsed) {
    TBrush brush;
    {
        TBitmap pattern;
        pattern.SetSize(2, 2);
        brush.SetBitmap(&pattern);
        EXPECT_EQ(brush.ToQBrush().style(), Qt::TexturePattern);
    }
    EXPECT_EQ(brush.Bitmap(), nullptr);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::SolidPattern);
}
