#include "skin/core/SKSkinBuilder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMetaEnum>
#include <QRegularExpression>

namespace {

QByteArray BitmapFileImage(const QImage& picture) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return data;
}

QString TypeName(TskSkinEntryType type) {
    switch (type) {
    case TskSkinEntryType::Picture:
        return QStringLiteral("picture");
    case TskSkinEntryType::Integer:
        return QStringLiteral("integer");
    case TskSkinEntryType::Flag:
        return QStringLiteral("flag");
    case TskSkinEntryType::Text:
        return QStringLiteral("text");
    }
    return {};
}

// The entry type under which a skin file carries an element of that kind.
TskSkinEntryType EntryTypeOfKind(TskThemeKind kind) {
    switch (kind) {
    case TskThemeKind::Picture:
        return TskSkinEntryType::Picture;
    case TskThemeKind::Flag:
        return TskSkinEntryType::Flag;
    case TskThemeKind::Integer:
    case TskThemeKind::Colour:
        break;
    }
    return TskSkinEntryType::Integer;
}

QString ColourText(std::int32_t value) {
    const auto colour = std::uint32_t(value);
    return QStringLiteral("#%1%2%3")
        .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<TskSkinEntry> ValueEntry(int element, const QString& value) {
    const QString key = QString::fromLatin1(ThemeElementKeyName(element));
    switch (ThemeElementKind(element)) {
    case TskThemeKind::Integer: {
        bool ok = false;
        const int number = value.toInt(&ok, 10);
        if (!ok) {
            return std::nullopt;
        }
        return TskSkinEntry{key, TskSkinEntryType::Integer, SkinIntegerData(number)};
    }
    case TskThemeKind::Colour: {
        static const QRegularExpression rgb(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
        const auto match = rgb.match(value);
        if (!match.hasMatch()) {
            return std::nullopt;
        }
        const std::uint32_t rrggbb = match.captured(1).toUInt(nullptr, 16);
        const std::uint32_t platform =
            ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
        return TskSkinEntry{key, TskSkinEntryType::Integer,
                            SkinIntegerData(std::int32_t(platform))};
    }
    case TskThemeKind::Flag: {
        const QString word = value.toLower();
        if (word != QLatin1String("true") && word != QLatin1String("false")) {
            return std::nullopt;
        }
        return TskSkinEntry{key, TskSkinEntryType::Flag,
                            QByteArray(1, word == QLatin1String("true") ? '\1' : '\0')};
    }
    case TskThemeKind::Picture:
        break;
    }
    return std::nullopt;
}

QString ExpectedForm(int element) {
    switch (ThemeElementKind(element)) {
    case TskThemeKind::Integer:
        return QStringLiteral("a decimal integer");
    case TskThemeKind::Colour:
        return QStringLiteral("a colour #RRGGBB");
    case TskThemeKind::Flag:
        return QStringLiteral("true or false");
    case TskThemeKind::Picture:
        break;
    }
    return QStringLiteral("a picture file in the folder, not a value");
}

} // namespace

int ThemeElementByKey(const QString& name) {
    for (int element = 1; element <= ThemeElementCount; ++element) {
        if (name.compare(QLatin1String(ThemeElementKeyName(element)), Qt::CaseInsensitive) == 0) {
            return element;
        }
    }
    return 0;
}

std::optional<TskUIStyle> BuiltinStyleByName(const QString& name) {
    const QMetaEnum styles = QMetaEnum::fromType<TskUIStyle>();
    for (int index = 0; index < styles.keyCount(); ++index) {
        if (styles.value(index) != FromThemeFile &&
            name.compare(QLatin1String(styles.key(index)), Qt::CaseInsensitive) == 0) {
            return TskUIStyle(styles.value(index));
        }
    }
    return std::nullopt;
}

QList<TskSkinEntry> BuiltinSkinEntries(TskUIStyle style) {
    QList<TskSkinEntry> entries;
    for (int element = 1; element <= ThemeElementCount; ++element) {
        const QString key = QString::fromLatin1(ThemeElementKeyName(element));
        const TskThemeEntry entry = GetBuiltinThemeEntry(style, element);
        switch (entry.kind) {
        case TskThemeKind::Picture: {
            const QImage picture = LoadBuiltinThemePicture(style, element);
            if (!picture.isNull()) {
                entries.append({key, TskSkinEntryType::Picture, BitmapFileImage(picture)});
            }
            break;
        }
        case TskThemeKind::Integer:
        case TskThemeKind::Colour:
            entries.append({key, TskSkinEntryType::Integer, SkinIntegerData(entry.value)});
            break;
        case TskThemeKind::Flag:
            entries.append(
                {key, TskSkinEntryType::Flag, QByteArray(1, entry.value != 0 ? '\1' : '\0')});
            break;
        }
    }
    return entries;
}

TskSkinBuildResult ParseSkinValues(const QString& text, const QString& sourceName) {
    TskSkinBuildResult result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        const QString line = lines[index].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        const QString where = QStringLiteral("%1, line %2").arg(sourceName).arg(index + 1);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            result.error = QStringLiteral("%1: expected \"Key = value\"").arg(where);
            return result;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        const int element = ThemeElementByKey(key);
        if (element == 0) {
            result.error = QStringLiteral("%1: \"%2\" is not a theme element").arg(where, key);
            return result;
        }
        const std::optional<TskSkinEntry> entry = ValueEntry(element, value);
        if (!entry) {
            result.error = QStringLiteral("%1: %2 takes %3, not \"%4\"")
                               .arg(where, QLatin1String(ThemeElementKeyName(element)),
                                    ExpectedForm(element), value);
            return result;
        }
        result.entries.append(*entry);
    }
    return result;
}

