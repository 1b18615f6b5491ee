#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>

class TskFileTheme;

// The gallery section of this control family: every state, painted by the real code.
QImage PaintCheckBoxGallery(TskUIStyle look, TskFileTheme* fileTheme);
