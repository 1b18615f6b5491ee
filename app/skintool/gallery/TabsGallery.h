// The gallery section of the tab and page controls: page controls with the strip at the
// top and at the bottom, an overflowing strip scrolled by its buttons and a hidden tab.
#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>

class TskFileTheme;

// fileTheme is used only when look is FromThemeFile.
QImage PaintTabsGallery(TskUIStyle look, TskFileTheme* fileTheme);
