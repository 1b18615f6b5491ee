#pragma once

#include <QPoint>
#include <optional>

// State the control translation units share; not part of the framework's interface.

class IControlWidget;
class TControl;

namespace control_private {

// The widget property that leads from a widget back to its control.
extern const char* const ControlProperty;
// The bridge of the event being translated (see TEventScope).
extern IControlWidget* gEventBridge;
extern TControl* gCaptureControl;
// The global pointer position of the latest mouse event the boundary translated.
extern std::optional<QPoint> gLastCursorPos;

} // namespace control_private
