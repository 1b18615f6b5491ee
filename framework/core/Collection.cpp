#include "framework/core/Collection.h"

TCollectionItem::TCollectionItem(TCollection* collection) {
    if (collection != nullptr) {
        collection->InsertItem(this);
    }
}

TCollectionItem::~TCollectionItem() {
    if (FCollection != nullptr) {
        FCollection->RemoveItem(this);
    }
}

int TCollectionItem::Index() const {
    return FCollection != nullptr ? static_cast<int>(FCollection->FItems.indexOf(this)) : -1;
}

void TCollectionItem::SetIndex(int index) {
    const int current = Index();
    if (current < 0 || index == current || index < 0 || index >= FCollection->Count()) {
        return;
    }
    FCollection->FItems.move(current, index);
    Changed(true);
}

QString TCollectionItem::DisplayName() const {
    return QString::fromLatin1(metaObject()->className());
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection != nullptr) {
        FCollection->Changed(allItems ? nullptr : this);
    }
}

TCollection::TCollection(TItemFactory factory, QObject* owner)
    : FFactory(std::move(factory)), FOwner(owner) {}

TCollection::~TCollection() {
    FUpdateCount = 1;
    while (!FItems.isEmpty()) {
        delete FItems.last();
    }
}

TCollectionItem* TCollection::Add() {
    // The item is announced once it is fully constructed, so observers may read it.
    TCollectionItem* item = FFactory(this);
    Notify(item, true);
    Changed(nullptr);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    delete FItems.at(index);
}

void TCollection::Clear() {
    if (FItems.isEmpty()) {
        return;
    }
    BeginUpdate();
    while (!FItems.isEmpty()) {
        delete FItems.last();
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems) {
        if (item->FID == id) {
            return item;
        }
    }
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FPendingUpdate) {
        FPendingUpdate = false;
        Changed(nullptr);
    }
}

void TCollection::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TCollection*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : other->FItems) {
        Add()->Assign(item);
    }
    EndUpdate();
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.append(item);
    item->FCollection = this;
    item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, false);
    FItems.removeAll(item);
    item->FCollection = nullptr;
    Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (FUpdateCount > 0) {
        FPendingUpdate = true;
        return;
    }
    Update(item);
    if (OnUpdate) {
        OnUpdate(item);
    }
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, bool) {}
