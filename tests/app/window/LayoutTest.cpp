#include "framework/graphics/Fonts.h"
#include "tests/app/window/WindowFixture.h"

#include <QMetaProperty>
#include <algorithm>
#include <vector>

namespace {

struct ControlRow {
    const char* name;
    const char* className;
    const char* parent;
    int left, top, width, height; // width and height < 0: as the text makes them
    const char* text;
    int tabOrder; // -1: not a tab stop
};

// Every control of the window, in the order the window declares them.
const std::vector<ControlRow> kControls = {
    {"skForm1", "TskForm", "Form1", 0, 0, 507, 339, nullptr, 0},
    {"PageControl", "TskPageControl", "skForm1", 8, 32, 489, 265, nullptr, 1},
    {"SheetMaker", "TskTabSheet", "PageControl", -1, -1, -1, -1, "Make check file", -1},
    {"SheetVerifier", "TskTabSheet", "PageControl", -1, -1, -1, -1, "Verify check file", -1},
    {"Label1", "TLabel", "SheetMaker", 14, 12, -1, -1, "Folder : ", -1},
    {"EdtPath", "TskEdit", "SheetMaker", 56, 9, 369, 17, "", 0},
    {"BtnSelect", "TskButton", "SheetMaker", 432, 8, 41, 19, "...", 1},
    {"MemoMakeResult", "TMemo", "SheetMaker", 8, 64, 465, 153, nullptr, 2},
    {"ChkSubFolder", "TskCheckBox", "SheetMaker", 272, 32, -1, -1, "Include sub folders", 3},
    {"BtnMake", "TskButton", "SheetMaker", 8, 32, 97, 27, "Make check file", 4},
    {"Label2", "TLabel", "SheetVerifier", 8, 12, -1, -1, "Check file : ", -1},
    {"EdtCheckfilePath", "TskEdit", "SheetVerifier", 72, 9, 337, 17, "", 0},
    {"BtnSelectCheckfile", "TskButton", "SheetVerifier", 416, 8, 41, 19, "...", 1},
    {"BtnVerify", "TskButton", "SheetVerifier", 8, 32, 97, 27, "Verify check file", 2},
    {"ChkReportNew", "TskCheckBox", "SheetVerifier", 272, 32, -1, -1, "Report new files", 3},
    {"MemoVerifyResult", "TMemo", "SheetVerifier", 8, 64, 465, 153, nullptr, 4},
    {"SheetAbout", "TskTabSheet", "PageControl", -1, -1, -1, -1, "About", -1},
    {"BtnHelp", "TskButton", "skForm1", 320, 304, 80, 27, "Help", 2},
    {"BtnExit", "TskButton", "skForm1", 416, 304, 80, 27, "Exit", 3},
    {"Label6", "TLabel", "SheetAbout", 144, 16, -1, -1, "Sumwarden Version 2.1", -1},
    {"Label7", "TLabel", "SheetAbout", 120, 40, -1, -1, "Free for personal and commercial use.",
     -1},
    {"Label8", "TLabel", "SheetAbout", 120, 64, -1, -1, "Copyright (C) 2026 Sumwarden", -1},
    {"LblWebsite", "TLabel", "SheetAbout", 112, 180, -1, -1, "Website: www.sumwarden.example", -1},
    {"LblEmail", "TLabel", "SheetAbout", 128, 201, -1, -1,
     "Support Email: support@sumwarden.example", -1},
    {"SheetFileMD5", "TskTabSheet", "PageControl", -1, -1, -1, -1, "Make file MD5", -1},
    {"LvwFile", "TskListView", "SheetFileMD5", 8, 8, 465, 177, "", 0},
    {"BtnSelectFile", "TskButton", "SheetFileMD5", 280, 192, 184, 27,
     "Select Files to calculate MD5", 1},
};

TEST_F(WindowTest, EveryControlHasItsClassPlaceTextAndTabOrder) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        auto* control = qobject_cast<TControl*>(Form->FindComponent(QString::fromLatin1(row.name)));
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className(), row.className);
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), QString::fromLatin1(row.parent));
        if (row.left >= 0) {
            EXPECT_EQ(control->Left(), row.left);
            EXPECT_EQ(control->Top(), row.top);
        }
        if (row.width >= 0) {
            EXPECT_EQ(control->Width(), row.width);
            EXPECT_EQ(control->Height(), row.height);
        }
        if (row.text != nullptr) {
            EXPECT_EQ(control->property("Caption").toString(), QString::fromLatin1(row.text));
        }
        // The published field names the same component.
        const QVariant field = Form->property(row.name);
        ASSERT_TRUE(field.isValid());
        EXPECT_EQ(field.value<QObject*>(), control);
    }
}

