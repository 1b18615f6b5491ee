#include "app/window/PathKinds.h"

#include "checksum/CheckFileKinds.h"
#include "checksum/CheckFileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

// A list starts with its header or an entry of any kind it may be: both lie in the first
// few hundred bytes. Little is read, since a drop of many files looks at each.
constexpr std::size_t kSniffedBytes = 4 * 1024;

bool StartsLikeACheckFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return false;
    }
    std::size_t left = kSniffedBytes;
    sumwarden::CheckFileReader reader([&](char* buffer, std::size_t size) -> std::size_t {
        const auto wanted = static_cast<std::streamsize>(std::min(size, left));
        stream.read(buffer, wanted);
        const auto got = static_cast<std::size_t>(stream.gcount());
        left -= got;
        return got;
    });
    sumwarden::EntryRecognizer recognizer;
    std::string line;
    try {
        while (reader.NextLine(line)) {
            if (line.starts_with(';') || recognizer.Entry(line)) {
                return true;
            }
        }
    } catch (const std::exception&) {
        return false;
    }
    return false;
}

} // namespace

TPathKind KindOfPath(const QString& path) {
    const std::string bytes = QFile::encodeName(path).toStdString();
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(bytes, error);
    if (path.isEmpty() || !std::filesystem::exists(status)) {
        return TPathKind::Missing;
    }
    if (std::filesystem::is_directory(status)) {
        return TPathKind::Folder;
    }
    // Devices and FIFOs are never read here: hashing reports them as files it cannot open.
    if (std::filesystem::is_regular_file(status) && StartsLikeACheckFile(bytes)) {
        return TPathKind::CheckFile;
    }
    return TPathKind::File;
}

TSortedPaths SortPaths(const QStringList& paths) {
    TSortedPaths sorted;
    for (const QString& path : paths) {
        const TPathKind kind = KindOfPath(path);
        const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        switch (kind) {
        case TPathKind::Missing:
            sorted.Missing.append(path);
            break;
        case TPathKind::Folder:
            sorted.Folder = absolute;
            break;
        case TPathKind::CheckFile:
            sorted.CheckFile = absolute;
            break;
        case TPathKind::File:
            sorted.Files.append(absolute);
            break;
        }
    }
    return sorted;
}
