#include "FakeDialogs.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"
#include "skin/core/SKThemeSource.h"
#include "skin/frame/SKForm.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const TskUIStyle AllLooks[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};

// A form with a skinned form on it, as a layout makes it.
struct TSkinnedHost {
    TForm Form{nullptr};
    TskForm* Skin;
    explicit TSkinnedHost(TCustomForm::TFormBorderStyle style = TCustomForm::bsSingle) {
        Form.SetBorderStyle(style);
        Form.SetBounds(50, 60, 400, 300);
        Form.SetCaption(QStringLiteral("Host"));
        Skin = new TskForm(&Form);
        Skin->SetParent(&Form);
    }
};

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const QString& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

TEST(SkinForm, TakesTheHostOverAsAFramelessDialogWithItsCaption) {
    TForm bordered(nullptr);
    bordered.SetBorderWidth(4);
    auto* skin = new TskForm(&bordered);
    skin->SetParent(&bordered);
    EXPECT_EQ(bordered.BorderWidth(), 0);

    TSkinnedHost host;
    ASSERT_TRUE(host.Skin->InCharge());
    EXPECT_TRUE(host.Form.Frameless());
    EXPECT_EQ(host.Form.BorderStyle(), TCustomForm::bsDialog);
    EXPECT_FALSE(host.Form.Scaled());
    EXPECT_FALSE(host.Form.AutoScroll());
    EXPECT_EQ(host.Skin->Align(), alClient);
    EXPECT_EQ(host.Skin->Caption(), QStringLiteral("Host"));
    EXPECT_EQ(host.Skin->TitleBar()->Caption(), QStringLiteral("Host"));
    EXPECT_EQ(host.Skin->UIStyle(), DeepBlue);
    EXPECT_EQ(host.Skin->MenuBarHeight(), 22);
    EXPECT_EQ(host.Skin->Version(), QStringLiteral("5.8"));
    EXPECT_EQ(host.Form.Perform(WM_SIDEBORDERWIDTH), 0);
    host.Skin->SetCaption(QStringLiteral("New"));
    EXPECT_EQ(host.Form.Caption(), QStringLiteral("New"));
    EXPECT_EQ(host.Skin->TitleBar()->Caption(), QStringLiteral("New"));
}

TEST(SkinForm, SizeableHostStaysSizeable) {
    TSkinnedHost host(TCustomForm::bsSizeable);
    EXPECT_EQ(host.Form.BorderStyle(), TCustomForm::bsSizeable);
}

TEST(SkinForm, ClientIsThreePixelsInAndLeavesOnePixelAtTheBottom) {
    TSkinnedHost host;
    host.Form.SetClientWidth(507);
    host.Form.SetClientHeight(339);
    EXPECT_EQ(host.Form.Width(), 513);
    EXPECT_EQ(host.Form.Height(), 343);
    EXPECT_EQ(host.Form.ClientAreaInWindow(), Rect(3, 3, 510, 342));
}

TEST(SkinForm, ClientSizeFromALayoutSurvivesTheTakeOver) {
    TForm form(nullptr);
    form.BeginLoading();
    form.SetClientWidth(507);
    form.SetClientHeight(339);
    auto* skin = new TskForm(&form);
    skin->SetParent(&form);
    static_cast<TComponent&>(form).Loaded();
    EXPECT_EQ(form.ClientWidth(), 507);
    EXPECT_EQ(form.ClientHeight(), 339);
    EXPECT_EQ(form.Width(), 513);
}

