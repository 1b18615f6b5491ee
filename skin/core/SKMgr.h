// Skin files: the reader that holds a whole file's entries in memory, the manager that
// answers theme elements from it, and the TskFileTheme component that skinned controls
// refer to when their look comes from a file.
#pragma once

#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"
#include "skin/core/SKThemes.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class TBitmap;

// An error message box with an OK button: how a skin component refuses a value.
void ShowSkinError(const QString& text);

// Whether a file exists at path and starts with the skin-file signature.
bool IsSkinFile(const QString& path);

// Reads a whole skin file at construction; afterwards the file is closed and everything
// lives here. Keys are found without regard to letter case, the first occurrence wins.
class TskThemeFileReader {
public:
    explicit TskThemeFileReader(const QString& path);

    // Empty when the file was read; otherwise names the file and what is wrong, and
    // nothing is held.
    QString Error() const { return FError; }
    bool Ok() const { return FError.isEmpty(); }

    // The picture's .bmp file image.
    std::optional<QByteArray> Picture(const QString& key) const;
    std::optional<std::int32_t> Integer(const QString& key) const;
    std::optional<std::uint8_t> Flag(const QString& key) const;
    std::optional<QByteArray> Text(const QString& key) const;

private:
    QString FError;
    QHash<QString, QByteArray> FPictures;
    QHash<QString, std::int32_t> FIntegers;
    QHash<QString, std::uint8_t> FFlags;
    QHash<QString, QByteArray> FTexts;
};

// Answers theme elements (1..48) by their key names from at most one reader.
class TskFileThemeMgr {
public:
    // False when no file exists at path or the file is refused (see LastError); the
    // current reader is kept in both cases.
    bool LoadFile(const QString& path);
    QString LastError() const { return FLastError; }
    bool Loaded() const { return FReader != nullptr; }

    // Loads the element's picture into target; target stays untouched without one.
    void GetBitmap(int element, TBitmap* target) const;
    // Cuts frame frameIndex (from 1) of frameCount out of the picture into target;
    // target becomes empty without a picture.
    void GetBitmap(int element, TBitmap* target, int frameCount, int frameIndex) const;
    // The element's picture, decoded once per loaded file; a null image without one.
    QImage Picture(int element) const;
    // Changes with every file loaded, and differs between managers, so cached frames
    // keyed by it never outlive the file they were cut from; 0 with no file loaded.
    quint64 Generation() const { return FGeneration; }
    // -1 when the file has no such entry; 0 with no file loaded.
    std::int32_t GetInt(int element) const;
    TColor GetColor(int element) const;
    // False when the file has no such entry or no file is loaded.
    bool GetBool(int element) const;

    TskFileThemeMgr() = default;
    ~TskFileThemeMgr();
    TskFileThemeMgr(const TskFileThemeMgr&) = delete;
    TskFileThemeMgr& operator=(const TskFileThemeMgr&) = delete;

private:
    std::unique_ptr<TskThemeFileReader> FReader;
    QString FLastError;
    quint64 FGeneration = 0;
    mutable QHash<int, QImage> FDecoded;
};

// The folders searched for a skin file named without a reachable path, in order: the
// program's folder, $XDG_DATA_HOME/sumwarden, then sumwarden under each $XDG_DATA_DIRS.
QStringList SkinSearchFolders();
// Replaces the program's folder in that list (tests); an empty text restores it.
void SetSkinProgramFolder(const QString& folder);

// A look loaded from a skin file, referred to (never owned) by skinned controls.
class TskFileTheme : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString ThemeFile READ ThemeFile WRITE SetThemeFile)

public:
    explicit TskFileTheme(TComponent* AOwner);
    ~TskFileTheme() override;

    QString ThemeFile() const { return FThemeFile; }
    // Finds and loads the file, then has the owner form's skinned components that refer
    // to this theme read it again. A file found nowhere is ignored; a refused file is
    // reported in a message box and changes nothing.
    void SetThemeFile(const QString& value);
    bool CanUse() const { return FCanUse; }
    // The last refusal's text, empty after a successful load.
    QString LastError() const { return FLastError; }

    void GetBitmap(int element, TBitmap* target) const { FMgr->GetBitmap(element, target); }
    void GetBitmap(int element, TBitmap* target, int frameCount, int frameIndex) const {
        FMgr->GetBitmap(element, target, frameCount, frameIndex);
    }
    TColor GetColor(int element) const { return FMgr->GetColor(element); }
    std::int32_t GetInt(int element) const { return FMgr->GetInt(element); }
    bool GetBool(int element) const { return FMgr->GetBool(element); }
    QImage Picture(int element) const { return FMgr->Picture(element); }
    quint64 Generation() const { return FMgr->Generation(); }

private:
    void Refuse(const QString& text);
    void ReapplyToOwnerForm(bool wasEmpty);

    QString FThemeFile;
    bool FCanUse = false;
    QString FLastError;
    std::unique_ptr<TskFileThemeMgr> FMgr;
};
