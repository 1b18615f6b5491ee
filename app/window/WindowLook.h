#pragma once
// Gives the main window another look than its stored one, chosen at start.
#include "app/window/UnitFrmMain.h"
#include "skin/core/SKMgr.h"

// Draws the frame and every skinned control of the window in style (with theme when
// style is FromThemeFile).
void ApplyWindowLook(TForm1* form, TskUIStyle style, TskFileTheme* theme);

// Loads file into a theme the window owns. nullptr when it cannot be used: a refused file
// has had the skin files' own message box, a file found nowhere gets a line on stderr.
TskFileTheme* LoadWindowSkin(TForm1* form, const QString& file);
