#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>

class TskFileTheme;

// The gallery section of this control family: every state, painted by the real code.
QImage PaintEditGallery(TskUIStyle look, TskFileTheme* fileTheme);
