// Every look (and a file look) times every control of this family times every state
// paints without a single Qt warning; and the skinned classes can be named in layouts.
#include "SkinTestHelpers.h"
#include "framework/layout/LayoutReader.h"
#include "skin/controls/SKButton.h"
#include "skin/controls/SKEdit.h"
#include "skin/controls/SKListView.h"
#include "skin/controls/SKPageControl.h"
#include "skin/controls/SKRegister.h"
#include "skin/controls/SKScrollBar.h"
#include "skin/controls/SKTrackBar.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"
#include "skin/frame/SKForm.h"
#include "skin/frame/SKImagePanel.h"
#include "skin/frame/SKTitleBar.h"
#include "skin/menus/SKMainMenu.h"
#include "skin/menus/SKPopupMenu.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

QStringList& Messages() {
    static QStringList messages;
    return messages;
}

void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        Messages().append(message);
    }
}

void PaintEveryState(TForm* form, TWinControl* control) {
    control->SetParent(form);
    Paint(*control);
    control->Perform(CM_MOUSEENTER);
    Paint(*control);
    control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 2));
    Paint(*control);
    control->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
    control->SetFocus();
    Paint(*control);
    control->Handle()->grab();
    control->SetEnabled(false);
    Paint(*control);
    control->Handle()->grab();
    control->Perform(CM_MOUSELEAVE);
    Paint(*control);
}

// A form whose handlers fit every event the skinned classes publish.
class TSkinnedLayoutForm : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    Q_INVOKABLE void Notify(TObject*) {}
    Q_INVOKABLE void MouseButton(TObject*, TMouseButton, TShiftState, int, int) {}
    Q_INVOKABLE void MouseMove(TObject*, TShiftState, int, int) {}
    Q_INVOKABLE void Key(TObject*, quint16&, TShiftState) {}
    Q_INVOKABLE void KeyPress(TObject*, QChar&) {}
    Q_INVOKABLE void ContextPopup(TObject*, TPoint, bool&) {}
    Q_INVOKABLE void CanResize(TObject*, int&, int&, bool&) {}
    Q_INVOKABLE void ConstrainedResize(TObject*, int&, int&, int&, int&) {}
    Q_INVOKABLE void DragDrop(TObject*, TObject*, int, int) {}
    Q_INVOKABLE void DragOver(TObject*, TObject*, int, int, TDragState, bool&) {}
    Q_INVOKABLE void EndDrag(TObject*, TObject*, int, int) {}
    Q_INVOKABLE void StartDrag(TObject*, TDragObject*&) {}
    Q_INVOKABLE void StartDock(TObject*, TDragDockObject*&) {}
    Q_INVOKABLE void DockDrop(TObject*, TDragDockObject*, int, int) {}
    Q_INVOKABLE void DockOver(TObject*, TDragDockObject*, int, int, TDragState, bool&) {}
    Q_INVOKABLE void UnDock(TObject*, TControl*, TWinControl*, bool&) {}
    Q_INVOKABLE void GetSiteInfo(TObject*, TControl*, TRect&, TPoint, bool&) {}
    Q_INVOKABLE void TitleButton(TObject*, int) {}
    Q_INVOKABLE void ColumnClick(TObject*, TListColumn*) {}
    Q_INVOKABLE void ColumnRightClick(TObject*, TListColumn*, TPoint) {}
    Q_INVOKABLE void CustomDraw(TObject*, const TRect&, bool&) {}
    Q_INVOKABLE void CustomDrawItem(TObject*, TListItem*, TCustomListView::TCustomDrawState,
                                    bool&) {}
    Q_INVOKABLE void CustomDrawSubItem(TObject*, TListItem*, int, TCustomListView::TCustomDrawState,
                                       bool&) {}
    Q_INVOKABLE void AdvancedCustomDraw(TObject*, const TRect&, TCustomListView::TCustomDrawStage,
                                        bool&) {}
    Q_INVOKABLE void AdvancedCustomDrawItem(TObject*, TListItem*, TCustomListView::TCustomDrawState,
                                            TCustomListView::TCustomDrawStage, bool&) {}
    Q_INVOKABLE void AdvancedCustomDrawSubItem(TObject*, TListItem*, int,
                                               TCustomListView::TCustomDrawState,
                                               TCustomListView::TCustomDrawStage, bool&) {}
    Q_INVOKABLE void Changing(TObject*, TListItem*, TCustomListView::TItemChange, bool&) {}
    Q_INVOKABLE void Compare(TObject*, TListItem*, TListItem*, int, int&) {}
    Q_INVOKABLE void ListItem(TObject*, TListItem*) {}
    Q_INVOKABLE void DataFind(TObject*, TCustomListView::TItemFind, const QString&, const TPoint&,
                              void*, int, TCustomListView::TSearchDirection, bool, int&) {}
    Q_INVOKABLE void DataHint(TObject*, int, int) {}
    Q_INVOKABLE void DataStateChange(TObject*, int, int, TCustomListView::TItemStates,
                                     TCustomListView::TItemStates) {}
    Q_INVOKABLE void DrawItem(TObject*, TListItem*, TRect, TMenuItem::TOwnerDrawState) {}
    Q_INVOKABLE void Edited(TObject*, TListItem*, QString&) {}
    Q_INVOKABLE void Editing(TObject*, TListItem*, bool&) {}
    Q_INVOKABLE void SubItemImage(TObject*, TListItem*, int, int&) {}
    Q_INVOKABLE void InfoTip(TObject*, TListItem*, QString&) {}
    Q_INVOKABLE void SelectItem(TObject*, TListItem*, bool) {}
};

