#pragma once

#include "framework/core/Component.h"

#include <QMetaType>
#include <functional>
#include <type_traits>

// The layout reader's view of an event whose handler takes arguments after the sender:
// their types, and how to point the event at a handler found by name. A var argument
// (a reference) reaches the handler as the caller's own variable, so the handler can
// change it.
template <class... Args>
TComponent::TEventSlot MakeEventSlot(std::function<void(TObject* Sender, Args...)>& event) {
    QList<QMetaType> parameters{QMetaType::fromType<std::remove_cvref_t<Args>>()...};
    // Registered by name, so a handler's var parameter ("TRect&") is found by its name.
    for (const QMetaType& type : parameters) {
        type.id();
    }
    return {parameters, [&event](const TComponent::TEventInvoker& invoke) {
                event = [invoke](TObject* sender, Args... args) {
                    QObject* from = sender;
                    void* arguments[] = {nullptr, &from,
                                         const_cast<void*>(static_cast<const void*>(&args))...};
                    invoke(arguments);
                };
            }};
}
