// The page control: one page per tab, the active page in front and enabled, hidden and
// removed pages, the page events and the stored page order read through a real layout.
#include "framework/controls/StdCtrls.h"
#include "framework/forms/Form.h"
#include "framework/layout/LayoutReader.h"
#include "skin/controls/SKPageControl.h"
#include "skin/controls/SKRegister.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

// A form whose layout holds a page control; it records the page control's events.
class TPagesForm : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    bool Allow = true;
    QStringList Calls;

    Q_INVOKABLE void PageControlChanging(TObject*, bool& AllowChange) {
        Calls << QStringLiteral("changing");
        AllowChange = Allow;
    }
    Q_INVOKABLE void PageControlChange(TObject*) { Calls << QStringLiteral("change"); }
};

namespace {

struct TPages {
    std::unique_ptr<TskPageControl> Control;
    QList<QPointer<TskTabSheet>> Sheets;
    QStringList Events;
};

// A MacOS page control of 489 x 265 with the given pages, each recording its events.
TPages MakePages(int count) {
    TPages pages;
    pages.Control = std::make_unique<TskPageControl>(nullptr);
    pages.Control->SetUIStyle(MacOS);
    pages.Control->SetBounds(0, 0, 489, 265);
    for (int i = 0; i < count; ++i) {
        auto* sheet = new TskTabSheet(pages.Control.get());
        sheet->SetName(QStringLiteral("Sheet%1").arg(i));
        sheet->SetTabCaption(QStringLiteral("Page %1").arg(i));
        sheet->SetPageControl(pages.Control.get());
        pages.Sheets << sheet;
    }
    QStringList* events = &pages.Events;
    for (TskTabSheet* sheet : std::as_const(pages.Sheets)) {
        sheet->OnShow = [events](TObject* s) {
            *events << qobject_cast<TskTabSheet*>(s)->Name() + QStringLiteral(" show");
        };
        sheet->OnHide = [events](TObject* s) {
            *events << qobject_cast<TskTabSheet*>(s)->Name() + QStringLiteral(" hide");
        };
    }
    return pages;
}

// The active page is enabled and in front; every other page is disabled behind it.
void ExpectActive(const TPages& pages, int index) {
    TskPageControl& control = *pages.Control;
    if (index < 0) {
        EXPECT_EQ(control.ActivePage(), nullptr);
    } else {
        ASSERT_EQ(control.ActivePage(), pages.Sheets.at(index).data());
        EXPECT_EQ(control.Controls(control.ControlCount() - 1), control.ActivePage());
        EXPECT_EQ(control.TopPanel()->TabIndex(), index);
    }
    for (int i = 0; i < control.PageCount(); ++i) {
        EXPECT_EQ(control.Pages(i)->Enabled(), control.Pages(i) == control.ActivePage()) << i;
    }
}

TEST(PageControl, PlacesPagesInThePageAreaAndKeepsOneTabPerPage) {
    TPages pages = MakePages(4);
    TskPageControl& control = *pages.Control;
    EXPECT_EQ(control.TopPanel()->Height(), 34);
    for (const auto& sheet : pages.Sheets) {
        EXPECT_EQ(sheet->BoundsRect(), Rect(3, 37, 3 + 483, 37 + 225));
    }
    EXPECT_EQ(control.PageCount(), 4);
    EXPECT_EQ(control.TopPanel()->Tabs()->ToStringList(),
              (QStringList{QStringLiteral("Page 0"), QStringLiteral("Page 1"),
                           QStringLiteral("Page 2"), QStringLiteral("Page 3")}));
    // Each new page became the active one.
    ExpectActive(pages, 3);
    pages.Sheets[1]->SetTabCaption(QStringLiteral("Renamed"));
    EXPECT_EQ(control.TopPanel()->Tabs()->Get(1), QStringLiteral("Renamed"));
    EXPECT_EQ(pages.Sheets[1]->Text(), QStringLiteral(" "));

    control.SetTabPosition(skBottom);
    EXPECT_EQ(pages.Sheets[0]->BoundsRect(), Rect(3, 3, 3 + 483, 3 + 225));
    control.SetColor(clAqua);
    EXPECT_EQ(pages.Sheets[2]->Color(), clAqua);
    control.SetCursor(TControl::crHandPoint);
    EXPECT_EQ(control.TopPanel()->Cursor(), TControl::crHandPoint);
}

TEST(PageControl, ClicksAndProgramCallsBringThePageToTheFront) {
    TPages pages = MakePages(3);
    TskPageControl& control = *pages.Control;
    pages.Events.clear();
    const TPoint first = Point(control.TopPanel()->Layout().Tabs[0].Rect.Left + 5, 10);
    control.TopPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.X, first.Y));
    ExpectActive(pages, 0);
    EXPECT_EQ(pages.Events,
              (QStringList{QStringLiteral("Sheet2 hide"), QStringLiteral("Sheet0 show")}));
    pages.Events.clear();
    control.SelectPage(1);
    ExpectActive(pages, 1);
    // The tab changes inside, while the previous page is still the active one.
    EXPECT_EQ(pages.Events,
              (QStringList{QStringLiteral("Sheet0 hide"), QStringLiteral("Sheet0 hide"),
                           QStringLiteral("Sheet1 show"), QStringLiteral("Sheet1 show")}));
    pages.Events.clear();
    control.ActivatePage(pages.Sheets[2]);
    ExpectActive(pages, 2);
    EXPECT_EQ(pages.Events,
              (QStringList{QStringLiteral("Sheet1 hide"), QStringLiteral("Sheet2 show"),
                           QStringLiteral("Sheet2 show")}));
    control.SelectPage(7);
    control.SelectPage(-1);
    ExpectActive(pages, 2);
    control.ActivatePage(nullptr);
    ExpectActive(pages, -1);
}

