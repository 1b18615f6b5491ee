#include "skin/menus/SKMenuLook.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemeSource.h"

namespace {

constexpr int DefaultItemHeight = 21;
constexpr int MacItemHeight = 20;
constexpr int DefaultSeparatorHeight = 5;
constexpr int MacSeparatorHeight = 12;
constexpr int StyledBarWidth = 26;
constexpr TColor MacSeparatorColor = clBlack;
constexpr TColor StyledSeparatorColor = RGB(0x84, 0x82, 0x84);
constexpr TColor UnstyledSeparatorColor = RGB(0x80, 0x80, 0x80);
constexpr TColor DisabledTextColor = RGB(0x80, 0x80, 0x80);
constexpr int DefaultFontPoints = 8;
constexpr int DefaultCharset = 1;

// Item geometry.
constexpr int MeasurePadding = 40;
constexpr int CaptionGap = 4;
constexpr int TextTop = 4;
constexpr int ShortCutGap = 16;
constexpr int GlyphGap = 4;
constexpr int GlyphFromRight = 20;
constexpr int GlyphTop = 3;

const char* const CheckMarkPictureName = "MENU_CHECKED";

} // namespace

void AddCheckMarkPicture(TImageList* list) {
    TBitmap picture;
    picture.SetImage(LoadThemePicture(QString::fromLatin1(CheckMarkPictureName)));
    list->AddMasked(&picture, clWhite);
}

QString ShortCutText(const TMenuItem* item) {
    return ShortCutToKeySequence(item->ShortCut()).toString(QKeySequence::NativeText);
}

TskMenuLook::TskMenuLook(TMenu* menu)
    : FMenu(menu), FFileTheme(menu, [this](TskFileTheme*) { ApplyStyle(DeepBlue); }),
      FMenuItemHeight(DefaultItemHeight), FSeparatorHeight(DefaultItemHeight), FBarWidth(0),
      FBarColor(clBtnFace), FColor(clWhite), FSeparatorColor(UnstyledSeparatorColor),
      FSelectedBorderColor(clHighlight), FSelectedColor(clHighlight), FSelectedFontColor(clWhite),
      FFontColor(clWhite), FBorderColor(clBlack), FFontName(QStringLiteral("MS Sans Serif")),
      FFontSize(DefaultFontPoints), FFontCharset(DefaultCharset) {
    menu->SetOwnerDraw(true);
}

TskMenuLook::~TskMenuLook() = default;

void TskMenuLook::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    ApplyStyle(FUIStyle);
}

void TskMenuLook::SetMenuItemHeight(int value) {
    if (FUIStyle != MacOS) {
        FMenuItemHeight = value;
    }
}

void TskMenuLook::SetSeparatorHeight(int value) {
    if (FUIStyle != MacOS) {
        FSeparatorHeight = value;
    }
}

void TskMenuLook::ApplyStyle(TskUIStyle style) {
    FUIStyle = style;
    FBarWidth = StyledBarWidth;
    const bool mac = style == MacOS;
    FMenuItemHeight = mac ? MacItemHeight : DefaultItemHeight;
    FSeparatorHeight = mac ? MacSeparatorHeight : DefaultSeparatorHeight;
    FSeparatorColor = mac ? MacSeparatorColor : StyledSeparatorColor;
    const TskThemeSource theme = TskThemeSource::For(FFileTheme, style);
    FBarColor = theme.Color(MenuBarColor);
    FColor = theme.Color(MenuBackgroundColor);
    FFontColor = theme.Color(MenuFontColor);
    FSelectedBorderColor = theme.Color(MenuSelectedBorderColor);
    FSelectedColor = theme.Color(MenuSelectedBackgroundColor);
    FSelectedFontColor = theme.Color(MenuSelectedFontColor);
}

void TskMenuLook::InstallHandlers(TMenuItem* item) {
    SetMenuItemHandlers(
        item,
        [this](TObject* sender, TCanvas* canvas, int& width, int& height) {
            MeasureItem(qobject_cast<TMenuItem*>(sender), canvas, width, height);
        },
        [this](TObject* sender, TCanvas* canvas, TRect rect, TMenuItem::TOwnerDrawState state) {
            DrawItem(qobject_cast<TMenuItem*>(sender), canvas, rect,
                     state.testFlag(TMenuItem::odSelected));
        });
}

bool TskMenuLook::LeftToRight() const {
    return FBiDiMode == TControl::bdLeftToRight && !SysLocaleMiddleEast();
}

void TskMenuLook::ApplyItemFont(TFont* font) const {
    if (FUseSystemFont) {
        SetSystemMenuFont(font);
        return;
    }
    font->SetName(FFontName);
    font->SetSize(FFontSize);
    font->SetCharset(static_cast<TFont::TFontCharset>(FFontCharset));
}

