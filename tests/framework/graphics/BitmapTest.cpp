#include "PixelHelpers.h"
#include "framework/graphics/Picture.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pixels;

namespace {

QByteArray BmpData(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

} // namespace

TEST(Bitmap, ResizingKeepsTheTopLeftAndFillsNewPixelsWhite) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetImage(PositionImage(4, 3));
    const QImage original = bitmap.Image().copy();
    bitmap.SetSize(6, 5);
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.Image().copy(0, 0, 4, 3), original);
    EXPECT_EQ(bitmap.Pixel(5, 0), clWhite);
    EXPECT_EQ(bitmap.Pixel(0, 4), clWhite);
    bitmap.SetWidth(2);
    EXPECT_EQ(bitmap.Image().copy(0, 0, 2, 3), original.copy(0, 0, 2, 3));
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
}

TEST(Bitmap, ResizingFlushesPendingCanvasDrawing) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
    bitmap.SetSize(8, 8);
    EXPECT_EQ(bitmap.Pixel(1, 1), clRed);
    bitmap.Canvas()->FillRect(Rect(6, 6, 8, 8)); // the canvas follows the new size
    EXPECT_EQ(bitmap.Pixel(7, 7), clRed);
}

TEST(Bitmap, PixelsAndScanLinesOutsideAreRefused) {
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.SetPixel(2, 1, clNavy);
    bitmap.SetPixel(3, 1, clNavy);
    EXPECT_EQ(bitmap.Pixel(2, 1), clNavy);
    EXPECT_EQ(bitmap.Pixel(-1, 0), clNone);
    ASSERT_NE(bitmap.ScanLine(1), nullptr);
    EXPECT_EQ(bitmap.ScanLine(1)[2], ColorToQRgb(clNavy));
    bitmap.ScanLine(0)[0] = qRgb(1, 2, 3);
    EXPECT_EQ(bitmap.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(bitmap.ScanLine(2), nullptr);
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.TransparentColor(), clDefault);
    bitmap.SetSize(3, 3);
    bitmap.SetPixel(0, 2, clTeal);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clTeal);
    bitmap.SetTransparentColor(clFuchsia);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clTeal);
    bitmap.SetTransparentMode(tmFixed); // fixes the colour of the moment
    bitmap.SetPixel(0, 2, clRed);
    EXPECT_EQ(bitmap.TransparentColor(), clTeal);
}

TEST(Bitmap, AssignCopiesContentAndTransparencyIndependently) {
    TBitmap source;
    source.SetImage(PositionImage(5, 4));
    source.SetTransparent(true);
    source.SetTransparentColor(clRed);
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Image(), source.Image());
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clRed);
    copy.Canvas()->Brush()->SetColor(clBlack);
    copy.Canvas()->FillRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(copy.Pixel(1, 1), clBlack);
    EXPECT_NE(source.Pixel(1, 1), clBlack);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, SavesAndLoadsBmpFiles) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("picture.bmp"));
    TBitmap source;
    source.SetImage(PositionImage(7, 3));
    ASSERT_TRUE(source.SaveToFile(path));
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.Image(), source.Image());

    EXPECT_FALSE(loaded.LoadFromFile(folder.filePath(QStringLiteral("missing.bmp"))));
    EXPECT_EQ(loaded.Image(), source.Image()); // a failed load changes nothing
    EXPECT_FALSE(TBitmap().SaveToFile(folder.filePath(QStringLiteral("empty.bmp"))));
}

TEST(Bitmap, LoadsConsecutiveBitmapsFromOneStream) {
    const QImage first = PositionImage(3, 2);
    const QImage second = PositionImage(5, 4).mirrored();
    QByteArray data = BmpData(first) + BmpData(second) + QByteArray("tail");
    QBuffer stream(&data);
    stream.open(QIODevice::ReadOnly);
    TBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromStream(stream));
    EXPECT_EQ(bitmap.Image(), first.convertToFormat(QImage::Format_RGB32));
    ASSERT_TRUE(bitmap.LoadFromStream(stream));
    EXPECT_EQ(bitmap.Image(), second.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(stream.readAll(), QByteArray("tail"));
}

TEST(Bitmap, RefusesDamagedStreamsAndLeavesTheBitmapAlone) {
    TBitmap bitmap;
    bitmap.SetImage(PositionImage(2, 2));
    const QImage before = bitmap.Image().copy();

    QByteArray truncated = BmpData(PositionImage(8, 8));
    truncated.chop(10);
    QBuffer shortStream(&truncated);
    shortStream.open(QIODevice::ReadOnly);
    EXPECT_FALSE(bitmap.LoadFromStream(shortStream));
    EXPECT_EQ(shortStream.pos(), 0);

    QByteArray hugeSize = BmpData(PositionImage(2, 2));
    hugeSize[2] = char(0xFF);
    hugeSize[3] = char(0xFF);
    hugeSize[4] = char(0xFF);
    hugeSize[5] = char(0x7F);
    QBuffer hugeStream(&hugeSize);
    hugeStream.open(QIODevice::ReadOnly);
    EXPECT_FALSE(bitmap.LoadFromStream(hugeStream));

    QByteArray garbage("BM\x20\x00\x00\x00 this is not a picture at all", 40);
    QBuffer garbageStream(&garbage);
    garbageStream.open(QIODevice::ReadOnly);
    EXPECT_FALSE(bitmap.LoadFromStream(garbageStream));

    QByteArray empty;
    QBuffer emptyStream(&empty);
    emptyStream.open(QIODevice::ReadOnly);
    EXPECT_FALSE(bitmap.LoadFromStream(emptyStream));
    EXPECT_FALSE(bitmap.LoadFromData(QByteArray("not a bitmap")));
    EXPECT_EQ(bitmap.Image(), before);
}

TEST(Bitmap, LoadsEmbeddedPicturesByName) {
    TBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromResourceName(QStringLiteral("test_blocks")));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Pixel(2, 1), clFuchsia);
    EXPECT_FALSE(bitmap.LoadFromResourceName(QStringLiteral("NO_SUCH_PICTURE")));
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST(Picture, HoldsOneBitmapAndReportsItsChanges) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    };
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    TBitmap* bitmap = picture.Bitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(picture.Bitmap(), bitmap);
    const int afterCreate = changes;
    bitmap->SetSize(4, 3);
    EXPECT_EQ(changes, afterCreate + 1);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);

    TPicture copy;
    copy.Assign(&picture);
    ASSERT_NE(copy.Graphic(), nullptr);
    EXPECT_NE(copy.Graphic(), picture.Graphic());
    EXPECT_EQ(copy.Bitmap()->Image(), bitmap->Image());
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Graphic(), nullptr);

    TBitmap loose;
    loose.SetImage(PositionImage(2, 5));
    copy.SetGraphic(&loose);
    EXPECT_EQ(copy.Height(), 5);
    TBitmap fromPicture;
    fromPicture.Assign(&copy);
    EXPECT_EQ(fromPicture.Image(), loose.Image());
}

TEST(Picture, LoadsFilesAndKeepsItsGraphicOnFailure) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("p.bmp"));
    TBitmap source;
    source.SetImage(PositionImage(6, 2));
    ASSERT_TRUE(source.SaveToFile(path));
    TPicture picture;
    ASSERT_TRUE(picture.LoadFromFile(path));
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_FALSE(picture.LoadFromFile(folder.filePath(QStringLiteral("none.bmp"))));
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_TRUE(picture.SaveToFile(folder.filePath(QStringLiteral("again.bmp"))));
}
