// The tab control and its strip on real widgets: sizes and pixels in every look and from
// a skin file, clicks on tabs and scroll buttons, the tab events and the edge cases.
#include "skin/controls/SKTabControl.h"
#include "skin/core/SKDraw.h"
#include "tests/support/SkinFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The smallest concrete tab control: the plain strip.
class TTestTab : public TskTab {
public:
    explicit TTestTab(TComponent* owner)
        : TskTab(owner, [](TskTab* tab) { return new TskTabControlTopPanel(tab, tab); }) {}
};

std::unique_ptr<TTestTab> MakeTab(TskUIStyle look, const QStringList& tabs, int width = 489,
                                  int height = 265) {
    auto tab = std::make_unique<TTestTab>(nullptr);
    tab->SetUIStyle(look);
    tab->SetBounds(0, 0, width, height);
    tab->TopPanel()->Tabs()->SetStrings(tabs);
    return tab;
}

TColor PixelAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

QImage Grab(TControl& control) {
    return control.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The tab control's own painting, without its strip.
QImage PaintOwn(TControl& control) {
    TBitmap bitmap;
    bitmap.SetSize(control.Width(), control.Height());
    bitmap.Canvas()->Brush()->SetColor(clLime);
    bitmap.Canvas()->FillRect(Rect(0, 0, control.Width(), control.Height()));
    control.PaintTo(*bitmap.Canvas(), Point(0, 0));
    return bitmap.Image();
}

void Click(TControl& control, TPoint point) {
    control.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(point.X, point.Y));
    control.Perform(WM_LBUTTONUP, 0, MakeLParam(point.X, point.Y));
}

TPoint Middle(const TRect& rect) {
    return Point((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
}

QStringList ManyTabs(int count) {
    QStringList tabs;
    for (int i = 0; i < count; ++i) {
        tabs << QStringLiteral("Page number %1").arg(i);
    }
    return tabs;
}

QStringList& Warnings() {
    static QStringList warnings;
    return warnings;
}

// Collects Qt's warnings while it lives.
class TWarnings {
public:
    TWarnings() {
        Warnings().clear();
        FPrevious = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type != QtDebugMsg && type != QtInfoMsg) {
                    Warnings() << text;
                }
            });
    }
    ~TWarnings() { qInstallMessageHandler(FPrevious); }
    TWarnings(const TWarnings&) = delete;
    TWarnings& operator=(const TWarnings&) = delete;

private:
    QtMessageHandler FPrevious;
};

struct TLookSizes {
    TskUIStyle Look;
    int StripHeight;
    int ScrollButtonWidth;
    int ScrollButtonHeight;
    TColor Background;
    TColor PageColor;
    TColor Border;
};

class TabControlLookTest : public testing::TestWithParam<TLookSizes> {};

TEST_P(TabControlLookTest, SizesTheStripAndThePageAreaFromThePictures) {
    const TLookSizes look = GetParam();
    auto tab = MakeTab(look.Look, {QStringLiteral("One")});
    TskTabControlTopPanel* strip = tab->TopPanel();
    EXPECT_EQ(strip->BoundsRect(), Rect(0, 0, 489, look.StripHeight));
    EXPECT_EQ(strip->ScrollButtonWidth(), look.ScrollButtonWidth);
    EXPECT_EQ(strip->ScrollButtonHeight(), look.ScrollButtonHeight);
    EXPECT_EQ(strip->Color(), look.Background);
    EXPECT_EQ(tab->Color(), look.PageColor);
    EXPECT_EQ(tab->BorderColor(), look.Border);
    EXPECT_EQ(tab->PageArea(), Rect(0, look.StripHeight, 489, 265));

    tab->SetTabPosition(skBottom);
    EXPECT_EQ(strip->BoundsRect(), Rect(0, 265 - look.StripHeight, 489, 265));
    EXPECT_EQ(tab->PageArea(), Rect(0, 0, 489, 265 - look.StripHeight));
    // Strip and page area paint without a warning in both positions, scrolled or not.
    const TWarnings warnings;
    EXPECT_EQ(Grab(*tab).size(), QSize(489, 265));
    strip->Tabs()->SetStrings(ManyTabs(9));
    tab->SetTabPosition(skTop);
    Click(*strip, Middle(strip->Layout().RightButton));
    EXPECT_EQ(strip->FirstTab(), 1);
    EXPECT_EQ(Grab(*tab).size(), QSize(489, 265));
    EXPECT_TRUE(Warnings().isEmpty()) << Warnings().join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Looks, TabControlLookTest,
                         testing::Values(TLookSizes{MacOS, 34, 18, 18, 0xE7E7E7, 0xE7E7E7,
                                                    0x7F7F7F},
                                         TLookSizes{WinXP, 19, 18, 18, RGB(0xEF, 0xEB, 0xDE),
                                                    0xFFFFFF, RGB(0x68, 0x68, 0x68)},
                                         TLookSizes{DeepBlue, 22, 18, 17, 0xE8E8E8, 0xE8E8E8, 0},
                                         TLookSizes{Protein, 22, 18, 17, 0xFBFBFB, 0xFBFBFB, 0},
                                         TLookSizes{BlueGlass, 22, 18, 17, 0xE7E7E7, 0xE7E7E7, 0}));

