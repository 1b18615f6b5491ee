#include "framework/controls/ToolBar.h"

#include "framework/controls/Menus.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TBar {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TToolBar* Bar = new TToolBar(Form.get());

    TBar() {
        Form->SetBounds(0, 0, 300, 200);
        Bar->SetParent(Form.get());
    }
    TToolButton* Add(const QString& caption, TToolButton::TToolButtonStyle style) {
        auto* button = new TToolButton(Form.get());
        button->SetCaption(caption);
        button->SetStyle(style);
        button->SetParent(Bar);
        return button;
    }
};

TEST(ToolBarTest, ButtonsSitLeftToRightSizedByCaptionsOrButtonWidth) {
    TBar bar;
    EXPECT_EQ(bar.Bar->BoundsRect(), Rect(0, 0, 300, 29));
    TToolButton* first = bar.Add(QStringLiteral("File"), TToolButton::tbsButton);
    TToolButton* separator = bar.Add(QString(), TToolButton::tbsSeparator);
    TToolButton* second = bar.Add(QStringLiteral("Help"), TToolButton::tbsButton);
    EXPECT_EQ(bar.Bar->ButtonCount(), 3);
    EXPECT_EQ(bar.Bar->Buttons(2), second);
    EXPECT_EQ(first->BoundsRect(), Rect(0, 0, 23, 22));
    EXPECT_EQ(separator->BoundsRect(), Rect(23, 0, 31, 22));
    EXPECT_EQ(second->Left(), 31);

    bar.Bar->SetShowCaptions(true);
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(first->Font());
    const int fileWidth = std::max(23, measure.Canvas()->TextWidth(QStringLiteral("File")) + 14);
    EXPECT_EQ(first->Width(), fileWidth);
    EXPECT_EQ(second->Left(), fileWidth + 8);
    bar.Bar->SetAutoSize(true);
    EXPECT_EQ(bar.Bar->Height(), 22);
}

TEST(ToolBarTest, ClicksReachTheButtonAndItsMenuItemAndGroupedChecksExcludeEachOther) {
    TBar bar;
    TToolButton* left = bar.Add(QStringLiteral("L"), TToolButton::tbsCheck);
    TToolButton* right = bar.Add(QStringLiteral("R"), TToolButton::tbsCheck);
    left->SetGrouped(true);
    right->SetGrouped(true);
    TMainMenu menu(nullptr);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(QStringLiteral("Exit"));
    menu.Items()->Add(item);
    int itemClicks = 0;
    item->OnClick = [&](TObject*) { ++itemClicks; };
    left->SetMenuItem(item);
    EXPECT_EQ(left->Caption(), QStringLiteral("Exit"));
    bar.Form->Show();
    QTest::mouseClick(left->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_TRUE(left->Down());
    EXPECT_EQ(itemClicks, 1);
    QTest::mouseClick(right->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_TRUE(right->Down());
    EXPECT_FALSE(left->Down());
    delete item;
    EXPECT_EQ(left->MenuItem(), nullptr);
}

TEST(ToolBarTest, FlatButtonsShowAFrameOnlyWhenHotOrDown) {
    TBar bar;
    TToolButton* button = bar.Add(QString(), TToolButton::tbsCheck);
    TBitmap bitmap;
    bitmap.SetSize(23, 22);
    button->PaintTo(*bitmap.Canvas(), Point(0, 0));
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), ColorToRGB(clBtnFace));
    button->SetDown(true);
    button->PaintTo(*bitmap.Canvas(), Point(0, 0));
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bitmap.Canvas()->Pixel(22, 21), ColorToRGB(clBtnHighlight));
}

} // namespace
