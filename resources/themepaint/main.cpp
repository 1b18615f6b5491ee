// Paints every theme picture and the program icon into a folder at build time:
//   pictures/NAME.bmp, icons/MAINICON-<size>.png, pictures.qrc for the resource compiler,
//   contact-sheet.png and preview.png for people reviewing the looks.
#include "resources/themepaint/Icon.h"
#include "resources/themepaint/Pictures.h"
#include "resources/themepaint/Sheets.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int IconSizes[] = {16, 32, 48, 256};

bool Save(const QImage& image, const QString& path, const char* format) {
    if (image.save(path, format)) {
        return true;
    }
    std::fprintf(stderr, "themepaint: cannot write %s\n", qPrintable(path));
    return false;
}

bool WriteResourceList(const QString& path, const std::vector<themepaint::NamedPicture>& pictures) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "themepaint: cannot write %s\n", qPrintable(path));
        return false;
    }
    QTextStream out(&file);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const auto& picture : pictures) {
        out << "  <file>pictures/" << picture.name << ".bmp</file>\n";
    }
    for (const int size : IconSizes) {
        out << "  <file>icons/MAINICON-" << size << ".png</file>\n";
    }
    out << "</qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: themepaint OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("pictures")) || !output.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "themepaint: cannot create folders under %s\n", argv[1]);
        return 1;
    }
    const std::vector<themepaint::NamedPicture> pictures = themepaint::PaintAllPictures();
    bool written = true;
    for (const auto& picture : pictures) {
        written &= Save(picture.image, output.filePath("pictures/" + picture.name + ".bmp"), "BMP");
    }
    // The contact sheet shows the icons too.
    std::vector<themepaint::NamedPicture> reviewed = pictures;
    for (const int size : IconSizes) {
        const QImage icon = themepaint::PaintProgramIcon(size);
        written &=
            Save(icon, output.filePath(QStringLiteral("icons/MAINICON-%1.png").arg(size)), "PNG");
        reviewed.push_back(
            {QStringLiteral("MAINICON-%1").arg(size), QStringLiteral("Program icon"), icon});
    }
    written &=
        Save(themepaint::PaintContactSheet(reviewed), output.filePath("contact-sheet.png"), "PNG");
    written &= Save(themepaint::PaintPreview(pictures), output.filePath("preview.png"), "PNG");
    written &= WriteResourceList(output.filePath("pictures.qrc"), pictures);
    return written ? 0 : 1;
}
