#include "framework/core/Persistent.h"

#include <QMetaProperty>

void TPersistent::Assign(const TPersistent* source) {
    if (source == nullptr || source == this) {
        return;
    }
    const QMetaObject* meta = metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable() && source->metaObject()->indexOfProperty(property.name()) >= 0) {
            property.write(this, source->property(property.name()));
        }
    }
}
