// The skinned form's menu bar: made from its main menu's top-level items and drawn in
// the menu's look.
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemeSource.h"
#include "skin/frame/SKForm.h"

namespace {

constexpr TColor DisabledMenuText = RGB(0x80, 0x80, 0x80);
// White menu-bar text of file themes whose control font colour says so.
constexpr TColor LightControlFont = ControlFontCode(3);
constexpr int SelectedRightInset = 2;
constexpr int SelectedLeftInset = 2;
constexpr int TextDrop = 2;

} // namespace

TskUIStyle TskForm::MenuStyle() const {
    if (const auto* menu = qobject_cast<const TskMainMenu*>(FMenu.Get())) {
        return menu->UIStyle();
    }
    return FUIStyle;
}

TskFileTheme* TskForm::MenuFileTheme() const {
    if (const auto* menu = qobject_cast<const TskMainMenu*>(FMenu.Get())) {
        return menu->FileTheme();
    }
    return FFileTheme;
}

void TskForm::SetMenu(TComponent* menu) {
    ReleaseMenu(FMenu);
    FMenu.Set(menu);
    if (menu == nullptr) {
        RemoveMenuBar();
        return;
    }
    if (auto* skinned = qobject_cast<TskMainMenu*>(menu)) {
        skinned->SetHost(this);
    }
    if (FMenuBar == nullptr) {
        CreateMenuBar();
    }
    RebuildMenuBar();
}

void TskForm::CreateMenuBar() {
    if (FTitleBar == nullptr || FMenuBar != nullptr) {
        return;
    }
    FMenuBar = new TskMenuBar(this, this);
    FMenuBar->SetFlat(true);
    FMenuBar->SetEdgeBorders(0);
    FMenuBar->SetShowCaptions(true);
    FMenuBar->SetButtonHeight(FMenuBarHeight);
    FMenuBar->SetHeight(FMenuBarHeight);
    FMenuBar->SetColor(FMenuBarColor);
    FMenuBar->SetWrapable(true);
    FMenuBar->SetAutoSize(true);
    FMenuBar->SetTop(FTitleBar->Height());
    FMenuBar->SetParent(this);
    FMenuBar->OnCustomDraw = [this](TToolBar* bar, const TRect& rect, bool& defaultDraw) {
        if (MenuStyle() == MacOS) {
            TBitmap picture;
            picture.SetImage(LoadThemePicture(QStringLiteral("MACOS_MENU_BAR")));
            bar->CustomDrawCanvas()->StretchDraw(rect, &picture);
            defaultDraw = false;
        }
    };
    FMenuBar->OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button,
                                          TToolBar::TCustomDrawState, bool& defaultDraw) {
        DrawMenuBarButton(bar, button, defaultDraw);
    };
    FTitleBar->SetTop(0);
    UpdateMenuBarFont();
    if (!FHostForm.isNull()) {
        FHostForm->RecreateFrame();
    }
}

void TskForm::RemoveMenuBar() {
    delete FMenuBar;
    FMenuBar = nullptr;
    ReleaseMenu(FMenu);
    FMenu.Set(nullptr);
    InvalidateFrame();
}

void TskForm::ReleaseMenu(TComponent* menu) {
    if (auto* skinned = qobject_cast<TskMainMenu*>(menu);
        skinned != nullptr && skinned->Host() == this) {
        skinned->SetHost(nullptr);
    }
}

void TskForm::RebuildMenuBar() {
    if (FMenuBar == nullptr) {
        return;
    }
    auto* menu = qobject_cast<TMenu*>(FMenu.Get());
    if (menu == nullptr) {
        RemoveMenuBar();
        return;
    }
    FMenuBar->CloseMenu();
    FMenuBar->SetAutoSize(false);
    while (FMenuBar->ButtonCount() > 0) {
        delete FMenuBar->Buttons(FMenuBar->ButtonCount() - 1);
    }
    TMenuItem* items = menu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        auto* button = new TToolButton(this);
        button->SetGrouped(true);
        button->SetParent(FMenuBar);
        button->SetMenuItem(items->Items(i));
        button->SetEnabled(items->Items(i)->Enabled());
        button->SetVisible(items->Items(i)->Visible());
    }
    FMenuBar->SetAutoSize(true);
    UpdateMenuBarFont();
    InvalidateFrame();
}

