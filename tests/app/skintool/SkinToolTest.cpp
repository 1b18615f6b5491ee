// Runs the built sumwarden-skin and checks its files, listings, galleries, error texts
// and exit codes.
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMetaEnum>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(SUMWARDEN_SKIN_TOOL), arguments);
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

struct DumpLine {
    QString type;
    int size = 0;
    QString value;
};

// The listing's lines by key: "Key type size value".
QMap<QString, DumpLine> ParseDump(const QString& out) {
    QMap<QString, DumpLine> lines;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QRegularExpression(QStringLiteral("\\s+")));
        if (fields.size() == 4) {
            lines.insert(fields[0], {fields[1], fields[2].toInt(), fields[3]});
        }
    }
    return lines;
}

QString ColourText(TskColor colour) {
    return QStringLiteral("#%1%2%3")
        .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString Key(int element) {
    return QString::fromLatin1(ThemeElementKeyName(element));
}

class SkinTool : public testing::Test {
protected:
    QString Path(const QString& name) const { return scratch.filePath(name); }
    QTemporaryDir scratch;
};

TEST_F(SkinTool, ExportedLookListsEveryElementWithItsValue) {
    for (const TskUIStyle style : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        const QString path = Path(QStringLiteral("look%1.skn").arg(int(style)));
        const QString name =
            QString::fromLatin1(QMetaEnum::fromType<TskUIStyle>().valueToKey(style));
        const ToolRun exported = RunTool({QStringLiteral("export"), name, path});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        EXPECT_TRUE(exported.err.isEmpty());

        const ToolRun dumped = RunTool({QStringLiteral("dump"), path});
        ASSERT_EQ(dumped.exitCode, 0) << dumped.err.toStdString();
        const QMap<QString, DumpLine> lines = ParseDump(dumped.out);
        EXPECT_EQ(exported.out.trimmed(),
                  QStringLiteral("%1: %2 entries written").arg(path).arg(lines.size()));
        EXPECT_EQ(dumped.out.count(QLatin1Char('\n')), lines.size());
        for (int element = 1; element <= ThemeElementCount; ++element) {
            const DumpLine line = lines.value(Key(element));
            SCOPED_TRACE(Key(element).toStdString() + " of " + name.toStdString());
            switch (ThemeElementKind(element)) {
            case TskThemeKind::Picture: {
                const QImage picture = LoadBuiltinThemePicture(style, element);
                if (picture.isNull()) {
                    EXPECT_FALSE(lines.contains(Key(element)));
                    break;
                }
                EXPECT_EQ(line.type, QStringLiteral("picture"));
                EXPECT_EQ(line.value,
                          QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()));
                break;
            }
            case TskThemeKind::Colour:
                EXPECT_EQ(line.type, QStringLiteral("integer"));
                EXPECT_EQ(line.size, 4);
                EXPECT_EQ(line.value, ColourText(GetBuiltinThemeColor(style, element)));
                break;
            case TskThemeKind::Integer:
                EXPECT_EQ(line.type, QStringLiteral("integer"));
                EXPECT_EQ(line.value, QString::number(GetBuiltinThemeInt(style, element)));
                break;
            case TskThemeKind::Flag:
                EXPECT_EQ(line.type, QStringLiteral("flag"));
                EXPECT_EQ(line.size, 1);
                EXPECT_EQ(line.value, GetBuiltinThemeBool(style, element)
                                          ? QStringLiteral("true")
                                          : QStringLiteral("false"));
                break;
            }
        }
    }
}

