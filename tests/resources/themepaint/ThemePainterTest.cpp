// The painter that makes the theme pictures at build time: its keying and strip
// primitives, and properties every look's pictures must have to draw well.
#include "resources/themepaint/Canvas.h"
#include "resources/themepaint/Icon.h"
#include "resources/themepaint/Looks.h"
#include "resources/themepaint/Pictures.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using namespace themepaint;

constexpr QRgb Key = KeyColour & 0xFFFFFF;

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

QImage Layer(int width, int height, QColor colour) {
    QImage layer = NewLayer(width, height);
    layer.fill(colour);
    return layer;
}

TEST(ThemePainter, FlattenKeysUncoveredPixelsAndBlendsTheRestOverTheBackground) {
    QImage layer = NewLayer(3, 1);
    layer.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    layer.setPixelColor(1, 0, QColor(0, 0, 255, 255));
    layer.setPixelColor(2, 0, QColor(0, 0, 0, 200));
    const QImage keyed = Flatten(layer, QColor(255, 255, 255), KeyColour);
    EXPECT_EQ(Rgb(keyed, 0, 0), Key);
    EXPECT_EQ(Rgb(keyed, 1, 0), 0x0000FFu);
    // An antialiased edge is blended with the surface, never with the key.
    const QColor edge = keyed.pixelColor(2, 0);
    EXPECT_EQ(edge.red(), edge.green());
    EXPECT_EQ(edge.green(), edge.blue());
    EXPECT_NEAR(edge.red(), 55, 2);

    const QImage opaque = Flatten(layer, QColor(10, 20, 30), std::nullopt);
    EXPECT_EQ(Rgb(opaque, 0, 0), 0x0A141Eu);
}

TEST(ThemePainter, FlattenMovesColoursThatCouldPassForTheKey) {
    const QImage keyed = Flatten(Layer(1, 1, QColor(0xF8, 0x10, 0xF0)), Qt::white, KeyColour);
    const QRgb pixel = Rgb(keyed, 0, 0);
    EXPECT_NE(pixel, Key);
    EXPECT_GT(qGreen(pixel), 40);

    const QImage whiteKeyed =
        Flatten(Layer(1, 1, QColor(0xF4, 0xF6, 0xF2)), Qt::white, WhiteKeyColour);
    EXPECT_LT(qRed(whiteKeyed.pixel(0, 0)), 0xD8);

    // Without a key nothing is moved.
    const QImage plain = Flatten(Layer(1, 1, QColor(0xFF, 0x00, 0xFF)), Qt::white, std::nullopt);
    EXPECT_EQ(Rgb(plain, 0, 0), Key);
}

TEST(ThemePainter, StripPaintsEachFrameInItsOwnPlace) {
    std::vector<int> painted;
    const QImage strip = PaintStrip(3, 4, 2, Qt::white, std::nullopt,
                                    [&](QPainter& painter, const QRectF& frame, int index) {
                                        painted.push_back(index);
                                        EXPECT_EQ(frame, QRectF(0, 0, 4, 2));
                                        painter.fillRect(frame, QColor(index * 100, 0, 0));
                                    });
    EXPECT_EQ(painted, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(strip.size(), QSize(12, 2));
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(qRed(strip.pixel(x, 1)), (x / 4) * 100) << x;
    }
}

TEST(ThemePainter, ClearKeyTouchesOnlyKeyPixelsInsideTheRectangle) {
    QImage image(4, 1, QImage::Format_RGB32);
    image.fill(KeyColour);
    image.setPixel(2, 0, 0xFF123456);
    ClearKey(image, QRect(1, 0, 2, 1), Qt::black);
    EXPECT_EQ(Rgb(image, 0, 0), Key);
    EXPECT_EQ(Rgb(image, 1, 0), 0u);
    EXPECT_EQ(Rgb(image, 2, 0), 0x123456u);
    EXPECT_EQ(Rgb(image, 3, 0), Key);
}

TEST(ThemePainter, MixRunsFromOneColourToTheOther) {
    EXPECT_EQ(Mix(Qt::black, Qt::white, 0.0).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(Mix(Qt::black, Qt::white, 1.0).rgb(), QColor(Qt::white).rgb());
    EXPECT_NEAR(Mix(Qt::black, Qt::white, 0.5).red(), 128, 1);
}

// Opaque title buttons are drawn straight onto the bar, so what surrounds the glyph must be
// the bar's own picture at the glyph row's height.
TEST(ThemePainter, OpaqueTitleButtonsSitOnTheTitlePicture) {
    for (const Look& look : Looks()) {
        if (look.titleButtonKeyed) {
            continue;
        }
        const QImage buttons = PaintTitleButtons(look);
        const QImage bar = PaintTitleSection(look, look.sizes.titleClient, TitlePart::Client);
        const int side = look.sizes.titleButton;
        for (int frame = 0; frame < 18; ++frame) {
            for (const int y : {0, side - 1}) {
                EXPECT_EQ(Rgb(buttons, frame * side, y), Rgb(bar, 0, look.titleButtonTop + y))
                    << look.name << " frame " << frame << " row " << y;
            }
        }
    }
}

bool UniformAlongX(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left() + 1; x <= area.right(); ++x) {
            if (image.pixel(x, y) != image.pixel(area.left(), y)) {
                return false;
            }
        }
    }
    return true;
}

