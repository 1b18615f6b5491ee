// The gallery section of the skinned window: a form with its title bar, frame, menu bar
// and an open drop-down, and the title bar of an inactive window.
#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>

class TskFileTheme;

QImage PaintFrameGallery(TskUIStyle look, TskFileTheme* fileTheme);
