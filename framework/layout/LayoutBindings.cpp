#include "framework/layout/LayoutBindings.h"

#include <QHash>

namespace {

// Keyed by "Class.Property".
QString Key(const QString& className, const QString& member) {
    return className + QLatin1Char('.') + member;
}

QHash<QString, TNamesPropertyReader>& NamesProperties() {
    static QHash<QString, TNamesPropertyReader> readers;
    return readers;
}

QHash<QString, TFlagEventAccessor>& FlagEvents() {
    static QHash<QString, TFlagEventAccessor> events;
    return events;
}

template <class T>
T FindForClass(const QHash<QString, T>& table, const QMetaObject* meta, const QString& member) {
    for (; meta != nullptr; meta = meta->superClass()) {
        const auto found = table.constFind(Key(QString::fromLatin1(meta->className()), member));
        if (found != table.constEnd()) {
            return found.value();
        }
    }
    return T();
}

} // namespace

void RegisterNamesProperty(const QString& className, const QString& property,
                           TNamesPropertyReader reader) {
    NamesProperties().insert(Key(className, property), std::move(reader));
}

TNamesPropertyReader FindNamesProperty(const QMetaObject* meta, const QString& property) {
    return FindForClass(NamesProperties(), meta, property);
}

void RegisterFlagEvent(const QString& className, const QString& event,
                       TFlagEventAccessor accessor) {
    FlagEvents().insert(Key(className, event), std::move(accessor));
}

TFlagEventAccessor FindFlagEvent(const QMetaObject* meta, const QString& event) {
    return FindForClass(FlagEvents(), meta, event);
}
