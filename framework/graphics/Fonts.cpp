#include "framework/graphics/Fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <QtGlobal>
#include <cstdlib>

namespace Fonts {

namespace {

constexpr const char* kRegularFile =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr const char* kBoldFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
constexpr const char* kFallbackFamily = "Liberation Sans";

// Names the classic layouts use for the user-interface font.
constexpr const char* kClassicNames[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2",
                                         "Tahoma", "Microsoft Sans Serif"};

QString LoadFamily() {
    const int regular = QFontDatabase::addApplicationFont(QString::fromLatin1(kRegularFile));
    QFontDatabase::addApplicationFont(QString::fromLatin1(kBoldFile));
    const QStringList families =
        regular >= 0 ? QFontDatabase::applicationFontFamilies(regular) : QStringList{};
    if (families.isEmpty()) {
        qWarning("User-interface font %s could not be loaded; text widths will differ",
                 kRegularFile);
        return QString::fromLatin1(kFallbackFamily);
    }
    return families.first();
}

} // namespace

QString UIFamily() {
    static const QString family = LoadFamily();
    return family;
}

QString ResolveFamily(const QString& name) {
    for (const char* classic : kClassicNames) {
        if (name.compare(QLatin1String(classic), Qt::CaseInsensitive) == 0) {
            return UIFamily();
        }
    }
    if (name.isEmpty() || !QFontDatabase::hasFamily(name)) {
        return UIFamily();
    }
    return name;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return 0;
    }
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude =
        (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int PointsToPixels(int points) {
    return MulDiv(points, 96, 72);
}

int PixelsToPoints(int pixels) {
    return MulDiv(pixels, 72, 96);
}

} // namespace Fonts
