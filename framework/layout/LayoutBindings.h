#pragma once

#include "framework/core/Component.h"

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>

// What a class reads from a layout beyond its published properties and notify events:
// properties whose value is component names, and events that carry a var flag. The
// registrations hold for the class and every class derived from it.

// Reads a property written as one identifier ("PageControl = PageControl1") or as a list
// of identifiers ("Pages = (SheetA SheetB)"); names come in the order written.
using TNamesPropertyReader = std::function<void(TComponent* component, const QStringList& names)>;
void RegisterNamesProperty(const QString& className, const QString& property,
                           TNamesPropertyReader reader);
// The reader of meta's class or of its nearest base that registered one; empty if none.
TNamesPropertyReader FindNamesProperty(const QMetaObject* meta, const QString& property);

// An event that asks its handler whether something may happen ("OnChanging").
using TFlagEvent = std::function<void(TObject* Sender, bool& Allow)>;
// Gives the event member of a component of the registered class.
using TFlagEventAccessor = std::function<TFlagEvent*(TComponent* component)>;
void RegisterFlagEvent(const QString& className, const QString& event, TFlagEventAccessor accessor);
TFlagEventAccessor FindFlagEvent(const QMetaObject* meta, const QString& event);

template <class T>
bool RegisterFlagEventMember(const char* className, const char* event, TFlagEvent T::*member) {
    RegisterFlagEvent(QString::fromLatin1(className), QString::fromLatin1(event),
                      [member](TComponent* component) -> TFlagEvent* {
                          auto* typed = qobject_cast<T*>(component);
                          return typed != nullptr ? &(typed->*member) : nullptr;
                      });
    return true;
}
