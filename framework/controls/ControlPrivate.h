#pragma once

// State the control translation units share; not part of the framework's interface.

class IControlWidget;
class TControl;

namespace control_private {

// The widget property that leads from a widget back to its control.
extern const char* const ControlProperty;
// The bridge of the event being translated (see TEventScope).
extern IControlWidget* gEventBridge;
extern TControl* gCaptureControl;

} // namespace control_private
