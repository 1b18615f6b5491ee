#include "framework/graphics/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace Fonts {

namespace {

constexpr const char* kRegularFile =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr const char* kBoldFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
constexpr const char* kFallbackFamily = "Liberation Sans";
// Draw the characters the user-interface font lacks: the Chinese system-menu captions, and
// the symbols that stand for control characters in names (U+2400 onwards).
constexpr const char* kCjkFile = "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf";
constexpr const char* kSymbolsFile = "/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf";

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
    QStringList fallbacks;
    for (const char* file : {kCjkFile, kSymbolsFile}) {
        const int fallback = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        if (fallback >= 0 && !QFontDatabase::applicationFontFamilies(fallback).isEmpty()) {
            fallbacks.append(QFontDatabase::applicationFontFamilies(fallback).first());
        }
    }
    QFont::insertSubstitutions(families.first(), fallbacks);
    return families.first();
}

} // namespace

QString UIFamily() {
    static const QString family = LoadFamily();
    return family;
}

QString ResolveFamily(const QString& name) {
    // Every text call resolves its font, and the font database lookup is not cheap.
    static QHash<QString, QString> resolved;
    if (const auto found = resolved.constFind(name); found != resolved.constEnd()) {
        return found.value();
    }
    QString family = name;
    const bool classic = std::any_of(
        std::begin(kClassicNames), std::end(kClassicNames), [&](const char* classicName) {
            return name.compare(QLatin1String(classicName), Qt::CaseInsensitive) == 0;
        });
    if (classic || name.isEmpty() || !QFontDatabase::hasFamily(name)) {
        family = UIFamily();
    }
    resolved.insert(name, family);
    return family;
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
