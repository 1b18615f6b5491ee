#include "skin/frame/SKTitleBar.h"

#include "framework/core/Application.h"
#include "framework/core/EventSlot.h"
#include "framework/core/Timer.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemeSource.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

namespace {

const char* const AppIconResource = ":/icons/MAINICON-16.png";

// The frame that a skinned form paints around its title bar.
constexpr int SkinnedFrame = 3;
constexpr int TitleButtonFrames = 18;
// The system menu opens this far to the right for right-to-left reading.
constexpr int RightToLeftMenuShift = 176;

int FirstGlyphFrame(TskTitleBarBtnType type) {
    switch (type) {
    case skMax:
        return 7;
    case skMin:
        return 13;
    case skClose:
        return 16;
    case skHelp:
        return 4;
    case skControlBox:
        return 1;
    case skCustom:
        break;
    }
    return 0;
}
constexpr int RestoreGlyphFrame = 10;

void CopyPicture(TPicture* target, const TPicture* source) {
    target->Assign(source);
}

} // namespace

// ---- sections ------------------------------------------------------------------------

TskTitleBarSection::TskTitleBarSection(TCollection* collection)
    : TCollectionItem(collection), FPicture(new TPicture(this)) {
    FPicture->OnChange = [this](TObject*) { Changed(false); };
}

void TskTitleBarSection::SetWidth(int value) {
    FWidth = value;
    Changed(false);
}

void TskTitleBarSection::SetAlign(TskTitleBarAlign value) {
    if (value == skClient) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TskTitleBarSection*>(Collection()->Items(i));
            if (other != this && other->FAlign == skClient) {
                ShowSkinError(QStringLiteral("Sorry, only one section's Align property can be "
                                             "\"skClient\""));
                return;
            }
        }
        FStretch = true;
    }
    FAlign = value;
    Changed(false);
}

void TskTitleBarSection::SetPicture(const TPicture* picture) {
    CopyPicture(FPicture, picture);
    if (FAutoSize) {
        FWidth = FPicture->Width();
    }
    Changed(false);
}

void TskTitleBarSection::SetStretch(bool value) {
    FStretch = value || FAlign == skClient;
    Changed(false);
}

void TskTitleBarSection::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FPicture->Graphic() != nullptr && FPicture->Width() > 0) {
        FWidth = FPicture->Width();
    }
    Changed(false);
}

void TskTitleBarSection::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TskTitleBarSection*>(source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    SetWidth(other->FWidth);
    SetAlign(other->FAlign);
    SetPicture(other->FPicture);
    SetStretch(other->FStretch);
    SetAutoSize(other->FAutoSize);
}

// ---- buttons -------------------------------------------------------------------------

TskTitleBarButton::TskTitleBarButton(TCollection* collection)
    : TCollectionItem(collection), FPicNormal(new TPicture(this)), FPicMouseOn(new TPicture(this)),
      FPicMouseDown(new TPicture(this)) {
    SetUIStyle(DeepBlue);
}

TskTitleBar* TskTitleBarButton::TitleBar() const {
    return Collection() != nullptr ? qobject_cast<TskTitleBar*>(Collection()->Owner()) : nullptr;
}

void TskTitleBarButton::SetVisible(bool value) {
    FVisible = value;
    Changed(false);
}

void TskTitleBarButton::SetButtonType(TskTitleBarBtnType value) {
    if (value == skControlBox && Collection() != nullptr) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TskTitleBarButton*>(Collection()->Items(i));
            if (other != this && other->FButtonType == skControlBox) {
                ShowSkinError(QStringLiteral("Sorry, only one button's ButtonType property can be "
                                             "\"skControlBox\""));
                return;
            }
        }
    }
    FButtonType = value;
    ReloadPictures();
    Changed(false);
}

void TskTitleBarButton::SetTransparent(bool value) {
    FTransparent = value;
    Changed(false);
}

void TskTitleBarButton::SetTop(int value) {
    FTop = value;
    Changed(false);
}

void TskTitleBarButton::SetUIStyle(TskUIStyle value) {
    FUIStyle = value;
    ReloadPictures();
    Changed(false);
}

void TskTitleBarButton::SetPicNormal(const TPicture* picture) {
    CopyPicture(FPicNormal, picture);
    Changed(false);
}

void TskTitleBarButton::SetPicMouseOn(const TPicture* picture) {
    CopyPicture(FPicMouseOn, picture);
    Changed(false);
}

