#pragma once

#include "framework/core/Component.h"
#include "framework/core/ComponentReference.h"
#include "framework/graphics/Canvas.h"

#include <QList>
#include <QMenu>
#include <functional>

class TMenu;
class QAction;

// A menu item: a caption ("-" is a separator line), a state, a shortcut and child
// items. Owner-drawn menus measure and paint each item through its handlers.
class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool RadioItem READ RadioItem WRITE SetRadioItem)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(int ShortCut READ ShortCut WRITE SetShortCut)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
public:
    enum TOwnerDrawStateFlag {
        odSelected = 0x1,
        odGrayed = 0x2,
        odDisabled = 0x4,
        odChecked = 0x8,
        odFocused = 0x10,
        odDefault = 0x20,
        odNoAccel = 0x100,
    };
    Q_DECLARE_FLAGS(TOwnerDrawState, TOwnerDrawStateFlag)
    Q_FLAG(TOwnerDrawState)

    using TMenuMeasureItemEvent =
        std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
    using TAdvancedMenuDrawItemEvent =
        std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    bool IsLine() const { return FCaption == QLatin1String("-"); }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    // A classic shortcut value: the key code with scShift, scCtrl and scAlt added.
    int ShortCut() const { return FShortCut; }
    void SetShortCut(int value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint) { FHint = hint; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);
    void Clear();
    TMenuItem* Parent() const { return FParent; }
    // The menu whose item tree holds this item.
    TMenu* GetParentMenu() const;

    virtual void Click();
    void SetParentComponent(TComponent* parent) override;
    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

private:
    friend class TMenu;
    void Changed();

    QString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    bool FDefault = false;
    int FGroupIndex = 0;
    int FShortCut = 0;
    int FImageIndex = -1;
    QString FHint;
    QList<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TMenuItem::TOwnerDrawState)

constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;
QKeySequence ShortCutToKeySequence(int shortCut);

// A tree of menu items under Items; OnChange tells its user (a form's menu bar) to
// rebuild. Qt menus are made from the tree on demand, owner-drawn when OwnerDraw is
// set, through a proxy style that asks the items' measure and draw handlers.
class TMenu : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)
    Q_PROPERTY(TComponent* Images READ Images WRITE SetImages)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    TComponent* Images() const { return FImages; }
    void SetImages(TComponent* images);

    // A Qt menu of item's children (parented to parent; the caller owns it).
    QMenu* BuildQMenu(TMenuItem* item, QWidget* parent) const;
    // Fills a menu (or menu bar) with actions for item's children.
    void FillQMenu(QWidget* menu, TMenuItem* item) const;
    // Calls OnClick of the item whose shortcut is shortCut; true if one took it.
    bool IsShortCut(int shortCut) const;

    // Runs MenuChanged (the menu's user, such as a form's menu bar), then OnChange
    // (user code).
    void Changed();
    TNotifyEvent OnChange;
    // The one listener that shows the menu (a form's menu bar); MenuChanged calls it.
    std::function<void(TMenu* menu)> ChangeListener;

    // The frame of a shown owner-drawn popup, painted on its whole window (0, 0, W, H);
    // false leaves the frame to the application style.
    virtual bool DrawPopupFrame(TCanvas* canvas, const TRect& windowRect);

protected:
    // The image list was freed or left the menu's owner; the default redraws.
    virtual void ImagesCleared();
    // The items changed: tells ChangeListener. Runs before OnChange.
    virtual void MenuChanged(TMenuItem* source, bool rebuild);
    // An item (with its children) was inserted somewhere in this menu's tree.
    virtual void ItemInserted(TMenuItem* item);

private:
    friend class TMenuItem;
    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TComponentReference<TComponent> FImages{this, [this](TComponent*) { ImagesCleared(); }};
};

// The menu of a form's menu bar.
class TMainMenu : public TMenu {
    Q_OBJECT
public:
    using TMenu::TMenu;
};

// A menu shown at a screen position.
class TPopupMenu : public TMenu {
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE SetAutoPopup)
public:
    using TMenu::TMenu;

    // Shows the menu with its top-left corner at the screen point; returns at once.
    void Popup(int x, int y);
    // The Qt menu on screen, if any.
    QMenu* Shown() const { return FShown; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component) { FPopupComponent = component; }
    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnPopup;

private:
    QPointer<QMenu> FShown;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};

// The item a Qt action of a built menu stands for.
TMenuItem* MenuItemOfAction(const QAction* action);
