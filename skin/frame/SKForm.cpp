#include "skin/frame/SKForm.h"

#include "framework/core/Application.h"
#include "framework/core/EventSlot.h"
#include "framework/forms/AppEvents.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemeSource.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

namespace {

// Size messages seen while a window created maximised is still maximised, shared by
// every skinned form of the program.
int MaximizeRetryCount = 0;

constexpr int HostMinWidth = 125;
constexpr int HostMinHeight = 50;
constexpr int DefaultMenuBarHeight = 22;
constexpr int KeptFrame = TCustomForm::KeptFrameWidth;
// How far a maximised window reaches past the work area's left, top and right edges,
// and how far its bottom stays above the work area's bottom.
constexpr int MaximizedOverhang = 4;
constexpr int MaximizedBottomGap = 1;

// Paints the frame rows that lie over the client area (the bottom band) above the
// client's own children; mouse input passes through it.
class TFrameOverlay : public QWidget {
public:
    TFrameOverlay(TskForm* form, QWidget* window) : QWidget(window), FForm(form) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (FForm.isNull() || FForm->Destroying()) {
            return;
        }
        TCanvas canvas;
        canvas.SetDevice(this);
        canvas.SetOrigin(-x(), -y());
        PaintSkinFrame(&canvas, FForm->FrameInput());
        canvas.ReleaseHandle();
    }

private:
    QPointer<TskForm> FForm;
};

TBitmap* SectionPicture(const TskTitleBar* bar, int index) {
    return bar->Sections()->Items(index)->Picture()->Bitmap();
}

} // namespace

TskMenuBar::TskMenuBar(TskForm* form, TComponent* AOwner) : TToolBar(AOwner), FForm(form) {}

TskForm::TskForm(TComponent* AOwner) : TCustomPanel(AOwner) {
    auto* host = qobject_cast<TCustomForm*>(AOwner);
    if (host == nullptr) {
        return;
    }
    bool taken = false;
    for (int i = 0; i < host->ControlCount() && !taken; ++i) {
        taken = IsSkinnedForm(host->Controls(i));
    }
    for (int i = 0; i < host->ComponentCount() && !taken; ++i) {
        auto* other = qobject_cast<TskForm*>(host->Components(i));
        taken = other != nullptr && other != this && other->InCharge();
    }
    if (taken) {
        ShowSkinError(
            QStringLiteral("Sorry, You can create only one TskForm component in one form!"));
        return;
    }
    TakeOver(host);
}

void TskForm::TakeOver(TCustomForm* host) {
    FHostForm = host;
    host->Constraints()->SetMinHeight(HostMinHeight);
    host->Constraints()->SetMinWidth(HostMinWidth);
    Constraints()->SetMinHeight(HostMinHeight);
    Constraints()->SetMinWidth(HostMinWidth);
    host->SetBorderWidth(0);
    FSavedBounds = host->BoundsRect();
    FCreatedMaximized = host->WindowState() == TCustomForm::wsMaximized;
    FTitleBar = new TskTitleBar(this);
    FTitleBar->SetParent(this);
    FMenuBarColor = Color();
    FMenuBarHeight = DefaultMenuBarHeight;
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetAlign(alClient);
    FTitleBar->SetCaption(host->Caption());
    host->SetScaled(false);
    const TFormBorderStyle style = host->BorderStyle();
    if (style == TCustomForm::bsNone || style == TCustomForm::bsSingle ||
        style == TCustomForm::bsToolWindow) {
        host->SetBorderStyle(TCustomForm::bsDialog);
    }
    host->SetAutoScroll(false);
    FOldWindowProc = host->WindowProc;
    QPointer<TskForm> self(this);
    TWndMethod old = FOldWindowProc;
    host->WindowProc = [self, old](TMessage& message) {
        if (self) {
            self->HookMessage(message);
        } else {
            old(message);
        }
    };
    FAppEvents = std::make_unique<TApplicationEvents>(nullptr);
    FAppEvents->OnMessage = [this](TMessage& message, bool& handled) {
        ApplicationMessage(message, handled);
    };
    FOverlay = new TFrameOverlay(this, host->Handle());
    SetUIStyle(DeepBlue);
    host->SetFrameless(true);
    host->RecreateFrame();
    PlaceOverlay();
}

