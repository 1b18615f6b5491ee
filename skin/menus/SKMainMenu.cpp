#include "skin/menus/SKMainMenu.h"

#include "framework/forms/Form.h"
#include "framework/graphics/ImageList.h"

TskMainMenu::TskMainMenu(TComponent* AOwner)
    : TMainMenu(AOwner), TskMenuLook(this), FCheckMarks(std::make_unique<TImageList>(nullptr)) {
    AddCheckMarkPicture(FCheckMarks.get());
    TMenu::SetImages(FCheckMarks.get());
    ApplyStyle(GetFormUIStyle(AOwner));
    auto* form = qobject_cast<TCustomForm*>(AOwner);
    if (form == nullptr) {
        return;
    }
    // The form draws no menu bar of its own: its skinned form shows this menu.
    form->SetMenu(nullptr);
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* control = form->Controls(i);
        if (IsSkinnedForm(control)) {
            control->setProperty("Menu", QVariant::fromValue<TComponent*>(this));
            break;
        }
    }
}

TskMainMenu::~TskMainMenu() {
    Destroying();
    TMenu::SetImages(nullptr);
}

TComponent* TskMainMenu::UserImages() const {
    return Images() == FCheckMarks.get() ? nullptr : Images();
}

void TskMainMenu::SetUserImages(TComponent* images) {
    TMenu::SetImages(images != nullptr ? images : FCheckMarks.get());
}

void TskMainMenu::SetUseSystemFont(bool value) {
    TskMenuLook::SetUseSystemFont(value);
    if (FHost != nullptr) {
        FHost->UpdateMenuBarFont();
    }
}

bool TskMainMenu::DrawPopupFrame(TCanvas* canvas, const TRect& windowRect) {
    return DrawFrame(canvas, windowRect);
}

void TskMainMenu::Loaded() {
    TMainMenu::Loaded();
    InstallHandlers(Items());
    if (FHost != nullptr) {
        FHost->RebuildMenuBar();
    }
}

void TskMainMenu::ItemInserted(TMenuItem* item) {
    InstallHandlers(item);
    if (FHost != nullptr && !IsLoading()) {
        FHost->RebuildMenuBar();
    }
}

void TskMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    TMainMenu::MenuChanged(source, rebuild);
    if (FHost != nullptr) {
        FHost->UpdateMenuBar();
    }
}

void TskMainMenu::ImagesCleared() {
    // Without the user's images the menu still shows its check marks.
    TMenu::SetImages(FCheckMarks.get());
}

const TImageList* TskMainMenu::ItemImages() const {
    return qobject_cast<const TImageList*>(UserImages());
}

const TImageList* TskMainMenu::CheckMarkImages() const {
    return FCheckMarks.get();
}
