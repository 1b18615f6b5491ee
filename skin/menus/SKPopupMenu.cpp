#include "skin/menus/SKPopupMenu.h"

#include "framework/graphics/ImageList.h"

namespace {

// One check-mark list for every skinned popup menu, made on first use.
const TImageList* SharedCheckMarks() {
    static const std::unique_ptr<TImageList> list = [] {
        auto made = std::make_unique<TImageList>(nullptr);
        AddCheckMarkPicture(made.get());
        return made;
    }();
    return list.get();
}

} // namespace

TskPopupMenu::TskPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner), TskMenuLook(this) {
    ApplyStyle(GetFormUIStyle(AOwner));
}

bool TskPopupMenu::DrawPopupFrame(TCanvas* canvas, const TRect& windowRect) {
    return DrawFrame(canvas, windowRect);
}

void TskPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    InstallHandlers(Items());
}

void TskPopupMenu::ItemInserted(TMenuItem* item) {
    InstallHandlers(item);
}

const TImageList* TskPopupMenu::CheckMarkImages() const {
    return SharedCheckMarks();
}
