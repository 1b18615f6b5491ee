// Missing, tiny and oversized pictures and captions: the controls draw what they can.
// The same painting runs in the skin-file fuzz target.
#include "SkinTestHelpers.h"
#include "fuzz/PaintFromSkin.h"
#include "skin/controls/SKButton.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

QByteArray BmpOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// An exported look whose pictures are all replaced by a 1 x 1 one.
QByteArray SkinWithTinyPictures() {
    QList<TskSkinEntry> entries = BuiltinSkinEntries(Protein);
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(0xFFFF00FF);
    for (TskSkinEntry& entry : entries) {
        if (entry.type == TskSkinEntryType::Picture) {
            entry.data = BmpOf(tiny);
        }
    }
    return WriteSkinFile(entries);
}

} // namespace

TEST(EdgePictures, SkinFilesOfEveryShapePaintEveryControl) {
    PaintEveryControlFromSkin(WriteSkinFile(BuiltinSkinEntries(MacOS)));
    PaintEveryControlFromSkin(SkinWithTinyPictures());
    PaintEveryControlFromSkin(WriteSkinFile({}));
    PaintEveryControlFromSkin(QByteArray("SkinKit_TB\0\0garbage", 20));
    PaintEveryControlFromSkin({});
}

TEST(EdgePictures, AZeroWidthGlyphAndAHugeCaptionDrawWhatTheyCan) {
    TskButton button(nullptr);
    button.SetUIStyle(DeepBlue);
    button.SetTransparent(false);
    TBitmap glyph;
    glyph.SetSize(0, 16);
    button.SetGlyph(&glyph);
    button.SetCaption(QString(65535, QLatin1Char('W')));
    const QImage image = Paint(button);
    EXPECT_EQ(image.size(), QSize(80, 27));
    glyph.SetSize(1, 1);
    button.SetGlyph(&glyph);
    button.SetLayout(TskButton::blGlyphBottom);
    button.SetEnabled(false);
    EXPECT_EQ(Paint(button).size(), QSize(80, 27));
    button.SetBounds(0, 0, 0, 0);
    EXPECT_TRUE(Paint(button).isNull());
}
