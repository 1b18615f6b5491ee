#pragma once

#include "framework/core/Persistent.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <functional>
#include <optional>

enum TOperation { opInsert, opRemove };

class TComponentReferenceBase;

// A named object with an owner. The owner frees what it owns; whoever goes first, the
// owner and every component that asked for a free notification are told, so nothing
// keeps a dangling reference and nothing is freed twice.
class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    enum TComponentStateFlag {
        csLoading = 0x1,
        csReading = 0x2,
        csDesigning = 0x4,
        csDestroying = 0x8,
    };
    Q_DECLARE_FLAGS(TComponentState, TComponentStateFlag)
    Q_FLAG(TComponentState)

    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    int ComponentIndex() const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    TComponent* FindComponent(const QString& name) const;
    // Frees every owned component, last first.
    void DestroyComponents();

    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    QString Name() const { return FName; }
    void SetName(const QString& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    TComponentState ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState.testFlag(csLoading); }
    bool IsDestroying() const { return FComponentState.testFlag(csDestroying); }
    void SetDesigning(bool designing);
    // The layout reader brackets reading with these: Loaded runs after every
    // property of the whole layout is set.
    void BeginLoading();
    virtual void Loaded();

    // Makes this component a part of parent, as a layout nests it (a control's
    // parent, a menu item's parent item); the default ignores it.
    virtual void SetParentComponent(TComponent* parent);

    // The notify event (TNotifyEvent member) published under name, or null; the
    // layout reader binds handlers through it.
    virtual TNotifyEvent* NotifyEvent(const QString& name);

    // Calls a handler with its arguments in Qt's meta-call layout: arguments[0] for the
    // result, then a pointer to the sender (a QObject*) and to each further argument.
    using TEventInvoker = std::function<void(void** arguments)>;
    // An event whose handler takes more than the sender (OnMouseDown, OnKeyDown...):
    // the types of the arguments after the sender, and how to point the event at an
    // invoker.
    struct TEventSlot {
        QList<QMetaType> Parameters;
        std::function<void(const TEventInvoker& invoke)> Assign;
    };
    // The event of that name, if this component publishes one; the layout reader binds
    // handlers through it.
    virtual std::optional<TEventSlot> EventSlot(const QString& name);

    // Runs before the component is freed by its owner, while every derived part is
    // still alive (a form raises OnDestroy here).
    virtual void BeforeDestruction() {}

    // Marks this component and what it owns as being destroyed; derived destructors
    // call it first so their own notifications see the state.
    void Destroying();

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    virtual void ValidateRename(TComponent* component, const QString& curName,
                                const QString& newName);

private:
    friend class TComponentReferenceBase;

    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyAll(TComponent* component, TOperation operation);
    // Clears this component's references to removed, then runs their cleared events.
    void ClearReferencesTo(TComponent* removed);

    TComponent* FOwner = nullptr;
    QList<TComponent*> FComponents;
    QList<TComponent*> FFreeNotifies;
    QList<TComponentReferenceBase*> FReferences;
    QString FName;
    int FTag = 0;
    TComponentState FComponentState;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TComponent::TComponentState)

// Raised when a component rule is broken (duplicate name, invalid name).
class EComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
