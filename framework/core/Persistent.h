#pragma once

#include <QObject>
#include <functional>

// The framework's root object is Qt's: components, fonts and string lists are QObjects.
using TObject = QObject;

// Events are plain callables; an empty one is not called.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Base of every object whose published properties a layout can set (fonts, pens,
// components). Published properties are Q_PROPERTYs, so the layout reader and
// "does the class publish X" both go through the meta-object.
class TPersistent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Copies the published state of another object of a compatible class.
    virtual void Assign(const TPersistent* source);
};
