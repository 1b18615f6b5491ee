#include "app/window/JobTitles.h"

#include <QLocale>
#include <algorithm>
#include <array>

namespace {

using Progress = sumwarden::JobControl::Progress;

// A count with its thousands grouped by commas, whatever the desktop's language.
QString Count(std::uint64_t count) {
    return QLocale(QLocale::English).toString(static_cast<qulonglong>(count));
}

QString Files(std::uint64_t count) {
    return Count(count) + (count == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

// Decimal units, one place after the point: "2.1 GB".
QString Amount(std::uint64_t bytes) {
    static constexpr std::array<const char*, 5> kUnits = {"B", "KB", "MB", "GB", "TB"};
    double amount = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (amount >= 1000 && unit + 1 < kUnits.size()) {
        amount /= 1000;
        ++unit;
    }
    const QString number = unit == 0 ? QString::number(bytes) : QString::number(amount, 'f', 1);
    return number + QLatin1Char(' ') + QLatin1String(kUnits[unit]);
}

// "3 of 12 files (45%)": the file in hand, counted from 1, of all of them.
QString OfAll(const Progress& progress) {
    const std::uint64_t total = progress.totalFiles;
    const std::uint64_t current = std::min(progress.filesDone + 1, total);
    return Count(current) + QStringLiteral(" of ") + Files(total) +
           QStringLiteral(" (%1%)").arg(progress.Percent().value_or(0));
}

} // namespace

QString MakingTitle(const Progress& progress) {
    return QStringLiteral("Making check file: ") + Files(progress.filesDone) +
           QStringLiteral(", ") + Amount(progress.bytesRead);
}

QString VerifyingTitle(const Progress& progress) {
    if (progress.totalFiles == sumwarden::JobControl::kUnknown) {
        return {};
    }
    return QStringLiteral("Verifying ") + OfAll(progress);
}

QString HashingTitle(const Progress& progress) {
    if (progress.totalFiles == sumwarden::JobControl::kUnknown) {
        return {};
    }
    return QStringLiteral("Hashing ") + OfAll(progress);
}