TEST(SkinForm, TitleBarHeightsOnASkinnedFormFollowEachLook) {
    const int heights[] = {20, 26, 29, 20, 30};
    for (int i = 0; i < 5; ++i) {
        TSkinnedHost host;
        host.Skin->SetUIStyle(AllLooks[i]);
        EXPECT_EQ(host.Skin->TitleBar()->Height(), heights[i]) << AllLooks[i];
        EXPECT_EQ(host.Skin->TitleBar()->Top(), 0);
        EXPECT_EQ(host.Skin->TitleBar()->Width(), host.Skin->Width());
        const TskThemeSource theme = TskThemeSource::For(nullptr, AllLooks[i]);
        EXPECT_EQ(host.Skin->BorderColor(), theme.Color(FormBorderColor));
        EXPECT_EQ(host.Skin->FrameBorderWidth(), theme.Int(FormBorderWidthInt));
        EXPECT_EQ(host.Skin->Color(), theme.Color(FormBackgroundColor));
        EXPECT_EQ(host.Skin->RoundCorner(), theme.Int(FormRoundCornerInt));
        EXPECT_EQ(host.Skin->TitleBar()->ButtonRowTop(), theme.Int(TitleBarButtonTopInt) - 3);
        EXPECT_EQ(host.Form.Constraints()->MinWidth(), theme.Int(FormMinWidthInt));
    }
}

