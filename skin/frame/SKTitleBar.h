// The painted caption strip of a skinned window: section pictures, picture buttons, a
// control box or the application icon, the caption, and the window actions the mouse
// starts on it (drag, double-click maximise, buttons, system menu).
#pragma once

#include "framework/controls/Panel.h"
#include "framework/core/Collection.h"
#include "framework/graphics/Picture.h"
#include "skin/core/SKMgr.h"
#include "skin/frame/SKTitleBarLayout.h"
#include "skin/menus/SKPopupMenu.h"

class TTimer;

#include <functional>

class TskTitleBar;

// Asked of the host form by the title bar; the skinned form answers with the width of
// its side picture, other forms with 0.
inline constexpr uint32_t WM_SIDEBORDERWIDTH = 0x26C3;

namespace SkinTitleBar {
Q_NAMESPACE
enum TskTitleBarAlign { skLeft, skRight, skClient };
Q_ENUM_NS(TskTitleBarAlign)
enum TskTitleBarBtnType { skMax, skMin, skClose, skHelp, skControlBox, skCustom };
Q_ENUM_NS(TskTitleBarBtnType)
} // namespace SkinTitleBar

using SkinTitleBar::TskTitleBarAlign;
using SkinTitleBar::TskTitleBarBtnType;
using enum SkinTitleBar::TskTitleBarAlign;
using enum SkinTitleBar::TskTitleBarBtnType;

class TskTitleBarSection : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(SkinTitleBar::TskTitleBarAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(TPicture* Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
public:
    explicit TskTitleBarSection(TCollection* collection);

    int Width() const { return FWidth; }
    void SetWidth(int value);
    TskTitleBarAlign Align() const { return FAlign; }
    // A second skClient section is refused with an error box.
    void SetAlign(TskTitleBarAlign value);
    TPicture* Picture() const { return FPicture; }
    void SetPicture(const TPicture* picture);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    void Assign(const TPersistent* source) override;

private:
    int FWidth = 10;
    TskTitleBarAlign FAlign = skLeft;
    TPicture* FPicture;
    bool FStretch = false;
    bool FAutoSize = false;
};

class TskTitleBarButton : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(SkinTitleBar::TskTitleBarBtnType ButtonType READ ButtonType WRITE SetButtonType)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(TComponent* ControlBoxMenu READ ControlBoxMenu WRITE SetControlBoxMenu)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TPicture* PicNormal READ PicNormal WRITE SetPicNormal)
    Q_PROPERTY(TPicture* PicMouseOn READ PicMouseOn WRITE SetPicMouseOn)
    Q_PROPERTY(TPicture* PicMouseDown READ PicMouseDown WRITE SetPicMouseDown)
public:
    explicit TskTitleBarButton(TCollection* collection);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TskTitleBarBtnType ButtonType() const { return FButtonType; }
    // A second skControlBox button is refused with an error box.
    void SetButtonType(TskTitleBarBtnType value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    int Top() const { return FTop; }
    void SetTop(int value);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle value);
    TPicture* PicNormal() const { return FPicNormal; }
    void SetPicNormal(const TPicture* picture);
    TPicture* PicMouseOn() const { return FPicMouseOn; }
    void SetPicMouseOn(const TPicture* picture);
    TPicture* PicMouseDown() const { return FPicMouseDown; }
    void SetPicMouseDown(const TPicture* picture);
    TComponent* ControlBoxMenu() const { return FControlBoxMenu; }
    void SetControlBoxMenu(TComponent* menu);
    void Assign(const TPersistent* source) override;

    // Cuts the pictures of the button's type from the theme's title-button strip.
    void ReloadPictures();
    // The maximise or restore glyph, whichever the host's state asks for.
    void RefreshMaximizeGlyph();
    TskTitleBar* TitleBar() const;

private:
    void CutGlyph(int firstFrame);

    bool FVisible = true;
    TskTitleBarBtnType FButtonType = skCustom;
    bool FTransparent = false;
    int FTop = 2;
    TskUIStyle FUIStyle = DeepBlue;
    TPicture* FPicNormal;
    TPicture* FPicMouseOn;
    TPicture* FPicMouseDown;
    QPointer<TComponent> FControlBoxMenu;
};

using TskTitleBarSections = TOwnedCollection<TskTitleBarSection>;
using TskTitleBarButtons = TOwnedCollection<TskTitleBarButton>;

// The built-in system menu: minimise, maximise/restore, a line, close.
class TskTitleBarPopupMenu : public TskPopupMenu {
    Q_OBJECT
public:
    explicit TskTitleBarPopupMenu(TskTitleBar* titleBar);

    // Enables each item by the visible buttons of its kind, then shows the menu.
    void PopupAt(int x, int y);

private:
    TskTitleBar* FTitleBar;
};

