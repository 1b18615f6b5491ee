#include "RawSkinImage.h"
#include "skin/core/SKSkinFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(SkinFileSignature, NeedsTheExactTextAndAZeroByte) {
    EXPECT_TRUE(HasSkinSignature(QByteArray("SkinKit_TB\0\0\x18\0\0\0", 16)));
    EXPECT_TRUE(HasSkinSignature(QByteArray("SkinKit_TB\0X", 12)));
    EXPECT_FALSE(HasSkinSignature(QByteArray("skinkit_tb\0\0", 12)));
    EXPECT_FALSE(HasSkinSignature(QByteArray("SKINKIT_TB\0\0", 12)));
    EXPECT_FALSE(HasSkinSignature(QByteArray("SkinKit_TBX\0", 12)));
    EXPECT_FALSE(HasSkinSignature(QByteArray("SkinKit_TBXY", 12)));
    EXPECT_FALSE(HasSkinSignature(QByteArray("SkinKit_TB\0", 11)));
    EXPECT_FALSE(HasSkinSignature(QByteArray()));
}

TEST(ParseSkinFile, AThreeRecordChainGivesTwoEntries) {
    RawSkinImage skin;
    skin.Record(24, "FormBorderWidthInt", 1, 300, 4, 101)
        .Record(101, "ButtonTransparentBool", 2, 304, 1, 178)
        .Record(178, "FormMinWidthInt", 1, 308, 4, 0) // terminator: its data is not read
        .PutU32(300, 3)
        .Put(304, QByteArray(1, '\1'))
        .PutU32(308, 99);
    const TskSkinParseResult parsed = ParseSkinFile(skin.Bytes());
    ASSERT_TRUE(parsed.Ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.entries.size(), 2);
    EXPECT_EQ(parsed.entries[0].key, QStringLiteral("FormBorderWidthInt"));
    EXPECT_EQ(parsed.entries[0].type, TskSkinEntryType::Integer);
    EXPECT_EQ(SkinIntegerValue(parsed.entries[0].data), 3);
    EXPECT_EQ(parsed.entries[1].type, TskSkinEntryType::Flag);
}

TEST(ParseSkinFile, KeysUseAll64BytesAndUnknownTypesAreSkipped) {
    const QByteArray longKey(64, 'K');
    RawSkinImage skin;
    skin.Record(24, longKey, 3, 400, 5, 101)
        .Record(101, "Odd", 9, 0xFFFFFFF0, 0xFFFFFFF, 178)
        .Record(178, "", 0, 0, 0, 0)
        .Put(400, "hello");
    const TskSkinParseResult parsed = ParseSkinFile(skin.Bytes());
    ASSERT_TRUE(parsed.Ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.entries.size(), 1);
    EXPECT_EQ(parsed.entries[0].key, QString::fromLatin1(longKey));
    EXPECT_EQ(parsed.entries[0].data, QByteArray("hello"));
}

struct BadImage {
    const char* what;
    QByteArray image;
    const char* expectedProblem;
};