// The handler of the form above that fits an event.
QString HandlerFor(const QString& event) {
    static const QHash<QString, QString> handlers{
        {QStringLiteral("OnMouseDown"), QStringLiteral("MouseButton")},
        {QStringLiteral("OnMouseUp"), QStringLiteral("MouseButton")},
        {QStringLiteral("OnMouseMove"), QStringLiteral("MouseMove")},
        {QStringLiteral("OnKeyDown"), QStringLiteral("Key")},
        {QStringLiteral("OnKeyUp"), QStringLiteral("Key")},
        {QStringLiteral("OnKeyPress"), QStringLiteral("KeyPress")},
        {QStringLiteral("OnContextPopup"), QStringLiteral("ContextPopup")},
        {QStringLiteral("OnCanResize"), QStringLiteral("CanResize")},
        {QStringLiteral("OnConstrainedResize"), QStringLiteral("ConstrainedResize")},
        {QStringLiteral("OnDragDrop"), QStringLiteral("DragDrop")},
        {QStringLiteral("OnDragOver"), QStringLiteral("DragOver")},
        {QStringLiteral("OnEndDrag"), QStringLiteral("EndDrag")},
        {QStringLiteral("OnEndDock"), QStringLiteral("EndDrag")},
        {QStringLiteral("OnStartDrag"), QStringLiteral("StartDrag")},
        {QStringLiteral("OnStartDock"), QStringLiteral("StartDock")},
        {QStringLiteral("OnDockDrop"), QStringLiteral("DockDrop")},
        {QStringLiteral("OnDockOver"), QStringLiteral("DockOver")},
        {QStringLiteral("OnUnDock"), QStringLiteral("UnDock")},
        {QStringLiteral("OnGetSiteInfo"), QStringLiteral("GetSiteInfo")},
        {QStringLiteral("OnCustomBtnsClick"), QStringLiteral("TitleButton")},
        {QStringLiteral("OnHelpBtnClick"), QStringLiteral("TitleButton")},
        {QStringLiteral("OnTitleBarCustomBtnsClick"), QStringLiteral("TitleButton")},
        {QStringLiteral("OnTitleBarHelpBtnClick"), QStringLiteral("TitleButton")},
        {QStringLiteral("OnColumnClick"), QStringLiteral("ColumnClick")},
        {QStringLiteral("OnColumnRightClick"), QStringLiteral("ColumnRightClick")},
        {QStringLiteral("OnCustomDraw"), QStringLiteral("CustomDraw")},
        {QStringLiteral("OnCustomDrawItem"), QStringLiteral("CustomDrawItem")},
        {QStringLiteral("OnCustomDrawSubItem"), QStringLiteral("CustomDrawSubItem")},
        {QStringLiteral("OnAdvancedCustomDraw"), QStringLiteral("AdvancedCustomDraw")},
        {QStringLiteral("OnAdvancedCustomDrawItem"), QStringLiteral("AdvancedCustomDrawItem")},
        {QStringLiteral("OnAdvancedCustomDrawSubItem"),
         QStringLiteral("AdvancedCustomDrawSubItem")},
        {QStringLiteral("OnChanging"), QStringLiteral("Changing")},
        {QStringLiteral("OnCompare"), QStringLiteral("Compare")},
        {QStringLiteral("OnData"), QStringLiteral("ListItem")},
        {QStringLiteral("OnDeletion"), QStringLiteral("ListItem")},
        {QStringLiteral("OnGetImageIndex"), QStringLiteral("ListItem")},
        {QStringLiteral("OnInsert"), QStringLiteral("ListItem")},
        {QStringLiteral("OnDataFind"), QStringLiteral("DataFind")},
        {QStringLiteral("OnDataHint"), QStringLiteral("DataHint")},
        {QStringLiteral("OnDataStateChange"), QStringLiteral("DataStateChange")},
        {QStringLiteral("OnDrawItem"), QStringLiteral("DrawItem")},
        {QStringLiteral("OnEdited"), QStringLiteral("Edited")},
        {QStringLiteral("OnEditing"), QStringLiteral("Editing")},
        {QStringLiteral("OnGetSubItemImage"), QStringLiteral("SubItemImage")},
        {QStringLiteral("OnInfoTip"), QStringLiteral("InfoTip")},
        {QStringLiteral("OnSelectItem"), QStringLiteral("SelectItem")},
    };
    return handlers.value(event, QStringLiteral("Notify"));
}

