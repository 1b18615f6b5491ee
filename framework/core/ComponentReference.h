#pragma once

#include "framework/core/Component.h"

// A reference from one component (the holder) to another that it does not own. The
// holder registers for the target's free notification, so when the target is freed
// the holder's Notification can clear the reference through Removed; a new target
// replaces the registration.
template <class T>
class TComponentReference {
public:
    explicit TComponentReference(TComponent* holder) : FHolder(holder) {}
    TComponentReference(const TComponentReference&) = delete;
    TComponentReference& operator=(const TComponentReference&) = delete;

    T* Get() const { return FTarget; }
    operator T*() const { return FTarget; }
    T* operator->() const { return FTarget; }

    // Points at target; true when the reference changed.
    bool Set(T* target) {
        if (target == FTarget) {
            return false;
        }
        if (FTarget != nullptr) {
            FTarget->RemoveFreeNotification(FHolder);
        }
        FTarget = target;
        if (FTarget != nullptr) {
            FTarget->FreeNotification(FHolder);
        }
        return true;
    }

    // For the holder's Notification: clears the reference when removed is its target
    // and true when that happened.
    bool Removed(const TComponent* removed, TOperation operation) {
        if (operation != opRemove || removed == nullptr ||
            removed != static_cast<const TComponent*>(FTarget)) {
            return false;
        }
        FTarget = nullptr;
        return true;
    }

private:
    TComponent* FHolder;
    T* FTarget = nullptr;
};
