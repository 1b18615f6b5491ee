#include "RawSkinImage.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"
#include "skin/core/SKThemes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const TskSkinEntry* FindEntry(const QList<TskSkinEntry>& entries, const QString& key) {
    for (const TskSkinEntry& entry : entries) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

TEST(SkinBuilder, FindsElementsAndLooksByName) {
    EXPECT_EQ(ThemeElementByKey(QStringLiteral("buttonimage")), ButtonImage);
    EXPECT_EQ(ThemeElementByKey(QStringLiteral("MenuMenuBarColor")), MenuMenuBarColor);
    EXPECT_EQ(ThemeElementByKey(QStringLiteral("Nothing")), 0);
    EXPECT_EQ(BuiltinStyleByName(QStringLiteral("macos")), MacOS);
    EXPECT_EQ(BuiltinStyleByName(QStringLiteral("BlueGlass")), BlueGlass);
    EXPECT_FALSE(BuiltinStyleByName(QStringLiteral("FromThemeFile")));
    EXPECT_FALSE(BuiltinStyleByName(QStringLiteral("Aqua")));
}

TEST(SkinBuilder, ABuiltInLookReadsBackAsTheTableSays) {
    for (int style = MacOS; style <= BlueGlass; ++style) {
        const QList<TskSkinEntry> entries = BuiltinSkinEntries(TskUIStyle(style));
        const TskSkinParseResult parsed = ParseSkinFile(WriteSkinFile(entries));
        ASSERT_TRUE(parsed.Ok()) << style << parsed.error.toStdString();
        for (int element = 1; element <= ThemeElementCount; ++element) {
            const QString key = QLatin1String(ThemeElementKeyName(element));
            const TskSkinEntry* entry = FindEntry(parsed.entries, key);
            const TskThemeEntry builtin = GetBuiltinThemeEntry(style, element);
            if (builtin.kind == TskThemeKind::Picture) {
                const QImage expected = LoadBuiltinThemePicture(style, element);
                if (expected.isNull()) {
                    EXPECT_EQ(entry, nullptr) << key.toStdString();
                    continue;
                }
                ASSERT_NE(entry, nullptr) << key.toStdString();
                const QImage stored = QImage::fromData(entry->data, "BMP");
                EXPECT_EQ(stored.convertToFormat(QImage::Format_RGB32),
                          expected.convertToFormat(QImage::Format_RGB32))
                    << key.toStdString();
                continue;
            }
            ASSERT_NE(entry, nullptr) << key.toStdString();
            const std::int32_t value = entry->type == TskSkinEntryType::Flag
                                           ? entry->data.at(0)
                                           : SkinIntegerValue(entry->data);
            EXPECT_EQ(value, builtin.value) << style << " " << key.toStdString();
        }
    }
}

TEST(SkinBuilder, ParsesValuesByTheElementsKind) {
    const TskSkinBuildResult values = ParseSkinValues(
        QStringLiteral("; comment\n\nFormBorderWidthInt = -3\nformbordercolor=#102030\n"
                       "ButtonTransparentBool = TRUE\n"),
        QStringLiteral("values.txt"));
    ASSERT_TRUE(values.Ok()) << values.error.toStdString();
    ASSERT_EQ(values.entries.size(), 3);
    EXPECT_EQ(values.entries[0].key, QStringLiteral("FormBorderWidthInt"));
    EXPECT_EQ(SkinIntegerValue(values.entries[0].data), -3);
    EXPECT_EQ(values.entries[1].key, QStringLiteral("FormBorderColor"));
    EXPECT_EQ(SkinIntegerValue(values.entries[1].data), 0x302010) << "red in the low byte";
    EXPECT_EQ(values.entries[2].type, TskSkinEntryType::Flag);
    EXPECT_EQ(values.entries[2].data, QByteArray(1, '\1'));
}

