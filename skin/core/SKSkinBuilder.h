// Making skin files: the entries of a built-in look, or of a folder of pictures named by
// key plus a text of "Key = value" lines; the same folder made from a file's entries;
// and the readable listing of a file's entries.
#pragma once

#include "skin/core/SKSkinFile.h"
#include "skin/core/SKThemes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A values file holds one short line per element; anything near this size is no values file.
inline constexpr qint64 SkinValuesFileSizeLimit = 1024 * 1024;

struct TskSkinBuildResult {
    QList<TskSkinEntry> entries;
    // Empty on success; otherwise names the file (and line) and the problem.
    QString error;
    bool Ok() const { return error.isEmpty(); }
};

// The element (1..48) whose key is name, letter case aside; 0 for none.
int ThemeElementByKey(const QString& name);

// The built-in look named name ("MacOS", letter case aside), without FromThemeFile.
std::optional<TskUIStyle> BuiltinStyleByName(const QString& name);

// Every picture, colour, integer and flag of a built-in look.
QList<TskSkinEntry> BuiltinSkinEntries(TskUIStyle style);

// Lines "Key = value": decimal integers, colours as #RRGGBB, flags as true or false;
// blank lines and lines starting with ';' are skipped. sourceName names the text in
// error messages.
TskSkinBuildResult ParseSkinValues(const QString& text, const QString& sourceName);

// The pictures NAME.bmp of folder (NAME a picture element's key) followed by the values
// of valuesFile, when one is given.
TskSkinBuildResult SkinEntriesFromFolder(const QString& folder, const QString& valuesFile);

// The values file a folder holds unless another one is named.
inline constexpr char SkinValuesFileName[] = "values.txt";

struct TskSkinFolderFile {
    QString name;
    QByteArray data;
};

struct TskSkinUnpackResult {
    QList<TskSkinFolderFile> files;
    // Entries the program never reads, so no folder holds them: "KEY (type entry)".
    QStringList leftOut;
};

// The files from which SkinEntriesFromFolder makes the entries the program reads again:
// KEY.bmp for each picture (its bytes as stored) and a values file of "Key = value"
// lines. Per element only its first entry of the element's type counts, as for a reader;
// texts, unknown keys, later duplicates and entries of another type are left out.
TskSkinUnpackResult SkinFolderFiles(const QList<TskSkinEntry>& entries, const QString& origin);

// One line per entry: key, type, size in bytes, then the value or the picture's size.
QStringList DumpSkinEntries(const QList<TskSkinEntry>& entries);
