#include "skin/core/SKThemes.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Magenta = 0xFF00FF;

struct ExpectedPicture {
    int element; // 0 for pictures loaded only by name
    int sizes[5][2];
    int frames; // 0 where the picture is not cut
};

// Sizes for MacOS, WinXP, DeepBlue, Protein and BlueGlass.
const ExpectedPicture ExpectedPictures[] = {
    {ButtonImage, {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}, 3},
    {CheckBoxImage, {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}, 4},
    {RadioButtonImage, {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}, 4},
    {TitleBarButtonImage, {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}, 18},
    {TitleBarLeftImage, {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}, 1},
    {TitleBarClientImage, {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}, 1},
    {TitleBarRightImage, {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}, 1},
    {TrackBarBarImage, {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}, 3},
    {TrackBarSliderImage, {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}, 1},
    {TrackBarSliderVImage, {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}, 1},
    {ScrollBarButtonImage, {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}, 6},
    {ScrollBarSliderImage, {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}, 3},
    {ScrollButtonImage, {{72, 18}, {72, 18}, {72, 17}, {72, 17}, {72, 17}}, 4},
    {TabControlTabImage, {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}, 2},
    {TabControlBarImage, {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}, 1},
    {ProgressBarImage, {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}, 0},
    {CheckListBoxImage, {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}, 0},
    {SideChannelHandleImage, {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}, 0},
    {SideChannelBarImage, {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}, 0},
};

struct NamedSize {
    const char* name;
    int width, height;
};

const NamedSize FurtherPictures[] = {
    {"MACOS_MENU_BAR", 1, 22},       {"MACOS_MENU_SELECT", 1, 21},      {"MENU_CHECKED", 16, 16},
    {"MACOS_FORM_BACKGROUND", 8, 8}, {"PROTEIN_FORM_BACKGROUND", 8, 8},
};

bool IsMagenta(QRgb pixel) {
    return (pixel & 0xFFFFFF) == Magenta;
}

bool NearMagenta(QRgb pixel) {
    return !IsMagenta(pixel) && qRed(pixel) > 0xD0 && qGreen(pixel) < 0x30 && qBlue(pixel) > 0xD0;
}

QImage Picture(int style, int element) {
    return LoadBuiltinThemePicture(style, element);
}

QImage Frame(const QImage& strip, int count, int index) {
    const int width = strip.width() / count;
    return strip.copy(index * width, 0, width, strip.height());
}

