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