TEST(TabControl, PaintsThePageAreaAndABorderOpenTowardsTheStrip) {
    auto tab = MakeTab(MacOS, {QStringLiteral("One")});
    tab->SetColor(clYellow);
    const QImage top = PaintOwn(*tab);
    EXPECT_EQ(PixelAt(top, 0, 33), 0x7F7F7F);
    EXPECT_EQ(PixelAt(top, 0, 264), 0x7F7F7F);
    EXPECT_EQ(PixelAt(top, 200, 264), 0x7F7F7F);
    EXPECT_EQ(PixelAt(top, 488, 264), 0x7F7F7F);
    EXPECT_EQ(PixelAt(top, 488, 34), 0x7F7F7F);
    EXPECT_EQ(PixelAt(top, 200, 34), clYellow);
    EXPECT_EQ(PixelAt(top, 1, 263), clYellow);
    // The erase message is swallowed: above the page area nothing is painted.
    EXPECT_EQ(PixelAt(top, 200, 10), clLime);

    tab->SetTabPosition(skBottom);
    const QImage bottom = PaintOwn(*tab);
    EXPECT_EQ(PixelAt(bottom, 200, 0), 0x7F7F7F);
    EXPECT_EQ(PixelAt(bottom, 0, 230), 0x7F7F7F);
    EXPECT_EQ(PixelAt(bottom, 488, 230), 0x7F7F7F);
    EXPECT_EQ(PixelAt(bottom, 200, 230), clYellow);
    EXPECT_EQ(PixelAt(bottom, 200, 240), clLime);
}

// The left end of the active-tab frame, where no caption reaches, pixel for pixel.
void ExpectActiveTabLeftEnd(const QImage& strip, const QImage& frame, int left, int top) {
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width() / 3; ++x) {
            const TColor expected = PixelAt(frame, x, y);
            if (expected != SkinKeyColor) {
                ASSERT_EQ(PixelAt(strip, left + x, top + y), expected) << x << "," << y;
            }
        }
    }
}

TEST(TabControl, DrawsTheActiveTabPictureOnePixelLowerAndTurnedForTheBottom) {
    auto tab = MakeTab(MacOS, {QStringLiteral("First"), QStringLiteral("Second")});
    const QImage whole = LoadThemePicture(QStringLiteral("MACOS_TAB"));
    const QImage frame = whole.copy(0, 0, whole.width() / 2, whole.height());
    const QImage top = Grab(*tab->TopPanel());
    ExpectActiveTabLeftEnd(top, frame, 10, 1);
    EXPECT_EQ(PixelAt(top, 0, 27), 0x7F7F7F);
    EXPECT_EQ(PixelAt(top, 488, 33), 0x7F7F7F);

    tab->SetTabPosition(skBottom);
    const QImage bottom = Grab(*tab->TopPanel());
    ExpectActiveTabLeftEnd(bottom, frame.mirrored(true, true), 10, 34 - 27 - 1);
    EXPECT_EQ(PixelAt(bottom, 0, 0), 0x7F7F7F);
    EXPECT_EQ(PixelAt(bottom, 488, 6), 0x7F7F7F);
}

