// sumwarden-skin: writes skin files from a built-in look or from a folder of pictures
// and values, unpacks a skin file into such a folder, and lists a skin file's entries.
#include "app/skintool/gallery/Gallery.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

namespace {

enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

const char* const UsageText =
    "Usage:\n"
    "  sumwarden-skin export LOOK OUT.skn\n"
    "      Writes the built-in look LOOK (MacOS, WinXP, DeepBlue, Protein, BlueGlass).\n"
    "  sumwarden-skin build FOLDER OUT.skn [VALUES]\n"
    "      Writes the pictures KEY.bmp of FOLDER (ButtonImage.bmp ...) and the values of\n"
    "      the text file VALUES (default: FOLDER/values.txt when it exists), one\n"
    "      \"Key = value\" a line: decimal integers, colours #RRGGBB, flags true/false.\n"
    "  sumwarden-skin unpack FILE.skn FOLDER\n"
    "      Writes the pictures and values of FILE.skn into FOLDER in the form build\n"
    "      reads, so that build makes the same look again; FOLDER's files are never\n"
    "      replaced.\n"
    "  sumwarden-skin dump FILE.skn\n"
    "      Lists every entry: key, type, size in bytes, value or picture size.\n"
    "  sumwarden-skin gallery LOOK|FILE.skn OUT.png\n"
    "      Paints every skinned control in every state, in the look or from the skin\n"
    "      file, into one labelled picture.\n";

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int Fail(const QString& text) {
    Print(stderr, QStringLiteral("sumwarden-skin: %1").arg(text));
    return ExitFailed;
}

int Usage(const QString& problem) {
    Print(stderr, QStringLiteral("sumwarden-skin: %1").arg(problem));
    std::fputs(UsageText, stderr);
    return ExitUsage;
}

int Write(const QList<TskSkinEntry>& entries, const QString& path) {
    // Replacing a device or FIFO with a regular file is never what was meant.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return Fail(QStringLiteral("%1: not a regular file, left as it is").arg(path));
    }
    if (const QString problem = SkinEntriesProblem(entries); !problem.isEmpty()) {
        return Fail(QStringLiteral("%1: %2").arg(path, problem));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    file.write(WriteSkinFile(entries));
    if (!file.commit()) {
        return Fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    Print(stdout, QStringLiteral("%1: %2 entries written").arg(path).arg(entries.size()));
    return ExitOk;
}

int Export(const QStringList& arguments) {
    if (arguments.size() != 2) {
        return Usage(QStringLiteral("export takes a look and an output file"));
    }
    const std::optional<TskUIStyle> style = BuiltinStyleByName(arguments[0]);
    if (!style) {
        return Usage(QStringLiteral("\"%1\" is not a built-in look").arg(arguments[0]));
    }
    return Write(BuiltinSkinEntries(*style), arguments[1]);
}

int Build(const QStringList& arguments) {
    if (arguments.size() != 2 && arguments.size() != 3) {
        return Usage(
            QStringLiteral("build takes a folder, an output file and optionally a values file"));
    }
    QString values = arguments.value(2);
    if (values.isEmpty()) {
        const QString defaultValues =
            arguments[0] + QLatin1Char('/') + QLatin1String(SkinValuesFileName);
        if (QFileInfo(defaultValues).isFile()) {
            values = defaultValues;
        }
    }
    const TskSkinBuildResult built = SkinEntriesFromFolder(arguments[0], values);
    if (!built.Ok()) {
        return Fail(built.error);
    }
    return Write(built.entries, arguments[1]);
}

// The entries of a skin file, or the reason it cannot be read.
TskSkinParseResult ReadSkinFile(const QString& path) {
    const TskFileReadResult read = ReadBoundedFile(path, SkinFileSizeLimit);
    if (!read.Ok()) {
        return {{}, read.error};
    }
    TskSkinParseResult parsed = ParseSkinFile(read.data);
    if (!parsed.Ok()) {
        parsed.error = QStringLiteral("%1: %2").arg(path, parsed.error);
    }
    return parsed;
}

int Unpack(const QStringList& arguments) {
    if (arguments.size() != 2) {
        return Usage(QStringLiteral("unpack takes a skin file and a folder"));
    }
    const TskSkinParseResult parsed = ReadSkinFile(arguments[0]);
    if (!parsed.Ok()) {
        return Fail(parsed.error);
    }
    const TskSkinUnpackResult unpacked =
        SkinFolderFiles(parsed.entries, QFileInfo(arguments[0]).fileName());
    const QDir folder(arguments[1]);
    // Edits made in the folder are never overwritten: an existing file stops it all.
    for (const TskSkinFolderFile& file : unpacked.files) {
        if (QFileInfo::exists(folder.filePath(file.name))) {
            return Fail(
                QStringLiteral("%1: exists, nothing unpacked").arg(folder.filePath(file.name)));
        }
    }
    if (!folder.mkpath(QStringLiteral("."))) {
        return Fail(QStringLiteral("%1: cannot make the folder").arg(arguments[1]));
    }
    for (const TskSkinFolderFile& file : unpacked.files) {
        QSaveFile target(folder.filePath(file.name));
        if (!target.open(QIODevice::WriteOnly) || target.write(file.data) != file.data.size() ||
            !target.commit()) {
            return Fail(QStringLiteral("%1: %2").arg(target.fileName(), target.errorString()));
        }
    }
    for (const QString& entry : unpacked.leftOut) {
        Print(stderr,
              QStringLiteral("sumwarden-skin: %1: left out %2, which the program never reads")
                  .arg(arguments[0], entry));
    }
    Print(stdout, QStringLiteral("%1: %2 pictures and %3 written")
                      .arg(arguments[1])
                      .arg(unpacked.files.size() - 1)
                      .arg(QLatin1String(SkinValuesFileName)));
    return ExitOk;
}

int Dump(const QStringList& arguments) {
    if (arguments.size() != 1) {
        return Usage(QStringLiteral("dump takes one skin file"));
    }
    const TskSkinParseResult parsed = ReadSkinFile(arguments[0]);
    if (!parsed.Ok()) {
        return Fail(parsed.error);
    }
    for (const QString& line : DumpSkinEntries(parsed.entries)) {
        Print(stdout, line);
    }
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("gallery")) {
        return RunGalleryCommand(argc, argv);
    }
    // Pictures are read and written without a display, so no GUI application is made.
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty()) {
        return Usage(QStringLiteral("no command given"));
    }
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("-h") || command == QLatin1String("--help") ||
        command == QLatin1String("help")) {
        std::fputs(UsageText, stdout);
        return ExitOk;
    }
    if (command == QLatin1String("export")) {
        return Export(arguments);
    }
    if (command == QLatin1String("build")) {
        return Build(arguments);
    }
    if (command == QLatin1String("unpack")) {
        return Unpack(arguments);
    }
    if (command == QLatin1String("dump")) {
        return Dump(arguments);
    }
    return Usage(QStringLiteral("unknown command \"%1\"").arg(command));
}
