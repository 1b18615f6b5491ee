#include "app/skintool/gallery/Gallery.h"

#include "app/skintool/gallery/ButtonsGallery.h"
#include "app/skintool/gallery/CheckBoxGallery.h"
#include "app/skintool/gallery/EditGallery.h"
#include "app/skintool/gallery/FrameGallery.h"
#include "app/skintool/gallery/GallerySheet.h"
#include "app/skintool/gallery/ImagePanelGallery.h"
#include "app/skintool/gallery/ScrollGallery.h"
#include "app/skintool/gallery/TabsGallery.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKSkinBuilder.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>

namespace {

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

int RunGalleryCommand(int argc, char** argv) {
    // Offscreen at 96 dpi: the same pixels with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(2);
    if (arguments.size() != 2) {
        Print(stderr, QStringLiteral("sumwarden-skin: gallery takes a look or a skin file, and "
                                     "an output picture"));
        return 2;
    }
    TskUIStyle look = FromThemeFile;
    std::unique_ptr<TskFileTheme> theme;
    if (const std::optional<TskUIStyle> builtin = BuiltinStyleByName(arguments[0])) {
        look = *builtin;
    } else {
        const QString path = QFileInfo(arguments[0]).absoluteFilePath();
        const TskThemeFileReader reader(path);
        if (!reader.Ok()) {
            Print(stderr, QStringLiteral("sumwarden-skin: %1").arg(reader.Error()));
            return 1;
        }
        theme = std::make_unique<TskFileTheme>(nullptr);
        theme->SetThemeFile(path);
    }
    const QImage sheet = StackSections(
        {PaintButtonsGallery(look, theme.get()), PaintCheckBoxGallery(look, theme.get()),
         PaintEditGallery(look, theme.get()), PaintImagePanelGallery(look, theme.get()),
         PaintTabsGallery(look, theme.get()), PaintScrollGallery(look, theme.get()),
         PaintFrameGallery(look, theme.get())});
    if (!sheet.save(arguments[1], "PNG")) {
        Print(stderr,
              QStringLiteral("sumwarden-skin: %1: cannot write the picture").arg(arguments[1]));
        return 1;
    }
    Print(stdout, QStringLiteral("%1: gallery written").arg(arguments[1]));
    return 0;
}
