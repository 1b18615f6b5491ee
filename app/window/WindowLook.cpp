#include "app/window/WindowLook.h"

#include <cstdio>

void ApplyWindowLook(TForm1* form, TskUIStyle style, TskFileTheme* theme) {
    ApplyStyleToChildren(form->skForm1, style, theme);
}

TskFileTheme* LoadWindowSkin(TForm1* form, const QString& file) {
    auto* theme = new TskFileTheme(form);
    theme->SetThemeFile(file);
    if (theme->CanUse()) {
        return theme;
    }
    if (theme->LastError().isEmpty()) {
        std::fprintf(stderr, "sumwarden: no skin file \"%s\" found; the window keeps its look\n",
                     qPrintable(file));
    }
    delete theme;
    return nullptr;
}
