// What the skinned main and popup menus share: their look properties, applying a look,
// and the measure and draw handlers they install on every item.
#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"
#include "framework/graphics/Colors.h"
#include "skin/core/SKThemes.h"

class TImageList;
class TskFileTheme;

// The published look properties of both skinned menus (a class using them also
// declares OwnerDrawAlways and IgnoreOwnerDraw).
#define SKIN_MENU_LOOK_PROPERTIES                                                                  \
    Q_PROPERTY(bool OwnerDraw READ OwnerDrawAlways WRITE IgnoreOwnerDraw)                          \
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)                          \
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)                       \
    Q_PROPERTY(int MenuItemHeight READ MenuItemHeight WRITE SetMenuItemHeight)                     \
    Q_PROPERTY(int SeparatorHeight READ SeparatorHeight WRITE SetSeparatorHeight)                  \
    Q_PROPERTY(int BarWidth READ BarWidth WRITE SetBarWidth)                                       \
    Q_PROPERTY(int BarColor READ BarColor WRITE SetBarColor)                                       \
    Q_PROPERTY(int Color READ MenuColor WRITE SetMenuColor)                                        \
    Q_PROPERTY(int SeparatorColor READ SeparatorColor WRITE SetSeparatorColor)                     \
    Q_PROPERTY(int SelectedBorderColor READ SelectedBorderColor WRITE SetSelectedBorderColor)      \
    Q_PROPERTY(int SelectedColor READ SelectedColor WRITE SetSelectedColor)                        \
    Q_PROPERTY(int SelectedFontColor READ SelectedFontColor WRITE SetSelectedFontColor)            \
    Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)                                    \
    Q_PROPERTY(int BorderColor READ BorderColor WRITE SetBorderColor)                              \
    Q_PROPERTY(bool FlatMenu READ FlatMenu WRITE SetFlatMenu)                                      \
    Q_PROPERTY(QString FontName READ FontName WRITE SetFontName)                                   \
    Q_PROPERTY(int FontSize READ FontSize WRITE SetFontSize)                                       \
    Q_PROPERTY(int FontCharset READ FontCharset WRITE SetFontCharset)                              \
    Q_PROPERTY(bool UseSystemFont READ UseSystemFont WRITE SetUseSystemFont)                       \
    Q_PROPERTY(TControl::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)                       \
    Q_PROPERTY(int AutoHotkeys READ AutoHotkeys WRITE SetAutoHotkeys)

class TskMenuLook {
public:
    explicit TskMenuLook(TMenu* menu);
    virtual ~TskMenuLook();
    TskMenuLook(const TskMenuLook&) = delete;
    TskMenuLook& operator=(const TskMenuLook&) = delete;

    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style) { ApplyStyle(style); }
    int MenuItemHeight() const { return FMenuItemHeight; }
    void SetMenuItemHeight(int value);
    int SeparatorHeight() const { return FSeparatorHeight; }
    void SetSeparatorHeight(int value);
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int value) { FBarWidth = value; }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor value) { FBarColor = value; }
    TColor MenuColor() const { return FColor; }
    void SetMenuColor(TColor value) { FColor = value; }
    TColor SeparatorColor() const { return FSeparatorColor; }
    void SetSeparatorColor(TColor value) { FSeparatorColor = value; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }
    void SetSelectedBorderColor(TColor value) { FSelectedBorderColor = value; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value) { FSelectedColor = value; }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor value) { FSelectedFontColor = value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value) { FFontColor = value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value) { FBorderColor = value; }
    bool FlatMenu() const { return FFlatMenu; }
    void SetFlatMenu(bool value) { FFlatMenu = value; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString& value) { FFontName = value; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int value) { FFontSize = value; }
    int FontCharset() const { return FFontCharset; }
    void SetFontCharset(int value) { FFontCharset = value; }
    bool UseSystemFont() const { return FUseSystemFont; }
    virtual void SetUseSystemFont(bool value) { FUseSystemFont = value; }
    TControl::TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TControl::TBiDiMode value) { FBiDiMode = value; }
    // Stored: captions keep the "&" they are given.
    int AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(int value) { FAutoHotkeys = value; }

    // Sets the look and reloads heights, bar width and colours from the theme.
    void ApplyStyle(TskUIStyle style);
    // Gives item and every item below it the skin's measure and draw handlers.
    void InstallHandlers(TMenuItem* item);
    // Items are laid out left to right (side bar on the left).
    bool LeftToRight() const;
    // The canvas font of an item: the menu font or FontName, FontSize, FontCharset.
    void ApplyItemFont(TFont* font) const;

    void MeasureItem(TMenuItem* item, TCanvas* canvas, int& width, int& height) const;
    void DrawItem(TMenuItem* item, TCanvas* canvas, const TRect& rect, bool selected) const;
    // With FlatMenu, the popup window's frame in black with the theme's form colour as
    // its shadow.
    bool DrawFrame(TCanvas* canvas, const TRect& windowRect) const;

protected:
    // The list item images come from, when the menu shows any.
    virtual const TImageList* ItemImages() const;
    // The list holding the check-mark picture.
    virtual const TImageList* CheckMarkImages() const = 0;
    TMenu* Menu() const { return FMenu; }

private:
    void DrawBackground(const TRect& rect, TCanvas* canvas, bool leftToRight) const;

    TMenu* FMenu;
    // Held for the menu; a theme that goes leaves the menu in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme;
    TskUIStyle FUIStyle = DeepBlue;
    int FMenuItemHeight;
    int FSeparatorHeight;
    int FBarWidth;
    TColor FBarColor;
    TColor FColor;
    TColor FSeparatorColor;
    TColor FSelectedBorderColor;
    TColor FSelectedColor;
    TColor FSelectedFontColor;
    TColor FFontColor;
    TColor FBorderColor;
    bool FFlatMenu = false;
    QString FFontName;
    int FFontSize;
    int FFontCharset;
    bool FUseSystemFont = true;
    TControl::TBiDiMode FBiDiMode = TControl::bdLeftToRight;
    int FAutoHotkeys = 0;
};

// A list holding the check-mark picture (white transparent).
void AddCheckMarkPicture(TImageList* list);
// The short-cut text of an item, empty without a short-cut.
QString ShortCutText(const TMenuItem* item);