void TskTitleBarButton::SetPicMouseDown(const TPicture* picture) {
    CopyPicture(FPicMouseDown, picture);
    Changed(false);
}

void TskTitleBarButton::SetControlBoxMenu(TComponent* menu) {
    FControlBoxMenu = menu;
    Changed(false);
}

void TskTitleBarButton::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TskTitleBarButton*>(source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    SetVisible(other->FVisible);
    SetButtonType(other->FButtonType);
    SetTransparent(other->FTransparent);
    SetTop(other->FTop);
    SetUIStyle(other->FUIStyle);
    CopyPicture(FPicNormal, other->FPicNormal);
    CopyPicture(FPicMouseOn, other->FPicMouseOn);
    CopyPicture(FPicMouseDown, other->FPicMouseDown);
    FControlBoxMenu = other->FControlBoxMenu;
    Changed(false);
}

void TskTitleBarButton::CutGlyph(int firstFrame) {
    TskTitleBar* bar = TitleBar();
    const TskThemeSource theme =
        TskThemeSource::For(bar != nullptr ? bar->FileTheme() : nullptr, FUIStyle);
    TPicture* pictures[] = {FPicNormal, FPicMouseOn, FPicMouseDown};
    for (int i = 0; i < 3; ++i) {
        TBitmap frame;
        theme.Bitmap(TitleBarButtonImage, &frame, TitleButtonFrames, firstFrame + i);
        pictures[i]->SetGraphic(frame.Empty() ? nullptr : &frame);
    }
}

void TskTitleBarButton::ReloadPictures() {
    TskTitleBar* bar = TitleBar();
    const TskThemeSource theme =
        TskThemeSource::For(bar != nullptr ? bar->FileTheme() : nullptr, FUIStyle);
    FTransparent = theme.Bool(TitleBarButtonTransparentBool);
    if (FButtonType == skCustom) {
        return;
    }
    CutGlyph(FirstGlyphFrame(FButtonType));
    FTop = theme.Int(TitleBarButtonTopInt);
    if (FButtonType == skMax) {
        RefreshMaximizeGlyph();
    }
}

void TskTitleBarButton::RefreshMaximizeGlyph() {
    TskTitleBar* bar = TitleBar();
    if (bar == nullptr || bar->Custom()) {
        return;
    }
    const TCustomForm* host = bar->GetParentForm();
    const bool maximized = host != nullptr && host->WindowState() == TCustomForm::wsMaximized;
    CutGlyph(maximized ? RestoreGlyphFrame : FirstGlyphFrame(skMax));
}

// ---- system menu ---------------------------------------------------------------------

TskTitleBarPopupMenu::TskTitleBarPopupMenu(TskTitleBar* titleBar)
    : TskPopupMenu(nullptr), FTitleBar(titleBar) {
    SetAutoHotkeys(0);
    const char* captions[] = {SystemMenuText::Minimize, SystemMenuText::MaximizeRestore, "-",
                              SystemMenuText::Close};
    for (const char* caption : captions) {
        auto* item = new TMenuItem(this);
        item->SetCaption(QString::fromUtf8(caption));
        Items()->Add(item);
    }
    QPointer<TskTitleBar> bar(titleBar);
    Items()->Items(0)->OnClick = [bar](TObject*) {
        if (bar) {
            for (int i = 0; i < bar->Buttons()->Count(); ++i) {
                if (bar->Buttons()->Items(i)->ButtonType() == skMin) {
                    bar->ButtonClick(i);
                    return;
                }
            }
        }
    };
    Items()->Items(1)->OnClick = [bar](TObject*) {
        for (int i = 0; bar && i < bar->Buttons()->Count(); ++i) {
            const TskTitleBarButton* button = bar->Buttons()->Items(i);
            if (button->Visible() && button->ButtonType() == skMax) {
                bar->ButtonClick(i);
            }
        }
    };
    Items()->Items(3)->OnClick = [bar](TObject*) {
        if (bar && bar->GetParentForm() != nullptr) {
            bar->GetParentForm()->Close();
        }
    };
    InstallHandlers(Items());
}