TEST(PageControl, ARealMouseClickOnATabChangesThePage) {
    TPages pages = MakePages(3);
    TskTabControlTopPanel* strip = pages.Control->TopPanel();
    const TRect first = strip->Layout().Tabs[0].Rect;
    QTest::mouseClick(strip->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(first.Left + 5, 10));
    ExpectActive(pages, 0);
}

TEST(PageControl, AnOnChangingRefusalKeepsThePageButCodeIgnoresIt) {
    TPages pages = MakePages(2);
    TskPageControl& control = *pages.Control;
    control.OnChanging = [](TObject*, bool& allow) { allow = false; };
    const TPoint first = Point(control.TopPanel()->Layout().Tabs[0].Rect.Left + 5, 10);
    control.TopPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.X, first.Y));
    ExpectActive(pages, 1);
    control.ActivatePage(pages.Sheets[0]);
    ExpectActive(pages, 0);
}

TEST(PageControl, HidingTheActiveTabSelectsTheNearestVisibleNeighbour) {
    TPages pages = MakePages(4);
    TskPageControl& control = *pages.Control;
    control.SelectPage(2);
    pages.Sheets[2]->SetTabVisible(false);
    EXPECT_FALSE(pages.Sheets[2]->TabVisible());
    EXPECT_FALSE(control.TopPanel()->TabVisibleFlag(2));
    ExpectActive(pages, 1);

    control.SelectPage(0);
    pages.Sheets[0]->SetTabVisible(false);
    ExpectActive(pages, 1);
    pages.Sheets[1]->SetTabVisible(false);
    ExpectActive(pages, 3);
    // The last visible tab: the selection stays.
    pages.Sheets[3]->SetTabVisible(false);
    ExpectActive(pages, 3);
    EXPECT_TRUE(control.TopPanel()->Layout().Tabs.isEmpty());
    pages.Sheets[1]->SetTabVisible(true);
    EXPECT_TRUE(pages.Sheets[1]->TabVisible());
    ExpectActive(pages, 3);
}

TEST(PageControl, RemovingOrFreeingAPageActivatesThePreviousOne) {
    TPages pages = MakePages(4);
    TskPageControl& control = *pages.Control;
    pages.Sheets[3]->SetPageControl(nullptr);
    EXPECT_EQ(control.PageCount(), 3);
    EXPECT_EQ(pages.Sheets[3]->PageIndex(), -1);
    ExpectActive(pages, 2);

    pages.Sheets[1]->SetTabVisible(false);
    delete pages.Sheets[2].data();
    EXPECT_EQ(control.PageCount(), 2);
    EXPECT_EQ(control.TopPanel()->Tabs()->Count(), 2);
    ExpectActive(pages, 1);
    // The tab flags follow the pages when pages go.
    EXPECT_FALSE(pages.Sheets[1]->TabVisible());
    EXPECT_TRUE(pages.Sheets[0]->TabVisible());

    control.SelectPage(0);
    delete pages.Sheets[0].data();
    EXPECT_EQ(control.ActivePage(), nullptr);
    EXPECT_EQ(pages.Sheets[1]->PageIndex(), 0);
    delete pages.Sheets[1].data();
    EXPECT_EQ(control.PageCount(), 0);
    EXPECT_EQ(control.TopPanel()->TabIndex(), -1);
}

