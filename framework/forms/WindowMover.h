#pragma once

#include "framework/graphics/Types.h"

#include <QPointer>
#include <QWidget>

// Moves a top-level window by a caption drag: pressed at a screen point, then fed the
// pointer's screen positions. Once the pointer has travelled the drag distance it moves
// the window by the pointer's travel itself, to the end of the drag, so the window follows
// the pointer exactly with or without a window manager. Where only the window system may
// place windows (Wayland) the move is handed over to it, once the window stands where the
// pointer took it and the pointer has not moved on (reported by WindowMoved).
class TWindowMover {
public:
    void Press(QWidget* window, TPoint screenPoint);
    // Returns true while a drag is under way.
    bool Move(TPoint screenPoint);
    // The window system reports that the window moved.
    void WindowMoved();
    void Release();
    bool Dragging() const { return FDragging; }
    bool Pressed() const { return FWindow != nullptr; }
    QWidget* Window() const { return FWindow; }

private:
    QPointer<QWidget> FWindow;
    TPoint FPress;
    TPoint FWindowAtPress;
    // Where the mover last put the window.
    QPoint FTarget;
    bool FDragging = false;
    // Whether the window system is still to be asked to take the move over.
    bool FHandOver = false;
    bool FMoving = false;
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
