// The program icon: a blue shield carrying a white check mark.
#pragma once

#include <QImage>

namespace themepaint {

// Painted for each size on its own, so the small sizes stay crisp.
QImage PaintProgramIcon(int size);

} // namespace themepaint