TEST(SkinForm, SecondSkinnedFormStaysInertAndSaysSorry) {
    TFakeDialogsScope dialogs;
    TSkinnedHost host;
    auto* second = new TskForm(&host.Form);
    second->SetParent(&host.Form);
    EXPECT_FALSE(second->InCharge());
    ASSERT_EQ(dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(dialogs->MessageBoxes[0].Text,
              QStringLiteral("Sorry, You can create only one TskForm component in one form!"));
    EXPECT_TRUE(host.Skin->InCharge());
}

TEST(SkinForm, FormPanelRefusesItselfAndFillsTheClientWithAPlainPanel) {
    TFakeDialogsScope dialogs;
    TSkinnedHost host;
    host.Skin->SetFormPanel(host.Skin);
    EXPECT_EQ(host.Skin->FormPanel(), nullptr);
    ASSERT_EQ(dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(dialogs->MessageBoxes[0].Text,
              QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
    auto* panel = new TPanel(&host.Form);
    panel->SetParent(host.Skin);
    panel->SetCaption(QStringLiteral("x"));
    host.Skin->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->BevelOuter(), TCustomPanel::bvNone);
    EXPECT_TRUE(panel->Caption().isEmpty());
    delete panel;
    EXPECT_EQ(host.Skin->FormPanel(), nullptr);
}

TEST(SkinForm, RemovingTheSkinnedFormGivesTheFrameBack) {
    TSkinnedHost host;
    host.Form.SetClientWidth(200);
    delete host.Skin;
    EXPECT_FALSE(host.Form.Frameless());
    EXPECT_EQ(host.Form.ClientAreaInWindow().Left, 0);
    EXPECT_EQ(host.Form.Perform(WM_SIDEBORDERWIDTH), 0);
}

TEST(SkinForm, RegionFollowsTheCornersAndSquaresThemWhileTheBarIsHidden) {
    TSkinnedHost host;
    host.Skin->SetUIStyle(WinXP);
    EXPECT_EQ(host.Skin->RoundCorner(), 13);
    EXPECT_FALSE(host.Skin->WindowRegion().contains(QPoint(0, 0)));
    host.Skin->SetTitleBarVisible(false);
    EXPECT_EQ(host.Skin->RoundCorner(), 0);
    EXPECT_TRUE(host.Skin->WindowRegion().contains(QPoint(0, 0)));
    EXPECT_FALSE(host.Skin->FrameInput().TitleBarVisible);
}

TEST(SkinForm, MainMenuBecomesAMenuBarOfButtonsInMenuOrder) {
    TSkinnedHost host;
    auto* menu = new TskMainMenu(&host.Form);
    EXPECT_EQ(host.Skin->Menu(), menu);
    EXPECT_EQ(host.Form.Menu(), nullptr);
    TMenuItem* file = AddItem(menu->Items(), &host.Form, QStringLiteral("&File"));
    AddItem(file, &host.Form, QStringLiteral("&Open"));
    TMenuItem* help = AddItem(menu->Items(), &host.Form, QStringLiteral("&Help"));
    ASSERT_NE(host.Skin->MenuBar(), nullptr);
    ASSERT_EQ(host.Skin->MenuBar()->ButtonCount(), 2);
    EXPECT_EQ(host.Skin->MenuBar()->Buttons(0)->Caption(), QStringLiteral("&File"));
    EXPECT_EQ(host.Skin->MenuBar()->Buttons(1)->Caption(), QStringLiteral("&Help"));
    EXPECT_EQ(host.Skin->MenuBar()->Top(), host.Skin->TitleBar()->Height());
    help->SetCaption(QStringLiteral("&About"));
    help->SetEnabled(false);
    EXPECT_EQ(host.Skin->MenuBar()->Buttons(1)->Caption(), QStringLiteral("&About"));
    EXPECT_FALSE(host.Skin->MenuBar()->Buttons(1)->Enabled());
    int userChanges = 0;
    menu->OnChange = [&](TObject*) { ++userChanges; };
    file->SetCaption(QStringLiteral("&Datei"));
    EXPECT_EQ(host.Skin->MenuBar()->Buttons(0)->Caption(), QStringLiteral("&Datei"));
    EXPECT_EQ(userChanges, 1);
    host.Skin->SetUIStyle(MacOS);
    EXPECT_EQ(menu->UIStyle(), MacOS);
    delete menu;
    EXPECT_EQ(host.Skin->MenuBar(), nullptr);
    EXPECT_EQ(host.Skin->Menu(), nullptr);
}

TEST(SkinForm, MenuBarButtonOpensItsDropDownAndArrowsMoveToTheNeighbour) {
    TSkinnedHost host;
    auto* menu = new TskMainMenu(&host.Form);
    TMenuItem* file = AddItem(menu->Items(), &host.Form, QStringLiteral("&File"));
    AddItem(file, &host.Form, QStringLiteral("&Open"));
    TMenuItem* edit = AddItem(menu->Items(), &host.Form, QStringLiteral("&Edit"));
    AddItem(edit, &host.Form, QStringLiteral("&Copy"));
    host.Form.Show();
    TskMenuBar* bar = host.Skin->MenuBar();
    bar->TrackMenu(bar->Buttons(0));
    ASSERT_NE(bar->TrackedMenu(), nullptr);
    EXPECT_TRUE(bar->Buttons(0)->Dropped());
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(bar->TrackedMenu(), &right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->TrackedButton() == bar->Buttons(1); }));
    EXPECT_EQ(MenuItemOfAction(bar->TrackedMenu()->actions().first())->Caption(),
              QStringLiteral("&Copy"));
    EXPECT_TRUE(bar->TrackAccelerator(QLatin1Char('f')));
    EXPECT_EQ(bar->TrackedButton(), bar->Buttons(0));

    // Opened by the pointer, closed while the pointer is elsewhere: the button is drawn
    // as before, not left highlighted until the pointer passes over it again.
    bar->CloseMenu();
    TToolButton* button = bar->Buttons(0);
    const QImage before = button->Handle()->grab().toImage();
    QCursor::setPos(button->ClientToScreen(Point(4, 4)).ToQPoint());
    button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<intptr_t>(button));
    EXPECT_TRUE(button->Hot());
    EXPECT_NE(button->Handle()->grab().toImage(), before);
    bar->TrackMenu(button);
    QCursor::setPos(button->ClientToScreen(Point(150, 150)).ToQPoint());
    bar->TrackedMenu()->close();
    EXPECT_FALSE(button->Hot());
    EXPECT_EQ(button->Handle()->grab().toImage(), before);
    // The menu freed while its drop-down is open.
    delete menu;
    EXPECT_EQ(host.Skin->MenuBar(), nullptr);
}

TEST(SkinForm, MaximisingFillsTheWorkAreaWithTheOverhang) {
    TSkinnedHost host;
    host.Form.Show();
    host.Form.SetWindowState(TCustomForm::wsMaximized);
    TRect area;
    GetWorkAreaRect(area);
    EXPECT_EQ(host.Form.BoundsRect(),
              Rect(area.Left - 4, area.Top - 4, area.Right + 4, area.Bottom - 1));
    host.Form.SetWindowState(TCustomForm::wsNormal);
    EXPECT_EQ(host.Form.BoundsRect(), Bounds(50, 60, 400, 300));
}

