#include "FakeDialogs.h"
#include "framework/forms/Form.h"
#include "framework/forms/WindowMover.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKThemeSource.h"
#include "skin/frame/SKTitleBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const TskUIStyle AllLooks[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint position) {
    Mouse->SetCursorPos(TPoint::FromQPoint(widget->mapToGlobal(position)));
    const QPointF global = widget->mapToGlobal(QPointF(position));
    QMouseEvent event(type, QPointF(position), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A bar on a plain form with only its close button visible, in a look.
struct TBarOnForm {
    TForm Form{nullptr};
    TskTitleBar* Bar;
    explicit TBarOnForm(TskUIStyle style) {
        Form.SetBounds(100, 100, 300, 200);
        Bar = new TskTitleBar(&Form);
        Bar->SetParent(&Form);
        Bar->SetUIStyle(style);
        Bar->SetCaption(QStringLiteral("Title"));
        for (int i = 0; i < Bar->Buttons()->Count(); ++i) {
            Bar->Buttons()->Items(i)->SetVisible(Bar->Buttons()->Items(i)->ButtonType() == skClose);
        }
        Mouse->SetCursorPos(Point(-500, -500));
    }
};

TEST(TitleBar, ConstructionAddsFourButtonsAndBuildsTheDeepBlueLook) {
    TskTitleBar bar(nullptr);
    ASSERT_EQ(bar.Buttons()->Count(), 4);
    EXPECT_EQ(bar.Buttons()->Items(0)->ButtonType(), skControlBox);
    EXPECT_EQ(bar.Buttons()->Items(1)->ButtonType(), skClose);
    EXPECT_EQ(bar.Buttons()->Items(2)->ButtonType(), skMax);
    EXPECT_EQ(bar.Buttons()->Items(3)->ButtonType(), skMin);
    EXPECT_EQ(bar.UIStyle(), DeepBlue);
    EXPECT_EQ(bar.Align(), alTop);
    EXPECT_TRUE(bar.FormActive());
    EXPECT_EQ(bar.HotButtonIndex(), -1);
    EXPECT_EQ(bar.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(bar.Font()->Style().testFlag(TFont::fsBold));
    EXPECT_EQ(bar.Font()->Color(), clWhite);
    ASSERT_EQ(bar.Sections()->Count(), 3);
    EXPECT_EQ(bar.Sections()->Items(1)->Align(), skRight);
    EXPECT_EQ(bar.Sections()->Items(2)->Align(), skClient);
    EXPECT_TRUE(bar.Sections()->Items(2)->Stretch());
}

TEST(TitleBar, EveryLookSetsHeightOffsetsGlyphsAndCaptionColour) {
    const int glyphWidths[] = {17, 21, 19, 19, 19};
    const int leftHeights[] = {23, 29, 32, 23, 33};
    for (int i = 0; i < 5; ++i) {
        TskTitleBar bar(nullptr);
        bar.SetUIStyle(AllLooks[i]);
        const TskThemeSource theme = TskThemeSource::For(nullptr, AllLooks[i]);
        EXPECT_EQ(bar.Height(), leftHeights[i]) << AllLooks[i];
        EXPECT_EQ(bar.LeftBtnXOffset(), theme.Int(TitleBarButtonLeftOffsetInt));
        EXPECT_EQ(bar.RightBtnXOffset(), theme.Int(TitleBarButtonRightOffsetInt));
        EXPECT_EQ(bar.ButtonRowTop(), theme.Int(TitleBarButtonTopInt));
        EXPECT_EQ(bar.ButtonRowHeight(), glyphWidths[i]);
        EXPECT_EQ(bar.RoundCorner(), theme.Int(FormRoundCornerInt));
        EXPECT_EQ(bar.RoundCornerBottom(), 0);
        EXPECT_EQ(bar.Buttons()->Items(1)->PicNormal()->Width(), glyphWidths[i]);
        EXPECT_EQ(bar.Font()->Color(), AllLooks[i] == MacOS ? clBlack : clWhite);
    }
}

TEST(TitleBar, CloseGlyphIsCutFromTheStripInEachState) {
    TskTitleBar bar(nullptr);
    bar.SetUIStyle(MacOS);
    const TskTitleBarButton* close = bar.Buttons()->Items(1);
    TBitmap expected;
    for (auto [frame, picture] : {std::pair{16, close->PicNormal()},
                                  {17, close->PicMouseOn()},
                                  {18, close->PicMouseDown()}}) {
        GetBuiltinThemeBitmap(MacOS, TitleBarButtonImage, &expected, 18, frame);
        ASSERT_NE(picture->Graphic(), nullptr);
        EXPECT_EQ(picture->Bitmap()->Image(), expected.Image()) << frame;
    }
}

TEST(TitleBar, SecondClientSectionAndSecondControlBoxAreRefused) {
    TFakeDialogsScope dialogs;
    TskTitleBar bar(nullptr);
    bar.Sections()->Items(0)->SetAlign(skClient);
    EXPECT_EQ(bar.Sections()->Items(0)->Align(), skLeft);
    bar.Buttons()->Items(1)->SetButtonType(skControlBox);
    EXPECT_EQ(bar.Buttons()->Items(1)->ButtonType(), skClose);
    ASSERT_EQ(dialogs->MessageBoxes.size(), 2);
    EXPECT_EQ(dialogs->MessageBoxes[0].Text,
              QStringLiteral("Sorry, only one section's Align property can be \"skClient\""));
    EXPECT_EQ(
        dialogs->MessageBoxes[1].Text,
        QStringLiteral("Sorry, only one button's ButtonType property can be \"skControlBox\""));
    EXPECT_EQ(dialogs->MessageBoxes[1].Buttons, mbOK);
}

TEST(TitleBar, CopyingCollectionsEmptiesTheTargetFirst) {
    TskTitleBar source(nullptr);
    TskTitleBar target(nullptr);
    source.SetUIStyle(WinXP);
    target.SetButtons(source.Buttons());
    target.SetSections(source.Sections());
    EXPECT_EQ(target.Buttons()->Count(), 4);
    EXPECT_EQ(target.Buttons()->Items(0)->ButtonType(), skControlBox);
    EXPECT_EQ(target.Sections()->Items(2)->Align(), skClient);
    EXPECT_EQ(target.Sections()->Items(0)->Picture()->Width(),
              source.Sections()->Items(0)->Picture()->Width());
}

TEST(TitleBar, CustomBarKeepsItsSectionsWhenTheLookChanges) {
    TskTitleBar bar(nullptr);
    bar.SetCustom(true);
    bar.Sections()->Clear();
    bar.SetUIStyle(WinXP);
    EXPECT_EQ(bar.Sections()->Count(), 0);
    bar.SetAutoSize(true);
    EXPECT_FALSE(bar.AutoSize());
}

TEST(TitleBar, SystemMenuHasTheCaptionsAndEnablesItemsByVisibleButtons) {
    TBarOnForm host(MacOS);
    TskTitleBarPopupMenu* menu = host.Bar->SystemMenu();
    ASSERT_EQ(menu->Items()->Count(), 4);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), QString::fromUtf8("最小化(&N)"));
    EXPECT_EQ(menu->Items()->Items(1)->Caption(), QString::fromUtf8("最大化/还原(&X)"));
    EXPECT_EQ(menu->Items()->Items(2)->Caption(), QStringLiteral("-"));
    EXPECT_EQ(menu->Items()->Items(3)->Caption(), QString::fromUtf8("关闭(&C)"));
    EXPECT_TRUE(static_cast<bool>(menu->Items()->Items(3)->OnAdvancedDrawItem));
    host.Bar->PopupSystemMenu(10, 10);
    EXPECT_FALSE(menu->Items()->Items(0)->Enabled());
    EXPECT_FALSE(menu->Items()->Items(1)->Enabled());
    EXPECT_TRUE(menu->Items()->Items(3)->Enabled());
    ASSERT_NE(menu->Shown(), nullptr);
    menu->Shown()->close();
}

