// Frames of theme pictures, decoded and cut once and then shared by every control that
// paints them. A frame is kept per source (a built-in look, or the generation of a file
// theme's loaded file), element and frame; loading another file into a theme starts a
// new generation, so its controls see the new pixels.
#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>
#include <QtGlobal>

class TBitmap;
class TskFileTheme;

// Frame frameIndex (from 1) of frameCount equal frames of the element's picture, read
// from fileTheme when UsingFileTheme says so and from the effective built-in look
// otherwise; a picture the file lacks comes from DeepBlue. frameCount 0 gives the whole
// picture. A null image when there is none.
QImage ThemeFrame(const TskFileTheme* fileTheme, TskUIStyle style, int element, int frameCount = 0,
                  int frameIndex = 1);
// The same into a bitmap, which becomes empty when there is no picture.
void LoadThemeFrame(const TskFileTheme* fileTheme, TskUIStyle style, int element, TBitmap* target,
                    int frameCount = 0, int frameIndex = 1);

// The colour of a colour element, read like ThemeFrame reads pictures.
quint32 ThemeColor(const TskFileTheme* fileTheme, TskUIStyle style, int element);

// A generation number no file theme has used before (never 0).
quint64 NewThemeGeneration();
// Drops the frames cut from the file of that generation.
void ForgetThemeFrames(quint64 generation);
// How many frames are kept right now.
int CachedThemeFrameCount();
