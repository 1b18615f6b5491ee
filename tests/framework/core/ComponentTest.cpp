#include "framework/core/Component.h"

#include "framework/core/Collection.h"
#include "framework/core/Timer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace {

// Records every notification it receives and drops a reference on removal.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Reference = nullptr;
    QList<QPair<QString, TOperation>> Seen;

    void Watch(TComponent* other) {
        Reference = other;
        other->FreeNotification(this);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        Seen.append({component->Name(), operation});
        if (operation == opRemove && component == Reference) {
            Reference = nullptr;
        }
    }
};

// Counts its destructions so tests see nothing is freed twice.
class TCounted : public TComponent {
public:
    TCounted(TComponent* owner, int* destroyed) : TComponent(owner), FDestroyed(destroyed) {}
    ~TCounted() override { ++*FDestroyed; }

private:
    int* FDestroyed;
};

TEST(ComponentTest, OwnerFreesOwnedComponentsOnce) {
    int destroyed = 0;
    auto* owner = new TComponent(nullptr);
    new TCounted(owner, &destroyed);
    auto* second = new TCounted(owner, &destroyed);
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(second->Owner(), owner);
    EXPECT_EQ(second->ComponentIndex(), 1);
    delete owner;
    EXPECT_EQ(destroyed, 2);
}

TEST(ComponentTest, FreeingAnOwnedComponentFirstTakesItOutOfItsOwner) {
    int destroyed = 0;
    TComponent owner(nullptr);
    auto* child = new TCounted(&owner, &destroyed);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(destroyed, 1);
}

TEST(ComponentTest, OwnerAndSiblingsHearOfInsertionAndRemoval) {
    TWatcher owner(nullptr);
    auto* sibling = new TWatcher(&owner);
    auto* other = new TComponent(nullptr);
    other->SetName(QStringLiteral("Other"));
    owner.InsertComponent(other);
    ASSERT_FALSE(owner.Seen.isEmpty());
    EXPECT_EQ(owner.Seen.last(), qMakePair(QStringLiteral("Other"), opInsert));
    EXPECT_EQ(sibling->Seen.last(), qMakePair(QStringLiteral("Other"), opInsert));
    delete other;
    EXPECT_EQ(owner.Seen.last(), qMakePair(QStringLiteral("Other"), opRemove));
    EXPECT_EQ(sibling->Seen.last(), qMakePair(QStringLiteral("Other"), opRemove));
}

TEST(ComponentTest, FreeNotificationClearsAReferenceWhicheverGoesFirst) {
    // The referenced component goes first: the watcher drops its pointer.
    {
        auto* target = new TComponent(nullptr);
        TWatcher watcher(nullptr);
        watcher.Watch(target);
        delete target;
        EXPECT_EQ(watcher.Reference, nullptr);
    }
    // The watcher goes first: the target must not notify a freed object later.
    {
        TComponent target(nullptr);
        auto* watcher = new TWatcher(nullptr);
        watcher->Watch(&target);
        delete watcher;
        target.SetName(QStringLiteral("StillAlive"));
    }
}

TEST(ComponentTest, ReferencesAcrossOneOwnerSurviveTheOwnersDestruction) {
    auto* owner = new TComponent(nullptr);
    auto* watcher = new TWatcher(owner);
    auto* target = new TComponent(owner);
    watcher->Watch(target);
    // Owned components are freed last first: the target before the watcher.
    delete owner;
    SUCCEED();
}

TEST(ComponentTest, FindComponentIgnoresCaseAndNamesAreUniquePerOwner) {
    TComponent owner(nullptr);
    auto* button = new TComponent(&owner);
    button->SetName(QStringLiteral("BtnMake"));
    EXPECT_EQ(owner.FindComponent(QStringLiteral("btnmake")), button);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("Missing")), nullptr);
    auto* other = new TComponent(&owner);
    EXPECT_THROW(other->SetName(QStringLiteral("BTNMAKE")), EComponentError);
    EXPECT_THROW(other->SetName(QStringLiteral("1st")), EComponentError);
    EXPECT_TRUE(other->Name().isEmpty());
}