TEST(TabControl, ScrollButtonsShiftTheStripOneTabAtATimeAndNeverBelowZero) {
    auto tab = MakeTab(MacOS, ManyTabs(8), 300);
    TskTabControlTopPanel* strip = tab->TopPanel();
    TskTabStripLayout layout = strip->Layout();
    ASSERT_TRUE(layout.Overflow);
    const TPoint right = Middle(layout.RightButton);
    const TPoint left = Middle(layout.LeftButton);
    Click(*strip, right);
    EXPECT_EQ(strip->FirstTab(), 1);
    EXPECT_EQ(strip->TabIndex(), 0);
    Click(*strip, right);
    EXPECT_EQ(strip->FirstTab(), 2);
    Click(*strip, left);
    Click(*strip, left);
    EXPECT_EQ(strip->FirstTab(), 0);
    Click(*strip, left);
    EXPECT_EQ(strip->FirstTab(), 0);
    // Scrolled to the end, the right button stops moving the strip.
    while (strip->Overflow()) {
        const int before = strip->FirstTab();
        Click(*strip, right);
        ASSERT_EQ(strip->FirstTab(), before + 1);
    }
    const int end = strip->FirstTab();
    Click(*strip, right);
    EXPECT_EQ(strip->FirstTab(), end);
    EXPECT_EQ(strip->Layout().Tabs.first().Index, end);
}

TEST(TabControl, ScrollButtonsLookHotUnderThePointer) {
    auto tab = MakeTab(MacOS, ManyTabs(8), 300);
    TskTabControlTopPanel* strip = tab->TopPanel();
    const TskTabStripLayout layout = strip->Layout();
    const QImage cold = Grab(*strip);
    strip->Perform(WM_MOUSEMOVE, 0,
                   MakeLParam(Middle(layout.RightButton).X, Middle(layout.RightButton).Y));
    EXPECT_EQ(strip->HotScrollButton(), 1);
    const QImage hot = Grab(*strip);
    EXPECT_NE(cold.copy(layout.RightButton.ToQRect()), hot.copy(layout.RightButton.ToQRect()));
    EXPECT_EQ(cold.copy(layout.LeftButton.ToQRect()), hot.copy(layout.LeftButton.ToQRect()));
    strip->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(strip->HotScrollButton(), 0);
}

TEST(TabControl, ClickingACutTabSelectsItAndScrollsItIntoView) {
    auto tab = MakeTab(MacOS, ManyTabs(8), 300);
    TskTabControlTopPanel* strip = tab->TopPanel();
    const TskDrawnTab cut = strip->Layout().Tabs.last();
    ASSERT_TRUE(cut.Cut);
    Click(*strip, Point(cut.Rect.Left + 5, 10));
    EXPECT_EQ(strip->TabIndex(), cut.Index);
    EXPECT_GT(strip->FirstTab(), 0);
    const TskTabStripLayout after = strip->Layout();
    EXPECT_EQ(after.LastWholeTab, cut.Index);
}

TEST(TabControl, ClicksHitTabsOnlyInsideTheirEdgesAndBand) {
    for (const TskTabPosition position : {skTop, skBottom}) {
        auto tab = MakeTab(MacOS, {QStringLiteral("One"), QStringLiteral("Two")});
        tab->SetTabPosition(position);
        TskTabControlTopPanel* strip = tab->TopPanel();
        const TskTabStripLayout layout = strip->Layout();
        const TRect second = layout.Tabs[1].Rect;
        const int y = position == skTop ? 10 : 24;
        Click(*strip, Point(second.Left, y));
        EXPECT_EQ(strip->TabIndex(), 0);
        Click(*strip, Point(second.Right - 1, position == skTop ? 0 : 34));
        EXPECT_EQ(strip->TabIndex(), 0);
        Click(*strip, Point(second.Left + 1, y));
        EXPECT_EQ(strip->TabIndex(), 1);
        Click(*strip, Point(second.Left - 1, y));
        EXPECT_EQ(strip->TabIndex(), 0);
        // Other buttons do not select.
        strip->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(second.Left + 5, y));
        EXPECT_EQ(strip->TabIndex(), 0);
    }
}

