// A popup menu whose items are all drawn by the skin in the look of its UIStyle.
#pragma once

#include "skin/core/SKMgr.h"
#include "skin/menus/SKMenuLook.h"

class TskPopupMenu : public TPopupMenu, public TskMenuLook {
    Q_OBJECT
    SKIN_MENU_LOOK_PROPERTIES
public:
    explicit TskPopupMenu(TComponent* AOwner);

    bool OwnerDrawAlways() const { return true; }
    void IgnoreOwnerDraw(bool) {}
    bool DrawPopupFrame(TCanvas* canvas, const TRect& windowRect) override;

protected:
    void Loaded() override;
    void ItemInserted(TMenuItem* item) override;
    const TImageList* CheckMarkImages() const override;
};
