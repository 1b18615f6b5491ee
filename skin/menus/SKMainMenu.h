// A main menu whose items are all drawn by the skin; a skinned form shows it in its menu
// bar instead of the platform's.
#pragma once

#include "skin/core/SKMgr.h"
#include "skin/menus/SKMenuLook.h"

#include <memory>

// What a skinned form offers the main menu it shows.
class TskMenuBarHost {
public:
    virtual ~TskMenuBarHost() = default;
    // One button per top-level item, in menu order.
    virtual void RebuildMenuBar() = 0;
    // The buttons take their items' captions and enabled states.
    virtual void UpdateMenuBar() = 0;
    virtual void UpdateMenuBarFont() = 0;
};

class TskMainMenu : public TMainMenu, public TskMenuLook {
    Q_OBJECT
    SKIN_MENU_LOOK_PROPERTIES
    Q_PROPERTY(TComponent* Images READ UserImages WRITE SetUserImages)
public:
    explicit TskMainMenu(TComponent* AOwner);
    ~TskMainMenu() override;

    bool OwnerDrawAlways() const { return true; }
    void IgnoreOwnerDraw(bool) {}
    // The image list the user assigned; the private check-mark list never shows here.
    TComponent* UserImages() const;
    void SetUserImages(TComponent* images);
    void SetUseSystemFont(bool value) override;
    bool DrawPopupFrame(TCanvas* canvas, const TRect& windowRect) override;

    TskMenuBarHost* Host() const { return FHost; }
    // Set by the skinned form that shows this menu (nullptr when it lets go).
    void SetHost(TskMenuBarHost* host) { FHost = host; }

protected:
    void Loaded() override;
    void ItemInserted(TMenuItem* item) override;
    void MenuChanged(TMenuItem* source, bool rebuild) override;
    void ImagesCleared() override;
    const TImageList* ItemImages() const override;
    const TImageList* CheckMarkImages() const override;

private:
    std::unique_ptr<TImageList> FCheckMarks;
    TskMenuBarHost* FHost = nullptr;
};
