#pragma once
// The window's command line: a built-in look or a skin file chosen at start, and the
// files and folders to open.
#include "skin/core/SKThemes.h"

#include <QString>
#include <QStringList>
#include <optional>

inline constexpr const char* kWindowUsage =
    "Usage: sumwarden [--look LOOK | --skin FILE.skn] [PATH...]\n"
    "Opens the Sumwarden window. A check file is verified at once, a folder is put on the\n"
    "\"Make check file\" page, other files are hashed on the \"Make file MD5\" page.\n"
    "  --look LOOK      draw the window in a built-in look: MacOS (the default), WinXP,\n"
    "                   DeepBlue, Protein or BlueGlass\n"
    "  --skin FILE.skn  draw the window from a skin file (see sumwarden-skin)\n"
    "  --help           show this text\n"
    "  --               every argument after it is a path, even one that starts with -\n"
    "The command-line jobs are in sumwarden-cli (sumwarden-cli --help).\n";

struct TStartOptions {
    bool Help = false;
    std::optional<TskUIStyle> Look;
    QString SkinFile;  // empty: none
    QString Error;     // not empty: the command line is refused with this text
    QStringList Paths; // files and folders to open, in the order given
};

// Reads the arguments after the program's name. "--look=NAME" and "--skin=FILE" are
// read too; looks ignore letter case. Arguments not starting with "-" (and "-" itself)
// are paths.
TStartOptions ParseStartOptions(const QStringList& arguments);
