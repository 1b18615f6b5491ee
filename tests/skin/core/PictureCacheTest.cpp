// Theme frames are cut once and follow a theme that loads another file.
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKPictureCache.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage CutByHand(TskUIStyle look, int element, int count, int index) {
    const QImage picture = LoadBuiltinThemePicture(look, element);
    const int width = picture.width() / count;
    return picture.copy((index - 1) * width, 0, width, picture.height())
        .convertToFormat(QImage::Format_RGB32);
}

QString Export(const QTemporaryDir& folder, TskUIStyle look, const QString& name) {
    const QString path = folder.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(WriteSkinFile(BuiltinSkinEntries(look)));
    return path;
}

} // namespace

TEST(PictureCache, BuiltInFramesMatchFramesCutByHand) {
    for (const TskUIStyle look : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        for (int frame = 1; frame <= 3; ++frame) {
            EXPECT_EQ(ThemeFrame(nullptr, look, ButtonImage, 3, frame),
                      CutByHand(look, ButtonImage, 3, frame));
        }
        EXPECT_EQ(ThemeFrame(nullptr, look, ButtonImage),
                  LoadBuiltinThemePicture(look, ButtonImage).convertToFormat(QImage::Format_RGB32));
    }
    // A file look without a usable theme is DeepBlue.
    EXPECT_EQ(ThemeFrame(nullptr, FromThemeFile, CheckBoxImage, 4, 2),
              CutByHand(DeepBlue, CheckBoxImage, 4, 2));
    const int kept = CachedThemeFrameCount();
    ThemeFrame(nullptr, MacOS, ButtonImage, 3, 1);
    EXPECT_EQ(CachedThemeFrameCount(), kept);
}

TEST(PictureCache, ASecondFileLoadedIntoAThemeInUseGivesItsPixels) {
    QTemporaryDir folder;
    const QString mac = Export(folder, MacOS, QStringLiteral("mac.skn"));
    const QString xp = Export(folder, WinXP, QStringLiteral("xp.skn"));
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(mac);
    const quint64 first = theme.Generation();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(ThemeFrame(&theme, FromThemeFile, ButtonImage, 3, 2),
              CutByHand(MacOS, ButtonImage, 3, 2));
    theme.SetThemeFile(xp);
    EXPECT_NE(theme.Generation(), first);
    EXPECT_EQ(ThemeFrame(&theme, FromThemeFile, ButtonImage, 3, 2),
              CutByHand(WinXP, ButtonImage, 3, 2));
    TBitmap cut;
    theme.GetBitmap(ButtonImage, &cut, 3, 2);
    EXPECT_EQ(cut.Image(), CutByHand(WinXP, ButtonImage, 3, 2));
    // A look other than the file look ignores the theme.
    EXPECT_EQ(ThemeFrame(&theme, Protein, ButtonImage, 3, 1),
              CutByHand(Protein, ButtonImage, 3, 1));
}

TEST(PictureCache, MissingAndDegeneratePicturesGiveNothingAndNeverCrash) {
    EXPECT_TRUE(ThemeFrame(nullptr, MacOS, ButtonTransparentBool, 3, 1).isNull());
    EXPECT_TRUE(ThemeFrame(nullptr, MacOS, ButtonImage, 0, 1).width() > 0);
    EXPECT_TRUE(ThemeFrame(nullptr, MacOS, ButtonImage, -2, 1).isNull());
    EXPECT_TRUE(ThemeFrame(nullptr, MacOS, ButtonImage, 1000, 5).isNull());
    TBitmap target;
    target.SetSize(3, 3);
    LoadThemeFrame(nullptr, MacOS, ButtonTransparentBool, &target, 3, 1);
    EXPECT_TRUE(target.Empty());
}