// Tab order numbers close up to the controls a parent has, so the designed numbers are
// compared by the order they give.
TEST_F(WindowTest, TabOrderFollowsTheDesign) {
    for (const char* parent : {"skForm1", "SheetFileMD5", "SheetMaker", "SheetVerifier"}) {
        SCOPED_TRACE(parent);
        std::vector<std::pair<int, QString>> designed;
        std::vector<std::pair<int, QString>> actual;
        for (const ControlRow& row : kControls) {
            if (row.tabOrder < 0 || QLatin1String(row.parent) != QLatin1String(parent)) {
                continue;
            }
            const QString name = QString::fromLatin1(row.name);
            designed.emplace_back(row.tabOrder, name);
            actual.emplace_back(qobject_cast<TWinControl*>(Form->FindComponent(name))->TabOrder(),
                                name);
        }
        std::sort(designed.begin(), designed.end());
        std::sort(actual.begin(), actual.end());
        QStringList designedNames;
        QStringList actualNames;
        for (std::size_t index = 0; index < designed.size(); ++index) {
            designedNames.append(designed[index].second);
            actualNames.append(actual[index].second);
        }
        EXPECT_EQ(actualNames, designedNames);
    }
}

TEST_F(WindowTest, PublishesItsFieldsInDeclarationOrder) {
    QStringList published;
    const QMetaObject* meta = Form->metaObject();
    for (int index = meta->propertyOffset(); index < meta->propertyCount(); ++index) {
        published.append(QString::fromLatin1(meta->property(index).name()));
    }
    EXPECT_EQ(published, (QStringList{"skForm1",
                                      "PageControl",
                                      "SheetMaker",
                                      "SheetVerifier",
                                      "Label1",
                                      "EdtPath",
                                      "BtnSelect",
                                      "MemoMakeResult",
                                      "ChkSubFolder",
                                      "BtnMake",
                                      "Label2",
                                      "EdtCheckfilePath",
                                      "BtnSelectCheckfile",
                                      "BtnVerify",
                                      "ChkReportNew",
                                      "MemoVerifyResult",
                                      "SheetAbout",
                                      "BtnHelp",
                                      "BtnExit",
                                      "dlg",
                                      "Label6",
                                      "Label7",
                                      "Label8",
                                      "LblWebsite",
                                      "LblEmail",
                                      "SheetFileMD5",
                                      "LvwFile",
                                      "BtnSelectFile",
                                      "dlg2"}));
}

TEST_F(WindowTest, PagesComeInTabOrderWithTheirClientArea) {
    TskPageControl* pages = Form->PageControl;
    ASSERT_EQ(pages->PageCount(), 4);
    const std::vector<TskTabSheet*> expected = {Form->SheetFileMD5, Form->SheetMaker,
                                                Form->SheetVerifier, Form->SheetAbout};
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(pages->Pages(index), expected[index]);
        EXPECT_TRUE(expected[index]->TabVisible());
    }
    EXPECT_EQ(pages->ActivePage(), Form->SheetFileMD5);
}

TEST_F(WindowTest, WindowIsAFixedDialogOfItsDesignedSize) {
    EXPECT_EQ(Form->Name(), QStringLiteral("Form1"));
    EXPECT_EQ(Form->GetText(), QStringLiteral("Sumwarden"));
    EXPECT_EQ(Form->BorderStyle(), TCustomForm::bsDialog);
    EXPECT_EQ(Form->BorderIcons(), TCustomForm::TBorderIcons(TCustomForm::biSystemMenu));
    EXPECT_EQ(Form->Position(), TCustomForm::poDesktopCenter);
    EXPECT_FALSE(Form->Scaled());
    EXPECT_EQ(Form->Color(), clBtnFace);
    EXPECT_EQ(Form->Constraints()->MinWidth(), 130);
    EXPECT_EQ(Form->Constraints()->MinHeight(), 50);
    Form->Show();
    EXPECT_EQ(Form->ClientWidth(), 507);
    EXPECT_EQ(Form->ClientHeight(), 339);
    EXPECT_EQ(Form->skForm1->Handle()->size(), QSize(507, 339));
    EXPECT_EQ(Form->skForm1->BevelOuter(), TCustomPanel::bvNone);
}

TEST_F(WindowTest, TextIsTheUserInterfaceFontAtElevenPixels) {
    for (TControl* control : std::vector<TControl*>{Form.get(), Form->BtnMake, Form->MemoMakeResult,
                                                    Form->LvwFile, Form->Label6}) {
        SCOPED_TRACE(control->Name().toStdString());
        EXPECT_EQ(control->Font()->Height(), -11);
        EXPECT_EQ(control->Font()->Size(), 8);
    }
    const QFont shown = Form->BtnMake->Handle()->font();
    EXPECT_EQ(shown.pixelSize(), 11);
    EXPECT_EQ(shown.family(), Fonts::UIFamily());
}

TEST_F(WindowTest, ListViewIsAReadOnlyReportWithTwoColumns) {
    TskListView* list = Form->LvwFile;
    EXPECT_EQ(list->ViewStyle(), TCustomListView::vsReport);
    EXPECT_TRUE(list->GridLines());
    EXPECT_TRUE(list->ReadOnly());
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(list->Columns()->Items(0)->Caption(), QStringLiteral("File"));
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 235);
    EXPECT_EQ(list->Columns()->Items(1)->Caption(), QStringLiteral("MD5 Checksum"));
    EXPECT_EQ(list->Columns()->Items(1)->Width(), 230);
}

