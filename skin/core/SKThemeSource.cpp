#include "skin/core/SKThemeSource.h"

#include "skin/core/SKMgr.h"
#include "skin/core/SKPictureCache.h"

TskThemeSource TskThemeSource::For(TskFileTheme* fileTheme, TskUIStyle style) {
    TskThemeSource source;
    if (UsingFileTheme(fileTheme, style, source.Effective)) {
        source.File = fileTheme;
        source.Effective = FromThemeFile;
    }
    return source;
}

TColor TskThemeSource::Color(int element) const {
    return File != nullptr ? File->GetColor(element)
                           : static_cast<TColor>(GetBuiltinThemeColor(Effective, element));
}

int TskThemeSource::Int(int element) const {
    return File != nullptr ? File->GetInt(element) : GetBuiltinThemeInt(Effective, element);
}

bool TskThemeSource::Bool(int element) const {
    return File != nullptr ? File->GetBool(element) : GetBuiltinThemeBool(Effective, element);
}

void TskThemeSource::Bitmap(int element, TBitmap* target, int frameCount, int frameIndex) const {
    LoadThemeFrame(File, File != nullptr ? FromThemeFile : Effective, element, target, frameCount,
                   frameIndex);
}
