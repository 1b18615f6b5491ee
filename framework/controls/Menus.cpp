#include "framework/controls/Menus.h"

#include "framework/core/Application.h"
#include "framework/core/Messages.h"
#include "framework/graphics/Bitmap.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontInfo>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <map>

namespace {

const char* const ItemProperty = "sumwardenMenuItem";

TMenuItem* OwnerDrawnItem(const QStyleOption* option) {
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (menuOption == nullptr) {
        return nullptr;
    }
    TMenuItem* item = MenuItemOfAction(qobject_cast<const QAction*>(option->styleObject));
    if (item == nullptr || item->GetParentMenu() == nullptr ||
        !item->GetParentMenu()->OwnerDraw()) {
        return nullptr;
    }
    return item;
}

// The frame of an owner-drawn popup: the rest of its window belongs to the items.
constexpr int OwnerDrawnMenuPanelWidth = 3;

TMenu* OwnerDrawnMenuOf(const QWidget* widget) {
    const auto* menu = qobject_cast<const QMenu*>(widget);
    if (menu == nullptr) {
        return nullptr;
    }
    for (const QAction* action : menu->actions()) {
        if (TMenuItem* item = MenuItemOfAction(action); item != nullptr) {
            TMenu* owner = item->GetParentMenu();
            return owner != nullptr && owner->OwnerDraw() ? owner : nullptr;
        }
    }
    return nullptr;
}

// Copies only the frame ring of the painted window image, leaving the items alone.
void PaintFrameOnly(QPainter* painter, const QRect& rect, const QImage& frame) {
    const int ring = OwnerDrawnMenuPanelWidth;
    painter->save();
    QRegion region(rect);
    region -= rect.adjusted(ring, ring, -ring, -ring);
    painter->setClipRegion(region);
    painter->drawImage(rect.topLeft(), frame);
    painter->restore();
}

// Measures and paints the items of owner-drawn menus through their handlers; every
// other element is the application style's.
class TMenuStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_MenuItem) {
            if (TMenuItem* item = OwnerDrawnItem(option); item && item->OnMeasureItem) {
                TBitmap measure;
                measure.SetSize(1, 1);
                if (widget != nullptr) {
                    measure.Canvas()->Font()->SetName(widget->font().family());
                    measure.Canvas()->Font()->SetHeight(-QFontInfo(widget->font()).pixelSize());
                }
                int width = size.width();
                int height = size.height();
                item->OnMeasureItem(item, measure.Canvas(), width, height);
                return {width, height};
            }
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuItem) {
            if (TMenuItem* item = OwnerDrawnItem(option); item && item->OnAdvancedDrawItem) {
                const QRect rect = option->rect;
                TBitmap bitmap;
                bitmap.SetSize(rect.width(), rect.height());
                TMenuItem::TOwnerDrawState state;
                state.setFlag(TMenuItem::odSelected, option->state.testFlag(State_Selected));
                state.setFlag(TMenuItem::odDisabled, !option->state.testFlag(State_Enabled));
                state.setFlag(TMenuItem::odGrayed, !option->state.testFlag(State_Enabled));
                state.setFlag(TMenuItem::odChecked, item->Checked());
                state.setFlag(TMenuItem::odDefault, item->Default());
                item->OnAdvancedDrawItem(item, bitmap.Canvas(),
                                         Rect(0, 0, rect.width(), rect.height()), state);
                painter->drawImage(rect.topLeft(), bitmap.Image());
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameMenu) {
            if (TMenu* menu = OwnerDrawnMenuOf(widget); menu != nullptr) {
                const QRect rect = option->rect;
                TBitmap frame;
                frame.SetSize(rect.width(), rect.height());
                if (menu->DrawPopupFrame(frame.Canvas(), Rect(0, 0, rect.width(), rect.height()))) {
                    PaintFrameOnly(painter, rect, frame.Image());
                    return;
                }
            }
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (OwnerDrawnMenuOf(widget) != nullptr) {
            switch (metric) {
            case PM_MenuPanelWidth:
                return OwnerDrawnMenuPanelWidth;
            case PM_MenuHMargin:
            case PM_MenuVMargin:
                return 0;
            default:
                break;
            }
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* MenuStyle() {
    static QPointer<TMenuStyle> style;
    if (style.isNull()) {
        style = new TMenuStyle();
        style->setParent(qApp);
    }
    return style;
}

// A menu that tells the style which action each item option belongs to.
class TOwnerDrawMenu : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
        QMenu::initStyleOption(option, action);
        option->styleObject = const_cast<QAction*>(action);
    }
};

} // namespace

