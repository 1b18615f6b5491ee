#include "framework/core/Component.h"

#include "framework/core/ComponentReference.h"

#include <QRegularExpression>

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr) {
        AOwner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    Destroying();
    // Tell everyone holding a reference; each removes itself from our list in turn.
    while (!FFreeNotifies.isEmpty()) {
        TComponent* other = FFreeNotifies.takeLast();
        other->FFreeNotifies.removeAll(this);
        other->ClearReferencesTo(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr) {
        FOwner->RemoveComponent(this);
    }
}

int TComponent::ComponentIndex() const {
    return FOwner != nullptr ? static_cast<int>(FOwner->FComponents.indexOf(this)) : -1;
}

void TComponent::Destroying() {
    if (IsDestroying()) {
        return;
    }
    FComponentState |= csDestroying;
    for (TComponent* component : FComponents) {
        component->Destroying();
    }
}

void TComponent::DestroyComponents() {
    while (!FComponents.isEmpty()) {
        TComponent* component = FComponents.last();
        component->BeforeDestruction();
        Remove(component);
        delete component;
    }
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr || component->FOwner == this) {
        return;
    }
    // A refused move leaves the component with its old owner, so nothing leaks.
    ValidateRename(component, QString(), component->FName);
    if (component->FOwner != nullptr) {
        component->FOwner->RemoveComponent(component);
    }
    Insert(component);
    NotifyAll(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component == nullptr || component->FOwner != this) {
        return;
    }
    NotifyAll(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    FComponents.append(component);
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
    FComponents.removeAll(component);
    component->FOwner = nullptr;
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    // The owner and all its components learn of an insertion or removal, so siblings
    // drop references to a leaving component.
    if (operation == opRemove) {
        ClearReferencesTo(component);
    }
    Notification(component, operation);
    const QList<TComponent*> siblings = FComponents;
    for (TComponent* sibling : siblings) {
        if (sibling != component) {
            if (operation == opRemove) {
                sibling->ClearReferencesTo(component);
            }
            sibling->Notification(component, operation);
        }
    }
}

void TComponent::ClearReferencesTo(TComponent* removed) {
    QList<TComponentReferenceBase*> cleared;
    for (TComponentReferenceBase* reference : FReferences) {
        if (reference->FTarget == removed) {
            reference->FTarget = nullptr;
            cleared.append(reference);
        }
    }
    if (cleared.isEmpty()) {
        return;
    }
    RemoveFreeNotification(removed);
    if (IsDestroying()) {
        return;
    }
    TComponent* survivor = removed->IsDestroying() ? nullptr : removed;
    for (TComponentReferenceBase* reference : cleared) {
        // An earlier event may have set the reference again.
        if (FReferences.contains(reference) && reference->FTarget == nullptr) {
            reference->Cleared(survivor);
        }
    }
}

TComponent* TComponent::FindComponent(const QString& name) const {
    if (name.isEmpty()) {
        return nullptr;
    }
    for (TComponent* component : FComponents) {
        if (component->FName.compare(name, Qt::CaseInsensitive) == 0) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) {
        return;
    }
    if (!FFreeNotifies.contains(component)) {
        FFreeNotifies.append(component);
    }
    if (!component->FFreeNotifies.contains(this)) {
        component->FFreeNotifies.append(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr) {
        return;
    }
    FFreeNotifies.removeAll(component);
    component->FFreeNotifies.removeAll(this);
}

void TComponent::SetName(const QString& name) {
    if (name == FName) {
        return;
    }
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!name.isEmpty() && !identifier.match(name).hasMatch()) {
        throw EComponentError(
            QStringLiteral("''%1'' is not a valid component name").arg(name).toStdString());
    }
    if (FOwner != nullptr) {
        FOwner->ValidateRename(this, FName, name);
    }
    FName = name;
}

void TComponent::ValidateRename(TComponent* component, const QString& curName,
                                const QString& newName) {
    if (newName.isEmpty() || curName.compare(newName, Qt::CaseInsensitive) == 0) {
        return;
    }
    TComponent* existing = FindComponent(newName);
    if (existing != nullptr && existing != component) {
        throw EComponentError(
            QStringLiteral("A component named %1 already exists").arg(newName).toStdString());
    }
}

void TComponent::SetDesigning(bool designing) {
    FComponentState.setFlag(csDesigning, designing);
    for (TComponent* component : FComponents) {
        component->SetDesigning(designing);
    }
}

void TComponent::BeginLoading() {
    FComponentState |= csLoading;
    FComponentState |= csReading;
}

void TComponent::Loaded() {
    FComponentState &= ~TComponentState(csLoading | csReading);
}

void TComponent::SetParentComponent(TComponent*) {}

TNotifyEvent* TComponent::NotifyEvent(const QString&) {
    return nullptr;
}

std::optional<TComponent::TEventSlot> TComponent::EventSlot(const QString&) {
    return std::nullopt;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        RemoveFreeNotification(component);
    }
}