TskForm::~TskForm() {
    TComponent::Destroying();
    FDestroying = true;
    FAppEvents.reset();
    ReleaseMenu(FMenu);
    GiveBack();
}

void TskForm::GiveBack() {
    TCustomForm* host = FHostForm;
    if (host == nullptr || host->IsDestroying()) {
        return;
    }
    host->WindowProc = FOldWindowProc;
    delete FOverlay.data();
    host->Handle()->clearMask();
    host->SetFrameless(false);
    host->RecreateFrame();
}

// ---- the host's messages -------------------------------------------------------------

void TskForm::HookMessage(TMessage& message) {
    TCustomForm* host = FHostForm;
    if (FDestroying || host == nullptr) {
        FOldWindowProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        auto* rect = reinterpret_cast<TRect*>(message.LParam);
        rect->Bottom += 2 - FBottomBorderHeight;
        if (FSideBitmap != nullptr) {
            const int s = FSideBitmap->Width();
            rect->Left += s - 2;
            rect->Right -= s - 2;
        }
        break;
    }
    case WM_SIDEBORDERWIDTH:
        message.Result = FSideBitmap != nullptr ? FSideBitmap->Width() : 0;
        return;
    case WM_NCPAINT:
        if (host->WindowState() != TCustomForm::wsMinimized) {
            PaintSkinFrame(reinterpret_cast<TCanvas*>(message.WParam), FrameInput());
            return;
        }
        break;
    default:
        break;
    }
    FOldWindowProc(message);
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        PlaceOverlay();
        break;
    case WM_KEYDOWN:
        message.Result = RunMenuShortCut(message) ? 1 : 0;
        break;
    case WM_SHOWWINDOW:
        host->SetMenu(nullptr);
        break;
    case WM_ACTIVATE:
        FTitleBar->SetFormActive((message.WParam & 0xFFFF) != 0);
        break;
    case WM_SIZE:
        HandleSize();
        break;
    default:
        break;
    }
}

bool TskForm::RunMenuShortCut(TMessage& message) {
    auto* menu = qobject_cast<TMenu*>(FMenu.Get());
    TCustomForm* host = FHostForm;
    if (menu == nullptr || host == nullptr || !IsFormActive(host) || !host->Active()) {
        return false;
    }
    const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
    int shortCut = static_cast<int>(message.WParam);
    shortCut |= shift.testFlag(ssShift) ? scShift : 0;
    shortCut |= shift.testFlag(ssCtrl) ? scCtrl : 0;
    shortCut |= shift.testFlag(ssAlt) ? scAlt : 0;
    return menu->IsShortCut(shortCut);
}

