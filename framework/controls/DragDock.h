#pragma once

#include "framework/core/Persistent.h"
#include "framework/graphics/Types.h"

#include <QObject>
#include <QStringList>
#include <functional>

class TControl;
class TWinControl;
class TCustomForm;

// Dragging and docking as layouts publish them. The framework drags and docks no
// controls of its own; files dragged from other programs arrive as drags whose source
// is a TFileDragObject, through OnDragOver and OnDragDrop.
class TDragObject : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

// What a drag from another program (a file manager) carries: the local files and folders.
class TFileDragObject : public TDragObject {
    Q_OBJECT
public:
    explicit TFileDragObject(const QStringList& files) : FFiles(files) {}
    const QStringList& Files() const { return FFiles; }

private:
    QStringList FFiles;
};

// Makes the form's window take files dragged from other programs. Such a drag goes to the
// innermost control under the pointer whose DragOver accepts it, trying the control there
// and then its parents: OnDragOver is raised with dsDragEnter, dsDragMove and dsDragLeave
// and OnDragDrop on the drop. Other drags (text) keep the widgets' own handling.
void AcceptFileDrops(TCustomForm* form);

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
