// A popup menu whose items are all drawn by the skin in the look of its UIStyle.
#pragma once

#include "skin/core/SKMgr.h"
#include "skin/menus/SKMenuLook.h"

class TskPopupMenu : public TPopupMenu, public TskMenuLook {
    Q_OBJECT
    Q_PROPERTY(bool OwnerDraw READ OwnerDrawAlways WRITE IgnoreOwnerDraw)
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(int MenuItemHeight READ MenuItemHeight WRITE SetMenuItemHeight)
    Q_PROPERTY(int SeparatorHeight READ SeparatorHeight WRITE SetSeparatorHeight)
    Q_PROPERTY(int BarWidth READ BarWidth WRITE SetBarWidth)
    Q_PROPERTY(int BarColor READ BarColor WRITE SetBarColor)
    Q_PROPERTY(int Color READ MenuColor WRITE SetMenuColor)
    Q_PROPERTY(int SeparatorColor READ SeparatorColor WRITE SetSeparatorColor)
    Q_PROPERTY(int SelectedBorderColor READ SelectedBorderColor WRITE SetSelectedBorderColor)
    Q_PROPERTY(int SelectedColor READ SelectedColor WRITE SetSelectedColor)
    Q_PROPERTY(int SelectedFontColor READ SelectedFontColor WRITE SetSelectedFontColor)
    Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(bool FlatMenu READ FlatMenu WRITE SetFlatMenu)
    Q_PROPERTY(QString FontName READ FontName WRITE SetFontName)
    Q_PROPERTY(int FontSize READ FontSize WRITE SetFontSize)
    Q_PROPERTY(int FontCharset READ FontCharset WRITE SetFontCharset)
    Q_PROPERTY(bool UseSystemFont READ UseSystemFont WRITE SetUseSystemFont)
    Q_PROPERTY(BiDi::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(int AutoHotkeys READ AutoHotkeys WRITE SetAutoHotkeys)
public:
    explicit TskPopupMenu(TComponent* AOwner);

    bool OwnerDrawAlways() const { return true; }
    void IgnoreOwnerDraw(bool) {}
    bool DrawPopupFrame(TCanvas* canvas, const TRect& windowRect) override;

protected:
    void Loaded() override;
    void ItemInserted(TMenuItem* item) override;
    void Notification(TComponent* component, TOperation operation) override;
    const TImageList* CheckMarkImages() const override;
};
