// Where a skinned component reads its theme elements: its file theme when the look is
// FromThemeFile and the theme is usable, otherwise the built-in table of the effective look.
#pragma once

#include "framework/graphics/Colors.h"
#include "skin/core/SKThemes.h"

class TBitmap;
class TskFileTheme;

// Skin files mark a look's dark or light text with a control font colour of #000001 to
// #000005 (blue 1 to 5, stored in the platform's colour order like every colour).
constexpr TColor ControlFontCode(int code) {
    return RGB(0, 0, code);
}

struct TskThemeSource {
    TskFileTheme* File = nullptr; // non-null only when the file is read
    TskUIStyle Effective = DeepBlue;

    static TskThemeSource For(TskFileTheme* fileTheme, TskUIStyle style);
    bool UsesFile() const { return File != nullptr; }

    TColor Color(int element) const;
    int Int(int element) const;
    bool Bool(int element) const;
    // The whole picture (frameCount 0) or frame frameIndex of frameCount into target
    // (through the shared frame cache); target becomes empty without a picture.
    void Bitmap(int element, TBitmap* target, int frameCount = 0, int frameIndex = 1) const;
};