TEST_F(SkinTool, ExportedLookLoadsAsAFileThemeThatAnswersLikeTheBuiltInOne) {
    const QString path = Path(QStringLiteral("winxp.skn"));
    ASSERT_EQ(RunTool({QStringLiteral("export"), QStringLiteral("winxp"), path}).exitCode, 0);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(path);
    ASSERT_TRUE(theme.CanUse());
    for (int element = 1; element <= ThemeElementCount; ++element) {
        SCOPED_TRACE(Key(element).toStdString());
        switch (ThemeElementKind(element)) {
        case TskThemeKind::Picture: {
            const QImage builtin = LoadBuiltinThemePicture(WinXP, element);
            TBitmap loaded;
            theme.GetBitmap(element, &loaded);
            if (builtin.isNull()) {
                EXPECT_TRUE(loaded.Empty());
            } else {
                EXPECT_EQ(loaded.Image().convertToFormat(QImage::Format_RGB32),
                          builtin.convertToFormat(QImage::Format_RGB32));
            }
            break;
        }
        case TskThemeKind::Colour:
            EXPECT_EQ(TskColor(theme.GetColor(element)), GetBuiltinThemeColor(WinXP, element));
            break;
        case TskThemeKind::Integer:
            EXPECT_EQ(theme.GetInt(element), GetBuiltinThemeInt(WinXP, element));
            break;
        case TskThemeKind::Flag:
            EXPECT_EQ(theme.GetBool(element), GetBuiltinThemeBool(WinXP, element));
            break;
        }
    }
}

TEST_F(SkinTool, BuildsFromAFolderOfPicturesAndAValuesFile) {
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("pictures")));
    const QString folder = Path(QStringLiteral("pictures"));
    QImage button(6, 3, QImage::Format_RGB32);
    button.fill(QColor(0x12, 0x34, 0x56));
    button.setPixel(5, 2, qRgb(0xFF, 0, 0xFF));
    ASSERT_TRUE(button.save(folder + QStringLiteral("/ButtonImage.bmp"), "BMP"));
    WriteText(folder + QStringLiteral("/values.txt"), "; border and colours\n"
                                                      "FormBorderWidthInt = 3\n"
                                                      "\n"
                                                      "controlbordercolor = #102030\n"
                                                      "ButtonTransparentBool = true\n");
    const QString path = Path(QStringLiteral("built.skn"));
    const ToolRun built = RunTool({QStringLiteral("build"), folder, path});
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    EXPECT_EQ(built.out.trimmed(), QStringLiteral("%1: 4 entries written").arg(path));

    const QMap<QString, DumpLine> lines = ParseDump(RunTool({QStringLiteral("dump"), path}).out);
    EXPECT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.value(QStringLiteral("ButtonImage")).value, QStringLiteral("6x3"));
    EXPECT_EQ(lines.value(QStringLiteral("FormBorderWidthInt")).value, QStringLiteral("3"));
    EXPECT_EQ(lines.value(QStringLiteral("ControlBorderColor")).value, QStringLiteral("#102030"));
    EXPECT_EQ(lines.value(QStringLiteral("ButtonTransparentBool")).value, QStringLiteral("true"));

    TskFileTheme theme(nullptr);
    theme.SetThemeFile(path);
    ASSERT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetInt(FormBorderWidthInt), 3);
    EXPECT_EQ(theme.GetColor(ControlBorderColor), RGB(0x10, 0x20, 0x30));
    EXPECT_TRUE(theme.GetBool(ButtonTransparentBool));
    EXPECT_EQ(theme.GetColor(MenuMenuBarColor), -1);
    TBitmap picture;
    theme.GetBitmap(ButtonImage, &picture);
    EXPECT_EQ(picture.Image().convertToFormat(QImage::Format_RGB32), button);

    // A values file named on the command line replaces the folder's own.
    WriteText(Path(QStringLiteral("other.txt")), "FormBorderWidthInt = 5\n");
    const ToolRun other =
        RunTool({QStringLiteral("build"), folder, Path(QStringLiteral("other.skn")),
                 Path(QStringLiteral("other.txt"))});
    ASSERT_EQ(other.exitCode, 0) << other.err.toStdString();
    EXPECT_EQ(
        ParseDump(RunTool({QStringLiteral("dump"), Path(QStringLiteral("other.skn"))}).out).size(),
        2);
}