TskSkinBuildResult SkinEntriesFromFolder(const QString& folder, const QString& valuesFile) {
    TskSkinBuildResult result;
    const QDir dir(folder);
    if (!dir.exists()) {
        result.error = QStringLiteral("%1: no such folder").arg(folder);
        return result;
    }
    const QStringList pictures =
        dir.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.BMP")}, QDir::Files, QDir::Name);
    for (const QString& name : pictures) {
        const QString path = dir.filePath(name);
        const int element = ThemeElementByKey(QFileInfo(name).completeBaseName());
        if (element == 0 || ThemeElementKind(element) != TskThemeKind::Picture) {
            result.error = QStringLiteral("%1: the name is not a picture element's key").arg(path);
            return result;
        }
        const TskFileReadResult read = ReadBoundedFile(path, SkinFileSizeLimit);
        if (!read.Ok()) {
            result.error = read.error;
            return result;
        }
        const QByteArray& data = read.data;
        if (const QString problem = CheckBitmapImage(data); !problem.isEmpty()) {
            result.error = QStringLiteral("%1: not a valid bitmap: %2").arg(path, problem);
            return result;
        }
        result.entries.append(
            {QString::fromLatin1(ThemeElementKeyName(element)), TskSkinEntryType::Picture, data});
    }
    if (!valuesFile.isEmpty()) {
        const TskFileReadResult read = ReadBoundedFile(valuesFile, SkinValuesFileSizeLimit);
        if (!read.Ok()) {
            result.entries.clear();
            result.error = read.error;
            return result;
        }
        const TskSkinBuildResult values = ParseSkinValues(QString::fromUtf8(read.data), valuesFile);
        if (!values.Ok()) {
            result.entries.clear();
            result.error = values.error;
            return result;
        }
        result.entries += values.entries;
    }
    return result;
}

TskSkinUnpackResult SkinFolderFiles(const QList<TskSkinEntry>& entries, const QString& origin) {
    TskSkinUnpackResult result;
    QString values = QStringLiteral("; the values of %1\n").arg(origin);
    QList<int> done;
    for (const TskSkinEntry& entry : entries) {
        const int element = ThemeElementByKey(entry.key);
        const TskThemeKind kind = element != 0 ? ThemeElementKind(element) : TskThemeKind::Integer;
        const bool read =
            element != 0 && !done.contains(element) && entry.type == EntryTypeOfKind(kind);
        if (!read) {
            result.leftOut.append(
                QStringLiteral("%1 (%2 entry)").arg(entry.key, TypeName(entry.type)));
            continue;
        }
        done.append(element);
        const QString key = QString::fromLatin1(ThemeElementKeyName(element));
        switch (kind) {
        case TskThemeKind::Picture:
            result.files.append({key + QStringLiteral(".bmp"), entry.data});
            break;
        case TskThemeKind::Integer:
            values += QStringLiteral("%1 = %2\n").arg(key).arg(SkinIntegerValue(entry.data));
            break;
        case TskThemeKind::Colour:
            values +=
                QStringLiteral("%1 = %2\n").arg(key, ColourText(SkinIntegerValue(entry.data)));
            break;
        case TskThemeKind::Flag:
            values += QStringLiteral("%1 = %2\n")
                          .arg(key, entry.data.at(0) != 0 ? QStringLiteral("true")
                                                          : QStringLiteral("false"));
            break;
        }
    }
    result.files.append({QString::fromLatin1(SkinValuesFileName), values.toUtf8()});
    return result;
}

QStringList DumpSkinEntries(const QList<TskSkinEntry>& entries) {
    QStringList lines;
    for (const TskSkinEntry& entry : entries) {
        QString value;
        switch (entry.type) {
        case TskSkinEntryType::Picture: {
            const QImage picture = QImage::fromData(entry.data, "BMP");
            value = QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height());
            break;
        }
        case TskSkinEntryType::Integer: {
            const std::int32_t number = SkinIntegerValue(entry.data);
            const int element = ThemeElementByKey(entry.key);
            value = element != 0 && ThemeElementKind(element) == TskThemeKind::Colour
                        ? ColourText(number)
                        : QString::number(number);
            break;
        }
        case TskSkinEntryType::Flag:
            value = entry.data.at(0) != 0 ? QStringLiteral("true") : QStringLiteral("false");
            break;
        case TskSkinEntryType::Text:
            value = QStringLiteral("\"%1\"").arg(QString::fromLatin1(entry.data));
            break;
        }
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(entry.key, -36)
                     .arg(TypeName(entry.type), -8)
                     .arg(entry.data.size(), 7)
                     .arg(value);
    }
    return lines;
}
