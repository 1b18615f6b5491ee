#pragma once

// Checks one kind of component reference in every order of freeing: the target before
// the holder, the holder before the target (then the target is touched, so a callback
// left behind in it would reach the freed holder), and a target that only leaves the
// owner both share. Run under valgrind or a sanitizer, a dangling pointer fails too.
#include "framework/core/Component.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

struct TReferenceKind {
    const char* Name;
    std::function<TComponent*(TComponent* owner)> MakeHolder;
    std::function<TComponent*(TComponent* owner)> MakeTarget;
    std::function<void(TComponent* holder, TComponent* target)> Set;
    std::function<TComponent*(const TComponent* holder)> Get;
    // Makes the target call whoever listens to it (a menu telling of a change).
    std::function<void(TComponent* target)> Touch = [](TComponent*) {};
    // What the holder shows once its target went (its fallback look...).
    std::function<void(const TComponent* holder)> CheckAfterLoss = [](const TComponent*) {};
};

inline void CheckReferenceInEveryOrder(const TReferenceKind& kind) {
    SCOPED_TRACE(kind.Name);
    {
        std::unique_ptr<TComponent> holder(kind.MakeHolder(nullptr));
        auto* target = kind.MakeTarget(nullptr);
        kind.Set(holder.get(), target);
        ASSERT_EQ(kind.Get(holder.get()), target);
        delete target;
        EXPECT_EQ(kind.Get(holder.get()), nullptr) << "target freed first";
        kind.CheckAfterLoss(holder.get());
    }
    {
        std::unique_ptr<TComponent> target(kind.MakeTarget(nullptr));
        auto* holder = kind.MakeHolder(nullptr);
        kind.Set(holder, target.get());
        delete holder;
        kind.Touch(target.get());
    }
    {
        TComponent owner(nullptr);
        TComponent* holder = kind.MakeHolder(&owner);
        std::unique_ptr<TComponent> target(kind.MakeTarget(&owner));
        kind.Set(holder, target.get());
        owner.RemoveComponent(target.get());
        EXPECT_EQ(kind.Get(holder), nullptr) << "target left the owner";
        kind.CheckAfterLoss(holder);
        kind.Touch(target.get());
        delete holder;
        kind.Touch(target.get());
    }
}