std::vector<BadImage> BadImages() {
    std::vector<BadImage> bad;
    bad.push_back({"truncated header", QByteArray("SkinKit_TB\0\0\x18\0", 14), "shorter"});
    bad.push_back({"no signature", RawSkinImage().Put(0, "NotASkin").Bytes(), "signature"});
    bad.push_back({"header size", RawSkinImage(24, 28).Record(24, "", 0, 0, 0, 0).Bytes(),
                   "header size is 28"});
    bad.push_back({"first record outside", RawSkinImage(5000).Bytes(), "offset 5000"});
    bad.push_back({"record cut short",
                   RawSkinImage().Record(24, "", 0, 0, 0, 0).Bytes().left(24 + 50), "outside"});
    bad.push_back({"loop to itself", RawSkinImage().Record(24, "A", 1, 0, 4, 24).Bytes(),
                   "loops back to offset 24"});
    bad.push_back({"longer loop",
                   RawSkinImage()
                       .Record(24, "A", 1, 0, 4, 101)
                       .Record(101, "B", 1, 0, 4, 178)
                       .Record(178, "C", 1, 0, 4, 24)
                       .Bytes(),
                   "loops back"});
    bad.push_back(
        {"next outside", RawSkinImage().Record(24, "A", 1, 0, 4, 0xFFFFFFFF).Bytes(), "outside"});
    bad.push_back(
        {"data outside",
         RawSkinImage().Record(24, "A", 3, 90, 0xFFFFFFF0, 101).Record(101, "", 0, 0, 0, 0).Bytes(),
         "data of entry \"A\""});
    bad.push_back({"integer of 8 bytes",
                   RawSkinImage()
                       .Record(24, "FormMinWidthInt", 1, 0, 8, 101)
                       .Record(101, "", 0, 0, 0, 0)
                       .Bytes(),
                   "has 8 bytes, not 4"});
    bad.push_back({"flag of 4 bytes",
                   RawSkinImage()
                       .Record(24, "ButtonTransparentBool", 2, 0, 4, 101)
                       .Record(101, "", 0, 0, 0, 0)
                       .Bytes(),
                   "has 4 bytes, not 1"});
    bad.push_back({"picture that is no bitmap",
                   RawSkinImage()
                       .Record(24, "ButtonImage", 0, 178, 40, 101)
                       .Record(101, "", 0, 0, 0, 0)
                       .Put(178, QByteArray(40, 'x'))
                       .Bytes(),
                   "not a valid bitmap"});
    return bad;
}

TEST(ParseSkinFile, RefusesBrokenImagesWithAReason) {
    for (const BadImage& bad : BadImages()) {
        const TskSkinParseResult parsed = ParseSkinFile(bad.image);
        EXPECT_FALSE(parsed.Ok()) << bad.what;
        EXPECT_TRUE(parsed.entries.isEmpty()) << bad.what;
        EXPECT_TRUE(parsed.error.contains(QLatin1String(bad.expectedProblem)))
            << bad.what << ": " << parsed.error.toStdString();
    }
}