TEST_F(SkinTool, UnpackedLookBuildsBackAfterAnEditAndKeepsTheFolderFilesItFinds) {
    const QString exported = Path(QStringLiteral("blueglass.skn"));
    ASSERT_EQ(RunTool({QStringLiteral("export"), QStringLiteral("BlueGlass"), exported}).exitCode,
              0);
    const QString folder = Path(QStringLiteral("unpacked/look"));
    const ToolRun unpacked = RunTool({QStringLiteral("unpack"), exported, folder});
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err.toStdString();
    EXPECT_TRUE(unpacked.err.isEmpty()) << unpacked.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/TitleBarButtonImage.bmp")));

    const QString rebuilt = Path(QStringLiteral("rebuilt.skn"));
    ASSERT_EQ(RunTool({QStringLiteral("build"), folder, rebuilt}).exitCode, 0);
    const QMap<QString, DumpLine> original =
        ParseDump(RunTool({QStringLiteral("dump"), exported}).out);
    const QMap<QString, DumpLine> again = ParseDump(RunTool({QStringLiteral("dump"), rebuilt}).out);
    EXPECT_EQ(original.size(), 45);
    EXPECT_EQ(again.keys(), original.keys());
    for (const QString& key : original.keys()) {
        EXPECT_EQ(again.value(key).value, original.value(key).value) << key.toStdString();
        EXPECT_EQ(again.value(key).size, original.value(key).size) << key.toStdString();
    }

    // An edit of the values file shows in the file built from the folder.
    QFile values(folder + QStringLiteral("/values.txt"));
    ASSERT_TRUE(values.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(values.readAll());
    values.close();
    EXPECT_TRUE(text.contains(QStringLiteral("FormBorderColor = #000000\n")));
    text.replace(QStringLiteral("FormBorderColor = #000000"),
                 QStringLiteral("FormBorderColor = #336699"));
    WriteText(values.fileName(), text.toUtf8());
    ASSERT_EQ(RunTool({QStringLiteral("build"), folder, rebuilt}).exitCode, 0);
    EXPECT_EQ(ParseDump(RunTool({QStringLiteral("dump"), rebuilt}).out)
                  .value(QStringLiteral("FormBorderColor"))
                  .value,
              QStringLiteral("#336699"));

    // Unpacking again would replace the edited files: refused, nothing touched.
    const ToolRun twice = RunTool({QStringLiteral("unpack"), exported, folder});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_TRUE(twice.err.contains(QStringLiteral("exists"))) << twice.err.toStdString();
    ASSERT_TRUE(values.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(values.readAll()), text);
}

TEST_F(SkinTool, RefusesWithAClearMessageAndWritesNothing) {
    const QString out = Path(QStringLiteral("out.skn"));
    const ToolRun look = RunTool({QStringLiteral("export"), QStringLiteral("Aqua"), out});
    EXPECT_EQ(look.exitCode, 2);
    EXPECT_TRUE(
        look.err.startsWith(QStringLiteral("sumwarden-skin: \"Aqua\" is not a built-in look\n")))
        << look.err.toStdString();

    const QString missing = Path(QStringLiteral("missing"));
    const ToolRun folder = RunTool({QStringLiteral("build"), missing, out});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.err.trimmed(),
              QStringLiteral("sumwarden-skin: %1: no such folder").arg(missing));

    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("values")));
    const QString values = Path(QStringLiteral("values/values.txt"));
    WriteText(values, "FormBorderWidthInt = 2\n\nFormBorderWidthInt three\n");
    const ToolRun line = RunTool({QStringLiteral("build"), Path(QStringLiteral("values")), out});
    EXPECT_EQ(line.exitCode, 1);
    EXPECT_EQ(line.err.trimmed(),
              QStringLiteral("sumwarden-skin: %1, line 3: expected \"Key = value\"").arg(values));
    WriteText(values, "FormBorderWidthInt = wide\n");
    const ToolRun value = RunTool({QStringLiteral("build"), Path(QStringLiteral("values")), out});
    EXPECT_EQ(value.exitCode, 1);
    EXPECT_TRUE(value.err.contains(QStringLiteral("line 1: FormBorderWidthInt takes")));
    EXPECT_TRUE(value.err.contains(QStringLiteral("not \"wide\"")));

    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("pictures")));
    const QString picture = Path(QStringLiteral("pictures/ButtonImage.bmp"));
    WriteText(picture, "BM not really a bitmap");
    const ToolRun bitmap =
        RunTool({QStringLiteral("build"), Path(QStringLiteral("pictures")), out});
    EXPECT_EQ(bitmap.exitCode, 1);
    EXPECT_TRUE(bitmap.err.startsWith(
        QStringLiteral("sumwarden-skin: %1: not a valid bitmap: ").arg(picture)))
        << bitmap.err.toStdString();
    ASSERT_TRUE(QFile::rename(picture, Path(QStringLiteral("pictures/Wallpaper.bmp"))));
    const ToolRun name = RunTool({QStringLiteral("build"), Path(QStringLiteral("pictures")), out});
    EXPECT_EQ(name.exitCode, 1);
    EXPECT_TRUE(name.err.contains(
        QStringLiteral("Wallpaper.bmp: the name is not a picture element's key")));

    const ToolRun usage = RunTool({QStringLiteral("dump")});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("Usage:")));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(SkinTool, RefusesToDumpADamagedOrForeignFile) {
    const QString path = Path(QStringLiteral("damaged.skn"));
    ASSERT_EQ(RunTool({QStringLiteral("export"), QStringLiteral("MacOS"), path}).exitCode, 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
    file.close();
    const ToolRun damaged = RunTool({QStringLiteral("dump"), path});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.out.isEmpty());
    EXPECT_TRUE(damaged.err.startsWith(QStringLiteral("sumwarden-skin: %1: ").arg(path)))
        << damaged.err.toStdString();

    const QString foreign = Path(QStringLiteral("foreign.skn"));
    WriteText(foreign, QByteArray("skinkit_tb\0\0", 12) + QByteArray(64, '\0'));
    const ToolRun notSkin = RunTool({QStringLiteral("dump"), foreign});
    EXPECT_EQ(notSkin.exitCode, 1);
    EXPECT_TRUE(notSkin.err.startsWith(QStringLiteral("sumwarden-skin: %1: ").arg(foreign)));

    const ToolRun absent = RunTool({QStringLiteral("dump"), Path(QStringLiteral("absent.skn"))});
    EXPECT_EQ(absent.exitCode, 1);
}

