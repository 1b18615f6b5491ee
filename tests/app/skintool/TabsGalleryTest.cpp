// The tab and page controls' gallery section in every look and from a skin file.
// Set SUMWARDEN_GALLERY_DIR to keep the pictures as PNG files for a look.
#include "app/skintool/gallery/TabsGallery.h"

#include "skin/core/SKMgr.h"
#include "tests/support/SkinFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Keep(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("SUMWARDEN_GALLERY_DIR");
    if (!folder.isEmpty()) {
        image.save(QDir(folder).filePath(QStringLiteral("tabs-%1.png").arg(name)));
    }
}

TEST(TabsGallery, PaintsEveryLookAndASkinFileAlike) {
    for (const TskUIStyle look : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        const QImage image = PaintTabsGallery(look, nullptr);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), 416);
        Keep(image, QString::number(int(look)));
    }
    QTemporaryDir folder;
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(WriteBuiltinSkinFile(folder, BlueGlass));
    ASSERT_TRUE(theme.CanUse());
    const QImage fromFile = PaintTabsGallery(FromThemeFile, &theme);
    Keep(fromFile, QStringLiteral("file"));
    EXPECT_EQ(fromFile, PaintTabsGallery(BlueGlass, nullptr));
    EXPECT_NE(fromFile, PaintTabsGallery(MacOS, nullptr));
}

} // namespace
