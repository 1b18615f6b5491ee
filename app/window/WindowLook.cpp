#include "app/window/WindowLook.h"

#include <cstdio>

void ApplyWindowLook(TForm1* form, TskUIStyle style, TskFileTheme* theme) {
    // The frame and its title bar take the look's own pictures; the form does not pass
    // its look on by itself, so its children get it here.
    form->skForm1->SetFileTheme(theme);
    form->skForm1->SetUIStyle(style);
    ApplyStyleToChildren(form->skForm1, style, theme);
    form->FileListMenu()->SetFileTheme(theme);
    form->FileListMenu()->SetUIStyle(style);
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