TEST(SkinBuilder, RefusesValuesItCannotStoreNamingTheLine) {
    const struct {
        const char* text;
        const char* problem;
    } bad[] = {
        {"FormBorderWidthInt 3", "line 1: expected"},
        {"\nNoSuchKey = 1", "line 2: \"NoSuchKey\" is not a theme element"},
        {"FormBorderWidthInt = 3.5", "a decimal integer"},
        {"FormBorderColor = 102030", "a colour #RRGGBB"},
        {"FormBorderColor = #1020", "a colour #RRGGBB"},
        {"ButtonTransparentBool = yes", "true or false"},
        {"ButtonImage = 1", "a picture file"},
    };
    for (const auto& item : bad) {
        const TskSkinBuildResult result =
            ParseSkinValues(QString::fromLatin1(item.text), QStringLiteral("v.txt"));
        EXPECT_FALSE(result.Ok()) << item.text;
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("v.txt, line"))) << item.text;
        EXPECT_TRUE(result.error.contains(QLatin1String(item.problem)))
            << item.text << ": " << result.error.toStdString();
    }
}

TEST(SkinBuilder, BuildsFromAFolderOfPicturesAndValues) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("buttonimage.bmp"), BitmapData(12, 3, qRgb(9, 8, 7)));
    write(QStringLiteral("values.txt"), "FormMinWidthInt = 120\n");
    const TskSkinBuildResult built =
        SkinEntriesFromFolder(folder.path(), folder.filePath(QStringLiteral("values.txt")));
    ASSERT_TRUE(built.Ok()) << built.error.toStdString();
    ASSERT_EQ(built.entries.size(), 2);
    EXPECT_EQ(built.entries[0].key, QStringLiteral("ButtonImage"));
    EXPECT_EQ(built.entries[1].key, QStringLiteral("FormMinWidthInt"));
    const QStringList dump = DumpSkinEntries(ParseSkinFile(WriteSkinFile(built.entries)).entries);
    ASSERT_EQ(dump.size(), 2);
    EXPECT_TRUE(dump[0].contains(QStringLiteral("picture"))) << dump[0].toStdString();
    EXPECT_TRUE(dump[0].endsWith(QStringLiteral("12x3")));
    EXPECT_TRUE(dump[1].endsWith(QStringLiteral(" 120")));

    write(QStringLiteral("FormBorderColor.bmp"), BitmapData(1, 1, 0));
    EXPECT_TRUE(SkinEntriesFromFolder(folder.path(), QString())
                    .error.contains(QStringLiteral("not a picture element's key")));
    QFile::remove(folder.filePath(QStringLiteral("FormBorderColor.bmp")));
    write(QStringLiteral("CheckBoxImage.bmp"), "BM not really");
    EXPECT_TRUE(SkinEntriesFromFolder(folder.path(), QString())
                    .error.contains(QStringLiteral("not a valid bitmap")));
    EXPECT_TRUE(SkinEntriesFromFolder(folder.filePath(QStringLiteral("none")), QString())
                    .error.contains(QStringLiteral("no such folder")));
}

TEST(SkinBuilder, DumpsColoursAsRgbAndTextsQuoted) {
    const QStringList dump = DumpSkinEntries({
        {QStringLiteral("MenuBarColor"), TskSkinEntryType::Integer, SkinIntegerData(0x302010)},
        {QStringLiteral("ButtonTransparentBool"), TskSkinEntryType::Flag, QByteArray(1, '\0')},
        {QStringLiteral("Author"), TskSkinEntryType::Text, QByteArray("me")},
    });
    ASSERT_EQ(dump.size(), 3);
    EXPECT_TRUE(dump[0].endsWith(QStringLiteral("#102030"))) << dump[0].toStdString();
    EXPECT_TRUE(dump[1].endsWith(QStringLiteral("false")));
    EXPECT_TRUE(dump[2].endsWith(QStringLiteral("\"me\"")));
}

} // namespace
