// Review output of the painter: every picture on one contact sheet, and a few pictures
// put together the way the controls will draw them.
#pragma once

#include "resources/themepaint/Pictures.h"

#include <QImage>
#include <vector>

namespace themepaint {

QImage PaintContactSheet(const std::vector<NamedPicture>& pictures);
QImage PaintPreview(const std::vector<NamedPicture>& pictures);

} // namespace themepaint
