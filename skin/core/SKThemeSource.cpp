#include "skin/core/SKThemeSource.h"

#include "skin/core/SKMgr.h"

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
    if (File != nullptr) {
        if (frameCount == 0) {
            File->GetBitmap(element, target);
        } else {
            File->GetBitmap(element, target, frameCount, frameIndex);
        }
        return;
    }
    GetBuiltinThemeBitmap(Effective, element, target, frameCount, frameIndex);
}
