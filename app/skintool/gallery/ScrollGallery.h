// The gallery section of the track bar, the scroll bar and the list view with its
// painted scroll bars.
#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>

class TskFileTheme;

QImage PaintScrollGallery(TskUIStyle look, TskFileTheme* fileTheme);
