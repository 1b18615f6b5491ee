#include "skin/core/SKPictureCache.h"

#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKMgr.h"

#include <QHash>

namespace {

// Looks times elements times a few frame layouts stay far below this; the bound only
// keeps a program that loads many files from growing without end.
constexpr int MaxCachedFrames = 1024;

struct TFrameKey {
    quint64 Generation;
    int Style;
    int Element;
    int FrameCount;
    int FrameIndex;
    bool operator==(const TFrameKey&) const = default;
};

size_t qHash(const TFrameKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.Generation, key.Style, key.Element, key.FrameCount, key.FrameIndex);
}

QHash<TFrameKey, QImage>& Frames() {
    static QHash<TFrameKey, QImage> frames;
    return frames;
}

QImage Cut(const QImage& picture, int frameCount, int frameIndex) {
    if (picture.isNull() || frameCount == 0) {
        return picture;
    }
    TBitmap whole;
    whole.SetImage(picture);
    TBitmap frame;
    CutFrame(&whole, &frame, frameCount, frameIndex);
    return frame.Empty() ? QImage() : frame.Image();
}

} // namespace

quint32 ThemeColor(const TskFileTheme* fileTheme, TskUIStyle style, int element) {
    TskUIStyle effective = style;
    if (UsingFileTheme(fileTheme, style, effective)) {
        return fileTheme->GetColor(element);
    }
    return GetBuiltinThemeColor(effective, element);
}

QImage ThemeFrame(const TskFileTheme* fileTheme, TskUIStyle style, int element, int frameCount,
                  int frameIndex) {
    TskUIStyle effective = style;
    const bool fromFile = UsingFileTheme(fileTheme, style, effective);
    const TFrameKey key{fromFile ? fileTheme->Generation() : 0,
                        fromFile ? 0 : static_cast<int>(effective), element, frameCount,
                        frameIndex};
    QHash<TFrameKey, QImage>& frames = Frames();
    const auto found = frames.constFind(key);
    if (found != frames.constEnd()) {
        return *found;
    }
    QImage picture =
        fromFile ? fileTheme->Picture(element) : LoadBuiltinThemePicture(effective, element);
    if (fromFile && picture.isNull()) {
        // A skin file may carry values only: what it lacks is drawn from the fallback
        // look, so the frame, its buttons and the tabs always show.
        picture = LoadBuiltinThemePicture(DeepBlue, element);
    }
    const QImage frame = Cut(picture, frameCount, frameIndex);
    if (frames.size() >= MaxCachedFrames) {
        frames.clear();
    }
    frames.insert(key, frame);
    return frame;
}

void LoadThemeFrame(const TskFileTheme* fileTheme, TskUIStyle style, int element, TBitmap* target,
                    int frameCount, int frameIndex) {
    if (target != nullptr) {
        target->SetImage(ThemeFrame(fileTheme, style, element, frameCount, frameIndex));
    }
}

quint64 NewThemeGeneration() {
    static quint64 last = 0;
    return ++last;
}

void ForgetThemeFrames(quint64 generation) {
    if (generation == 0) {
        return;
    }
    Frames().removeIf(
        [generation](const auto& entry) { return entry.key().Generation == generation; });
}

int CachedThemeFrameCount() {
    return static_cast<int>(Frames().size());
}