TEST(SkinForm, ActivationReachesTheTitleBar) {
    TSkinnedHost host;
    host.Form.Perform(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_FALSE(host.Skin->TitleBar()->FormActive());
    host.Form.Perform(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_TRUE(host.Skin->TitleBar()->FormActive());
}

// A skin file made of a built-in look's entries less those whose key is in dropped.
QString WriteLook(const QTemporaryDir& dir, TskUIStyle look, const QStringList& dropped) {
    QList<TskSkinEntry> entries;
    for (const TskSkinEntry& entry : BuiltinSkinEntries(look)) {
        if (!dropped.contains(entry.key)) {
            entries.append(entry);
        }
    }
    const QString path = dir.filePath(QStringLiteral("look.skn"));
    QSaveFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(WriteSkinFile(entries));
    file.commit();
    return path;
}

TEST(SkinForm, SkinFileDrawsFrameTitleBarAndMenuAndItsRemovalFallsBackToDeepBlue) {
    QTemporaryDir dir;
    auto* theme = new TskFileTheme(nullptr);
    theme->SetThemeFile(WriteLook(dir, BlueGlass, {}));
    ASSERT_TRUE(theme->CanUse());
    TSkinnedHost host;
    auto* menu = new TskMainMenu(&host.Form);
    AddItem(menu->Items(), &host.Form, QStringLiteral("&File"));
    host.Skin->SetFileTheme(theme);
    host.Skin->SetUIStyle(FromThemeFile);
    const TskThemeSource blueGlass = TskThemeSource::For(nullptr, BlueGlass);
    EXPECT_EQ(host.Skin->TitleBar()->Height(), 30);
    EXPECT_EQ(host.Skin->BorderColor(), blueGlass.Color(FormBorderColor));
    EXPECT_EQ(host.Skin->Color(), blueGlass.Color(FormBackgroundColor));
    EXPECT_EQ(host.Skin->TitleBar()->FileTheme(), theme);
    EXPECT_EQ(menu->UIStyle(), FromThemeFile);
    EXPECT_EQ(menu->SelectedColor(), blueGlass.Color(MenuSelectedBackgroundColor));
    EXPECT_EQ(host.Skin->TitleBar()->Buttons()->Items(1)->PicNormal()->Width(), 19);
    delete theme;
    EXPECT_EQ(host.Skin->FileTheme(), nullptr);
    EXPECT_EQ(host.Skin->UIStyle(), DeepBlue);
    EXPECT_EQ(host.Skin->TitleBar()->FileTheme(), nullptr);
    EXPECT_EQ(host.Skin->TitleBar()->Height(), 29);
    EXPECT_EQ(menu->FileTheme(), nullptr);
}

TEST(SkinForm, SkinFileWithoutPicturesDrawsThemFromDeepBlueAndClosesByItsButton) {
    QTemporaryDir dir;
    QStringList pictures;
    for (int element = 1; element <= ThemeElementCount; ++element) {
        if (ThemeElementKind(element) == TskThemeKind::Picture) {
            pictures << QString::fromLatin1(ThemeElementKeyName(element));
        }
    }
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(WriteLook(dir, WinXP, pictures));
    ASSERT_TRUE(theme.CanUse());
    TSkinnedHost host;
    host.Skin->SetFileTheme(&theme);
    host.Skin->SetUIStyle(FromThemeFile);
    // The DeepBlue title pictures (32 pixels high, 3 under the frame) and close glyph.
    TskTitleBar* bar = host.Skin->TitleBar();
    EXPECT_EQ(bar->Height(), 29);
    TBitmap close;
    GetBuiltinThemeBitmap(DeepBlue, TitleBarButtonImage, &close, 18, 16);
    EXPECT_EQ(bar->Buttons()->Items(1)->PicNormal()->Bitmap()->Image(), close.Image());
    host.Form.Show();
    const QPoint button = bar->Layout(Point(-1, -1)).ButtonRects[1].ToQRect().center();
    QTest::mouseClick(bar->Handle(), Qt::LeftButton, Qt::NoModifier, button);
    EXPECT_FALSE(host.Form.Visible());
}

TEST(SkinForm, ControlFontCodeThreeGivesBlackCaptionAndWhiteMenuTextOnItsBarColour) {
    // #000003 as the skin tool writes it: blue 3, in the platform's colour order.
    QTemporaryDir dir;
    QList<TskSkinEntry> entries;
    for (const TskSkinEntry& entry : BuiltinSkinEntries(DeepBlue)) {
        if (entry.key != QLatin1String("TitleBarFontColor") &&
            entry.key != QLatin1String("MenuMenuBarColor") &&
            entry.key != QLatin1String("ControlFontColor")) {
            entries.append(entry);
        }
    }
    entries.append({QStringLiteral("ControlFontColor"), TskSkinEntryType::Integer,
                    SkinIntegerData(RGB(0, 0, 3))});
    const QString path = dir.filePath(QStringLiteral("code3.skn"));
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteSkinFile(entries));
    ASSERT_TRUE(file.commit());
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(path);
    ASSERT_TRUE(theme.CanUse());

    TSkinnedHost host;
    auto* menu = new TskMainMenu(&host.Form);
    AddItem(AddItem(menu->Items(), &host.Form, QStringLiteral("&File")), &host.Form,
            QStringLiteral("&Open"));
    host.Skin->SetFileTheme(&theme);
    host.Skin->SetUIStyle(FromThemeFile);
    menu->SetUIStyle(FromThemeFile);
    menu->SetFileTheme(&theme);
    EXPECT_EQ(host.Skin->TitleBar()->Font()->Color(), clBlack);
    EXPECT_EQ(host.Skin->MenuBarColor(), RGB(0x33, 0x67, 0x99));
    host.Form.Show();
    // The menu bar's caption is white on the bar's colour.
    const QImage face = host.Skin->MenuBar()->Buttons(0)->Handle()->grab().toImage();
    bool white = false;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            white = white || (face.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        }
    }
    EXPECT_TRUE(white);
}