TEST(CheckBitmapImage, AcceptsRealBitmapsAndRefusesDamagedOnes) {
    const QByteArray good = BitmapData(5, 3, qRgb(10, 20, 30));
    EXPECT_TRUE(CheckBitmapImage(good).isEmpty()) << CheckBitmapImage(good).toStdString();
    EXPECT_FALSE(CheckBitmapImage(good.left(good.size() - 3)).isEmpty()) << "pixels cut short";
    EXPECT_FALSE(CheckBitmapImage(good.left(20)).isEmpty());
    QByteArray huge = good;
    qToLittleEndian<std::int32_t>(100000, huge.data() + 18);
    qToLittleEndian<std::int32_t>(100000, huge.data() + 22);
    EXPECT_TRUE(CheckBitmapImage(huge).contains(QLatin1String("sane picture size")));
    QByteArray depth = good;
    qToLittleEndian<std::uint16_t>(7, depth.data() + 28);
    EXPECT_FALSE(CheckBitmapImage(depth).isEmpty());
    QImage indexed(4, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    indexed.fill(1);
    QByteArray palette;
    QBuffer buffer(&palette);
    buffer.open(QIODevice::WriteOnly);
    indexed.save(&buffer, "BMP");
    EXPECT_TRUE(CheckBitmapImage(palette).isEmpty()) << CheckBitmapImage(palette).toStdString();
    qToLittleEndian<std::uint32_t>(300, palette.data() + 14 + 32);
    EXPECT_TRUE(CheckBitmapImage(palette).contains(QLatin1String("colour table")));
    QByteArray offset = good;
    qToLittleEndian<std::uint32_t>(0x7FFFFFFF, offset.data() + 10);
    EXPECT_FALSE(CheckBitmapImage(offset).isEmpty());
}

TEST(WriteSkinFile, WritesWhatTheParserReadsBack) {
    const QList<TskSkinEntry> entries{
        {QStringLiteral("ButtonImage"), TskSkinEntryType::Picture, BitmapData(6, 2, qRgb(1, 2, 3))},
        {QStringLiteral("FormMinWidthInt"), TskSkinEntryType::Integer, SkinIntegerData(-130)},
        {QStringLiteral("ButtonTransparentBool"), TskSkinEntryType::Flag, QByteArray(1, '\1')},
        {QStringLiteral("Note"), TskSkinEntryType::Text, QByteArray("made by hand")},
    };
    const QByteArray image = WriteSkinFile(entries);
    EXPECT_TRUE(HasSkinSignature(image));
    const TskSkinParseResult parsed = ParseSkinFile(image);
    ASSERT_TRUE(parsed.Ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.entries.size(), entries.size());
    for (int index = 0; index < entries.size(); ++index) {
        EXPECT_EQ(parsed.entries[index].key, entries[index].key);
        EXPECT_EQ(parsed.entries[index].type, entries[index].type);
        EXPECT_EQ(parsed.entries[index].data, entries[index].data);
    }
    EXPECT_TRUE(ParseSkinFile(WriteSkinFile({})).entries.isEmpty());
}

TEST(SkinEntriesProblem, HoldsTheWriterToTheReadersLimits) {
    const TskSkinEntry border{QStringLiteral("FormBorderWidthInt"), TskSkinEntryType::Integer,
                              SkinIntegerData(3)};
    EXPECT_TRUE(SkinEntriesProblem({border}).isEmpty());
    TskSkinEntry twice = border;
    twice.key = QStringLiteral("formborderwidthint");
    EXPECT_EQ(SkinEntriesProblem({border, twice}),
              QStringLiteral("the key \"formborderwidthint\" is given twice"));
    TskSkinEntry longKey = border;
    longKey.key = QString(65, QLatin1Char('k'));
    EXPECT_TRUE(SkinEntriesProblem({longKey}).contains(QStringLiteral("key field")));
    longKey.key = QString(64, QLatin1Char('k'));
    EXPECT_TRUE(SkinEntriesProblem({longKey}).isEmpty());
    TskSkinEntry wrongSize = border;
    wrongSize.data = QByteArray(2, '\0');
    EXPECT_EQ(SkinEntriesProblem({wrongSize}),
              QStringLiteral("the integer entry \"FormBorderWidthInt\" has 2 bytes, not 4"));
    const TskSkinEntry large{QStringLiteral("Note"), TskSkinEntryType::Text,
                             QByteArray(SkinFileSizeLimit, 'x')};
    EXPECT_TRUE(SkinEntriesProblem({large}).contains(QStringLiteral("more than")));
    // Whatever passes is read back whole by the reader.
    const TskSkinEntry largest{
        QStringLiteral("Note"), TskSkinEntryType::Text,
        QByteArray(SkinFileSizeLimit - SkinHeaderSize - 2 * SkinRecordSize, 'x')};
    ASSERT_TRUE(SkinEntriesProblem({largest}).isEmpty());
    EXPECT_TRUE(ParseSkinFile(WriteSkinFile({largest})).Ok());
    EXPECT_FALSE(ParseSkinFile(WriteSkinFile({large})).Ok());
}

TEST(ReadBoundedFile, ReadsRegularFilesUpToTheLimitAndRefusesTheRest) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("file"));
    QFile writer(file);
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
    writer.write("0123456789");
    writer.close();
    EXPECT_EQ(ReadBoundedFile(file, 10).data, QByteArray("0123456789"));
    EXPECT_TRUE(ReadBoundedFile(file, 9).error.contains(QStringLiteral("larger than 9 bytes")));

    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    // None of these is opened: no read grows without bound and none waits for a writer.
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo, folder.path()}) {
        EXPECT_EQ(ReadBoundedFile(path, 1 << 20).error,
                  QStringLiteral("%1: not a regular file").arg(path));
    }
    EXPECT_FALSE(ReadBoundedFile(folder.filePath(QStringLiteral("missing")), 10).Ok());
}

} // namespace
