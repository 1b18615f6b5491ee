#include "framework/controls/Menus.h"

#include "framework/forms/Form.h"

#include <QAction>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

TMenuItem* AddItem(TMenuItem* parent, const QString& caption) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

TEST(MenuTest, BuildsQtMenusFromTheItemTree) {
    TPopupMenu menu(nullptr);
    TMenuItem* open = AddItem(menu.Items(), QStringLiteral("&Open"));
    AddItem(menu.Items(), QStringLiteral("-"));
    TMenuItem* recent = AddItem(menu.Items(), QStringLiteral("Recent"));
    AddItem(recent, QStringLiteral("one.md5"));
    open->SetShortCut(scCtrl | 'O');
    open->SetEnabled(false);
    int clicks = 0;
    open->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(open->GetParentMenu(), &menu);

    std::unique_ptr<QMenu> built(menu.BuildQMenu(menu.Items(), nullptr));
    const QList<QAction*> actions = built->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Open"));
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_NE(actions[2]->menu(), nullptr);
    EXPECT_EQ(MenuItemOfAction(actions[2]), recent);
    actions[0]->setEnabled(true);
    actions[0]->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(menu.IsShortCut(scCtrl | 'O') == false);
    open->SetEnabled(true);
    EXPECT_TRUE(menu.IsShortCut(scCtrl | 'O'));
    EXPECT_EQ(clicks, 2);
}

TEST(MenuTest, OwnerDrawnItemsAreMeasuredAndPaintedByTheirHandlers) {
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    TMenuItem* item = AddItem(menu.Items(), QStringLiteral("Painted"));
    item->OnMeasureItem = [](TObject*, TCanvas*, int& width, int& height) {
        width = 120;
        height = 30;
    };
    TMenuItem::TOwnerDrawState seen;
    item->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, TRect rect,
                                   TMenuItem::TOwnerDrawState state) {
        seen = state;
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(rect);
    };
    std::unique_ptr<QMenu> built(menu.BuildQMenu(menu.Items(), nullptr));
    built->ensurePolished();
    const QRect geometry = built->actionGeometry(built->actions().first());
    EXPECT_EQ(geometry.height(), 30);
    EXPECT_GE(geometry.width(), 120);
    const QImage image = built->grab().toImage();
    EXPECT_EQ(image.pixel(geometry.center()) & 0xFFFFFF, 0x00FF00u);
    EXPECT_FALSE(seen.testFlag(TMenuItem::odDisabled));
}

TEST(MenuTest, FormShowsItsMainMenuAboveTheClientAreaAndForgetsAFreedMenu) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* menu = new TMainMenu(&form);
    AddItem(menu->Items(), QStringLiteral("&File"));
    form.SetMenu(menu);
    ASSERT_NE(form.MenuBar(), nullptr);
    EXPECT_EQ(form.MenuBar()->actions().size(), 1);
    const int barHeight = form.MenuBar()->sizeHint().height();
    EXPECT_EQ(form.ClientAreaInWindow().Top, barHeight);
    int userChanges = 0;
    menu->OnChange = [&](TObject*) { ++userChanges; };
    AddItem(menu->Items(), QStringLiteral("&Help"));
    EXPECT_EQ(form.MenuBar()->actions().size(), 2);
    EXPECT_EQ(userChanges, 1);
    delete menu;
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(form.MenuBar(), nullptr);
    EXPECT_EQ(form.ClientAreaInWindow().Top, 0);
}

TEST(MenuTest, OwnerDrawnPopupAsksItsMenuForTheFrame) {
    struct TFramedMenu : TPopupMenu {
        using TPopupMenu::TPopupMenu;
        bool DrawPopupFrame(TCanvas* canvas, const TRect& rect) override {
            canvas->Brush()->SetColor(clRed);
            canvas->FillRect(rect);
            return true;
        }
    };
    TFramedMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    AddItem(menu.Items(), QStringLiteral("Item"));
    std::unique_ptr<QMenu> built(menu.BuildQMenu(menu.Items(), nullptr));
    built->ensurePolished();
    const QImage image = built->grab().toImage();
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(2, image.height() / 2) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(built->actionGeometry(built->actions().first()).left(), 3);
}

} // namespace