TEST_F(SkinTool, RefusesDevicesAndFifosAsInputAndAsTarget) {
    const QString fifo = Path(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString& input : {QStringLiteral("/dev/zero"), fifo}) {
        const ToolRun dumped = RunTool({QStringLiteral("dump"), input});
        EXPECT_EQ(dumped.exitCode, 1);
        EXPECT_EQ(dumped.err.trimmed(),
                  QStringLiteral("sumwarden-skin: %1: not a regular file").arg(input));
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("empty")));
        const ToolRun built = RunTool({QStringLiteral("build"), Path(QStringLiteral("empty")),
                                       Path(QStringLiteral("out.skn")), input});
        EXPECT_EQ(built.exitCode, 1);
        EXPECT_EQ(built.err.trimmed(),
                  QStringLiteral("sumwarden-skin: %1: not a regular file").arg(input));
    }
    // An existing target that is not a regular file stays what it is.
    for (const QString& target : {fifo, QStringLiteral("/dev/full")}) {
        const ToolRun exported =
            RunTool({QStringLiteral("export"), QStringLiteral("MacOS"), target});
        EXPECT_EQ(exported.exitCode, 1);
        EXPECT_EQ(
            exported.err.trimmed(),
            QStringLiteral("sumwarden-skin: %1: not a regular file, left as it is").arg(target));
    }
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    ASSERT_EQ(::stat("/dev/full", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST_F(SkinTool, NeverWritesAFileItsOwnDumpWouldReadDifferently) {
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("twice")));
    WriteText(Path(QStringLiteral("twice/values.txt")),
              "FormBorderWidthInt = 3\nformborderwidthint = 4\n");
    const QString out = Path(QStringLiteral("out.skn"));
    const ToolRun built = RunTool({QStringLiteral("build"), Path(QStringLiteral("twice")), out});
    EXPECT_EQ(built.exitCode, 1);
    EXPECT_EQ(built.err.trimmed().toStdString(),
              QStringLiteral("sumwarden-skin: %1: the key \"FormBorderWidthInt\" is given twice")
                  .arg(out)
                  .toStdString());
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace

TEST(Gallery, ALookAndItsExportedSkinFilePaintTheSamePicture) {
    // DeepBlue: the skinned form's client of MacOS and Protein is a pinstripe of the look
    // itself, which a skin file does not carry.
    QTemporaryDir folder;
    const QString skin = folder.filePath(QStringLiteral("deepblue.skn"));
    ASSERT_EQ(RunTool({QStringLiteral("export"), QStringLiteral("DeepBlue"), skin}).exitCode, 0);
    const QString fromLook = folder.filePath(QStringLiteral("look.png"));
    const QString fromFile = folder.filePath(QStringLiteral("file.png"));
    const QString other = folder.filePath(QStringLiteral("other.png"));
    const ToolRun run = RunTool({QStringLiteral("gallery"), QStringLiteral("DeepBlue"), fromLook});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("gallery written")));
    ASSERT_EQ(RunTool({QStringLiteral("gallery"), skin, fromFile}).exitCode, 0);
    ASSERT_EQ(RunTool({QStringLiteral("gallery"), QStringLiteral("WinXP"), other}).exitCode, 0);
    const QImage look(fromLook);
    ASSERT_FALSE(look.isNull());
    EXPECT_GT(look.width(), 400);
    EXPECT_GT(look.height(), 300);
    EXPECT_EQ(QImage(fromFile), look);
    EXPECT_NE(QImage(other), look);
}