void TskForm::ApplicationMessage(TMessage& message, bool& handled) {
    TCustomForm* host = FHostForm;
    if (FDestroying || host == nullptr || !host->Handle()->isActiveWindow()) {
        return;
    }
    switch (message.Msg) {
    case WM_SYSCHAR:
        if (message.WParam == ' ') {
            TCustomForm* mainForm = Application != nullptr && Application->MainForm() != nullptr
                                        ? Application->MainForm()
                                        : host;
            FTitleBar->PopupSystemMenu(mainForm->Left(), mainForm->Top() + FTitleBar->Height());
            handled = true;
        } else if (FMenuBar != nullptr) {
            handled = FMenuBar->TrackAccelerator(QChar(static_cast<char16_t>(message.WParam)));
        }
        break;
    case WM_SYSKEYUP:
        if (message.WParam == VK_MENU && FMenuBar != nullptr) {
            handled = FMenuBar->EnterMenuMode();
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (message.WParam == VK_F10 && FMenuBar != nullptr) {
            handled = FMenuBar->EnterMenuMode();
        } else {
            handled = RunMenuShortCut(message);
        }
        break;
    default:
        break;
    }
}

void TskForm::HandleSize() {
    TCustomForm* host = FHostForm;
    if (FCreatedMaximized) {
        if (host->WindowState() != TCustomForm::wsMaximized) {
            FCreatedMaximized = false;
            host->SetBoundsRect(FSavedBounds);
        } else if (MaximizeRetryCount == 2) {
            // A window created maximised may be put back by the platform's first
            // placements; the second retry maximises it once more.
            host->SetWindowState(TCustomForm::wsMaximized);
        } else {
            ++MaximizeRetryCount;
        }
    }
    if (host->WindowState() == TCustomForm::wsMaximized) {
        TRect area;
        GetWorkAreaRect(area);
        const TRect wanted = Rect(area.Left - MaximizedOverhang, area.Top - MaximizedOverhang,
                                  area.Right + MaximizedOverhang, area.Bottom - MaximizedBottomGap);
        if (host->BoundsRect() != wanted) {
            host->SetBoundsRect(wanted);
        }
    }
    InvalidateFrame();
    FTitleBar->RefreshMaximizeGlyphs();
    RebuildRegion();
}

// ---- frame, overlay and region -------------------------------------------------------

TskFrameInput TskForm::FrameInput() const {
    TskFrameInput input;
    const TCustomForm* host = FHostForm;
    if (host == nullptr) {
        return input;
    }
    input.Width = host->Width();
    input.Height = host->Height();
    input.BorderWidth = FFrameBorderWidth;
    input.BorderColor = FBorderColor;
    input.Color = Color();
    input.TitleBarVisible = FTitleBar->Visible();
    input.TitleBarHeight = FTitleBar->Height();
    input.MenuBarVisible = FMenuBar != nullptr && FMenuBar->Visible();
    input.MenuBarHeight = FMenuBar != nullptr ? FMenuBar->Height() : 0;
    input.MenuBarColor = FMenuBarColor;
    input.HostColor = host->Color();
    if (FTitleBar->Sections()->Count() == 3) {
        input.TitleLeft = SectionPicture(FTitleBar, 0);
        input.TitleRight = SectionPicture(FTitleBar, 1);
        input.TitleMiddle = SectionPicture(FTitleBar, 2);
    }
    input.RoundCorner = FTitleBar->RoundCorner();
    if (FSideBitmap != nullptr) {
        input.SideBitmap = FSideBitmap.get();
        input.LeftBorder = FLeftBorder.get();
        input.BottomBorder = FBottomBorder.get();
    }
    return input;
}

void TskForm::PlaceOverlay() {
    TCustomForm* host = FHostForm;
    if (FOverlay.isNull() || host == nullptr) {
        return;
    }
    const TRect client = host->ClientAreaInWindow();
    const int top = std::max(client.Top, host->Height() - KeptFrame);
    if (client.Bottom <= top) {
        FOverlay->hide();
        return;
    }
    FOverlay->setGeometry(client.Left, top, client.Width(), client.Bottom - top);
    FOverlay->show();
    FOverlay->raise();
    FOverlay->update();
}

void TskForm::InvalidateFrame() {
    if (FDestroying || FHostForm.isNull()) {
        return;
    }
    FHostForm->InvalidateFrame();
    if (!FOverlay.isNull()) {
        FOverlay->update();
    }
}

QRegion TskForm::WindowRegion() const {
    const TCustomForm* host = FHostForm;
    if (host == nullptr) {
        return {};
    }
    return FormRegion(host->Width(), host->Height(), RoundCorner(), RoundCornerBottom());
}

void TskForm::RebuildRegion() {
    TCustomForm* host = FHostForm;
    // Only X11 windows take a shape; other platforms ignore it with a warning.
    if (host == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    if (RoundCorner() == 0 && RoundCornerBottom() == 0) {
        host->Handle()->clearMask();
    } else {
        host->Handle()->setMask(WindowRegion());
    }
}

void TskForm::Paint() {
    TCanvas* canvas = Canvas();
    const TRect rect = ClientRect();
    if (FUIStyle == MacOS || FUIStyle == Protein) {
        TBitmap pattern;
        pattern.SetImage(LoadThemePicture(FUIStyle == MacOS
                                              ? QStringLiteral("MACOS_FORM_BACKGROUND")
                                              : QStringLiteral("PROTEIN_FORM_BACKGROUND")));
        TilePicture(canvas, &pattern, rect);
    } else {
        FillRectColor(canvas, rect, Color());
    }
}

// ---- properties ----------------------------------------------------------------------

QString TskForm::GetText() const {
    return FTitleBar != nullptr ? FTitleBar->Caption() : TCustomPanel::GetText();
}

void TskForm::SetText(const QString& text) {
    if (FTitleBar == nullptr) {
        TCustomPanel::SetText(text);
        return;
    }
    FTitleBar->SetCaption(text);
    if (!FHostForm.isNull()) {
        FHostForm->SetCaption(text);
    }
}

void TskForm::SetFileTheme(TskFileTheme* theme) {
    if (theme == FFileTheme) {
        return;
    }
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskForm::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    if (FTitleBar == nullptr) {
        return;
    }
    const TskThemeSource theme = TskThemeSource::For(FFileTheme, style);
    FBorderColor = theme.Color(FormBorderColor);
    FFrameBorderWidth = theme.Int(FormBorderWidthInt);
    SetColor(theme.Color(FormBackgroundColor));
    FSideBitmap.reset();
    FLeftBorder.reset();
    FBottomBorder.reset();
    FBottomBorderHeight = 0;
    if (theme.UsesFile()) {
        if (FMenuBar != nullptr) {
            TColor menuBarColor = theme.Color(MenuMenuBarColor);
            if (menuBarColor == -1) {
                const TColor control = theme.Color(ControlFontColor);
                menuBarColor = control == ControlFontCode(2)   ? RGB(0x3B, 0x5B, 0xAC)
                               : control == ControlFontCode(3) ? RGB(0x33, 0x67, 0x99)
                                                               : Color();
            }
            SetMenuBarColor(menuBarColor);
        }
        auto left = std::make_unique<TBitmap>();
        theme.Bitmap(FormLeftBorderImage, left.get());
        if (!left->Empty()) {
            FSideBitmap = std::make_unique<TBitmap>();
            FSideBitmap->Assign(left.get());
            RotateBitmap180(FSideBitmap.get());
            FLeftBorder = std::move(left);
        }
        auto bottom = std::make_unique<TBitmap>();
        theme.Bitmap(FormBottomBorderImage, bottom.get());
        FBottomBorderHeight = bottom->Empty() ? 0 : bottom->Height();
        FBottomBorder = std::move(bottom);
    } else {
        SetMenuBarColor(Color());
    }
    FTitleBar->SetFileTheme(FFileTheme);
    FTitleBar->SetUIStyle(style);
    FTitleBar->SetRoundCorner(theme.Int(FormRoundCornerInt));
    FTitleBar->SetRoundCornerBottom(theme.UsesFile() ? theme.Int(FormBottomRoundCornerInt) : 0);
    if (auto* menu = qobject_cast<TskMainMenu*>(FMenu.Get())) {
        menu->SetUIStyle(style);
        menu->SetFileTheme(FFileTheme);
    }
    if (FUIStyleAutoUpdateSub) {
        ApplyStyleToChildren(this, style, FFileTheme);
    }
    if (!FHostForm.isNull()) {
        FHostForm->RecreateFrame();
    }
    Invalidate();
    InvalidateFrame();
    RebuildRegion();
}

void TskForm::FileThemeGone() {
    ApplyStyleToChildren(this, DeepBlue, nullptr);
    SetUIStyle(DeepBlue);
}

bool TskForm::TitleBarCustom() const {
    return FTitleBar != nullptr && FTitleBar->Custom();
}

void TskForm::SetTitleBarCustom(bool value) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetCustom(value);
    }
}