void TskTitleBarPopupMenu::PopupAt(int x, int y) {
    if (FTitleBar->UseRightToLeftAlignment()) {
        x += RightToLeftMenuShift;
    }
    auto anyVisible = [this](TskTitleBarBtnType type) {
        for (int i = 0; i < FTitleBar->Buttons()->Count(); ++i) {
            const TskTitleBarButton* button = FTitleBar->Buttons()->Items(i);
            if (button->Visible() && button->ButtonType() == type) {
                return true;
            }
        }
        return false;
    };
    Items()->Items(0)->SetEnabled(anyVisible(skMin));
    Items()->Items(1)->SetEnabled(anyVisible(skMax));
    Items()->Items(3)->SetEnabled(anyVisible(skClose));
    Popup(x, y);
}

// ---- the bar -------------------------------------------------------------------------

TskTitleBar::TskTitleBar(TComponent* AOwner)
    : TCustomPanel(AOwner), FSections(new TskTitleBarSections(this)),
      FButtons(new TskTitleBarButtons(this)), FSystemMenu(new TskTitleBarPopupMenu(this)),
      FSystemMenuTimer(new TTimer(this)) {
    FSystemMenuTimer->SetEnabled(false);
    FSystemMenuTimer->OnTimer = [this](TObject*) {
        FSystemMenuTimer->SetEnabled(false);
        const TPoint corner = ClientToScreen(Point(0, Height()));
        PopupSystemMenu(corner.X, corner.Y);
    };
    SetControlStyle(ControlStyle() & ~TControlStyle(csAcceptsControls | csSetCaption));
    FSections->OnUpdate = [this](TCollectionItem*) { Invalidate(); };
    FButtons->OnUpdate = [this](TCollectionItem*) { Invalidate(); };
    for (TskTitleBarBtnType type : {skControlBox, skClose, skMax, skMin}) {
        FButtons->Add()->SetButtonType(type);
    }
    SetBevelOuter(bvNone);
    SetAlign(alTop);
    Font()->SetColor(clWhite);
    Font()->SetName(QStringLiteral("Tahoma"));
    Font()->SetStyle(TFont::fsBold);
    SetUIStyle(GetFormUIStyle(AOwner));
}

TskTitleBar::~TskTitleBar() {
    Destroying();
    delete FSystemMenu;
}

TCustomForm* TskTitleBar::HostForm() const {
    return GetParentForm();
}

bool TskTitleBar::HostMaximized() const {
    const TCustomForm* host = HostForm();
    return host != nullptr && host->WindowState() == TCustomForm::wsMaximized;
}

bool TskTitleBar::OnSkinnedForm() const {
    return IsSkinnedForm(Parent());
}

int TskTitleBar::SideBorderWidth() const {
    TCustomForm* host = HostForm();
    return host != nullptr ? static_cast<int>(host->Perform(WM_SIDEBORDERWIDTH)) : 0;
}

void TskTitleBar::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    FInFileThemeSwitch = true;
    SetUIStyle(FUIStyle);
    FInFileThemeSwitch = false;
}

void TskTitleBar::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    if (FCustom) {
        return;
    }
    const TskThemeSource theme = TskThemeSource::For(FFileTheme, style);
    FSections->BeginUpdate();
    FSections->Clear();
    const TskThemeElement pictures[] = {TitleBarLeftImage, TitleBarRightImage, TitleBarClientImage};
    for (TskThemeElement element : pictures) {
        TskTitleBarSection* section = FSections->Add();
        TBitmap picture;
        theme.Bitmap(element, &picture);
        TPicture holder;
        holder.SetGraphic(picture.Empty() ? nullptr : &picture);
        section->SetPicture(&holder);
        if (element == TitleBarClientImage) {
            section->SetAlign(skClient);
        } else {
            section->SetAutoSize(true);
            if (element == TitleBarRightImage) {
                section->SetAlign(skRight);
            }
        }
    }
    FSections->EndUpdate();
    FLeftBtnXOffset = theme.Int(TitleBarButtonLeftOffsetInt);
    FRightBtnXOffset = theme.Int(TitleBarButtonRightOffsetInt);
    TBitmap strip;
    theme.Bitmap(TitleBarButtonImage, &strip);
    FButtonRowHeight = strip.Height();
    FButtonRowTop = theme.Int(TitleBarButtonTopInt) - (OnSkinnedForm() ? SkinnedFrame : 0);
    if (TCustomForm* host = HostForm(); host != nullptr) {
        host->Constraints()->SetMinWidth(theme.Int(FormMinWidthInt));
    }
    FRoundCorner = theme.Int(FormRoundCornerInt);
    FRoundCornerBottom = theme.UsesFile() ? theme.Int(FormBottomRoundCornerInt) : 0;
    for (int i = 0; i < FButtons->Count(); ++i) {
        FButtons->Items(i)->SetUIStyle(theme.UsesFile() ? FromThemeFile : theme.Effective);
    }
    FSystemMenu->SetUIStyle(theme.UsesFile() ? FromThemeFile : theme.Effective);
    FSystemMenu->SetFileTheme(FFileTheme);
    if (!FInFileThemeSwitch) {
        TColor captionColor = style == MacOS ? clBlack : clWhite;
        if (theme.UsesFile()) {
            const TColor fileColor = theme.Color(TitleBarFontColor);
            const TColor control = theme.Color(ControlFontColor);
            const bool darkText = control == ControlFontCode(1) || control == ControlFontCode(3) ||
                                  control == ControlFontCode(4) || control == ControlFontCode(5);
            captionColor = fileColor != -1 ? fileColor : darkText ? clBlack : clWhite;
        }
        Font()->SetColor(captionColor);
    }
    SetAutoSize(true);
    Invalidate();
}