TEST(SkinForm, EveryLookPaintsFrameFormTitleBarAndMenusWithoutAQtWarning) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            // The offscreen platform cannot raise or grab for an open drop-down.
            const bool platformLimit =
                text.startsWith(QLatin1String("This plugin does not support"));
            if (type != QtDebugMsg && type != QtInfoMsg && !platformLimit) {
                warnings.append(text);
            }
        });
    for (TskUIStyle style : AllLooks) {
        TSkinnedHost host;
        auto* menu = new TskMainMenu(&host.Form);
        TMenuItem* file = AddItem(menu->Items(), &host.Form, QStringLiteral("&File"));
        TMenuItem* open = AddItem(file, &host.Form, QStringLiteral("&Open"));
        open->SetShortCut(scCtrl | 'O');
        open->SetChecked(true);
        AddItem(file, &host.Form, QStringLiteral("-"));
        host.Skin->SetUIStyle(style);
        host.Form.SetClientWidth(300);
        host.Form.SetClientHeight(200);
        host.Form.Show();
        host.Form.Handle()->grab();
        for (bool selected : {false, true}) {
            for (TMenuItem* item : {open, file->Items(1)}) {
                TBitmap bitmap;
                bitmap.SetSize(120, 21);
                menu->DrawItem(item, bitmap.Canvas(), Rect(0, 0, 120, 21), selected);
            }
        }
        host.Skin->MenuBar()->TrackMenu(host.Skin->MenuBar()->Buttons(0));
        host.Skin->MenuBar()->TrackedMenu()->grab();
        host.Skin->MenuBar()->CloseMenu();
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
}

} // namespace
