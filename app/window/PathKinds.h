#pragma once
// What a path handed to the window (an argument or a drop) is: that decides the page that
// takes it.
#include <QString>
#include <QStringList>

enum class TPathKind {
    Missing,   // nothing by that name
    Folder,    // "Make check file" takes it
    CheckFile, // a file the verifier reads: "Verify check file" takes it
    File,      // anything else: "Make file MD5" hashes it
};

// A regular file is a check file when one of its first lines (in 4 KiB) is an entry or a
// comment, as the verifier reads them; a large file costs no more than a small one.
TPathKind KindOfPath(const QString& path);

// Paths sorted by the page that takes them, made absolute (missing ones stay as given);
// of several folders or check files the last one given counts, since each page holds one.
struct TSortedPaths {
    QStringList Files;
    QString Folder;
    QString CheckFile;
    QStringList Missing;
};
TSortedPaths SortPaths(const QStringList& paths);