TEST(TitleBar, PaintsTheMacCloseGlyphAtBarWidthMinusTwenty) {
    TBarOnForm host(MacOS);
    TBitmap painted;
    painted.SetSize(host.Bar->Width(), host.Bar->Height());
    host.Bar->PaintTo(*painted.Canvas(), Point(0, 0));
    const TPicture* glyph = host.Bar->Buttons()->Items(1)->PicNormal();
    const int x = host.Bar->Width() - 20;
    const int y = host.Bar->ButtonRowTop();
    TBitmap* picture =
        glyph->Graphic() != nullptr ? const_cast<TPicture*>(glyph)->Bitmap() : nullptr;
    ASSERT_NE(picture, nullptr);
    int same = 0;
    for (int py = 0; py < picture->Height(); ++py) {
        for (int px = 0; px < picture->Width(); ++px) {
            same += painted.Pixel(x + px, y + py) == picture->Pixel(px, py) ? 1 : 0;
        }
    }
    EXPECT_GT(same, picture->Width() * picture->Height() * 3 / 4);
    // The left cap lies at the bar's origin off a skinned form.
    TBitmap left;
    GetBuiltinThemeBitmap(MacOS, TitleBarLeftImage, &left);
    EXPECT_EQ(painted.Pixel(0, 0), left.Pixel(0, 0));
    EXPECT_EQ(painted.Pixel(5, 10), left.Pixel(5, 10));
}