void TskTitleBar::SetAutoSize(bool value) {
    FAutoSize = value;
    if (FSections->Count() == 0) {
        FAutoSize = false;
        return;
    }
    const int pictureHeight = FSections->Items(0)->Picture()->Height();
    // A theme without a left picture leaves an empty bar, never a negative height.
    SetHeight(std::max(0, pictureHeight - (OnSkinnedForm() ? SkinnedFrame : 0)));
}

void TskTitleBar::SetSections(TCollection* sections) {
    FSections->Assign(sections);
}

void TskTitleBar::SetButtons(TCollection* buttons) {
    FButtons->Assign(buttons);
}

void TskTitleBar::SetButtonInterval(int value) {
    FButtonInterval = value;
    Invalidate();
}

void TskTitleBar::SetFormActive(bool value) {
    FFormActive = value;
    Invalidate();
}

void TskTitleBar::SetLeftBtnXOffset(int value) {
    FLeftBtnXOffset = value;
    Invalidate();
}

void TskTitleBar::SetRightBtnXOffset(int value) {
    FRightBtnXOffset = value;
    Invalidate();
}

void TskTitleBar::SetDrawAppIcon(bool value) {
    FDrawAppIcon = value;
    Invalidate();
}

void TskTitleBar::RefreshMaximizeGlyphs() {
    for (int i = 0; i < FButtons->Count(); ++i) {
        if (FButtons->Items(i)->ButtonType() == skMax) {
            FButtons->Items(i)->RefreshMaximizeGlyph();
        }
    }
}

TskTitleBarLayout TskTitleBar::Layout(TPoint cursor) const {
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(Font());
    TskTitleBarLayoutInput input;
    input.BarWidth = Width();
    input.Side = SideBorderWidth();
    input.RightBtnXOffset = FRightBtnXOffset;
    input.LeftBtnXOffset = FLeftBtnXOffset;
    input.ButtonInterval = FButtonInterval;
    input.ButtonRowTop = FButtonRowTop;
    input.ButtonRowHeight = FButtonRowHeight;
    input.DrawAppIcon = FDrawAppIcon;
    input.CaptionFromRight = UseRightToLeftAlignment();
    for (int i = 0; i < FButtons->Count(); ++i) {
        const TskTitleBarButton* button = FButtons->Items(i);
        input.Buttons.append({button->Visible(), button->ButtonType() == skControlBox,
                              button->PicNormal()->Width(), button->PicNormal()->Height()});
    }
    input.Cursor = cursor;
    input.Caption = Caption();
    input.TextWidth = [&measure](const QString& text) { return measure.Canvas()->TextWidth(text); };
    input.TextHeight = measure.Canvas()->TextHeight(Caption());
    return LayoutTitleBar(input);
}

void TskTitleBar::Paint() {
    TBitmap bitmap;
    bitmap.SetSize(Width(), Height());
    bitmap.Canvas()->Brush()->SetStyle(TBrush::bsClear);
    bitmap.Canvas()->SetFont(Font());
    DrawSections(&bitmap);
    DrawButtonsAndCaption(&bitmap);
    Canvas()->Draw(0, 0, &bitmap);
}

