#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemeSource.h"
#include "skin/menus/SKMainMenu.h"
#include "skin/menus/SKPopupMenu.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Marker = RGB(1, 2, 3);
constexpr int ItemWidth = 160;

TMenuItem* AddItem(TMenu& menu, const QString& caption) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
}

std::unique_ptr<TBitmap> Painted(const TskMenuLook& look, TMenuItem* item, bool selected,
                                 int height = 21) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(ItemWidth, height);
    bitmap->Image().fill(ColorToQRgb(Marker));
    look.DrawItem(item, bitmap->Canvas(), Rect(0, 0, ItemWidth, height), selected);
    return bitmap;
}

// True when every pixel of rect has the colour.
bool Filled(TBitmap& bitmap, const TRect& rect, TColor color) {
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            if (bitmap.Pixel(x, y) != color) {
                return false;
            }
        }
    }
    return true;
}

bool SameColumns(TBitmap& a, TBitmap& b, int from, int to) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = from; x < to; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

bool HasColor(TBitmap& bitmap, const TRect& rect, TColor color) {
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            if (bitmap.Pixel(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

TEST(SkinMenuLook, ConstructionAppliesTheOwnerFormsLookAndTheFontDefaults) {
    TskPopupMenu menu(nullptr);
    EXPECT_EQ(menu.UIStyle(), DeepBlue);
    EXPECT_TRUE(menu.OwnerDraw());
    menu.setProperty("OwnerDraw", false);
    EXPECT_TRUE(menu.property("OwnerDraw").toBool());
    EXPECT_EQ(menu.BarWidth(), 26);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.SeparatorHeight(), 5);
    EXPECT_EQ(menu.SeparatorColor(), RGB(0x84, 0x82, 0x84));
    EXPECT_EQ(menu.BorderColor(), clBlack);
    EXPECT_EQ(menu.FontName(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(menu.FontSize(), 8);
    EXPECT_EQ(menu.FontCharset(), 1);
    EXPECT_TRUE(menu.UseSystemFont());
    EXPECT_FALSE(menu.FlatMenu());
}

TEST(SkinMenuLook, BothMenusPublishTheLookProperties) {
    TskPopupMenu popup(nullptr);
    TskMainMenu main(nullptr);
    for (const char* name :
         {"OwnerDraw", "FileTheme", "UIStyle", "MenuItemHeight", "SeparatorHeight", "BarWidth",
          "BarColor", "Color", "SeparatorColor", "SelectedBorderColor", "SelectedColor",
          "SelectedFontColor", "FontColor", "BorderColor", "FlatMenu", "FontName", "FontSize",
          "FontCharset", "UseSystemFont"}) {
        EXPECT_TRUE(HasPublishedProperty(&popup, QString::fromLatin1(name))) << name;
        EXPECT_TRUE(HasPublishedProperty(&main, QString::fromLatin1(name))) << name;
    }
    EXPECT_TRUE(HasPublishedProperty(&main, QStringLiteral("Images")));
    popup.setProperty("UIStyle", QVariant::fromValue(MacOS));
    EXPECT_EQ(popup.MenuItemHeight(), 20);
}

TEST(SkinMenuLook, EveryLookTakesItsColoursFromTheTheme) {
    for (TskUIStyle style : {MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        TskMainMenu menu(nullptr);
        menu.SetUIStyle(style);
        const TskThemeSource theme = TskThemeSource::For(nullptr, style);
        EXPECT_EQ(menu.BarColor(), theme.Color(MenuBarColor)) << style;
        EXPECT_EQ(menu.MenuColor(), theme.Color(MenuBackgroundColor));
        EXPECT_EQ(menu.FontColor(), theme.Color(MenuFontColor));
        EXPECT_EQ(menu.SelectedBorderColor(), theme.Color(MenuSelectedBorderColor));
        EXPECT_EQ(menu.SelectedColor(), theme.Color(MenuSelectedBackgroundColor));
        EXPECT_EQ(menu.SelectedFontColor(), theme.Color(MenuSelectedFontColor));
        EXPECT_EQ(menu.MenuItemHeight(), style == MacOS ? 20 : 21);
        EXPECT_EQ(menu.SeparatorHeight(), style == MacOS ? 12 : 5);
        EXPECT_EQ(menu.SeparatorColor(), style == MacOS ? clBlack : RGB(0x84, 0x82, 0x84));
    }
}

TEST(SkinMenuLook, HeightsAreFixedInMacOsAndResetByEveryLook) {
    TskPopupMenu menu(nullptr);
    menu.SetUIStyle(MacOS);
    menu.SetMenuItemHeight(30);
    menu.SetSeparatorHeight(9);
    EXPECT_EQ(menu.MenuItemHeight(), 20);
    EXPECT_EQ(menu.SeparatorHeight(), 12);
    menu.SetUIStyle(WinXP);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    menu.SetMenuItemHeight(30);
    EXPECT_EQ(menu.MenuItemHeight(), 30);
    menu.SetUIStyle(WinXP);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
}

TEST(SkinMenuLook, MeasuresCaptionShortCutBarAndPadding) {
    TskPopupMenu menu(nullptr);
    TMenuItem* open = AddItem(menu, QStringLiteral("&Open"));
    open->SetShortCut(scCtrl | 'O');
    TMenuItem* line = AddItem(menu, QStringLiteral("-"));
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* canvas = measure.Canvas();
    int width = 0;
    int height = 0;
    open->OnMeasureItem(open, canvas, width, height);
    EXPECT_EQ(width, canvas->TextWidth(QStringLiteral("&Open")) +
                         canvas->TextWidth(QStringLiteral("Ctrl+O")) + 26 + 40);
    EXPECT_EQ(height, 21);
    line->OnMeasureItem(line, canvas, width, height);
    EXPECT_EQ(height, 5);
    menu.SetUIStyle(MacOS);
    line->OnMeasureItem(line, canvas, width, height);
    EXPECT_EQ(height, 12);
}

TEST(SkinMenuLook, HandlersReachItemsInsertedLaterAndUserOnChangeStaysFree) {
    TskPopupMenu menu(nullptr);
    int changes = 0;
    menu.OnChange = [&](TObject*) { ++changes; };
    TMenuItem* parent = AddItem(menu, QStringLiteral("File"));
    auto* child = new TMenuItem(&menu);
    child->SetCaption(QStringLiteral("Child"));
    parent->Add(child);
    EXPECT_TRUE(static_cast<bool>(parent->OnMeasureItem));
    EXPECT_TRUE(static_cast<bool>(child->OnAdvancedDrawItem));
    EXPECT_GE(changes, 2);
}

TEST(SkinMenuPaint, PlainItemHasTheSideBarAndTheBackground) {
    TskPopupMenu menu(nullptr);
    menu.SetUIStyle(WinXP);
    menu.SetBarColor(RGB(10, 20, 30));
    menu.SetMenuColor(RGB(200, 210, 220));
    TMenuItem* item = AddItem(menu, QString());
    auto bitmap = Painted(menu, item, false);
    EXPECT_TRUE(Filled(*bitmap, Rect(0, 0, 26, 21), RGB(10, 20, 30)));
    EXPECT_TRUE(Filled(*bitmap, Rect(26, 0, ItemWidth, 21), RGB(200, 210, 220)));
}

TEST(SkinMenuPaint, SelectedItemIsFilledAndFramedWithoutTheBar) {
    TskPopupMenu menu(nullptr);
    menu.SetUIStyle(DeepBlue);
    menu.SetSelectedColor(RGB(1, 100, 1));
    menu.SetSelectedBorderColor(RGB(100, 1, 1));
    TMenuItem* item = AddItem(menu, QString());
    auto bitmap = Painted(menu, item, true);
    EXPECT_TRUE(Filled(*bitmap, Rect(0, 0, ItemWidth, 1), RGB(100, 1, 1)));
    EXPECT_TRUE(Filled(*bitmap, Rect(0, 0, 1, 21), RGB(100, 1, 1)));
    EXPECT_TRUE(Filled(*bitmap, Rect(1, 1, ItemWidth - 1, 20), RGB(1, 100, 1)));
}

TEST(SkinMenuPaint, DisabledItemUnderTheMouseKeepsTheNormalBackgroundAndGreyText) {
    TskPopupMenu menu(nullptr);
    menu.SetUIStyle(WinXP);
    menu.SetMenuColor(clWhite);
    menu.SetSelectedColor(RGB(1, 100, 1));
    TMenuItem* item = AddItem(menu, QStringLiteral("Disabled"));
    item->SetEnabled(false);
    auto bitmap = Painted(menu, item, true);
    EXPECT_FALSE(HasColor(*bitmap, Rect(0, 0, ItemWidth, 21), RGB(1, 100, 1)));
    EXPECT_TRUE(HasColor(*bitmap, Rect(30, 4, ItemWidth, 21), RGB(0x80, 0x80, 0x80)));
    EXPECT_TRUE(Filled(*bitmap, Rect(0, 0, 26, 21), menu.BarColor()));
}

TEST(SkinMenuPaint, MacSeparatorShowsTheTopRowsOfTheMenuBarPicture) {
    TskPopupMenu menu(nullptr);
    menu.SetUIStyle(MacOS);
    TMenuItem* line = AddItem(menu, QStringLiteral("-"));
    auto bitmap = Painted(menu, line, false, 12);
    TBitmap expected;
    expected.SetSize(ItemWidth, 12);
    DrawMacMenuBar(expected.Canvas(), Rect(0, 0, ItemWidth, 12));
    EXPECT_TRUE(SameColumns(*bitmap, expected, 0, ItemWidth));
}

TEST(SkinMenuPaint, SeparatorLineLeavesTheBarOutOnEitherSide) {
    for (bool rightToLeft : {false, true}) {
        TskPopupMenu menu(nullptr);
        menu.SetUIStyle(DeepBlue);
        menu.SetBiDiMode(rightToLeft ? TControl::bdRightToLeft : TControl::bdLeftToRight);
        TMenuItem* line = AddItem(menu, QStringLiteral("-"));
        auto bitmap = Painted(menu, line, false, 5);
        TBitmap expected;
        expected.SetSize(ItemWidth, 5);
        const TRect bar = rightToLeft ? Rect(ItemWidth - 26, 0, ItemWidth, 5) : Rect(0, 0, 26, 5);
        const TRect rest = rightToLeft ? Rect(0, 0, ItemWidth - 26, 5) : Rect(26, 0, ItemWidth, 5);
        FillRectColor(expected.Canvas(), bar, menu.BarColor());
        FillRectColor(expected.Canvas(), rest, menu.MenuColor());
        DrawMenuSeparator(expected.Canvas(), Rect(0, 0, ItemWidth, 5), menu.SeparatorColor(), 26,
                          !rightToLeft);
        EXPECT_TRUE(SameColumns(*bitmap, expected, 0, ItemWidth)) << rightToLeft;
    }
}

TEST(SkinMenuPaint, CheckedItemWithoutImageShowsTheCheckMarkAtTheGlyphColumn) {
    TskMainMenu menu(nullptr);
    EXPECT_EQ(menu.UserImages(), nullptr);
    EXPECT_FALSE(menu.property("Images").value<TComponent*>());
    TMenuItem* item = AddItem(menu, QStringLiteral("Checked"));
    item->SetChecked(true);
    auto bitmap = Painted(menu, item, false);
    TBitmap expected;
    expected.SetSize(ItemWidth, 21);
    FillRectColor(expected.Canvas(), Rect(0, 0, 26, 21), menu.BarColor());
    TImageList marks(nullptr);
    AddCheckMarkPicture(&marks);
    marks.Draw(expected.Canvas(), 4, 3, 0);
    EXPECT_TRUE(SameColumns(*bitmap, expected, 0, 26));
    EXPECT_FALSE(Filled(*bitmap, Rect(4, 3, 20, 19), menu.BarColor()));
}

TEST(SkinMenuPaint, CheckedItemWithImageShowsItOnAFramedBox) {
    TskMainMenu menu(nullptr);
    TImageList images(nullptr);
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.Image().fill(qRgb(0, 0, 255));
    images.Add(&picture);
    menu.SetUserImages(&images);
    EXPECT_EQ(menu.UserImages(), &images);
    menu.SetSelectedColor(RGB(1, 200, 1));
    TMenuItem* item = AddItem(menu, QStringLiteral("Image"));
    item->SetChecked(true);
    item->SetImageIndex(0);
    auto bitmap = Painted(menu, item, false);
    EXPECT_TRUE(Filled(*bitmap, Rect(2, 1, 21, 2), clBlack));
    EXPECT_TRUE(Filled(*bitmap, Rect(2, 1, 3, 20), clBlack));
    EXPECT_TRUE(Filled(*bitmap, Rect(3, 2, 20, 3), RGB(1, 200, 1)));
    EXPECT_TRUE(Filled(*bitmap, Rect(4, 3, 20, 19), RGB(0, 0, 255)));
    // An index past the list is no image: the check mark shows instead.
    item->SetImageIndex(5);
    auto fallback = Painted(menu, item, false);
    EXPECT_FALSE(HasColor(*fallback, Rect(0, 0, 26, 21), clBlack) &&
                 Filled(*fallback, Rect(2, 1, 21, 2), clBlack));
}

TEST(SkinMenuPaint, RightToLeftPutsTheShortCutSixteenPixelsFromTheLeft) {
    TskPopupMenu menu(nullptr);
    menu.SetUIStyle(WinXP);
    menu.SetMenuColor(clWhite);
    menu.SetFontColor(clBlack);
    menu.SetBiDiMode(TControl::bdRightToLeft);
    TMenuItem* item = AddItem(menu, QString());
    item->SetShortCut(scCtrl | 'O');
    auto bitmap = Painted(menu, item, false);
    EXPECT_TRUE(Filled(*bitmap, Rect(ItemWidth - 26, 0, ItemWidth, 21), menu.BarColor()));
    EXPECT_TRUE(Filled(*bitmap, Rect(0, 0, 16, 21), clWhite));
    EXPECT_FALSE(Filled(*bitmap, Rect(16, 4, 20, 21), clWhite));
}

TEST(SkinMenuPaint, FlatMenuDrawsTheWindowFrameOnlyWhenSet) {
    TskPopupMenu menu(nullptr);
    TBitmap frame;
    frame.SetSize(50, 40);
    EXPECT_FALSE(menu.DrawPopupFrame(frame.Canvas(), Rect(0, 0, 50, 40)));
    menu.SetFlatMenu(true);
    EXPECT_TRUE(menu.DrawPopupFrame(frame.Canvas(), Rect(0, 0, 50, 40)));
    EXPECT_EQ(frame.Pixel(0, 1), clBlack);
}

TEST(SkinMainMenu, TakesTheOwnerFormsMenuPlace) {
    TForm form(nullptr);
    TMainMenu native(&form);
    form.SetMenu(&native);
    TskMainMenu menu(&form);
    EXPECT_EQ(form.Menu(), nullptr);
}

} // namespace