TEST(PageControl, MovingAPageRenumbersThePagesAndActivatesIt) {
    TPages pages = MakePages(3);
    TskPageControl& control = *pages.Control;
    pages.Sheets[0]->SetPageIndex(2);
    EXPECT_EQ(control.Pages(2), pages.Sheets[0].data());
    EXPECT_EQ(pages.Sheets[1]->PageIndex(), 0);
    EXPECT_EQ(control.TopPanel()->Tabs()->Get(2), QStringLiteral("Page 0"));
    EXPECT_EQ(control.ActivePage(), pages.Sheets[0].data());
    pages.Sheets[0]->SetPageIndex(3);
    pages.Sheets[0]->SetPageIndex(-1);
    EXPECT_EQ(pages.Sheets[0]->PageIndex(), 2);
}

TEST(PageControl, ShowingAControlOnAPageActivatesThePage) {
    TPages pages = MakePages(3);
    auto* panel = new TPanel(pages.Control.get());
    panel->SetParent(pages.Sheets[0]);
    panel->SetVisible(false);
    panel->Show();
    EXPECT_TRUE(panel->Visible());
    ExpectActive(pages, 0);
    pages.Sheets[1]->Show();
    ExpectActive(pages, 1);
}

TEST(PageControl, TabIndexMinusOneMeansNoActivePage) {
    TPages pages = MakePages(2);
    int reported = 5;
    pages.Control->OnTabActive = [&reported](TObject*, int index) { reported = index; };
    pages.Control->SelectTab(-1);
    EXPECT_EQ(reported, -1);
    ExpectActive(pages, -1);
}

TEST(PageControl, ALookReachesTheControlsOnEveryPage) {
    TPages pages = MakePages(2);
    auto* inner = new TskPageControl(pages.Control.get());
    inner->SetParent(pages.Sheets[0]);
    pages.Control->SetUIStyle(Protein);
    EXPECT_EQ(inner->UIStyle(), Protein);
    EXPECT_EQ(pages.Sheets[1]->Color(), pages.Control->Color());
    EXPECT_EQ(pages.Sheets[1]->Align(), alClient);
}

TEST(PageControl, FocusesTheFirstControlOfAnActivatedPage) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 400);
    auto* control = new TskPageControl(&form);
    control->SetParent(&form);
    control->SetBounds(0, 0, 489, 265);
    auto* first = new TskTabSheet(&form);
    first->SetPageControl(control);
    auto* second = new TskTabSheet(&form);
    second->SetPageControl(control);
    auto* edit = new TEdit(&form);
    edit->SetParent(first);
    auto* labelled = new TEdit(&form);
    labelled->SetParent(second);
    auto* label = new TLabel(&form);
    label->SetParent(second);
    control->SelectPage(0);
    EXPECT_EQ(form.ActiveControl(), edit);
    // A page whose first control (labels come first) cannot take the focus takes none;
    // the page that was left is disabled, so its edit gives the focus to the form.
    control->SelectPage(1);
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

const char* const StoredLayout = R"(object Form1: TPagesForm
  object PageControl: TskPageControl
    Left = 8
    Top = 32
    Width = 489
    Height = 265
    ActivePage = SheetMaker
    UIStyle = MacOS
    OnChanging = PageControlChanging
    OnChange = PageControlChange
    Pages = (
      SheetFileMD5
      SheetMaker
      SheetVerifier
      SheetAbout)
    object SheetVerifier: TskTabSheet
      Caption = 'Verify check file'
      PageControl = PageControl
    end
    object SheetMaker: TskTabSheet
      Caption = 'Make check file'
      PageControl = PageControl
    end
    object SheetFileMD5: TskTabSheet
      Caption = 'Make file MD5'
      PageControl = PageControl
    end
    object SheetAbout: TskTabSheet
      Caption = 'About'
      TabVisible = False
      PageControl = PageControl
    end
  end
end
)";

TskPageControl* PageControlOf(TForm& form) {
    return qobject_cast<TskPageControl*>(form.FindComponent(QStringLiteral("PageControl")));
}

