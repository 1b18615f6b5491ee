// Skin files for tests that load a look the way users do.
#pragma once

#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Writes the built-in look as a skin file into folder; returns its path, or an empty
// text when it cannot be written.
inline QString WriteBuiltinSkinFile(const QTemporaryDir& folder, TskUIStyle look) {
    const QString path = folder.filePath(QStringLiteral("look%1.skn").arg(int(look)));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(WriteSkinFile(BuiltinSkinEntries(look))) < 0) {
        return QString();
    }
    return path;
}