struct TPublished {
    const char* Class;
    // Stored-only properties with a value each, as a layout writes them.
    QStringList Properties;
    QStringList Events;
};

QStringList Words(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

TEST(SkinControls, EveryLookControlAndStatePaintsWithoutAWarning) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("blueglass.skn"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteSkinFile(BuiltinSkinEntries(BlueGlass)));
    file.close();
    const auto form = ShownForm();
    auto* theme = new TskFileTheme(form.get());
    theme->SetThemeFile(path);
    Messages().clear();
    const QtMessageHandler previous = qInstallMessageHandler(Collect);
    for (const TskUIStyle look : {FromThemeFile, MacOS, WinXP, DeepBlue, Protein, BlueGlass}) {
        for (const bool checked : {false, true}) {
            auto* button = new TskButton(form.get());
            button->SetFileTheme(theme);
            button->SetUIStyle(look);
            button->SetCaption(checked ? QStringLiteral("A caption wider than the button")
                                       : QStringLiteral("OK"));
            PaintEveryState(form.get(), button);
            delete button;
            auto* image = new TskImageButton(form.get());
            image->SetDrawFocused(checked);
            PaintEveryState(form.get(), image);
            delete image;
            auto* box = new TskCheckBox(form.get());
            box->SetFileTheme(theme);
            box->SetUIStyle(look);
            box->SetChecked(checked);
            box->SetTransparent(checked);
            PaintEveryState(form.get(), box);
            delete box;
            auto* edit = new TskEdit(form.get());
            edit->SetFileTheme(theme);
            edit->SetUIStyle(look);
            PaintEveryState(form.get(), edit);
            delete edit;
            auto* panel = new TskImagePanel(form.get());
            panel->SetTransparent(checked);
            panel->SetCaption(QStringLiteral("Panel"));
            PaintEveryState(form.get(), panel);
            delete panel;
            auto* track = new TskTrackBar(form.get());
            track->SetFileTheme(theme);
            track->SetUIStyle(look);
            track->SetOrientation(checked ? skVertical : skHorizontal);
            PaintEveryState(form.get(), track);
            delete track;
            auto* bar = new TskScrollBar(form.get());
            bar->SetFileTheme(theme);
            bar->SetUIStyle(look);
            bar->SetOrientation(checked ? skVertical : skHorizontal);
            PaintEveryState(form.get(), bar);
            auto* list = new TskListView(form.get());
            list->SetParent(form.get());
            list->SetFileTheme(theme);
            list->SetUIStyle(look);
            list->SetViewStyle(TCustomListView::vsReport);
            list->Columns()->Add()->SetWidth(400);
            for (int row = 0; row < 30; ++row) {
                list->Items()->Add()->SetCaption(QStringLiteral("row"));
            }
            list->SetVScrollBar(bar);
            PaintEveryState(form.get(), list);
            delete bar;
            delete list;
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('\n')).toStdString();
}

TEST(SkinControls, ALayoutNamesEverySkinnedClassThroughTheProgramsRegistry) {
    RegisterSkinClasses();
    QImage blocks(4, 2, QImage::Format_RGB32);
    blocks.fill(0xFF00FF00);
    blocks.setPixel(3, 1, 0xFF0000FF);
    TBitmap stored;
    stored.SetImage(blocks);
    TPicture storedPicture;
    storedPicture.Bitmap()->SetImage(blocks);
    TForm form(nullptr);
    form.SetName(QStringLiteral("Form1"));
    ReadLayoutText(&form,
                   QStringLiteral(R"(object Form1: TForm
  object Theme: TskFileTheme
  end
  object BtnHelp: TskButton
    Left = 8
    Caption = 'Help'
    UIStyle = MacOS
    Transparent = False
    Default = True
    Anchors = [akLeft, akBottom]
    BiDiMode = bdRightToLeft
    ParentBiDiMode = False
    MouseContinuouslyDownInterval = 50
    ResHandle = 7
    Glyph.Data = {%1}
  end
  object BtnArrow: TskImageButton
    Stretch = True
  end
  object ChkSubFolder: TskCheckBox
    Caption = 'Include sub folders'
    State = cbChecked
  end
  object EdtPath: TskEdit
    FileTheme = Theme
    UIStyle = MacOS
    BorderColor = 8355711
    Ctl3D = True
    HideSelection = True
    CharCase = ecNormal
    ImeMode = imDontCare
    ImeName = ''
    DragKind = dkDrag
    DragMode = dmManual
    DragCursor = crDrag
  end
  object Picture: TskImagePanel
    DrawStyle = skTile
    Picture.Data = {
      %2}
  end
end
)")
                       .arg(QString::fromLatin1(stored.Data().toHex()),
                            QString::fromLatin1(storedPicture.Data().toHex())),
                   QStringLiteral("skinned.lay"));
    auto* button = qobject_cast<TskButton*>(form.FindComponent(QStringLiteral("BtnHelp")));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->UIStyle(), MacOS);
    EXPECT_FALSE(button->Transparent());
    EXPECT_TRUE(button->ActiveDefault());
    EXPECT_EQ(button->ResHandle(), 0u);
    EXPECT_EQ(button->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(button->Anchors(), TControl::TAnchors(TControl::akLeft | TControl::akBottom));
    auto* box = qobject_cast<TskCheckBox*>(form.FindComponent(QStringLiteral("ChkSubFolder")));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Checked());
    EXPECT_NE(qobject_cast<TskImageButton*>(form.FindComponent(QStringLiteral("BtnArrow"))),
              nullptr);
    auto* edit = qobject_cast<TskEdit*>(form.FindComponent(QStringLiteral("EdtPath")));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->FileTheme(), form.FindComponent(QStringLiteral("Theme")));
    EXPECT_EQ(edit->BorderColor(), 0x7F7F7Fu);
    auto* panel = qobject_cast<TskImagePanel*>(form.FindComponent(QStringLiteral("Picture")));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->DrawStyle(), TskCustomPanel::skTile);
    EXPECT_EQ(panel->Picture()->Bitmap()->Image(), blocks);
    EXPECT_EQ(button->Glyph()->Image(), blocks);
    // Data that is no bitmap leaves them empty.
    button->Glyph()->SetData(QByteArray("\x05\0\0\0BMxyz", 9));
    EXPECT_TRUE(button->Glyph()->Empty());
    panel->Picture()->SetData(QByteArray("\x04TJpg", 5));
    EXPECT_EQ(panel->Picture()->Graphic(), nullptr);
}