void TskMenuLook::MeasureItem(TMenuItem* item, TCanvas* canvas, int& width, int& height) const {
    if (item == nullptr || canvas == nullptr) {
        return;
    }
    height = item->IsLine() ? FSeparatorHeight : FMenuItemHeight;
    // Measured in the font the item is drawn in, so its text always fits.
    ApplyItemFont(canvas->Font());
    width = canvas->TextWidth(item->Caption()) + canvas->TextWidth(ShortCutText(item)) + FBarWidth +
            MeasurePadding;
}

void TskMenuLook::DrawBackground(const TRect& rect, TCanvas* canvas, bool leftToRight) const {
    if (FUIStyle == MacOS) {
        return;
    }
    TRect rest = rect;
    if (FBarWidth > 0) {
        TRect bar = rect;
        if (leftToRight) {
            bar.Right = rect.Left + FBarWidth;
            rest.Left = bar.Right;
        } else {
            bar.Left = rect.Right - FBarWidth;
            rest.Right = bar.Left;
        }
        FillRectColor(canvas, bar, FBarColor);
    }
    FillRectColor(canvas, rest, FColor);
}

void TskMenuLook::DrawItem(TMenuItem* item, TCanvas* canvas, const TRect& rect,
                           bool selected) const {
    if (item == nullptr || canvas == nullptr) {
        return;
    }
    const bool leftToRight = LeftToRight();
    const bool mac = FUIStyle == MacOS;
    canvas->Brush()->SetStyle(TBrush::bsSolid);
    if (item->IsLine()) {
        if (mac) {
            DrawMacMenuBar(canvas, rect);
        } else {
            DrawBackground(rect, canvas, leftToRight);
            DrawMenuSeparator(canvas, rect, FSeparatorColor, FBarWidth, leftToRight);
        }
        return;
    }
    const bool enabled = item->Enabled();
    if (selected && enabled) {
        if (mac) {
            DrawMacMenuSelect(canvas, rect);
        } else {
            FillRectColor(canvas, rect, FSelectedColor);
            FrameRectColor(canvas, rect, FSelectedBorderColor);
        }
    } else if (mac) {
        DrawMacMenuBarTall(canvas, rect);
    } else {
        DrawBackground(rect, canvas, leftToRight);
    }

    TFont* font = canvas->Font();
    ApplyItemFont(font);
    canvas->Brush()->SetStyle(TBrush::bsClear);
    font->SetColor(!enabled ? DisabledTextColor : selected ? FSelectedFontColor : FFontColor);
    if (item->Default()) {
        font->SetStyle(font->Style() | TFont::fsBold);
    }
    const int L = rect.Left;
    const int T = rect.Top;
    TRect captionRect =
        leftToRight ? Rect(L + FBarWidth + CaptionGap, T + TextTop, rect.Right, rect.Bottom)
                    : Rect(L, T + TextTop, rect.Right - FBarWidth - CaptionGap, rect.Bottom);
    canvas->DrawText(item->Caption(), captionRect,
                     DT_SINGLELINE | (leftToRight ? DT_LEFT : DT_RIGHT));
    const QString shortCut = ShortCutText(item);
    if (!shortCut.isEmpty()) {
        const int x =
            leftToRight ? rect.Right - canvas->TextWidth(shortCut) - ShortCutGap : L + ShortCutGap;
        canvas->TextOut(x, T + TextTop, shortCut);
    }

    const int x = leftToRight ? L + GlyphGap : rect.Right - GlyphFromRight;
    const TImageList* images = ItemImages();
    const bool hasImage =
        item->ImageIndex() != -1 && images != nullptr && item->ImageIndex() < images->Count();
    if (item->Checked()) {
        if (hasImage) {
            canvas->Brush()->SetStyle(TBrush::bsSolid);
            FrameRectColor(canvas, Rect(x - 2, T + 1, x + 17, T + 20), clBlack);
            FillRectColor(canvas, Rect(x - 1, T + 2, x + 16, T + 19), FSelectedColor);
        } else if (const TImageList* marks = CheckMarkImages(); marks != nullptr) {
            marks->Draw(canvas, x, T + GlyphTop, 0, enabled);
        }
    }
    if (hasImage) {
        images->Draw(canvas, x, T + GlyphTop, item->ImageIndex(), enabled);
    }
}

bool TskMenuLook::DrawFrame(TCanvas* canvas, const TRect& windowRect) const {
    if (!FFlatMenu) {
        return false;
    }
    const TskThemeSource theme = TskThemeSource::For(FFileTheme, FUIStyle);
    DrawMenuWindowFrame(canvas, windowRect, clBlack, theme.Color(FormBackgroundColor));
    return true;
}

const TImageList* TskMenuLook::ItemImages() const {
    return qobject_cast<const TImageList*>(FMenu->Images());
}
