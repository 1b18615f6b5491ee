// The reference holder: registration, clearing before the holder's Notification, the
// cleared event, and every reference the framework keeps, freed in every order.
#include "framework/core/ComponentReference.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/ToolBar.h"
#include "framework/forms/Form.h"
#include "framework/graphics/ImageList.h"
#include "tests/support/ReferenceOrders.h"

#include <gtest/gtest.h>

namespace {

// Two references and a record of what their cleared events were handed.
class TTwoRefHolder : public TComponent {
public:
    TTwoRefHolder(TComponent* owner, QList<TComponent*>* cleared)
        : TComponent(owner), FCleared(cleared) {}
    TComponentReference<TComponent> First{
        this, [this](TComponent* survivor) { FCleared->append(survivor); }};
    TComponentReference<TComponent> Second{this};
    // The reference seen from the holder's own Notification.
    QList<TComponent*> SeenInNotification;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) {
            SeenInNotification.append(First.Get());
        }
    }

private:
    QList<TComponent*>* FCleared;
};

template <class Holder>
TReferenceKind Kind(const char* name, std::function<TComponent*(TComponent*)> makeTarget,
                    std::function<void(Holder*, TComponent*)> set,
                    std::function<TComponent*(const Holder*)> get) {
    return {name, [](TComponent* owner) -> TComponent* { return new Holder(owner); },
            std::move(makeTarget),
            [set](TComponent* holder, TComponent* target) {
                set(static_cast<Holder*>(holder), target);
            },
            [get](const TComponent* holder) { return get(static_cast<const Holder*>(holder)); }};
}

} // namespace

TEST(ComponentReference, TheHolderClearsItBeforeItsNotificationAndTellsTheSurvivor) {
    QList<TComponent*> cleared;
    TComponent owner(nullptr);
    auto* holder = new TTwoRefHolder(&owner, &cleared);
    auto* leaving = new TComponent(&owner);
    holder->First.Set(leaving);
    owner.RemoveComponent(leaving);
    EXPECT_EQ(holder->First.Get(), nullptr);
    EXPECT_EQ(holder->SeenInNotification, QList<TComponent*>{nullptr});
    EXPECT_EQ(cleared, QList<TComponent*>{leaving}) << "a component that lives on is handed over";
    holder->First.Set(leaving);
    delete leaving;
    EXPECT_EQ(cleared, (QList<TComponent*>{leaving, nullptr}))
        << "a component being freed is not handed over";
}

TEST(ComponentReference, TwoReferencesToOneTargetKeepItRegisteredUntilBothLetGo) {
    QList<TComponent*> cleared;
    TTwoRefHolder holder(nullptr, &cleared);
    auto target = std::make_unique<TComponent>(nullptr);
    holder.First.Set(target.get());
    holder.Second.Set(target.get());
    holder.Second.Set(nullptr);
    target.reset();
    EXPECT_EQ(holder.First.Get(), nullptr) << "still told after the other let go";
    EXPECT_EQ(cleared.size(), 1);

    auto kept = std::make_unique<TComponent>(nullptr);
    {
        TTwoRefHolder shortLived(nullptr, &cleared);
        shortLived.First.Set(kept.get());
        shortLived.Second.Set(kept.get());
    }
    kept.reset();
    EXPECT_EQ(cleared.size(), 1) << "a freed holder is no longer told";
}

TEST(ComponentReference, AHolderBeingDestroyedIsNotAskedToReact) {
    QList<TComponent*> cleared;
    {
        TComponent owner(nullptr);
        auto* holder = new TTwoRefHolder(&owner, &cleared);
        // Freed first (last owned goes first) while the holder is being destroyed too.
        holder->First.Set(new TComponent(&owner));
    }
    EXPECT_TRUE(cleared.isEmpty());
}

TEST(ComponentReference, TheClearedEventMayPointTheReferenceElsewhere) {
    TComponent fallback(nullptr);
    TComponent holder(nullptr);
    TComponentReference<TComponent>* self = nullptr;
    TComponentReference<TComponent> reference(&holder, [&](TComponent*) { self->Set(&fallback); });
    self = &reference;
    reference.Set(new TComponent(nullptr));
    delete reference.Get();
    EXPECT_EQ(reference.Get(), &fallback);
    auto* second = new TComponent(nullptr);
    reference.Set(second);
    delete second;
    EXPECT_EQ(reference.Get(), &fallback) << "registered again on the way";
}

TEST(ComponentReference, EveryFrameworkReferenceSurvivesEveryOrderOfFreeing) {
    const auto makeMainMenu = [](TComponent* owner) -> TComponent* { return new TMainMenu(owner); };
    const auto makeImages = [](TComponent* owner) -> TComponent* { return new TImageList(owner); };
    TReferenceKind formMenu = Kind<TForm>(
        "form menu", makeMainMenu, [](TForm* form, TComponent* menu) { form->SetMenu(menu); },
        [](const TForm* form) { return form->Menu(); });
    // A menu tells its form of changes: after the form is gone it must not try.
    formMenu.Touch = [](TComponent* menu) {
        auto* mainMenu = static_cast<TMainMenu*>(menu);
        mainMenu->Items()->Add(new TMenuItem(mainMenu));
    };
    const QList<TReferenceKind> kinds{
        formMenu,
        Kind<TToolButton>(
            "tool button item",
            [](TComponent* owner) -> TComponent* { return new TMenuItem(owner); },
            [](TToolButton* button, TComponent* item) {
                button->SetMenuItem(static_cast<TMenuItem*>(item));
            },
            [](const TToolButton* button) { return button->MenuItem(); }),
        Kind<TToolBar>(
            "tool bar images", makeImages,
            [](TToolBar* bar, TComponent* images) { bar->SetImages(images); },
            [](const TToolBar* bar) { return bar->Images(); }),
        Kind<TPopupMenu>(
            "menu images", makeImages,
            [](TPopupMenu* menu, TComponent* images) { menu->SetImages(images); },
            [](const TPopupMenu* menu) { return menu->Images(); }),
        Kind<TPanel>(
            "popup menu", [](TComponent* owner) -> TComponent* { return new TPopupMenu(owner); },
            [](TPanel* panel, TComponent* menu) { panel->SetPopupMenu(menu); },
            [](const TPanel* panel) { return panel->PopupMenu(); }),
        Kind<TLabel>(
            "focus control", [](TComponent* owner) -> TComponent* { return new TEdit(owner); },
            [](TLabel* label, TComponent* edit) {
                label->SetFocusControl(static_cast<TEdit*>(edit));
            },
            [](const TLabel* label) { return label->FocusControl(); }),
    };
    for (const TReferenceKind& kind : kinds) {
        CheckReferenceInEveryOrder(kind);
    }
}

TEST(ComponentReference, AMenuHandedToAnotherFormOutlivesTheFirst) {
    TMainMenu menu(nullptr);
    auto second = std::make_unique<TForm>(nullptr);
    {
        TForm first(nullptr);
        first.SetMenu(&menu);
        second->SetMenu(&menu);
    }
    menu.Items()->Add(new TMenuItem(&menu));
    EXPECT_EQ(second->Menu(), &menu);
    second.reset();
    menu.Items()->Add(new TMenuItem(&menu));
}