TEST(TabControl, AClickAsksOnChangingFirstAndAProgramCallDoesNot) {
    auto tab =
        MakeTab(MacOS, {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")});
    QStringList calls;
    bool allow = false;
    tab->OnChanging = [&](TObject* sender, bool& allowChange) {
        EXPECT_EQ(sender, tab.get());
        calls << QStringLiteral("changing");
        allowChange = allow;
    };
    tab->OnTabActive = [&](TObject* sender, int index) {
        EXPECT_EQ(sender, tab.get());
        calls << QStringLiteral("active %1").arg(index);
    };
    tab->OnChange = [&](TObject*) { calls << QStringLiteral("change"); };
    TskTabControlTopPanel* strip = tab->TopPanel();
    const TPoint second = Middle(strip->Layout().Tabs[1].Rect);
    Click(*strip, second);
    EXPECT_EQ(strip->TabIndex(), 0);
    EXPECT_EQ(calls, QStringList{QStringLiteral("changing")});
    allow = true;
    calls.clear();
    Click(*strip, second);
    EXPECT_EQ(strip->TabIndex(), 1);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("changing"), QStringLiteral("active 1"),
                                  QStringLiteral("change")}));
    calls.clear();
    Click(*strip, second);
    EXPECT_TRUE(calls.isEmpty());
    allow = false;
    tab->SelectTab(2);
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("active 2"), QStringLiteral("change")}));
}

TEST(TabControl, IgnoresTabIndexesOutsideTheTabsAndTakesMinusOne) {
    auto tab = MakeTab(MacOS, {QStringLiteral("One"), QStringLiteral("Two")});
    TskTabControlTopPanel* strip = tab->TopPanel();
    strip->SetTabIndex(2);
    strip->SetTabIndex(-2);
    EXPECT_EQ(strip->TabIndex(), 0);
    strip->SetTabIndex(-1);
    EXPECT_EQ(strip->TabIndex(), -1);
    strip->Tabs()->Clear();
    strip->SetTabIndex(1);
    EXPECT_EQ(strip->TabIndex(), -1);
}

TEST(TabControl, TakesItsLookFromASkinFileAndFallsBackWhenTheFileThemeGoes) {
    QTemporaryDir folder;
    auto theme = std::make_unique<TskFileTheme>(nullptr);
    theme->SetThemeFile(WriteBuiltinSkinFile(folder, MacOS));
    ASSERT_TRUE(theme->CanUse());
    auto tab = MakeTab(FromThemeFile, {QStringLiteral("One")});
    EXPECT_EQ(tab->TopPanel()->Height(), 22);
    tab->SetFileTheme(theme.get());
    EXPECT_EQ(tab->TopPanel()->Height(), 34);
    EXPECT_EQ(tab->BorderColor(), 0x7F7F7F);
    EXPECT_EQ(tab->TopPanel()->FileTheme(), theme.get());
    const QImage fromFile = Grab(*tab);
    auto builtin = MakeTab(MacOS, {QStringLiteral("One")});
    EXPECT_EQ(fromFile, Grab(*builtin));

    theme.reset();
    EXPECT_EQ(tab->FileTheme(), nullptr);
    EXPECT_EQ(tab->UIStyle(), DeepBlue);
    EXPECT_EQ(tab->TopPanel()->Height(), 22);
}

TEST(TabControl, SurvivesEmptyHiddenHugeAndCrampedStrips) {
    auto empty = MakeTab(WinXP, {});
    Click(*empty->TopPanel(), Point(20, 5));
    EXPECT_EQ(Grab(*empty).size(), QSize(489, 265));

    auto hidden = MakeTab(MacOS, {QStringLiteral("One"), QStringLiteral("Two")});
    hidden->TopPanel()->SetTabVisibleFlag(0, false);
    hidden->TopPanel()->SetTabVisibleFlag(1, false);
    EXPECT_TRUE(hidden->TopPanel()->Layout().Tabs.isEmpty());
    Click(*hidden->TopPanel(), Point(20, 10));
    EXPECT_EQ(hidden->TopPanel()->TabIndex(), 0);
    EXPECT_EQ(Grab(*hidden).size(), QSize(489, 265));

    auto huge = MakeTab(DeepBlue, {QString(10000, QLatin1Char('W')), QStringLiteral("Two")});
    EXPECT_TRUE(huge->TopPanel()->Overflow());
    EXPECT_EQ(huge->TopPanel()->Layout().Tabs.first().Rect.Right, 489 - 2 * 18 - 2);
    EXPECT_EQ(Grab(*huge).size(), QSize(489, 265));

    auto cramped = MakeTab(Protein, ManyTabs(5), 30, 60);
    cramped->SelectTab(4);
    EXPECT_EQ(cramped->TopPanel()->TabIndex(), 4);
    Click(*cramped->TopPanel(), Point(25, 5));
    EXPECT_EQ(Grab(*cramped).size(), QSize(30, 60));
}

} // namespace