// Stretched parts must not carry detail along the stretch, or it smears.
TEST(ThemePainter, StretchedPartsAreUniformAlongTheStretch) {
    for (const Look& look : Looks()) {
        const QImage groove = PaintGroove(look);
        const int third = groove.width() / 3;
        EXPECT_TRUE(UniformAlongX(groove, QRect(third, 0, third, groove.height()))) << look.name;

        const QImage thumb = PaintScrollThumb(look);
        const int piece = thumb.width() / 3;
        EXPECT_TRUE(UniformAlongX(thumb, QRect(piece, 0, piece, thumb.height()))) << look.name;

        const QImage tabs = PaintTabs(look);
        const int frame = tabs.width() / 2;
        for (int index = 0; index < 2; ++index) {
            EXPECT_TRUE(
                UniformAlongX(tabs, QRect(index * frame + frame / 3, 0, frame / 3, tabs.height())))
                << look.name << " tab " << index;
        }
        const QImage line = PaintTabLine(look);
        EXPECT_TRUE(UniformAlongX(line, line.rect())) << look.name;

        const QImage client = PaintTitleSection(look, look.sizes.titleClient, TitlePart::Client);
        EXPECT_TRUE(UniformAlongX(client, client.rect())) << look.name;
    }
}

int Distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

TEST(ThemePainter, TitleSectionsMeetWithoutASeam) {
    for (const Look& look : Looks()) {
        const QImage left = PaintTitleSection(look, look.sizes.titleLeft, TitlePart::Left);
        const QImage client = PaintTitleSection(look, look.sizes.titleClient, TitlePart::Client);
        const QImage right = PaintTitleSection(look, look.sizes.titleRight, TitlePart::Right);
        ASSERT_EQ(left.height(), client.height());
        ASSERT_EQ(right.height(), client.height());
        for (int y = 0; y < client.height(); ++y) {
            EXPECT_LE(Distance(left.pixel(left.width() - 1, y), client.pixel(0, y)), 6)
                << look.name << " row " << y;
            EXPECT_LE(Distance(right.pixel(0, y), client.pixel(0, y)), right.width() > 1 ? 6 : 255)
                << look.name << " row " << y;
        }
    }
}

// The active tab is drawn one pixel lower, over the top row of the line under the tabs,
// so that it opens into the page.
TEST(ThemePainter, ActiveTabOpensIntoThePage) {
    for (const Look& look : Looks()) {
        const QImage tabs = PaintTabs(look);
        const QImage line = PaintTabLine(look);
        const int frame = tabs.width() / 2;
        const QRgb activeBottom = tabs.pixel(frame / 2, tabs.height() - 1);
        const QRgb inactiveBottom = tabs.pixel(frame + frame / 2, tabs.height() - 1);
        const QRgb page = line.pixel(0, line.height() - 1);
        EXPECT_LE(Distance(activeBottom, look.tabLine.rgb()), 9) << look.name;
        EXPECT_GT(Distance(inactiveBottom, activeBottom), 9) << look.name;
        if (line.height() > 1) {
            EXPECT_EQ(page & 0xFFFFFF, look.tabLine.rgb() & 0xFFFFFF) << look.name;
            EXPECT_LT(qGray(line.pixel(0, 0)), qGray(page)) << look.name;
        }
    }
}

TEST(ThemePainter, ButtonStatesAreTellApart) {
    for (const Look& look : Looks()) {
        const QImage strip = PaintButton(look);
        const int width = strip.width() / 3;
        const QRgb centre[3] = {strip.pixel(width / 2, strip.height() / 2),
                                strip.pixel(width + width / 2, strip.height() / 2),
                                strip.pixel(2 * width + width / 2, strip.height() / 2)};
        const QRgb edge[3] = {strip.pixel(1, strip.height() / 2),
                              strip.pixel(width + 1, strip.height() / 2),
                              strip.pixel(2 * width + 1, strip.height() / 2)};
        for (int a = 0; a < 3; ++a) {
            for (int b = a + 1; b < 3; ++b) {
                EXPECT_GT(Distance(centre[a], centre[b]) + Distance(edge[a], edge[b]), 12)
                    << look.name << " states " << a << " and " << b;
            }
        }
    }
}

TEST(ThemePainter, PaintingIsRepeatable) {
    const std::vector<NamedPicture> first = PaintAllPictures();
    const std::vector<NamedPicture> second = PaintAllPictures();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t index = 0; index < first.size(); ++index) {
        EXPECT_EQ(first[index].name, second[index].name);
        EXPECT_EQ(first[index].image, second[index].image) << first[index].name.toStdString();
    }
}

TEST(ThemePainter, EveryPictureIsNamedOnce) {
    QSet<QString> names;
    for (const NamedPicture& picture : PaintAllPictures()) {
        EXPECT_FALSE(names.contains(picture.name)) << picture.name.toStdString();
        names.insert(picture.name);
        EXPECT_EQ(picture.image.format(), QImage::Format_RGB32) << picture.name.toStdString();
    }
    EXPECT_EQ(names.size(), 98);
}

TEST(ThemePainter, IconShowsAWhiteMarkOnAnOpaqueShield) {
    for (const int size : {16, 32, 48, 256}) {
        const QImage icon = PaintProgramIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0) << size;
        int white = 0;
        int blue = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QColor pixel = icon.pixelColor(x, y);
                white += pixel.alpha() == 255 && pixel.lightness() > 240 ? 1 : 0;
                blue += pixel.alpha() == 255 && pixel.blue() > pixel.red() + 60 ? 1 : 0;
            }
        }
        EXPECT_GT(white, size * size / 30) << size;
        EXPECT_GT(blue, size * size / 4) << size;
    }
}

} // namespace