TEST(SkinControls, EveryEventAndStoredPropertyOfTheSkinnedClassesIsAcceptedFromALayout) {
    RegisterSkinClasses();
    const QString dragEvents =
        QStringLiteral("OnDragDrop OnDragOver OnEndDock OnEndDrag OnStartDock OnStartDrag ");
    const QString dockSiteEvents = QStringLiteral("OnDockDrop OnDockOver OnGetSiteInfo OnUnDock ");
    const QString panelStored = QStringLiteral(
        "UseDockManager=True DockSite=False Locked=False ParentCtl3D=True FullRepaint=True "
        "DragCursor=crDrag DragKind=dkDrag DragMode=dmManual");
    const QString buttonEvents = QStringLiteral(
        "OnClick OnMouseMove OnMouseDown OnMouseUp OnKeyDown OnKeyUp OnKeyPress OnMouseEnter "
        "OnMouseExit OnMouseContinuouslyDown OnEnter OnExit");
    const QList<TPublished> published{
        {"TskButton", Words("Action=Helper ResHandle=0"), buttonEvents.split(QLatin1Char(' '))},
        {"TskImageButton", Words("Action=Helper"), buttonEvents.split(QLatin1Char(' '))},
        {"TskCheckBox",
         {},
         (QStringLiteral("OnClick OnDblClick OnMouseMove OnMouseDown OnMouseUp OnKeyDown OnKeyUp "
                         "OnKeyPress OnContextPopup OnEnter OnExit ") +
          dragEvents)
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)},
        {"TskEdit",
         Words("Ctl3D=True ParentCtl3D=True DragCursor=crDrag DragKind=dkDock "
               "DragMode=dmManual"),
         (QStringLiteral("OnChange OnClick OnDblClick OnEnter OnExit OnKeyDown OnKeyPress OnKeyUp "
                         "OnMouseDown OnMouseMove OnMouseUp ") +
          dragEvents)
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)},
        {"TskImagePanel",
         {},
         (QStringLiteral("OnCanResize OnClick OnConstrainedResize OnDblClick OnEnter OnExit "
                         "OnMouseDown OnMouseMove OnMouseUp OnResize ") +
          dragEvents + dockSiteEvents)
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)},
        {"TskPageControl", panelStored.split(QLatin1Char(' ')),
         (QStringLiteral("OnCanResize OnClick OnConstrainedResize OnContextPopup OnDblClick "
                         "OnEnter OnExit OnMouseDown OnMouseMove OnMouseUp OnResize OnChange ") +
          dragEvents + dockSiteEvents)
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)},
        {"TskTrackBar", Words("DragKind=dkDrag DragMode=dmManual"),
         (QStringLiteral("OnChange OnCanResize OnClick OnContextPopup OnDblClick OnEnter OnExit "
                         "OnMouseDown OnMouseMove OnMouseUp OnResize OnDockDrop OnDockOver "
                         "OnUnDock ") +
          dragEvents)
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)},
        {"TskScrollBar", Words("DragCursor=crDrag DragKind=dkDrag DragMode=dmManual"),
         (QStringLiteral("OnChange OnContextPopup OnEnter OnExit ") + dragEvents)
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)},
        {"TskTitleBar", {}, Words("OnCustomBtnsClick OnHelpBtnClick OnResize")},
        {"TskForm", Words("Version='5.8'"),
         Words("OnTitleBarCustomBtnsClick OnTitleBarHelpBtnClick OnMouseDown OnMouseMove "
               "OnClick OnMouseUp")},
        {"TskMainMenu", {}, Words("OnChange")},
        {"TskPopupMenu", {}, Words("OnPopup OnChange")},
        {"TskListView",
         // The whole published list but Columns, which the main window's layout sets.
         Words("Action=Helper Align=alNone AllocBy=4 Anchors=[akLeft,akTop] "
               "BevelEdges=[beLeft,beTop] BevelInner=bvNone BevelOuter=bvRaised BevelKind=bkFlat "
               "BevelWidth=2 BiDiMode=bdLeftToRight BorderStyle=bsNone BorderWidth=2 "
               "Checkboxes=True Color=clWindow ColumnClick=False Constraints.MinWidth=10 "
               "Ctl3D=False DragCursor=crDrag DragKind=dkDrag DragMode=dmManual Enabled=True "
               "Font.Height=-11 FlatScrollBars=True FullDrag=True GridLines=True "
               "HideSelection=False HotTrack=True HotTrackStyles=[htHandPoint,htUnderlineHot] "
               "HoverTime=500 IconOptions.Arrangement=iaLeft IconOptions.AutoArrange=True "
               "IconOptions.WrapText=False "
               "Items.Data={1d00000001000000ffffffffffffffffffffffff000000000000000000} "
               "LargeImages=Images MultiSelect=True OwnerData=True OwnerDraw=True ReadOnly=True "
               "RowSelect=True ParentBiDiMode=False ParentColor=False ParentFont=False "
               "ParentShowHint=False PopupMenu=TskPopupMenuObject ShowColumnHeaders=False "
               "ShowWorkAreas=True ShowHint=True SmallImages=Images SortType=stText "
               "StateImages=Images TabOrder=0 TabStop=True ViewStyle=vsReport Visible=True "
               "UIStyle=MacOS BorderColor=0 FileTheme=Theme VScrollBar=TskScrollBarObject "
               "HScrollBar=TskScrollBarObject2"),
         Words("OnAdvancedCustomDraw OnAdvancedCustomDrawItem OnAdvancedCustomDrawSubItem "
               "OnChange OnChanging OnClick OnColumnClick OnColumnDragged OnColumnRightClick "
               "OnCompare OnContextPopup OnCustomDraw OnCustomDrawItem OnCustomDrawSubItem OnData "
               "OnDataFind OnDataHint OnDataStateChange OnDblClick OnDeletion OnDrawItem OnEdited "
               "OnEditing OnEndDock OnEndDrag OnEnter OnExit OnGetImageIndex OnGetSubItemImage "
               "OnDragDrop OnDragOver OnInfoTip OnInsert OnKeyDown OnKeyPress OnKeyUp "
               "OnMouseDown OnMouseMove OnMouseUp OnResize OnSelectItem OnStartDock "
               "OnStartDrag")},
    };
    QString layout =
        QStringLiteral("object Form1: TSkinnedLayoutForm\n  object Helper: TTimer\n  end\n"
                       "  object Images: TImageList\n  end\n  object Theme: TskFileTheme\n  end\n"
                       "  object TskScrollBarObject2: TskScrollBar\n  end\n");
    for (const TPublished& each : published) {
        layout += QStringLiteral("  object %1Object: %1\n").arg(QLatin1String(each.Class));
        for (const QString& property : each.Properties) {
            layout += QStringLiteral("    %1\n")
                          .arg(QString(property).replace(QLatin1Char('='), QStringLiteral(" = ")));
        }
        for (const QString& event : each.Events) {
            layout += QStringLiteral("    %1 = %2\n").arg(event, HandlerFor(event));
        }
        layout += QStringLiteral("  end\n");
    }
    layout += QStringLiteral("end\n");
    TSkinnedLayoutForm form(nullptr);
    form.SetName(QStringLiteral("Form1"));
    try {
        ReadLayoutText(&form, layout, QStringLiteral("published.lay"));
    } catch (const ELayoutError& error) {
        FAIL() << error.what();
    }
    auto* edit = qobject_cast<TskEdit*>(form.FindComponent(QStringLiteral("TskEditObject")));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->OnStartDock != nullptr);
    EXPECT_EQ(edit->DragKind(), TControl::dkDock);
    auto* button = qobject_cast<TskButton*>(form.FindComponent(QStringLiteral("TskButtonObject")));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Action(), form.FindComponent(QStringLiteral("Helper")));
    auto* pages =
        qobject_cast<TskPageControl*>(form.FindComponent(QStringLiteral("TskPageControlObject")));
    ASSERT_NE(pages, nullptr);
    EXPECT_TRUE(pages->UseDockManager());
    EXPECT_TRUE(pages->OnGetSiteInfo != nullptr);
    auto* skin = qobject_cast<TskForm*>(form.FindComponent(QStringLiteral("TskFormObject")));
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->TitleBar(), nullptr);
    EXPECT_TRUE(skin->TitleBar()->OnHelpBtnClick != nullptr) << "bound through the form's name";
    auto* popup =
        qobject_cast<TskPopupMenu*>(form.FindComponent(QStringLiteral("TskPopupMenuObject")));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->OnChange != nullptr);
    auto* list =
        qobject_cast<TskListView*>(form.FindComponent(QStringLiteral("TskListViewObject")));
    ASSERT_NE(list, nullptr);
    const TComponent* images = form.FindComponent(QStringLiteral("Images"));
    EXPECT_EQ(list->LargeImages(), images);
    EXPECT_EQ(list->SmallImages(), images);
    EXPECT_EQ(list->StateImages(), images);
    EXPECT_EQ(list->BevelKind(), TWinControl::bkFlat);
    EXPECT_EQ(list->BevelEdges(),
              TWinControl::TBevelEdges(TWinControl::beLeft | TWinControl::beTop));
    EXPECT_EQ(list->HotTrackStyles(),
              TCustomListView::THotTrackStyles(TCustomListView::htHandPoint |
                                               TCustomListView::htUnderlineHot));
    EXPECT_EQ(list->IconOptions()->Arrangement(), TIconOptions::iaLeft);
    EXPECT_FALSE(list->IconOptions()->WrapText());
    EXPECT_FALSE(list->Ctl3D());
    EXPECT_EQ(list->HoverTime(), 500);
    EXPECT_EQ(list->SortType(), TCustomListView::stText);
    EXPECT_TRUE(list->Checkboxes());
    ASSERT_EQ(list->Items()->Count(), 1) << "the stored row";
    EXPECT_EQ(list->Items()->Item(0)->Caption(), QString());
    EXPECT_TRUE(list->OnColumnClick != nullptr);
    EXPECT_TRUE(list->OnDataFind != nullptr);
    EXPECT_TRUE(list->OnColumnDragged != nullptr);
    // An image list that goes leaves no reference behind.
    delete images;
    EXPECT_EQ(list->LargeImages(), nullptr);
    EXPECT_EQ(list->StateImages(), nullptr);
}

#include "AllStatesTest.moc"