// The system menu's captions.
namespace SystemMenuText {
inline constexpr const char* Minimize = "最小化(&N)";
inline constexpr const char* MaximizeRestore = "最大化/还原(&X)";
inline constexpr const char* Close = "关闭(&C)";
} // namespace SystemMenuText

class TskTitleBar : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(bool Custom READ Custom WRITE SetCustom)
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TCollection* Sections READ SectionsCollection WRITE SetSections)
    Q_PROPERTY(TCollection* Buttons READ ButtonsCollection WRITE SetButtons)
    Q_PROPERTY(int ButtonInterval READ ButtonInterval WRITE SetButtonInterval)
    Q_PROPERTY(bool FormActive READ FormActive WRITE SetFormActive)
    Q_PROPERTY(int LeftBtnXOffset READ LeftBtnXOffset WRITE SetLeftBtnXOffset)
    Q_PROPERTY(int RightBtnXOffset READ RightBtnXOffset WRITE SetRightBtnXOffset)
    Q_PROPERTY(bool DrawAppIcon READ DrawAppIcon WRITE SetDrawAppIcon)
    Q_PROPERTY(int RoundCorner READ RoundCorner WRITE SetRoundCorner)
    Q_PROPERTY(int RoundCornerBottom READ RoundCornerBottom WRITE SetRoundCornerBottom)
public:
    using TskTitleBarButtonClickEvent = std::function<void(TObject* Sender, int ButtonIndex)>;

    explicit TskTitleBar(TComponent* AOwner);
    ~TskTitleBar() override;

    bool Custom() const { return FCustom; }
    void SetCustom(bool value) { FCustom = value; }
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TskTitleBarSections* Sections() const { return FSections; }
    TCollection* SectionsCollection() const { return FSections; }
    void SetSections(TCollection* sections);
    TskTitleBarButtons* Buttons() const { return FButtons; }
    TCollection* ButtonsCollection() const { return FButtons; }
    void SetButtons(TCollection* buttons);
    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int value);
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool value);
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int value);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int value);
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool value);
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int value) { FRoundCorner = value; }
    int RoundCornerBottom() const { return FRoundCornerBottom; }
    void SetRoundCornerBottom(int value) { FRoundCornerBottom = value; }
    bool InFileThemeSwitch() const { return FInFileThemeSwitch; }
    bool MouseIsDown() const { return FMouseIsDown; }
    int HotButtonIndex() const { return FHotButtonIndex; }
    int ButtonRowHeight() const { return FButtonRowHeight; }
    int ButtonRowTop() const { return FButtonRowTop; }
    TskTitleBarPopupMenu* SystemMenu() const { return FSystemMenu; }

    // The bar's parent is a skinned form, which paints a 3-pixel frame around it.
    bool OnSkinnedForm() const;
    // The host form's answer to WM_SIDEBORDERWIDTH (0 without a host).
    int SideBorderWidth() const;
    // Geometry of the bar with the cursor at cursor (bar coordinates).
    TskTitleBarLayout Layout(TPoint cursor) const;
    // Runs what a click on the button does to the host form.
    void ButtonClick(int index);
    // Shows the system menu at a screen point.
    void PopupSystemMenu(int x, int y);
    // A click on the control box waits to see whether it becomes a double click.
    bool SystemMenuPending() const;
    void RefreshMaximizeGlyphs();

    // The two drawing steps of a paint, on the paint's off-screen bitmap.
    virtual void DrawSections(TBitmap* bitmap);
    virtual void DrawButtonsAndCaption(TBitmap* bitmap);

    TskTitleBarButtonClickEvent OnCustomBtnsClick;
    TskTitleBarButtonClickEvent OnHelpBtnClick;
    std::optional<TEventSlot> EventSlot(const QString& name) override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void CMMouseLeave(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    TCustomForm* HostForm() const;
    bool HostMaximized() const;
    void HotFromPoint(TPoint point);
    // A click on the control box opens the system menu once it cannot become a double
    // click any more; the double click closes the window instead.
    void PopupSystemMenuLater();

    TskUIStyle FUIStyle = DeepBlue;
    // A theme that goes leaves the bar in DeepBlue.
    TComponentReference<TskFileTheme> FFileTheme{this,
                                                 [this](TskFileTheme*) { SetUIStyle(DeepBlue); }};
    TskTitleBarSections* FSections;
    TskTitleBarButtons* FButtons;
    bool FAutoSize = false;
    int FButtonInterval = 0;
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    int FRoundCorner = 0;
    int FRoundCornerBottom = 0;
    bool FDrawAppIcon = false;
    bool FInFileThemeSwitch = false;
    TskTitleBarPopupMenu* FSystemMenu;
    bool FCustom = false;
    bool FMouseIsDown = false;
    int FHotButtonIndex = -1;
    int FButtonRowHeight = 0;
    int FButtonRowTop = 0;
    TTimer* FSystemMenuTimer;
    // The press that made a double click on the control box: its release opens nothing.
    bool FControlBoxDoubleClicked = false;
};
