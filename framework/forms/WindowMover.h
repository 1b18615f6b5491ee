#pragma once

#include "framework/graphics/Types.h"

class QWidget;

// Moves a top-level window by a caption drag: pressed at a screen point, then fed the
// pointer's screen positions. Once the pointer has travelled the drag distance it asks
// the window system to move the window; where that is refused (no window manager,
// offscreen) it moves the window itself by the pointer's travel.
class TWindowMover {
public:
    void Press(QWidget* window, TPoint screenPoint);
    // Returns true while a drag is under way.
    bool Move(TPoint screenPoint);
    void Release();
    bool Dragging() const { return FDragging; }
    bool Pressed() const { return FWindow != nullptr; }

private:
    QWidget* FWindow = nullptr;
    TPoint FPress;
    TPoint FWindowAtPress;
    bool FDragging = false;
    bool FManual = false;
};
