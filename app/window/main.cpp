// sumwarden: the window with the three jobs.
#include "app/window/DisplayCheck.h"
#include "app/window/UnitFrmMain.h"
#include "framework/controls/ComCtrls.h"
#include "framework/core/Application.h"
#include "resources/ThemeResources.h"
#include "skin/controls/SKRegister.h"

#include <QIcon>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!DisplayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                          std::getenv("QT_QPA_PLATFORM"))) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(kNoDisplayMessage.size()),
                     kNoDisplayMessage.data());
        return 1;
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
    RegisterSkinClasses();
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/icons/MAINICON-%1.png").arg(size));
    }
    Application->SetIcon(icon);
    TForm1* form = Application->CreateForm<TForm1>();
    form->PageControl->SetActivePageIndex(0);
    return Application->Run();
}