int CountMagenta(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += IsMagenta(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

TEST(ThemePictures, EveryPictureHasItsSizeAndWholeFrames) {
    QSet<QString> names;
    for (const ExpectedPicture& expected : ExpectedPictures) {
        for (int look = 0; look < BuiltinStyleCount; ++look) {
            const int style = MacOS + look;
            const QString name =
                QLatin1String(GetBuiltinThemeEntry(style, expected.element).pictureName);
            SCOPED_TRACE(name.toStdString());
            names.insert(name);
            const QImage image = Picture(style, expected.element);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.width(), expected.sizes[look][0]);
            EXPECT_EQ(image.height(), expected.sizes[look][1]);
            if (expected.frames > 0) {
                EXPECT_EQ(image.width() % expected.frames, 0);
            }
        }
    }
    for (const NamedSize& further : FurtherPictures) {
        const QImage image = LoadThemePicture(QLatin1String(further.name));
        ASSERT_FALSE(image.isNull()) << further.name;
        EXPECT_EQ(image.size(), QSize(further.width, further.height)) << further.name;
        names.insert(QLatin1String(further.name));
    }
    // Three looks share one scroll-button picture.
    EXPECT_EQ(names.size(), 19 * 5 - 2 + 5);
}

TEST(ThemePictures, NonPictureElementsAndEmptyNamesGiveNoPicture) {
    EXPECT_TRUE(Picture(MacOS, FormBackgroundColor).isNull());
    EXPECT_TRUE(Picture(MacOS, ButtonTransparentBool).isNull());
    EXPECT_TRUE(Picture(WinXP, TitleBarMinimizedImage).isNull());
    EXPECT_TRUE(Picture(Protein, FormLeftBorderImage).isNull());
    EXPECT_TRUE(Picture(BlueGlass, FormBottomBorderImage).isNull());
    EXPECT_TRUE(Picture(FromThemeFile, ButtonImage).isNull());
    EXPECT_TRUE(Picture(6, ButtonImage).isNull());
    EXPECT_TRUE(LoadThemePicture(QString()).isNull());
    EXPECT_TRUE(LoadThemePicture(QStringLiteral("NO_SUCH_PICTURE")).isNull());
}

TEST(ThemePictures, StoredAsUncompressedTwentyFourBitBitmaps) {
    Picture(MacOS, ButtonImage); // registers the resources
    QFile file(QStringLiteral(":/pictures/MACOS_BUTTON.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    ASSERT_EQ(header.size(), 54);
    EXPECT_EQ(header.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 24u);
    EXPECT_EQ(header.mid(30, 4), QByteArray(4, '\0'));
}

TEST(ThemePictures, NoPixelComesCloseToTheKeyWithoutBeingIt) {
    for (const ExpectedPicture& expected : ExpectedPictures) {
        for (int style = MacOS; style <= BlueGlass; ++style) {
            const QImage image = Picture(style, expected.element);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    ASSERT_FALSE(NearMagenta(image.pixel(x, y)))
                        << GetBuiltinThemeEntry(style, expected.element).pictureName << " at " << x
                        << "," << y;
                }
            }
        }
    }
}

TEST(ThemePictures, KeyedButtonsHaveTransparentCornersOthersAreOpaque) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        const QImage strip = Picture(style, ButtonImage);
        const bool keyed = GetBuiltinThemeBool(style, ButtonTransparentBool);
        for (int index = 0; index < 3; ++index) {
            const QImage frame = Frame(strip, 3, index);
            const QRect r = frame.rect();
            for (const QPoint corner :
                 {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
                EXPECT_EQ(IsMagenta(frame.pixel(corner)), keyed) << style << " frame " << index;
            }
            // Edges and centre are stretched from the middle row and column.
            EXPECT_EQ(CountMagenta(frame, QRect(0, frame.height() / 2, frame.width(), 2)), 0);
            EXPECT_EQ(CountMagenta(frame, QRect(frame.width() / 2, 0, 2, frame.height())), 0);
        }
    }
}

TEST(ThemePictures, KeyedTitleButtonsHaveTheKeyAtTheirBottomLeft) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        const QImage strip = Picture(style, TitleBarButtonImage);
        const bool keyed = GetBuiltinThemeBool(style, TitleBarButtonTransparentBool);
        for (int index = 0; index < 18; ++index) {
            const QImage frame = Frame(strip, 18, index);
            EXPECT_EQ(IsMagenta(frame.pixel(0, frame.height() - 1)), keyed)
                << style << " " << index;
            if (!keyed) {
                EXPECT_EQ(CountMagenta(frame, frame.rect()), 0) << style << " " << index;
            }
        }
    }
}

TEST(ThemePictures, TitleButtonFramesShowDistinctGlyphsAndStates) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        const QImage strip = Picture(style, TitleBarButtonImage);
        for (int first = 0; first < 18; ++first) {
            for (int second = first + 1; second < 18; ++second) {
                EXPECT_NE(Frame(strip, 18, first), Frame(strip, 18, second))
                    << style << " frames " << first + 1 << " and " << second + 1;
            }
        }
    }
}

TEST(ThemePictures, ThreePartStripsKeepTheirStretchedMiddleOpaque) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        const QImage groove = Picture(style, TrackBarBarImage);
        const int third = groove.width() / 3;
        EXPECT_TRUE(IsMagenta(groove.pixel(0, 0))) << style;
        EXPECT_TRUE(IsMagenta(groove.pixel(groove.width() - 1, groove.height() - 1))) << style;
        EXPECT_EQ(CountMagenta(groove, QRect(third, 0, third, groove.height())), 0) << style;

        const QImage tabs = Picture(style, TabControlTabImage);
        for (int index = 0; index < 2; ++index) {
            const QImage tab = Frame(tabs, 2, index);
            const int cap = tab.width() / 3;
            EXPECT_TRUE(IsMagenta(tab.pixel(0, 0))) << style << " tab " << index;
            EXPECT_TRUE(IsMagenta(tab.pixel(tab.width() - 1, 0))) << style << " tab " << index;
            EXPECT_EQ(CountMagenta(tab, QRect(cap, 0, cap, tab.height())), 0) << style;
        }
    }
}