TEST_F(WindowTest, MemosAreReadOnlyWithAVerticalScrollBarAndLinksShowTheHand) {
    for (TMemo* memo : {Form->MemoMakeResult, Form->MemoVerifyResult}) {
        EXPECT_TRUE(memo->ReadOnly());
        EXPECT_EQ(memo->ScrollBars(), TCustomMemo::ssVertical);
    }
    EXPECT_EQ(Form->LblWebsite->Cursor(), TControl::crHandPoint);
    EXPECT_EQ(Form->LblEmail->Cursor(), TControl::crHandPoint);
    EXPECT_EQ(Form->Label6->Cursor(), TControl::crDefault);
    EXPECT_FALSE(Form->dlg->Options().testFlag(TOpenDialog::ofAllowMultiSelect));
    EXPECT_TRUE(Form->dlg2->Options().testFlag(TOpenDialog::ofAllowMultiSelect));
    EXPECT_TRUE(Form->dlg2->Options().testFlag(TOpenDialog::ofHideReadOnly));
}

TEST_F(WindowTest, TheSkinnedFrameHasACloseButtonOnlyAndABoldTitle) {
    TskForm* frame = Form->skForm1;
    EXPECT_TRUE(frame->InCharge());
    EXPECT_EQ(frame->UIStyle(), MacOS);
    EXPECT_EQ(frame->BorderColor(), 0x7F7F7F);
    EXPECT_FALSE(frame->TitleBarDrawAppIcon());
    EXPECT_EQ(frame->TitleBar()->Caption(), QStringLiteral("Sumwarden"));
    ASSERT_EQ(frame->TitleBar()->Buttons()->Count(), 1);
    EXPECT_EQ(frame->TitleBar()->Buttons()->Items(0)->ButtonType(), SkinTitleBar::skClose);
    EXPECT_TRUE(frame->TitleBarFont()->Style().testFlag(fsBold));
    EXPECT_FALSE(Form->BtnExit->Font()->Style().testFlag(fsBold));
    Form->Show();
    EXPECT_EQ(Form->Width(), 513);
    EXPECT_EQ(Form->Height(), 343);
}

TEST_F(WindowTest, SkinnedControlsCarryTheMacOSLookAndTheirStoredValues) {
    for (TskButton* button : {Form->BtnHelp, Form->BtnExit, Form->BtnSelectFile, Form->BtnSelect,
                              Form->BtnMake, Form->BtnSelectCheckfile, Form->BtnVerify}) {
        SCOPED_TRACE(button->Name().toStdString());
        EXPECT_EQ(button->UIStyle(), MacOS);
        EXPECT_FALSE(button->AutoSize());
        EXPECT_TRUE(button->Transparent());
        EXPECT_EQ(button->ModalResult(), 0);
        EXPECT_EQ(button->FocusedRectMargin(), 2);
        EXPECT_EQ(button->Layout(), TskButton::blGlyphLeft);
        EXPECT_EQ(button->Spacing(), 4);
        EXPECT_EQ(button->MouseContinuouslyDownInterval(), 100);
        EXPECT_TRUE(button->Glyph()->Empty());
    }
    for (TskEdit* edit : {Form->EdtPath, Form->EdtCheckfilePath}) {
        EXPECT_EQ(edit->UIStyle(), MacOS);
        EXPECT_EQ(edit->BorderColor(), 0x7F7F7F);
    }
    EXPECT_EQ(Form->LvwFile->UIStyle(), MacOS);
    EXPECT_EQ(Form->LvwFile->BorderColor(), 0x7F7F7F);
    TskCheckBox* box = Form->ChkSubFolder;
    EXPECT_EQ(box->UIStyle(), MacOS);
    EXPECT_TRUE(box->AutoSize());
    EXPECT_EQ(box->State(), TskCheckBox::cbChecked);
    EXPECT_FALSE(box->Transparent());
    EXPECT_TRUE(box->TabStop());
    TskPageControl* pages = Form->PageControl;
    EXPECT_EQ(pages->UIStyle(), MacOS);
    EXPECT_EQ(pages->LeftMargin(), 10);
    EXPECT_EQ(pages->BorderColor(), 0x7F7F7F);
    EXPECT_EQ(pages->Color(), 0xE7E7E7);
    EXPECT_EQ(pages->TabPosition(), SkinTabs::skTop);
    EXPECT_EQ(pages->TabFont()->Height(), -11);
    for (int index = 0; index < pages->PageCount(); ++index) {
        EXPECT_EQ(pages->Pages(index)->Color(), 0xE7E7E7);
        EXPECT_EQ(pages->Pages(index)->PageIndex(), index);
    }
}

} // namespace