TMenuItem* MenuItemOfAction(const QAction* action) {
    return action != nullptr
               ? qobject_cast<TMenuItem*>(action->property(ItemProperty).value<QObject*>())
               : nullptr;
}

namespace {

// The keys whose virtual key code is not their character (letters and digits are).
const std::map<int, int> kNamedKeys = {
    {VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab},       {VK_RETURN, Qt::Key_Return},
    {VK_ESCAPE, Qt::Key_Escape},  {VK_SPACE, Qt::Key_Space},   {VK_PRIOR, Qt::Key_PageUp},
    {VK_NEXT, Qt::Key_PageDown},  {VK_END, Qt::Key_End},       {VK_HOME, Qt::Key_Home},
    {VK_LEFT, Qt::Key_Left},      {VK_UP, Qt::Key_Up},         {VK_RIGHT, Qt::Key_Right},
    {VK_DOWN, Qt::Key_Down},      {VK_INSERT, Qt::Key_Insert}, {VK_DELETE, Qt::Key_Delete},
};

} // namespace

QKeySequence ShortCutToKeySequence(int shortCut) {
    if (shortCut == 0) {
        return {};
    }
    int key = shortCut & 0xFF;
    if (key >= VK_F1 && key <= VK_F1 + 23) {
        key = Qt::Key_F1 + (key - VK_F1);
    } else if (const auto named = kNamedKeys.find(key); named != kNamedKeys.end()) {
        key = named->second;
    }
    int modifiers = 0;
    if (shortCut & scShift) {
        modifiers |= Qt::SHIFT;
    }
    if (shortCut & scCtrl) {
        modifiers |= Qt::CTRL;
    }
    if (shortCut & scAlt) {
        modifiers |= Qt::ALT;
    }
    return QKeySequence(key | modifiers);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    while (!FItems.isEmpty()) {
        TMenuItem* child = FItems.last();
        Remove(child);
        // Children the owner also holds are freed by the owner; the rest are ours.
        if (child->Owner() == nullptr) {
            delete child;
        }
    }
    if (FParent != nullptr) {
        FParent->Remove(this);
    }
}

void TMenuItem::Changed() {
    if (TMenu* menu = GetParentMenu(); menu != nullptr && !IsLoading()) {
        menu->Changed();
    }
}

void TMenuItem::SetCaption(const QString& caption) {
    FCaption = caption;
    Changed();
}

void TMenuItem::SetChecked(bool value) {
    FChecked = value;
    if (value && FRadioItem && FParent != nullptr) {
        for (TMenuItem* sibling : FParent->FItems) {
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) {
                sibling->FChecked = false;
            }
        }
    }
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    FEnabled = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    FVisible = value;
    Changed();
}

void TMenuItem::SetRadioItem(bool value) {
    FRadioItem = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    FDefault = value;
    Changed();
}

void TMenuItem::SetShortCut(int value) {
    FShortCut = value;
    Changed();
}

void TMenuItem::SetImageIndex(int value) {
    FImageIndex = value;
    Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    return static_cast<int>(FItems.indexOf(item));
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr || item == this) {
        return;
    }
    if (item->FParent != nullptr) {
        item->FParent->Remove(item);
    }
    FItems.insert(std::clamp(index, 0, Count()), item);
    item->FParent = this;
    if (TMenu* menu = GetParentMenu(); menu != nullptr) {
        menu->ItemInserted(item);
    }
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    if (item == nullptr || item->FParent != this) {
        return;
    }
    FItems.removeAll(item);
    item->FParent = nullptr;
    if (!IsDestroying()) {
        Changed();
    }
}

void TMenuItem::Delete(int index) {
    Remove(FItems.at(index));
}

