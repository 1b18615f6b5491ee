// The image panel: tiling, stretching, the auto-size rule and the caption.
#include "../controls/SkinTestHelpers.h"
#include "skin/frame/SKImagePanel.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

// A picture whose every pixel says where it came from.
QImage Numbered(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(10 * x, 10 * y, 200));
        }
    }
    return image;
}

void SetPicture(TskImagePanel& panel, const QImage& image) {
    TPicture picture;
    picture.Bitmap()->SetImage(image);
    panel.SetPicture(&picture);
}

} // namespace

TEST(SkinImagePanel, TilesFromTheOriginClippedAtTheEdges) {
    TskImagePanel panel(nullptr);
    panel.SetBounds(0, 0, 25, 15);
    SetPicture(panel, Numbered(10, 10));
    panel.SetDrawStyle(TskCustomPanel::skTile);
    const QImage image = Paint(panel);
    for (const QPoint at :
         {QPoint(0, 0), QPoint(10, 0), QPoint(20, 0), QPoint(0, 10), QPoint(20, 10)}) {
        EXPECT_EQ(image.pixel(at + QPoint(3, 4)), qRgb(30, 40, 200)) << at.x() << "," << at.y();
    }
    EXPECT_EQ(image.pixel(24, 14), qRgb(40, 40, 200));
}

TEST(SkinImagePanel, StretchesOrDrawsOnceOverItsColour) {
    TskImagePanel panel(nullptr);
    panel.SetBounds(0, 0, 20, 20);
    panel.SetColor(clLime);
    SetPicture(panel, Numbered(10, 10));
    panel.SetDrawStyle(TskCustomPanel::skStretch);
    EXPECT_EQ(Paint(panel).pixel(19, 19), qRgb(90, 90, 200));
    panel.SetDrawStyle(TskCustomPanel::skNormal);
    const QImage image = Paint(panel);
    EXPECT_EQ(image.pixel(9, 9), qRgb(90, 90, 200));
    EXPECT_EQ(image.pixel(15, 15), ColorToQRgb(clLime) | 0xFF000000u);
}

TEST(SkinImagePanel, AutoSizeFollowsThePictureWhereAlignLetsIt) {
    TForm form(nullptr);
    auto* panel = new TskImagePanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 50, 50);
    panel->SetAlign(alTop);
    const int width = panel->Width();
    panel->SetAutoSize(true);
    SetPicture(*panel, Numbered(12, 7));
    EXPECT_EQ(panel->Height(), 7);
    EXPECT_EQ(panel->Width(), width);
    panel->SetAlign(alClient);
    const TRect client = panel->BoundsRect();
    SetPicture(*panel, Numbered(9, 9));
    EXPECT_EQ(panel->BoundsRect(), client);
    panel->SetAlign(alNone);
    SetPicture(*panel, Numbered(11, 13));
    EXPECT_EQ(panel->Width(), 11);
    EXPECT_EQ(panel->Height(), 13);
}

TEST(SkinImagePanel, ABlankCaptionDrawsNothingAndATransparentEmptyPanelShowsItsParent) {
    TskImagePanel panel(nullptr);
    panel.SetBounds(0, 0, 40, 20);
    const QImage plain = Paint(panel);
    panel.SetCaption(QStringLiteral("   "));
    EXPECT_EQ(Paint(panel), plain);
    panel.SetCaption(QStringLiteral("Text"));
    EXPECT_NE(Paint(panel), plain);
    EXPECT_EQ(panel.CaptionRect(), Rect(0, 0, 40, 20));

    TForm form(nullptr);
    form.SetColor(clAqua);
    auto* child = new TskImagePanel(&form);
    child->SetParent(&form);
    child->SetBounds(5, 5, 10, 10);
    child->SetTransparent(true);
    EXPECT_EQ(Paint(*child).pixel(3, 3), ColorToQRgb(clAqua) | 0xFF000000u);
}