TEST(PageControl, ALayoutRestoresTheStoredPageOrderAndBindsOnChanging) {
    RegisterSkinClasses();
    TPagesForm form(nullptr);
    ReadLayoutText(&form, QString::fromLatin1(StoredLayout), QStringLiteral("pages.layout"));
    TskPageControl* control = PageControlOf(form);
    ASSERT_NE(control, nullptr);
    const QStringList order{QStringLiteral("SheetFileMD5"), QStringLiteral("SheetMaker"),
                            QStringLiteral("SheetVerifier"), QStringLiteral("SheetAbout")};
    ASSERT_EQ(control->PageCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(control->Pages(i)->Name(), order.at(i));
        EXPECT_EQ(control->Pages(i)->PageIndex(), i);
        EXPECT_EQ(control->Pages(i)->PageControl(), control);
    }
    EXPECT_EQ(control->TopPanel()->Tabs()->ToStringList(),
              (QStringList{QStringLiteral("Make file MD5"), QStringLiteral("Make check file"),
                           QStringLiteral("Verify check file"), QStringLiteral("About")}));
    EXPECT_FALSE(control->TopPanel()->TabVisibleFlag(3));
    ASSERT_NE(control->ActivePage(), nullptr);
    EXPECT_EQ(control->ActivePage()->Name(), QStringLiteral("SheetMaker"));
    EXPECT_EQ(control->TopPanel()->TabIndex(), 1);
    EXPECT_EQ(control->Pages(0)->BoundsRect(), Rect(3, 37, 3 + 483, 37 + 225));

    form.Allow = false;
    EXPECT_EQ(control->TopPanel()->FirstTab(), 0);
    ASSERT_FALSE(control->TopPanel()->Layout().Tabs.isEmpty());
    const TskDrawnTab first = control->TopPanel()->Layout().Tabs[0];
    control->TopPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.Rect.Left + 5, 10));
    EXPECT_EQ(control->ActivePage()->Name(), QStringLiteral("SheetMaker"));
    form.Allow = true;
    control->TopPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.Rect.Left + 5, 10));
    EXPECT_EQ(control->ActivePage()->Name(), QStringLiteral("SheetFileMD5"));
    EXPECT_EQ(form.Calls, (QStringList{QStringLiteral("changing"), QStringLiteral("changing"),
                                       QStringLiteral("change")}));
}

TEST(PageControl, StoredNamesThatDoNotMatchThePagesLeaveTheReadOrder) {
    const QStringList readOrder{QStringLiteral("SheetVerifier"), QStringLiteral("SheetMaker"),
                                QStringLiteral("SheetFileMD5"), QStringLiteral("SheetAbout")};
    const struct {
        const char* Pages;
        const char* LastSheetsPageControl;
        QStringList Expected;
    } cases[] = {
        // A page named twice among more names than pages: never sorted.
        {"(SheetFileMD5 SheetMaker SheetMaker SheetVerifier SheetAbout)", "PageControl", readOrder},
        // Names of no page (missing, not a sheet) sort first, in read order.
        {"(SheetFileMD5 Nobody PageControl SheetMaker)",
         "PageControl",
         {QStringLiteral("SheetVerifier"), QStringLiteral("SheetAbout"),
          QStringLiteral("SheetFileMD5"), QStringLiteral("SheetMaker")}},
        {"(SheetAbout SheetMaker SheetMaker SheetFileMD5)",
         "PageControl",
         {QStringLiteral("SheetVerifier"), QStringLiteral("SheetAbout"),
          QStringLiteral("SheetMaker"), QStringLiteral("SheetFileMD5")}},
        {"()", "PageControl", readOrder},
        // The last sheet names no page control: the order is never restored.
        {"(SheetFileMD5 SheetMaker SheetVerifier SheetAbout)", "Nobody", readOrder},
        {"(SheetFileMD5 SheetMaker SheetVerifier SheetAbout)", "Form1", readOrder},
    };
    for (const auto& entry : cases) {
        QString text = QString::fromLatin1(StoredLayout);
        const qsizetype start = text.indexOf(QStringLiteral("Pages = ("));
        const qsizetype end = text.indexOf(QLatin1Char(')'), start);
        text.replace(start, end - start + 1,
                     QStringLiteral("Pages = ") + QString::fromLatin1(entry.Pages));
        text.replace(QStringLiteral("PageControl = PageControl\n    end\n  end"),
                     QStringLiteral("PageControl = %1\n    end\n  end")
                         .arg(QString::fromLatin1(entry.LastSheetsPageControl)));
        RegisterSkinClasses();
        TPagesForm form(nullptr);
        ReadLayoutText(&form, text, QStringLiteral("names.layout"));
        TskPageControl* control = PageControlOf(form);
        ASSERT_NE(control, nullptr);
        QStringList names;
        for (int i = 0; i < control->PageCount(); ++i) {
            names << control->Pages(i)->Name();
            EXPECT_EQ(control->Pages(i)->PageIndex(), i);
        }
        EXPECT_EQ(names, entry.Expected) << entry.Pages;
        EXPECT_EQ(control->ActivePage()->Name(), QStringLiteral("SheetMaker"));
    }
}

} // namespace

#include "PageControlTest.moc"
