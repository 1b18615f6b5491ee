#include "framework/core/ComponentReference.h"

TComponentReferenceBase::TComponentReferenceBase(TComponent* holder) : FHolder(holder) {
    FHolder->FReferences.append(this);
}

TComponentReferenceBase::~TComponentReferenceBase() {
    FHolder->FReferences.removeOne(this);
    if (FTarget != nullptr) {
        Unregister(FTarget);
    }
}

bool TComponentReferenceBase::Point(TComponent* target) {
    if (target == FTarget) {
        return false;
    }
    TComponent* previous = FTarget;
    FTarget = target;
    if (previous != nullptr) {
        Unregister(previous);
    }
    if (FTarget != nullptr) {
        FTarget->FreeNotification(FHolder);
    }
    return true;
}

void TComponentReferenceBase::Unregister(TComponent* target) {
    for (const TComponentReferenceBase* other : FHolder->FReferences) {
        if (other->FTarget == target) {
            return;
        }
    }
    target->RemoveFreeNotification(FHolder);
}
