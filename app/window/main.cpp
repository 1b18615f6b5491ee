// sumwarden: the window with the three jobs.
#include "app/window/DisplayCheck.h"
#include "app/window/PathKinds.h"
#include "app/window/StartOptions.h"
#include "app/window/UnitFrmMain.h"
#include "app/window/WindowLook.h"
#include "framework/core/Application.h"
#include "resources/ThemeResources.h"

#include <QIcon>
#include <QMetaObject>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int index = 1; index < argc; ++index) {
        arguments.append(QString::fromLocal8Bit(argv[index]));
    }
    const TStartOptions options = ParseStartOptions(arguments);
    if (!options.Error.isEmpty()) {
        std::fprintf(stderr, "sumwarden: %s\n%s", qPrintable(options.Error), kWindowUsage);
        return 2;
    }
    if (options.Help) {
        std::fputs(kWindowUsage, stdout);
        return 0;
    }
    if (!DisplayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                          std::getenv("QT_QPA_PLATFORM"))) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(kNoDisplayMessage.size()),
                     kNoDisplayMessage.data());
        return 1;
    }
    // A path that does not exist is said at once; the window opens all the same.
    const TSortedPaths paths = SortPaths(options.Paths);
    for (const QString& missing : paths.Missing) {
        std::fprintf(stderr, "sumwarden: %s: No such file or folder\n", qPrintable(missing));
    }
    // The layout is in pixels designed at 96 dpi: no rescaling for the screen's density.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");

    {
        const TNoDisplayGuard noDisplay;
        Application->Initialize(argc, argv);
    }
    Application->SetTitle(QStringLiteral("Sumwarden"));
    InitThemeResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/icons/MAINICON-%1.png").arg(size));
    }
    Application->SetIcon(icon);
    TForm1* form = Application->CreateForm<TForm1>();
    if (options.Look) {
        ApplyWindowLook(form, *options.Look, nullptr);
    } else if (!options.SkinFile.isEmpty()) {
        if (TskFileTheme* theme = LoadWindowSkin(form, options.SkinFile)) {
            ApplyWindowLook(form, FromThemeFile, theme);
        }
    }
    form->PageControl->ActivatePageIndex(0);
    // The paths are taken once the window is shown, so a verify runs in view.
    QMetaObject::invokeMethod(
        form, [form, paths] { form->TakePaths(paths, true); }, Qt::QueuedConnection);
    return Application->Run();
}
