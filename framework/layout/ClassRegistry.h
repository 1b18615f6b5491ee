#pragma once

#include "framework/core/Component.h"

#include <QString>
#include <functional>

// Makes a component of one registered class, owned by owner.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// The classes a layout may name. The framework's own classes are registered on first
// use; other layers register theirs with REGISTER_CLASS in a .cpp file that is linked
// anyway (the class's own source).
void RegisterClass(const QString& className, TComponentFactory factory);
// The factory of a class, or an empty function when the class is unknown.
TComponentFactory FindClass(const QString& className);

template <class T>
bool RegisterComponentClass(const char* className) {
    RegisterClass(QString::fromLatin1(className),
                  [](TComponent* owner) -> TComponent* { return new T(owner); });
    return true;
}

#define REGISTER_CLASS(T)                                                                          \
    [[maybe_unused]] static const bool T##Registered = RegisterComponentClass<T>(#T)
