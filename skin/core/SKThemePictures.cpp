// Built-in theme pictures, found by name among the program's embedded resources.
#include "resources/ThemeResources.h"
#include "skin/core/SKThemes.h"

#include <QLatin1StringView>

QImage LoadThemePicture(const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    InitThemeResources();
    return QImage(QStringLiteral(":/pictures/%1.bmp").arg(name));
}

QImage LoadBuiltinThemePicture(int style, int element) {
    const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
    if (entry.kind != TskThemeKind::Picture) {
        return {};
    }
    return LoadThemePicture(QLatin1StringView(entry.pictureName));
}
