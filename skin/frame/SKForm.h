// The component that turns an ordinary top-level form into a skinned window: a frameless
// window whose frame, title bar, menu bar and rounded shape it paints itself.
#pragma once

#include "framework/controls/Panel.h"
#include "framework/controls/ToolBar.h"
#include "framework/forms/Form.h"
#include "skin/core/SKMgr.h"
#include "skin/frame/SKFormFrame.h"
#include "skin/frame/SKTitleBar.h"
#include "skin/menus/SKMainMenu.h"

#include <QPointer>
#include <memory>

class TApplicationEvents;
class TskForm;

// The skinned form's menu bar: a tool bar whose buttons open the drop-downs of the main
// menu's top-level items.
class TskMenuBar : public TToolBar {
    Q_OBJECT
public:
    TskMenuBar(TskForm* form, TComponent* AOwner);
    TskForm* Form() const { return FForm; }

private:
    TskForm* FForm;
};

class TskForm : public TCustomPanel, public TskMenuBarHost {
    Q_OBJECT
    Q_PROPERTY(bool TitleBarCustom READ TitleBarCustom WRITE SetTitleBarCustom)
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(bool UIStyleAutoUpdateSub READ UIStyleAutoUpdateSub WRITE SetUIStyleAutoUpdateSub)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(int BorderWidth READ FrameBorderWidth WRITE SetFrameBorderWidth)
    Q_PROPERTY(bool TitleBarVisible READ TitleBarVisible WRITE SetTitleBarVisible)
    Q_PROPERTY(TComponent* FormPanel READ FormPanel WRITE SetFormPanel)
    Q_PROPERTY(TCollection* TitleBarButtons READ TitleBarButtons WRITE SetTitleBarButtons)
    Q_PROPERTY(TCollection* TitleBarSections READ TitleBarSections WRITE SetTitleBarSections)
    Q_PROPERTY(bool TitleBarDrawAppIcon READ TitleBarDrawAppIcon WRITE SetTitleBarDrawAppIcon)
    Q_PROPERTY(TFont* Font READ TitleBarFont WRITE SetTitleBarFont)
    Q_PROPERTY(TComponent* Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(int MenuBarColor READ MenuBarColor WRITE SetMenuBarColor)
    Q_PROPERTY(int MenuBarHeight READ MenuBarHeight WRITE SetMenuBarHeight)
    Q_PROPERTY(int RoundCorner READ RoundCorner WRITE SetRoundCorner)
    Q_PROPERTY(int RoundCornerBottom READ RoundCornerBottom WRITE SetRoundCornerBottom)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
public:
    explicit TskForm(TComponent* AOwner);
    ~TskForm() override;

    // False for a plain panel: owner not a form, or a second skinned form on it.
    bool InCharge() const { return !FHostForm.isNull(); }
    TCustomForm* HostForm() const { return FHostForm; }
    TskTitleBar* TitleBar() const { return FTitleBar; }
    // The published Font is the title bar's: the controls on the form keep the host's.
    TFont* TitleBarFont() const { return FTitleBar != nullptr ? FTitleBar->Font() : Font(); }
    void SetTitleBarFont(TFont* font);
    TskMenuBar* MenuBar() const { return FMenuBar; }

    bool TitleBarCustom() const;
    void SetTitleBarCustom(bool value);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    bool UIStyleAutoUpdateSub() const { return FUIStyleAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool value) { FUIStyleAutoUpdateSub = value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    int FrameBorderWidth() const { return FFrameBorderWidth; }
    void SetFrameBorderWidth(int value);
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool value);
    TComponent* FormPanel() const { return FFormPanel; }
    // The skinned form itself is refused with an error box.
    void SetFormPanel(TComponent* panel);
    TCollection* TitleBarButtons() const;
    void SetTitleBarButtons(TCollection* buttons);
    TCollection* TitleBarSections() const;
    void SetTitleBarSections(TCollection* sections);
    bool TitleBarDrawAppIcon() const;
    void SetTitleBarDrawAppIcon(bool value);
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* menu);
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor value);
    int MenuBarHeight() const { return FMenuBarHeight; }
    void SetMenuBarHeight(int value);
    // The title bar's radii; 0 while the bar is hidden.
    int RoundCorner() const;
    void SetRoundCorner(int value);
    int RoundCornerBottom() const;
    void SetRoundCornerBottom(int value);
    QString Version() const { return QStringLiteral("5.8"); }
    void SetVersion(const QString&) {}
    int BottomBorderHeight() const { return FBottomBorderHeight; }
    const TBitmap* SideBitmap() const { return FSideBitmap.get(); }
    bool Destroying() const { return FDestroying; }

    // The caption lives on the title bar and the host form.
    QString GetText() const override;
    void SetText(const QString& text) override;

    // What the frame painter is given for the host's present size.
    TskFrameInput FrameInput() const;
    // Repaints the frame (never the client) and the frame rows that overlap the client.
    void InvalidateFrame();
    // The window region for the host's present size and the bar's radii.
    QRegion WindowRegion() const;
    void RebuildRegion();

    void RebuildMenuBar() override;
    void UpdateMenuBar() override;
    void UpdateMenuBarFont() override;

    TskTitleBar::TskTitleBarButtonClickEvent& OnTitleBarCustomBtnsClick();
    TskTitleBar::TskTitleBarButtonClickEvent& OnTitleBarHelpBtnClick();

protected:
    void Paint() override;

private:
    void TakeOver(TCustomForm* host);
    void GiveBack();
    void HookMessage(TMessage& message);
    void HandleSize();
    void ApplicationMessage(TMessage& message, bool& handled);
    bool RunMenuShortCut(TMessage& message);
    void CreateMenuBar();
    void RemoveMenuBar();
    // Stops menu from calling on this form as its menu bar's host.
    void ReleaseMenu(TComponent* menu);
    // The file theme went: the form and its controls take DeepBlue.
    void FileThemeGone();
    void PlaceOverlay();
    // The look and theme the menu bar draws with.
    TskUIStyle MenuStyle() const;
    TskFileTheme* MenuFileTheme() const;
    void DrawMenuBarButton(TToolBar* bar, TToolButton* button, bool& defaultDraw);

    QPointer<TCustomForm> FHostForm;
    TskTitleBar* FTitleBar = nullptr;
    TskMenuBar* FMenuBar = nullptr;
    TComponentReference<TComponent> FMenu{this, [this](TComponent* survivor) {
                                              ReleaseMenu(survivor);
                                              RemoveMenuBar();
                                          }};
    TWndMethod FOldWindowProc;
    std::unique_ptr<TBitmap> FSideBitmap;
    // The file theme's left and bottom border pictures, kept with the side picture.
    std::unique_ptr<TBitmap> FLeftBorder;
    std::unique_ptr<TBitmap> FBottomBorder;
    int FBottomBorderHeight = 0;
    TColor FBorderColor = clBlack;
    TComponentReference<TComponent> FFormPanel{this};
    int FFrameBorderWidth = 1;
    TskUIStyle FUIStyle = DeepBlue;
    TComponentReference<TskFileTheme> FFileTheme{this, [this](TskFileTheme*) { FileThemeGone(); }};
    TColor FMenuBarColor = clBtnFace;
    int FMenuBarHeight = 22;
    bool FUIStyleAutoUpdateSub = false;
    bool FDestroying = false;
    std::unique_ptr<TApplicationEvents> FAppEvents;
    TRect FSavedBounds;
    bool FCreatedMaximized = false;
    QPointer<QWidget> FOverlay;
};
