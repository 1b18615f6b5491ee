#include "skin/core/SKMgr.h"

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"
#include "skin/core/SKSkinFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString InvalidSkinFileText = QStringLiteral("Invalid skin file for SkinKit!");

QString& ProgramFolderOverride() {
    static QString folder;
    return folder;
}

QString ElementKey(int element) {
    return QString::fromLatin1(ThemeElementKeyName(element));
}

template <class Value>
void InsertFirst(QHash<QString, Value>& map, const QString& key, const Value& value) {
    const QString folded = key.toCaseFolded();
    if (!map.contains(folded)) {
        map.insert(folded, value);
    }
}

template <class Value>
std::optional<Value> Find(const QHash<QString, Value>& map, const QString& key) {
    const auto found = map.constFind(key.toCaseFolded());
    if (found == map.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

bool IsFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString ResolveSkinFile(const QString& value) {
    if (IsFile(value)) {
        return QFileInfo(value).absoluteFilePath();
    }
    const QString name = QFileInfo(value).fileName();
    if (name.isEmpty()) {
        return {};
    }
    for (const QString& folder : SkinSearchFolders()) {
        const QString candidate = QDir(folder).filePath(name);
        if (IsFile(candidate)) {
            return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return {};
}

} // namespace

bool IsSkinFile(const QString& path) {
    if (!IsFile(path)) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return HasSkinSignature(file.read(16));
}

TskThemeFileReader::TskThemeFileReader(const QString& path) {
    const TskFileReadResult read = ReadBoundedFile(path, SkinFileSizeLimit);
    if (!read.Ok()) {
        FError = read.error;
        return;
    }
    const QByteArray& image = read.data;
    const TskSkinParseResult parsed = ParseSkinFile(image);
    if (!parsed.Ok()) {
        FError = QStringLiteral("%1: %2").arg(path, parsed.error);
        return;
    }
    for (const TskSkinEntry& entry : parsed.entries) {
        switch (entry.type) {
        case TskSkinEntryType::Picture:
            InsertFirst(FPictures, entry.key, entry.data);
            break;
        case TskSkinEntryType::Integer:
            InsertFirst(FIntegers, entry.key, SkinIntegerValue(entry.data));
            break;
        case TskSkinEntryType::Flag:
            InsertFirst(FFlags, entry.key, std::uint8_t(entry.data.at(0)));
            break;
        case TskSkinEntryType::Text:
            InsertFirst(FTexts, entry.key, entry.data);
            break;
        }
    }
}

std::optional<QByteArray> TskThemeFileReader::Picture(const QString& key) const {
    return Find(FPictures, key);
}

std::optional<std::int32_t> TskThemeFileReader::Integer(const QString& key) const {
    return Find(FIntegers, key);
}

std::optional<std::uint8_t> TskThemeFileReader::Flag(const QString& key) const {
    return Find(FFlags, key);
}

std::optional<QByteArray> TskThemeFileReader::Text(const QString& key) const {
    return Find(FTexts, key);
}

bool TskFileThemeMgr::LoadFile(const QString& path) {
    if (!IsFile(path)) {
        FLastError = QStringLiteral("%1: no such file").arg(path);
        return false;
    }
    auto reader = std::make_unique<TskThemeFileReader>(path);
    if (!reader->Ok()) {
        FLastError = reader->Error();
        return false;
    }
    FReader = std::move(reader);
    FLastError.clear();
    FDecoded.clear();
    ForgetThemeFrames(FGeneration);
    FGeneration = NewThemeGeneration();
    return true;
}

TskFileThemeMgr::~TskFileThemeMgr() {
    ForgetThemeFrames(FGeneration);
}

QImage TskFileThemeMgr::Picture(int element) const {
    if (FReader == nullptr) {
        return {};
    }
    const auto found = FDecoded.constFind(element);
    if (found != FDecoded.constEnd()) {
        return *found;
    }
    TBitmap decoded;
    const auto data = FReader->Picture(ElementKey(element));
    const QImage image = data && decoded.LoadFromData(*data) ? decoded.Image() : QImage();
    FDecoded.insert(element, image);
    return image;
}

void TskFileThemeMgr::GetBitmap(int element, TBitmap* target) const {
    if (target == nullptr || FReader == nullptr) {
        return;
    }
    const QImage picture = Picture(element);
    if (!picture.isNull()) {
        target->SetImage(picture);
    }
}

void TskFileThemeMgr::GetBitmap(int element, TBitmap* target, int frameCount,
                                int frameIndex) const {
    if (target == nullptr || FReader == nullptr) {
        return;
    }
    const QImage picture = Picture(element);
    if (picture.isNull()) {
        target->SetImage(QImage());
        return;
    }
    TBitmap whole;
    whole.SetImage(picture);
    CutFrame(&whole, target, frameCount, frameIndex);
}

std::int32_t TskFileThemeMgr::GetInt(int element) const {
    if (FReader == nullptr) {
        return 0;
    }
    return FReader->Integer(ElementKey(element)).value_or(-1);
}

TColor TskFileThemeMgr::GetColor(int element) const {
    return GetInt(element);
}

bool TskFileThemeMgr::GetBool(int element) const {
    if (FReader == nullptr) {
        return false;
    }
    return FReader->Flag(ElementKey(element)).value_or(0) != 0;
}

QStringList SkinSearchFolders() {
    QStringList folders;
    const QString program = ProgramFolderOverride();
    folders << (program.isEmpty() ? QCoreApplication::applicationDirPath() : program);
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
        dataHome = QDir::home().filePath(QStringLiteral(".local/share"));
    }
    folders << QDir(dataHome).filePath(QStringLiteral("sumwarden"));
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty()) {
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    for (const QString& folder : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        folders << QDir(folder).filePath(QStringLiteral("sumwarden"));
    }
    return folders;
}

void SetSkinProgramFolder(const QString& folder) {
    ProgramFolderOverride() = folder;
}

TskFileTheme::TskFileTheme(TComponent* AOwner)
    : TComponent(AOwner), FMgr(std::make_unique<TskFileThemeMgr>()) {}

TskFileTheme::~TskFileTheme() {
    Destroying();
}

void TskFileTheme::SetThemeFile(const QString& value) {
    const bool wasEmpty = FThemeFile.isEmpty();
    if (value == FThemeFile) {
        return;
    }
    const QString resolved = ResolveSkinFile(value);
    if (resolved.isEmpty()) {
        return;
    }
    if (!IsSkinFile(resolved)) {
        FLastError = QStringLiteral("%1: the file does not start with the signature SkinKit_TB")
                         .arg(resolved);
        Refuse(InvalidSkinFileText);
        return;
    }
    if (!FMgr->LoadFile(resolved)) {
        FLastError = FMgr->LastError();
        Refuse(InvalidSkinFileText + QStringLiteral("\n\n") + FLastError);
        return;
    }
    FLastError.clear();
    FThemeFile = resolved;
    FCanUse = true;
    ReapplyToOwnerForm(wasEmpty);
}

void ShowSkinError(const QString& text) {
    Dialogs().MessageBox(text, QStringLiteral("Error"), mbIconError, mbOK);
}

void TskFileTheme::Refuse(const QString& text) {
    ShowSkinError(text);
}

void TskFileTheme::ReapplyToOwnerForm(bool wasEmpty) {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (form == nullptr) {
        return;
    }
    bool skinnedFormUsesThis = false;
    for (int index = 0; index < form->ComponentCount(); ++index) {
        TComponent* component = form->Components(index);
        const QLatin1StringView className(component->metaObject()->className());
        if (!className.startsWith(QLatin1StringView("Tsk")) ||
            !HasPublishedProperty(component, QStringLiteral("FileTheme"))) {
            continue;
        }
        const QVariant current = component->property("FileTheme");
        if (current.value<QObject*>() != this) {
            continue;
        }
        if (className == QLatin1StringView("TskForm")) {
            skinnedFormUsesThis = true;
        }
        component->setProperty("FileTheme", QVariant::fromValue(this));
    }
    // The frame of a skinned form is painted from the theme too; a first load happens
    // before the form is shown, so only a change of file needs the frame redone.
    if (skinnedFormUsesThis && !wasEmpty) {
        form->RecreateFrame();
    }
}