void TskForm::SetBorderColor(TColor value) {
    FBorderColor = value;
    InvalidateFrame();
}

void TskForm::SetFrameBorderWidth(int value) {
    FFrameBorderWidth = value;
    InvalidateFrame();
}

bool TskForm::TitleBarVisible() const {
    return FTitleBar != nullptr && FTitleBar->Visible();
}

void TskForm::SetTitleBarVisible(bool value) {
    if (FTitleBar == nullptr || value == FTitleBar->Visible()) {
        return;
    }
    FTitleBar->SetVisible(value);
    FTitleBar->SetTop(0);
    InvalidateFrame();
}

void TskForm::SetFormPanel(TComponent* panel) {
    if (panel == this) {
        ShowSkinError(
            QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
        return;
    }
    FFormPanel.Set(panel);
    if (panel == nullptr) {
        return;
    }
    if (auto* control = qobject_cast<TControl*>(panel)) {
        control->SetAlign(alClient);
    }
    if (auto* plain = qobject_cast<TPanel*>(panel)) {
        plain->SetBevelInner(bvNone);
        plain->SetBevelOuter(bvNone);
        plain->SetBorderStyle(TCustomPanel::bsNone);
        plain->SetCaption(QString());
    } else if (qstrcmp(panel->metaObject()->className(), "TskImagePanel") == 0) {
        panel->setProperty("Caption", QString());
    }
}

TCollection* TskForm::TitleBarButtons() const {
    return FTitleBar != nullptr ? FTitleBar->Buttons() : nullptr;
}

void TskForm::SetTitleBarButtons(TCollection* buttons) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetButtons(buttons);
    }
}

