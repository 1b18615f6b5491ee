#pragma once

#include <QByteArray>

// Loads bytes as a skin file into a file theme and paints every skinned button, check
// box, edit and image panel from it in every state. Needs a QApplication. Whatever the
// bytes, this must neither crash nor allocate without bound.
void PaintEveryControlFromSkin(const QByteArray& bytes);
