#pragma once

#include "framework/graphics/Types.h"

#include <QPointer>
#include <QWidget>

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
    QPointer<QWidget> FWindow;
    TPoint FPress;
    TPoint FWindowAtPress;
    bool FDragging = false;
    bool FManual = false;
};

// A caption drag of window started by a press at screenPoint: an application-wide event
// filter feeds the pointer's moves to a TWindowMover and ends the drag on release (the
// press's implicit grab stays with the widget that was pressed). A new drag ends the
// previous one; a window destroyed meanwhile ends it quietly.
void StartCaptionDrag(QWidget* window, TPoint screenPoint);
// Whether a caption drag is waiting for moves or under way.
bool CaptionDragActive();

// A frame drag that resizes window from the given edges (Qt::LeftEdge...), started by a
// press at screenPoint: the window system resizes where it can, otherwise the window
// follows the pointer itself, never below its minimum size. Ends on release.
void StartFrameResize(QWidget* window, Qt::Edges edges, TPoint screenPoint);
