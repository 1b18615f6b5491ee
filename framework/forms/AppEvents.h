// Application-wide message hooks: every key that the application is about to give its
// focused control passes the registered hooks first, as the platform's messages
// (WM_KEYDOWN, WM_SYSKEYDOWN, then WM_CHAR or WM_SYSCHAR; WM_SYSKEYUP for Alt released
// alone), and a hook can consume it.
#pragma once

#include "framework/core/Component.h"
#include "framework/core/Messages.h"

#include <functional>

class TApplicationEvents : public TComponent {
    Q_OBJECT
public:
    // WParam: the virtual key (key downs) or the character code; LParam: the TShiftState
    // flags of the moment.
    using TMessageEvent = std::function<void(TMessage& Msg, bool& Handled)>;

    explicit TApplicationEvents(TComponent* AOwner);
    ~TApplicationEvents() override;

    TMessageEvent OnMessage;
};

// Runs the hooks of every TApplicationEvents on message; true when one handled it.
bool DispatchApplicationMessage(TMessage& message);