void TskTitleBar::DrawSections(TBitmap* bitmap) {
    TCanvas* canvas = bitmap->Canvas();
    int x0 = 0;
    int y0 = 0;
    if (OnSkinnedForm()) {
        y0 = -SkinnedFrame;
        const int side = SideBorderWidth();
        x0 = side != 0 ? -side : -SkinnedFrame;
    }
    int leftEnd = 0;
    int rightStart = 0;
    if (FSections->Count() > 0) {
        TPicture* left = FSections->Items(0)->Picture();
        if (left->Graphic() != nullptr) {
            canvas->Draw(x0, y0, left->Graphic());
        }
        leftEnd = x0 + left->Width();
    }
    if (FSections->Count() > 1) {
        TPicture* right = FSections->Items(1)->Picture();
        rightStart = Width() - right->Width() - x0;
        if (right->Graphic() != nullptr) {
            canvas->Draw(rightStart, y0, right->Graphic());
        }
    }
    if (FSections->Count() > 2) {
        TPicture* middle = FSections->Items(2)->Picture();
        if (middle->Graphic() != nullptr && middle->Width() > 0 && middle->Height() > 0 &&
            rightStart > leftEnd) {
            canvas->StretchDraw(Rect(leftEnd, y0, rightStart, y0 + middle->Height()),
                                middle->Graphic());
        }
    }
}

void TskTitleBar::DrawButtonsAndCaption(TBitmap* bitmap) {
    TCanvas* canvas = bitmap->Canvas();
    const TskTitleBarLayout layout = Layout(ScreenToClient(GetCursorPos()));
    FHotButtonIndex = layout.HotIndex;
    auto pictureFor = [&](int index) {
        const TskTitleBarButton* button = FButtons->Items(index);
        if (index == layout.HotIndex) {
            return FMouseIsDown ? button->PicMouseDown() : button->PicMouseOn();
        }
        return button->PicNormal();
    };
    auto drawButton = [&](int index, TPoint at) {
        const TskTitleBarButton* button = FButtons->Items(index);
        TPicture* picture = pictureFor(index);
        if (picture->Graphic() == nullptr || button->PicNormal()->Width() == 0) {
            return;
        }
        TBitmap scratch;
        scratch.SetSize(button->PicNormal()->Width(), button->PicNormal()->Height());
        scratch.Canvas()->Draw(0, 0, picture->Graphic());
        scratch.SetTransparent(button->Transparent());
        canvas->Draw(at.X, at.Y, &scratch);
    };
    for (int i = 0; i < layout.ButtonRects.size(); ++i) {
        if (!layout.ButtonRects[i].IsEmpty()) {
            drawButton(i, Point(layout.ButtonRects[i].Left, layout.ButtonRects[i].Top));
        }
    }
    if (layout.ControlBoxIndex >= 0) {
        if (FDrawAppIcon) {
            QIcon icon = Application != nullptr && !Application->Icon().isNull()
                             ? Application->Icon()
                             : QIcon(QString::fromLatin1(AppIconResource));
            const QImage image = icon.pixmap(AppIconSize, AppIconSize).toImage();
            if (!image.isNull()) {
                canvas->DrawImage(Bounds(layout.ControlBoxDrawAt.X, layout.ControlBoxDrawAt.Y,
                                         AppIconSize, AppIconSize),
                                  image, Rect(0, 0, image.width(), image.height()));
            }
        } else {
            drawButton(layout.ControlBoxIndex, layout.ControlBoxDrawAt);
        }
    }
    canvas->SetFont(Font());
    if (!FFormActive) {
        canvas->Font()->SetColor(ColorToRGB(clInactiveCaption));
    }
    canvas->Brush()->SetStyle(TBrush::bsClear);
    canvas->TextOut(layout.CaptionAt.X, layout.CaptionAt.Y, layout.CaptionText);
}

void TskTitleBar::HotFromPoint(TPoint point) {
    FHotButtonIndex = Layout(point).HotIndex;
}

void TskTitleBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        if (TCustomForm* host = HostForm(); host != nullptr) {
            message.Result = host->Perform(message.Msg, message.WParam, message.LParam);
            return;
        }
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(message);
}

void TskTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft) {
        return;
    }
    FMouseIsDown = true;
    HotFromPoint(Point(x, y));
    Invalidate();
    TCustomForm* host = HostForm();
    if (host != nullptr && FHotButtonIndex == -1 && !HostMaximized()) {
        SetMouseCapture(false);
        host->Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
        FMouseIsDown = false;
    }
}

void TskTitleBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    Invalidate();
}

void TskTitleBar::CMMouseLeave(TMessage& message) {
    TCustomPanel::CMMouseLeave(message);
    Invalidate();
}

void TskTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    QPointer<TskTitleBar> guard(this);
    if (button == mbLeft) {
        HotFromPoint(Point(x, y));
        const int index = FHotButtonIndex;
        FMouseIsDown = false;
        if (index >= 0) {
            const TskTitleBarButton* hot = FButtons->Items(index);
            const TskTitleBarBtnType type = hot->ButtonType();
            if (type != skControlBox || hot->ControlBoxMenu() != nullptr) {
                ButtonClick(index);
                if (!guard) {
                    return;
                }
                if (OnCustomBtnsClick && type == skCustom) {
                    OnCustomBtnsClick(this, index);
                } else if (OnHelpBtnClick && type == skHelp) {
                    OnHelpBtnClick(this, index);
                }
            } else if (!FControlBoxDoubleClicked) {
                PopupSystemMenuLater();
            }
        }
        FControlBoxDoubleClicked = false;
        if (!guard) {
            return;
        }
        Invalidate();
    }
    TCustomPanel::MouseUp(button, shift, x, y);
}

void TskTitleBar::DblClick() {
    TCustomPanel::DblClick();
    const int hot = Layout(ScreenToClient(GetCursorPos())).HotIndex;
    if (hot == -1) {
        for (int i = 0; i < FButtons->Count(); ++i) {
            const TskTitleBarButton* button = FButtons->Items(i);
            if (button->Visible() && button->ButtonType() == skMax) {
                ButtonClick(i);
                return;
            }
        }
    } else if (FButtons->Items(hot)->ButtonType() == skControlBox) {
        FSystemMenuTimer->SetEnabled(false);
        FControlBoxDoubleClicked = true;
        if (TCustomForm* host = HostForm(); host != nullptr) {
            host->Close();
        }
    }
}

void TskTitleBar::ButtonClick(int index) {
    TCustomForm* host = HostForm();
    if (host == nullptr || index < 0 || index >= FButtons->Count()) {
        return;
    }
    TskTitleBarButton* button = FButtons->Items(index);
    switch (button->ButtonType()) {
    case skMax:
        if (HostMaximized()) {
            host->SetWindowState(TCustomForm::wsNormal);
        } else {
            host->SetWindowState(TCustomForm::wsMaximized);
            if (!OnSkinnedForm()) {
                TRect area;
                GetWorkAreaRect(area);
                host->SetBounds(area.Left - 4, area.Top - 4, area.Width() + 8, area.Height() + 3);
            }
        }
        button->RefreshMaximizeGlyph();
        break;
    case skMin:
        if (Application != nullptr && Application->MainForm() == host) {
            host->Perform(WM_SYSCOMMAND, SC_MINIMIZE);
        } else {
            host->SetWindowState(TCustomForm::wsMinimized);
        }
        break;
    case skClose:
        host->Close();
        break;
    case skControlBox:
        if (auto* menu = qobject_cast<TPopupMenu*>(button->ControlBoxMenu())) {
            const int px = UseRightToLeftAlignment() ? RightToLeftMenuShift : 0;
            const TPoint at = ClientToScreen(Point(px, Height()));
            menu->Popup(std::max(0, at.X), at.Y);
        }
        break;
    case skHelp:
    case skCustom:
        break;
    }
}

void TskTitleBar::PopupSystemMenuLater() {
    FSystemMenuTimer->SetInterval(QApplication::doubleClickInterval());
    FSystemMenuTimer->SetEnabled(true);
}

bool TskTitleBar::SystemMenuPending() const {
    return FSystemMenuTimer->IsRunning();
}

void TskTitleBar::PopupSystemMenu(int x, int y) {
    FSystemMenu->PopupAt(x, y);
}

void TskTitleBar::CMTextChanged(TMessage& message) {
    TCustomPanel::CMTextChanged(message);
    Invalidate();
}

void TskTitleBar::CMFontChanged(TMessage& message) {
    TCustomPanel::CMFontChanged(message);
    Invalidate();
}

std::optional<TComponent::TEventSlot> TskTitleBar::EventSlot(const QString& name) {
    if (name == QLatin1String("OnCustomBtnsClick")) {
        return MakeEventSlot(OnCustomBtnsClick);
    }
    if (name == QLatin1String("OnHelpBtnClick")) {
        return MakeEventSlot(OnHelpBtnClick);
    }
    return TCustomPanel::EventSlot(name);
}
