#include "resources/ThemeResources.h"

#include <QtCore/qglobal.h>
#include <mutex>

// A static library's resources are only linked in when something refers to them.
static void RegisterPictures() {
    Q_INIT_RESOURCE(sumwarden_pictures);
}

void InitThemeResources() {
    static std::once_flag registered;
    std::call_once(registered, RegisterPictures);
}