TEST(TitleBar, EveryLookPaintsWithAndWithoutIconAndActiveState) {
    for (TskUIStyle style : AllLooks) {
        TBarOnForm host(style);
        for (bool icon : {false, true}) {
            host.Bar->Buttons()->Items(0)->SetVisible(true);
            host.Bar->SetDrawAppIcon(icon);
            host.Bar->SetFormActive(!icon);
            TBitmap painted;
            painted.SetSize(host.Bar->Width(), host.Bar->Height());
            host.Bar->PaintTo(*painted.Canvas(), Point(0, 0));
            EXPECT_EQ(host.Bar->HotButtonIndex(), -1);
        }
    }
}

TEST(TitleBar, CloseButtonClosesAndCaptionPressStartsADragOnlyWhenNotMaximised) {
    TBarOnForm host(DeepBlue);
    host.Form.Show();
    QWidget* widget = host.Bar->Handle();
    SendMouse(widget, QEvent::MouseButtonPress, QPoint(50, 10));
    EXPECT_TRUE(CaptionDragActive());
    SendMouse(widget, QEvent::MouseButtonRelease, QPoint(50, 10));
    EXPECT_FALSE(host.Bar->MouseIsDown());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(CaptionDragActive());

    host.Form.SetWindowState(TCustomForm::wsMaximized);
    SendMouse(widget, QEvent::MouseButtonPress, QPoint(50, 10));
    EXPECT_FALSE(CaptionDragActive());
    SendMouse(widget, QEvent::MouseButtonRelease, QPoint(50, 10));
    host.Form.SetWindowState(TCustomForm::wsNormal);

    const TskTitleBarLayout layout = host.Bar->Layout(Point(-1, -1));
    const QPoint close = layout.ButtonRects[1].ToQRect().center();
    SendMouse(widget, QEvent::MouseButtonPress, close);
    EXPECT_FALSE(CaptionDragActive());
    SendMouse(widget, QEvent::MouseButtonRelease, close);
    EXPECT_FALSE(host.Form.Visible());
}

TEST(TitleBar, DoubleClickMaximisesRestoresAndClosesOnTheControlBox) {
    TBarOnForm host(WinXP);
    host.Form.Show();
    QWidget* widget = host.Bar->Handle();
    // Without a visible maximise button nothing happens.
    SendMouse(widget, QEvent::MouseButtonDblClick, QPoint(60, 10));
    EXPECT_EQ(host.Form.WindowState(), TCustomForm::wsNormal);
    host.Bar->Buttons()->Items(2)->SetVisible(true);
    SendMouse(widget, QEvent::MouseButtonDblClick, QPoint(60, 10));
    SendMouse(widget, QEvent::MouseButtonRelease, QPoint(60, 10));
    EXPECT_EQ(host.Form.WindowState(), TCustomForm::wsMaximized);
    TRect area;
    GetWorkAreaRect(area);
    EXPECT_EQ(host.Form.Left(), area.Left - 4);
    EXPECT_EQ(host.Form.Width(), area.Width() + 8);
    EXPECT_EQ(host.Form.Height(), area.Height() + 3);
    TBitmap restoreGlyph;
    GetBuiltinThemeBitmap(WinXP, TitleBarButtonImage, &restoreGlyph, 18, 10);
    EXPECT_EQ(host.Bar->Buttons()->Items(2)->PicNormal()->Bitmap()->Image(), restoreGlyph.Image());
    SendMouse(widget, QEvent::MouseButtonDblClick, QPoint(60, 10));
    SendMouse(widget, QEvent::MouseButtonRelease, QPoint(60, 10));
    EXPECT_EQ(host.Form.WindowState(), TCustomForm::wsNormal);

    // On the control box one click opens the system menu once it can no longer become a
    // double click; a double click (press, release, press, release) closes the window
    // and opens no menu.
    host.Bar->Buttons()->Items(0)->SetVisible(true);
    TskTitleBarPopupMenu* menu = host.Bar->SystemMenu();
    const QPoint box = host.Bar->Layout(Point(-1, -1)).ControlBoxRect.ToQRect().center();
    SendMouse(widget, QEvent::MouseButtonPress, box);
    SendMouse(widget, QEvent::MouseButtonRelease, box);
    EXPECT_EQ(menu->Shown(), nullptr);
    EXPECT_TRUE(host.Bar->SystemMenuPending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->Shown() != nullptr; }));
    menu->Shown()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    SendMouse(widget, QEvent::MouseButtonPress, box);
    SendMouse(widget, QEvent::MouseButtonRelease, box);
    SendMouse(widget, QEvent::MouseButtonDblClick, box);
    SendMouse(widget, QEvent::MouseButtonRelease, box);
    EXPECT_FALSE(host.Form.Visible());
    EXPECT_FALSE(host.Bar->SystemMenuPending());
    EXPECT_EQ(menu->Shown(), nullptr);
}

} // namespace