TEST(Gallery, SkinFileOfValuesOnlyPaintsItsMissingPicturesInDeepBlue) {
    // Built as the README shows: a folder holding nothing but a values file.
    QTemporaryDir folder;
    WriteText(folder.filePath(QStringLiteral("values.txt")), "FormBorderWidthInt = 3\n"
                                                             "ControlBorderColor = #686868\n"
                                                             "ButtonTransparentBool = true\n");
    const QString skin = folder.filePath(QStringLiteral("values.skn"));
    ASSERT_EQ(RunTool({QStringLiteral("build"), folder.path(), skin}).exitCode, 0);
    const QString fromFile = folder.filePath(QStringLiteral("file.png"));
    const ToolRun run = RunTool({QStringLiteral("gallery"), skin, fromFile});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString deepBlue = folder.filePath(QStringLiteral("deepblue.png"));
    ASSERT_EQ(RunTool({QStringLiteral("gallery"), QStringLiteral("DeepBlue"), deepBlue}).exitCode,
              0);
    // Same sections of the same sizes: every control drew its pictures.
    EXPECT_EQ(QImage(fromFile).size(), QImage(deepBlue).size());
}

TEST(Gallery, RefusesBadArgumentsAndDamagedSkinFiles) {
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("out.png"));
    EXPECT_EQ(RunTool({QStringLiteral("gallery"), QStringLiteral("MacOS")}).exitCode, 2);
    const QString damaged = folder.filePath(QStringLiteral("damaged.skn"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SkinKit_TB\0\0broken", 18);
    file.close();
    const ToolRun run = RunTool({QStringLiteral("gallery"), damaged, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(damaged)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