TCollection* TskForm::TitleBarSections() const {
    return FTitleBar != nullptr ? FTitleBar->Sections() : nullptr;
}

void TskForm::SetTitleBarSections(TCollection* sections) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetSections(sections);
    }
}

void TskForm::SetTitleBarFont(TFont* font) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetFont(font);
    }
}

bool TskForm::TitleBarDrawAppIcon() const {
    return FTitleBar != nullptr && FTitleBar->DrawAppIcon();
}

void TskForm::SetTitleBarDrawAppIcon(bool value) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetDrawAppIcon(value);
    }
}

int TskForm::RoundCorner() const {
    return TitleBarVisible() ? FTitleBar->RoundCorner() : 0;
}

void TskForm::SetRoundCorner(int value) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetRoundCorner(value);
        RebuildRegion();
    }
}

int TskForm::RoundCornerBottom() const {
    return TitleBarVisible() ? std::max(0, FTitleBar->RoundCornerBottom()) : 0;
}

void TskForm::SetRoundCornerBottom(int value) {
    if (FTitleBar != nullptr) {
        FTitleBar->SetRoundCornerBottom(value);
        RebuildRegion();
    }
}

TskTitleBar::TskTitleBarButtonClickEvent& TskForm::OnTitleBarCustomBtnsClick() {
    return FTitleBar->OnCustomBtnsClick;
}

TskTitleBar::TskTitleBarButtonClickEvent& TskForm::OnTitleBarHelpBtnClick() {
    return FTitleBar->OnHelpBtnClick;
}

std::optional<TComponent::TEventSlot> TskForm::EventSlot(const QString& name) {
    if (FTitleBar != nullptr && name == QLatin1String("OnTitleBarCustomBtnsClick")) {
        return MakeEventSlot(OnTitleBarCustomBtnsClick());
    }
    if (FTitleBar != nullptr && name == QLatin1String("OnTitleBarHelpBtnClick")) {
        return MakeEventSlot(OnTitleBarHelpBtnClick());
    }
    return TCustomPanel::EventSlot(name);
}