TEST(ComponentTest, DestroyingStateReachesOwnedComponents) {
    class TProbe : public TComponent {
    public:
        TProbe(TComponent* owner, bool* ownerDestroying)
            : TComponent(owner), FFlag(ownerDestroying) {}
        ~TProbe() override { *FFlag = Owner() == nullptr && IsDestroying(); }

    private:
        bool* FFlag;
    };
    bool sawDestroying = false;
    auto* owner = new TComponent(nullptr);
    new TProbe(owner, &sawDestroying);
    delete owner;
    EXPECT_TRUE(sawDestroying);
}

TEST(ComponentTest, InsertComponentMovesBetweenOwnersAndKeepsNamesUnique) {
    TComponent first(nullptr);
    TComponent second(nullptr);
    auto* moving = new TComponent(&first);
    moving->SetName(QStringLiteral("Shared"));
    auto* clash = new TComponent(&second);
    clash->SetName(QStringLiteral("Shared"));
    EXPECT_THROW(second.InsertComponent(moving), EComponentError);
    EXPECT_EQ(moving->Owner(), &first);
    clash->SetName(QStringLiteral("Other"));
    second.InsertComponent(moving);
    EXPECT_EQ(moving->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.FindComponent(QStringLiteral("Shared")), moving);
    second.RemoveComponent(moving);
    EXPECT_EQ(moving->Owner(), nullptr);
    delete moving;
    EXPECT_EQ(second.ComponentCount(), 1);
}

TEST(ComponentTest, DesigningReachesOwnedComponents) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().testFlag(TComponent::csDesigning));
    owner.SetDesigning(false);
    EXPECT_FALSE(child->ComponentState().testFlag(TComponent::csDesigning));
}

TEST(ComponentTest, LoadingStateEndsInLoaded) {
    TComponent component(nullptr);
    component.BeginLoading();
    EXPECT_TRUE(component.IsLoading());
    component.Loaded();
    EXPECT_FALSE(component.IsLoading());
}

class TNamedItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Touch() { Changed(false); }
};

TEST(CollectionTest, OwnsItemsAndReportsUpdatesOncePerBatch) {
    TOwnedCollection<TNamedItem> collection;
    int updates = 0;
    TCollectionItem* lastItem = reinterpret_cast<TCollectionItem*>(1);
    collection.OnUpdate = [&](TCollectionItem* item) {
        ++updates;
        lastItem = item;
    };
    TNamedItem* first = collection.Add();
    TNamedItem* second = collection.Add();
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_EQ(updates, 2);
    second->Touch();
    EXPECT_EQ(lastItem, second);
    collection.BeginUpdate();
    collection.Add();
    first->Touch();
    collection.EndUpdate();
    EXPECT_EQ(updates, 4);
    EXPECT_EQ(lastItem, nullptr);
    TNamedItem* inserted = collection.Insert(0);
    EXPECT_EQ(inserted->Index(), 0);
    EXPECT_EQ(first->Index(), 1);
    collection.Delete(0);
    EXPECT_EQ(collection.Items(0), first);
    delete first;
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_EQ(collection.FindItemID(second->ID()), second);
    collection.Clear();
    EXPECT_EQ(collection.Count(), 0);
}

TEST(TimerTest, FiresWhileEnabledAndStopsWhenDisabled) {
    TTimer timer(nullptr);
    timer.SetInterval(1);
    int fired = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++fired;
        if (fired == 3) {
            timer.SetEnabled(false);
        }
    };
    QDeadlineTimer deadline(5000);
    while (timer.Enabled() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(timer.IsRunning());
}

TEST(TimerTest, DoesNotRunWhileLoadingOrWithZeroInterval) {
    TTimer timer(nullptr);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.IsRunning());
    timer.BeginLoading();
    timer.SetInterval(10);
    EXPECT_FALSE(timer.IsRunning());
    timer.Loaded();
    EXPECT_TRUE(timer.IsRunning());
}

} // namespace