void TskForm::UpdateMenuBar() {
    if (FMenuBar == nullptr) {
        return;
    }
    for (int i = 0; i < FMenuBar->ButtonCount(); ++i) {
        TToolButton* button = FMenuBar->Buttons(i);
        if (TMenuItem* item = button->MenuItem(); item != nullptr) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TskForm::UpdateMenuBarFont() {
    auto* menu = qobject_cast<TskMainMenu*>(FMenu.Get());
    if (FMenuBar == nullptr || menu == nullptr) {
        return;
    }
    menu->ApplyItemFont(FMenuBar->Font());
    FMenuBar->Realign();
    FMenuBar->Invalidate();
}

void TskForm::SetMenuBarColor(TColor value) {
    FMenuBarColor = value;
    if (FMenuBar != nullptr) {
        FMenuBar->SetColor(value);
    }
}

void TskForm::SetMenuBarHeight(int value) {
    FMenuBarHeight = value;
    if (FMenuBar != nullptr) {
        FMenuBar->SetButtonHeight(value);
        FMenuBar->SetHeight(value);
    }
}

void TskForm::DrawMenuBarButton(TToolBar* bar, TToolButton* button, bool& defaultDraw) {
    defaultDraw = false;
    TCanvas* canvas = bar->CustomDrawCanvas();
    const TskThemeSource theme = TskThemeSource::For(MenuFileTheme(), MenuStyle());
    canvas->SetFont(bar->Font());
    if (auto* menu = qobject_cast<TskMainMenu*>(FMenu.Get())) {
        menu->ApplyItemFont(canvas->Font());
        if (!menu->UseSystemFont()) {
            canvas->Font()->SetColor(menu->FontColor());
        }
    }
    const bool selected = button->Pressed() || button->Down() || button->Dropped();
    const bool hot = button->Hot() || selected;
    TRect rect = button->BoundsRect();
    canvas->Brush()->SetStyle(TBrush::bsClear);
    if (hot && MenuStyle() == MacOS) {
        TBitmap face;
        face.SetSize(rect.Width(), rect.Height());
        TBitmap picture;
        picture.SetImage(LoadThemePicture(QStringLiteral("MACOS_MENU_SELECT")));
        face.Canvas()->StretchDraw(Rect(0, 0, rect.Width(), rect.Height()), &picture);
        face.Canvas()->SetFont(canvas->Font());
        face.Canvas()->Font()->SetColor(theme.Color(MenuSelectedFontColor));
        face.Canvas()->Brush()->SetStyle(TBrush::bsClear);
        TRect text = Rect(0, TextDrop, rect.Width(), rect.Height());
        face.Canvas()->DrawText(button->Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        canvas->Draw(rect.Left, rect.Top, &face);
        return;
    }
    if (hot) {
        if (selected) {
            rect.Right -= SelectedRightInset;
        }
        canvas->Brush()->SetStyle(TBrush::bsSolid);
        FillRectColor(canvas, rect, theme.Color(MenuSelectedBackgroundColor));
        FrameRectColor(canvas, rect, theme.Color(MenuSelectedBorderColor));
        if (selected) {
            rect.Left += SelectedLeftInset;
        }
        rect.Top += TextDrop;
        canvas->Brush()->SetStyle(TBrush::bsClear);
        canvas->Font()->SetColor(theme.Color(MenuSelectedFontColor));
        canvas->DrawText(button->Caption(), rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        return;
    }
    rect.Top += TextDrop;
    TColor textColor = theme.Color(MenuFontColor);
    if (theme.UsesFile() && theme.Color(ControlFontColor) == LightControlFont) {
        textColor = clWhite;
    }
    canvas->Font()->SetColor(button->Enabled() ? textColor : DisabledMenuText);
    canvas->DrawText(button->Caption(), rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
