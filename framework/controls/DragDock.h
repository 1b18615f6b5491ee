#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Types.h"

#include <QObject>
#include <functional>

class TControl;
class TWinControl;

// Dragging and docking as layouts publish them. The framework drags and docks no
// controls, so handlers of these events are bound by name and kept but never called.
class TDragObject : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

class TDragDockObject : public TDragObject {
    Q_OBJECT
public:
    using TDragObject::TDragObject;
};

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
// Also the end of a dock: Target is what the control was dropped on, or null.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TDockOverEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TUnDockEvent =
    std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient,
                                             TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
