#pragma once

#include "framework/core/Component.h"

#include <functional>

// The untyped part of a reference from one component (the holder) to another that it
// does not own. The reference registers with the holder and for the target's free
// notification; when the target is freed or leaves the holder's owner, the holder
// clears the reference before its own Notification runs, so no reference can dangle
// and no Notification override is needed to keep one.
class TComponentReferenceBase {
public:
    TComponentReferenceBase(const TComponentReferenceBase&) = delete;
    TComponentReferenceBase& operator=(const TComponentReferenceBase&) = delete;

protected:
    explicit TComponentReferenceBase(TComponent* holder);
    ~TComponentReferenceBase();

    TComponent* Target() const { return FTarget; }
    // Points at target; true when the reference changed.
    bool Point(TComponent* target);

private:
    friend class TComponent;
    // The target went away; survivor is the former target when it lives on (it only
    // left its owner), null when it is being freed.
    virtual void Cleared(TComponent* survivor) = 0;
    // Drops the free notification unless another reference of the holder still
    // points at target.
    void Unregister(TComponent* target);

    TComponent* FHolder;
    TComponent* FTarget = nullptr;
};

// A typed reference: Set re-registers on change, and the holder clears it when the
// target goes. OnCleared, when given, runs after such a clearing unless the holder
// itself is being destroyed; it is handed the former target only when that lives on,
// so it never touches a half-destroyed component.
template <class T>
class TComponentReference : public TComponentReferenceBase {
public:
    using TClearedEvent = std::function<void(T* survivor)>;

    explicit TComponentReference(TComponent* holder, TClearedEvent onCleared = {})
        : TComponentReferenceBase(holder), FOnCleared(std::move(onCleared)) {}

    T* Get() const { return static_cast<T*>(Target()); }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }

    // Points at target; true when the reference changed.
    bool Set(T* target) { return Point(target); }

private:
    void Cleared(TComponent* survivor) override {
        if (FOnCleared) {
            FOnCleared(static_cast<T*>(survivor));
        }
    }

    TClearedEvent FOnCleared;
};
