// The drag and dock events a layout may bind. They are kept for the layout's sake: the
// framework starts no drag and docks nothing, so none of them is raised.
#include "framework/controls/Control.h"
#include "framework/core/EventSlot.h"

std::optional<TComponent::TEventSlot> TControl::DragDockEventSlot(const QString& name) {
    if (name == QLatin1String("OnDragDrop")) {
        return MakeEventSlot(OnDragDrop);
    }
    if (name == QLatin1String("OnDragOver")) {
        return MakeEventSlot(OnDragOver);
    }
    if (name == QLatin1String("OnEndDrag")) {
        return MakeEventSlot(OnEndDrag);
    }
    if (name == QLatin1String("OnStartDrag")) {
        return MakeEventSlot(OnStartDrag);
    }
    if (name == QLatin1String("OnEndDock")) {
        return MakeEventSlot(OnEndDock);
    }
    if (name == QLatin1String("OnStartDock")) {
        return MakeEventSlot(OnStartDock);
    }
    if (name == QLatin1String("OnDockDrop")) {
        return MakeEventSlot(OnDockDrop);
    }
    if (name == QLatin1String("OnDockOver")) {
        return MakeEventSlot(OnDockOver);
    }
    if (name == QLatin1String("OnUnDock")) {
        return MakeEventSlot(OnUnDock);
    }
    if (name == QLatin1String("OnGetSiteInfo")) {
        return MakeEventSlot(OnGetSiteInfo);
    }
    return std::nullopt;
}
