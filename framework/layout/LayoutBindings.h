#pragma once

#include "framework/core/Component.h"

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>

// What a class reads from a layout beyond its published properties and events:
// properties whose value is component names. A registration holds for the class and
// every class derived from it.

// Reads a property written as one identifier ("PageControl = PageControl1") or as a list
// of identifiers ("Pages = (SheetA SheetB)"); names come in the order written.
using TNamesPropertyReader = std::function<void(TComponent* component, const QStringList& names)>;
void RegisterNamesProperty(const QString& className, const QString& property,
                           TNamesPropertyReader reader);
// The reader of meta's class or of its nearest base that registered one; empty if none.
TNamesPropertyReader FindNamesProperty(const QMetaObject* meta, const QString& property);
