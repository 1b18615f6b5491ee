#include "framework/graphics/ImageList.h"

#include "PixelHelpers.h"

#include <QVariant>
#include <gtest/gtest.h>

using namespace pixels;

namespace {

// A strip of equally wide blocks in red, lime and blue with a fuchsia top-left pixel
// in each block.
std::unique_ptr<TBitmap> Strip(int blockWidth, int height) {
    const TColor colors[] = {clRed, clLime, clBlue};
    auto strip = std::make_unique<TBitmap>();
    strip->SetSize(3 * blockWidth, height);
    TCanvas* canvas = strip->Canvas();
    for (int i = 0; i < 3; ++i) {
        canvas->Brush()->SetColor(colors[i]);
        canvas->FillRect(Bounds(i * blockWidth, 0, blockWidth, height));
        canvas->SetPixel(i * blockWidth, 0, clFuchsia);
    }
    return strip;
}

} // namespace

TEST(ImageList, CutsAWideBitmapIntoImages) {
    TImageList list(4, 3);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    auto strip = Strip(4, 3);
    EXPECT_EQ(list.Add(strip.get()), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Add(strip.get()), 3);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(changes, 2);

    auto target = MarkedBitmap(6, 5);
    list.Draw(target->Canvas(), 1, 1, 1);
    EXPECT_EQ(target->Pixel(1, 1), clFuchsia); // no mask: opaque
    EXPECT_EQ(target->Pixel(4, 3), clLime);
    EXPECT_EQ(target->Pixel(5, 3), kMarker);
    EXPECT_EQ(target->Pixel(4, 4), kMarker);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 5);
    list.SetWidth(8); // another size empties the list
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add(nullptr), -1);
}

TEST(ImageList, MaskedImagesSkipTheirMaskColour) {
    TImageList list(4, 3);
    auto strip = Strip(4, 3);
    list.AddMasked(strip.get(), clFuchsia);
    auto target = MarkedBitmap(4, 3);
    list.Draw(target->Canvas(), 0, 0, 2);
    EXPECT_EQ(target->Pixel(0, 0), kMarker);
    EXPECT_EQ(target->Pixel(1, 0), clBlue);
}

TEST(ImageList, MaskBitmapsMarkTransparentPixelsWhite) {
    TImageList list(2, 1);
    TBitmap image;
    image.SetSize(2, 1);
    image.SetPixel(0, 0, clRed);
    image.SetPixel(1, 0, clBlue);
    TBitmap mask;
    mask.SetSize(2, 1);
    mask.SetPixel(0, 0, clWhite);
    mask.SetPixel(1, 0, clBlack);
    list.Add(&image, &mask);
    auto target = MarkedBitmap(2, 1);
    list.Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(target->Pixel(0, 0), kMarker);
    EXPECT_EQ(target->Pixel(1, 0), clBlue);
}

TEST(ImageList, DisabledImagesAreEmbossedInShadowColours) {
    TImageList list(3, 2);
    TBitmap image;
    image.SetSize(3, 2);         // white everywhere ...
    image.SetPixel(0, 0, clRed); // ... but one red pixel
    list.Add(&image);
    auto target = MarkedBitmap(5, 4);
    list.Draw(target->Canvas(), 1, 1, 0, false);
    EXPECT_EQ(target->Pixel(1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(target->Pixel(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(target->Pixel(2, 1), kMarker); // white is not part of the shape
    EXPECT_EQ(CountColor(*target, kMarker), 18);
}

TEST(ImageList, IsAComponentWithPublishedSize) {
    TComponent owner(nullptr);
    auto* list = new TImageList(&owner);
    EXPECT_EQ(list->Owner(), &owner);
    EXPECT_EQ(list->Width(), 16);
    EXPECT_TRUE(list->setProperty("Width", 24));
    EXPECT_TRUE(list->setProperty("Height", 0)); // sizes below one are one
    EXPECT_EQ(list->Width(), 24);
    EXPECT_EQ(list->Height(), 1);
}

TEST(ImageList, GetBitmapCopiesOneImageOnTheButtonFace) {
    TImageList list(4, 3);
    auto strip = Strip(4, 3);
    list.AddMasked(strip.get(), clFuchsia);
    TBitmap bitmap;
    ASSERT_TRUE(list.GetBitmap(1, &bitmap));
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(bitmap.Pixel(3, 2), clLime);
    EXPECT_FALSE(list.GetBitmap(3, &bitmap));
    EXPECT_FALSE(list.GetBitmap(-1, &bitmap));
    auto target = MarkedBitmap(2, 2);
    list.Draw(target->Canvas(), 0, 0, 7); // a bad index draws nothing
    EXPECT_EQ(CountColor(*target, kMarker), 4);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}