void TMenuItem::Clear() {
    while (!FItems.isEmpty()) {
        TMenuItem* child = FItems.last();
        Remove(child);
        if (child->Owner() == nullptr) {
            delete child;
        }
    }
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent != nullptr) {
        item = item->FParent;
    }
    return item->FMenu;
}

void TMenuItem::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = qobject_cast<TMenuItem*>(parent)) {
        item->Add(this);
    } else if (auto* menu = qobject_cast<TMenu*>(parent)) {
        menu->Items()->Add(this);
    }
}

TNotifyEvent* TMenuItem::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnClick") ? &OnClick : TComponent::NotifyEvent(name);
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    Destroying();
    delete FItems;
}

void TMenu::SetOwnerDraw(bool value) {
    FOwnerDraw = value;
    Changed();
}

void TMenu::SetImages(TComponent* images) {
    FImages.Set(images);
    Changed();
}

TNotifyEvent* TMenu::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TComponent::NotifyEvent(name);
}

void TMenu::ImagesCleared() {
    Changed();
}

void TMenu::Changed() {
    if (IsLoading() || IsDestroying()) {
        return;
    }
    MenuChanged(nullptr, true);
    if (OnChange) {
        OnChange(this);
    }
}

void TMenu::MenuChanged(TMenuItem*, bool) {
    if (ChangeListener) {
        ChangeListener(this);
    }
}

void TMenu::ItemInserted(TMenuItem*) {}

bool TMenu::DrawPopupFrame(TCanvas*, const TRect&) {
    return false;
}

QMenu* TMenu::BuildQMenu(TMenuItem* item, QWidget* parent) const {
    auto* menu = new TOwnerDrawMenu(parent);
    if (FOwnerDraw) {
        menu->setStyle(MenuStyle());
    }
    FillQMenu(menu, item);
    return menu;
}

void TMenu::FillQMenu(QWidget* menu, TMenuItem* item) const {
    auto* qmenu = qobject_cast<QMenu*>(menu);
    auto* bar = qobject_cast<QMenuBar*>(menu);
    QActionGroup* group = nullptr;
    for (TMenuItem* child : item->FItems) {
        QAction* action = nullptr;
        if (child->IsLine()) {
            action = qmenu != nullptr ? qmenu->addSeparator() : bar->addSeparator();
        } else if (child->Count() > 0) {
            QMenu* sub = BuildQMenu(child, menu);
            sub->setTitle(child->Caption());
            action = sub->menuAction();
            menu->addAction(action);
        } else {
            action = new QAction(child->Caption(), menu);
            action->setShortcut(ShortCutToKeySequence(child->ShortCut()));
            action->setCheckable(child->Checked() || child->RadioItem());
            action->setChecked(child->Checked());
            QPointer<TMenuItem> target(child);
            QObject::connect(action, &QAction::triggered, menu, [target] {
                if (target) {
                    CallReportingExceptions(target, [target] { target->Click(); });
                }
            });
            menu->addAction(action);
            if (child->RadioItem()) {
                if (group == nullptr) {
                    group = new QActionGroup(menu);
                }
                group->addAction(action);
            }
        }
        action->setProperty(ItemProperty, QVariant::fromValue<QObject*>(child));
        action->setEnabled(child->Enabled());
        action->setVisible(child->Visible());
        action->setStatusTip(child->Hint());
    }
}

bool TMenu::IsShortCut(int shortCut) const {
    std::function<bool(TMenuItem*)> find = [&](TMenuItem* item) {
        for (TMenuItem* child : item->FItems) {
            if (child->ShortCut() == shortCut && child->Enabled() && child->Visible()) {
                child->Click();
                return true;
            }
            if (find(child)) {
                return true;
            }
        }
        return false;
    };
    return shortCut != 0 && find(FItems);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) {
        OnPopup(this);
    }
    if (FShown) {
        FShown->close();
    }
    QMenu* menu = BuildQMenu(Items(), nullptr);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    FShown = menu;
    menu->popup(QPoint(x, y));
}

TNotifyEvent* TPopupMenu::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnPopup") ? &OnPopup : TMenu::NotifyEvent(name);
}
