#include "app/skintool/gallery/FrameGallery.h"

#include <QDir>
#include <QMetaEnum>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList& Warnings() {
    static QStringList warnings;
    return warnings;
}

// Every look paints its section through the real controls without a Qt warning; with
// SUMWARDEN_GALLERY_OUT set the pictures are kept there for people to look at.
TEST(FrameGallery, EveryLookPaintsTheWindowSection) {
    Warnings().clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            // The offscreen platform cannot raise or grab for an open drop-down.
            if (type != QtDebugMsg && type != QtInfoMsg &&
                !text.startsWith(QLatin1String("This plugin does not support"))) {
                Warnings().append(text);
            }
        });
    const QString out = qEnvironmentVariable("SUMWARDEN_GALLERY_OUT");
    for (TskUIStyle look : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        const QImage picture = PaintFrameGallery(look, nullptr);
        ASSERT_FALSE(picture.isNull()) << look;
        EXPECT_GT(picture.width(), 2 * 386);
        EXPECT_GT(picture.height(), 206 + 20);
        if (!out.isEmpty()) {
            const QString name =
                QString::fromLatin1(QMetaEnum::fromType<TskUIStyle>().valueToKey(look));
            picture.save(QDir(out).filePath(QStringLiteral("frame-%1.png").arg(name)));
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(Warnings().isEmpty()) << Warnings().join(QLatin1Char('\n')).toStdString();
}

} // namespace
