#pragma once

#include "framework/core/Persistent.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class TCollection;

// One item of a collection (a list-view column, a status panel...). The collection
// owns its items; freeing an item takes it out of its collection. Items are made with
// TCollection::Add, which announces them once they are fully constructed.
class TCollectionItem : public TPersistent {
    Q_OBJECT
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    int Index() const;
    void SetIndex(int index);
    int ID() const { return FID; }
    virtual QString DisplayName() const;

protected:
    // Tells the collection this item changed; allItems asks for a full update.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// An owned, ordered list of items of one class. Changes are announced through the
// virtual Update (null item: the whole collection changed), batched by
// BeginUpdate/EndUpdate.
class TCollection : public TPersistent {
    Q_OBJECT
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // factory makes an item of the collection's item class (the layout reader adds
    // items through it).
    explicit TCollection(TItemFactory factory, QObject* owner = nullptr);
    ~TCollection() override;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const { return FItems.at(index); }
    TCollectionItem* FindItemID(int id) const;
    QObject* Owner() const { return FOwner; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* source) override;

    // Observers (the owning control) learn of every change after Update ran.
    std::function<void(TCollectionItem* item)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, bool added);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void Changed(TCollectionItem* item);

    TItemFactory FFactory;
    QObject* FOwner = nullptr;
    QList<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    bool FPendingUpdate = false;
};

// A collection of items of class T; Add and Items return T.
template <class T>
class TOwnedCollection : public TCollection {
public:
    explicit TOwnedCollection(QObject* owner = nullptr)
        : TCollection([](TCollection* c) { return new T(c); }, owner) {}
    T* Add() { return static_cast<T*>(TCollection::Add()); }
    T* Insert(int index) { return static_cast<T*>(TCollection::Insert(index)); }
    T* Items(int index) const { return static_cast<T*>(TCollection::Items(index)); }
};