TEST(ThemePictures, PicturesDrawnOpaqueHoldNoKey) {
    const int opaque[] = {CheckBoxImage,        RadioButtonImage,     TitleBarLeftImage,
                          TitleBarClientImage,  TitleBarRightImage,   TrackBarSliderVImage,
                          ScrollBarButtonImage, ScrollBarSliderImage, TabControlBarImage,
                          CheckListBoxImage,    SideChannelBarImage,  ProgressBarImage};
    for (const int element : opaque) {
        for (int style = MacOS; style <= BlueGlass; ++style) {
            const QImage image = Picture(style, element);
            EXPECT_EQ(CountMagenta(image, image.rect()), 0)
                << GetBuiltinThemeEntry(style, element).pictureName;
        }
    }
}

TEST(ThemePictures, SlidersAndTabScrollButtonsAreKeyedAtTheirCorners) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        const QImage slider = Picture(style, TrackBarSliderImage);
        EXPECT_TRUE(IsMagenta(slider.pixel(0, slider.height() - 1))) << style;
        EXPECT_TRUE(IsMagenta(slider.pixel(slider.width() - 1, slider.height() - 1))) << style;
        const QImage arrows = Picture(style, ScrollButtonImage);
        for (int index = 0; index < 4; ++index) {
            const QImage frame = Frame(arrows, 4, index);
            EXPECT_TRUE(IsMagenta(frame.pixel(0, frame.height() - 1))) << style << " " << index;
            EXPECT_TRUE(IsMagenta(frame.pixel(frame.width() - 1, 0))) << style << " " << index;
        }
    }
}

TEST(ThemePictures, CheckBoxStatesDiffer) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        for (const int element : {CheckBoxImage, RadioButtonImage}) {
            const QImage strip = Picture(style, element);
            for (int first = 0; first < 4; ++first) {
                for (int second = first + 1; second < 4; ++second) {
                    EXPECT_NE(Frame(strip, 4, first), Frame(strip, 4, second)) << style;
                }
            }
        }
    }
}

TEST(ThemePictures, FormBackgroundsArePinstripesOfTheDocumentedRows) {
    const std::pair<const char*, std::array<QRgb, 4>> tiles[] = {
        {"MACOS_FORM_BACKGROUND", {0xFFFFFF, 0xEFEFEF, 0xE8E8E8, 0xEFEFEF}},
        {"PROTEIN_FORM_BACKGROUND", {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xEEEEEE}},
    };
    for (const auto& [name, rows] : tiles) {
        const QImage tile = LoadThemePicture(QLatin1String(name));
        ASSERT_EQ(tile.size(), QSize(8, 8));
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(tile.pixel(x, y) & 0xFFFFFF, rows[y % 4]) << name << " " << x << "," << y;
            }
        }
    }
}

TEST(ThemePictures, MenuCheckMarkIsKeyedByWhite) {
    const QImage mark = LoadThemePicture(QStringLiteral("MENU_CHECKED"));
    ASSERT_EQ(mark.size(), QSize(16, 16));
    EXPECT_EQ(mark.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(mark.pixel(15, 15) & 0xFFFFFF, 0xFFFFFFu);
    int dark = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            dark += qGray(mark.pixel(x, y)) < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 12);
}

TEST(ThemePictures, ProgramIconInEverySize) {
    LoadThemePicture(QStringLiteral("MENU_CHECKED")); // registers the resources
    for (const int size : {16, 32, 48, 256}) {
        const QImage icon(QStringLiteral(":/icons/MAINICON-%1.png").arg(size));
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, size - 1)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
}

} // namespace
