#include "framework/layout/LayoutReader.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Menus.h"
#include "framework/controls/StdCtrls.h"
#include "framework/forms/Form.h"
#include "framework/layout/ClassRegistry.h"

#include <gtest/gtest.h>

// A form whose published fields and handlers a layout fills in.
class TLayoutForm : public TForm {
    Q_OBJECT
    Q_PROPERTY(TButton* BtnMake MEMBER BtnMake)
    Q_PROPERTY(TListView* LvwFile MEMBER LvwFile)
public:
    using TForm::TForm;
    TButton* BtnMake = nullptr;
    TListView* LvwFile = nullptr;
    QStringList Calls;

    Q_INVOKABLE void FormCreate(TObject* Sender) {
        Calls.append(QStringLiteral("FormCreate ") + qobject_cast<TComponent*>(Sender)->Name());
    }
    Q_INVOKABLE void BtnMakeClick(TObject* Sender) {
        Calls.append(QStringLiteral("BtnMakeClick ") + qobject_cast<TComponent*>(Sender)->Name());
    }
};

// Publishes a value of every kind the layout reader writes.
class TValueProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(QByteArray Data MEMBER Data)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(bool Flag MEMBER Flag)
public:
    using TComponent::TComponent;
    QString Text;
    int Number = 0;
    double Ratio = 0;
    QByteArray Data;
    QStringList Lines;
    bool Flag = false;
};
REGISTER_CLASS(TValueProbe);

// A component whose Loaded records whether every property was already set.
class TLoadProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Text MEMBER Text)
public:
    using TComponent::TComponent;
    QString Text;
    QString TextAtLoaded;
    bool WasLoading = false;
    void Loaded() override {
        WasLoading = IsLoading();
        TextAtLoaded = Text;
        TComponent::Loaded();
    }
};
REGISTER_CLASS(TLoadProbe);

namespace {

const char* const Layout = R"(object Form1: TLayoutForm
  Left = 10
  Top = 20
  ClientWidth = 507
  ClientHeight = 339
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = 'Sum''warden'
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Font.Style = [fsBold]
  Position = poDesktopCenter
  ActiveControl = BtnMake
  OnCreate = FormCreate
  object Panel: TPanel
    Left = 0
    Top = 0
    Width = 507
    Height = 339
    Align = alClient
    BevelOuter = bvNone
    object Pages: TPageControl
      Left = 8
      Top = 32
      Width = 489
      Height = 265
      TabOrder = 1
      object SheetFileMD5: TTabSheet
        Caption = 'Make file MD5'
        object LvwFile: TListView
          Left = 8
          Top = 8
          Width = 465
          Height = 177
          Columns = <
            item
              Caption = 'File'
              Width = 235
            end
            item
              Caption = 'MD5 Checksum'
              Width = 230
            end>
          GridLines = True
          ViewStyle = vsReport
        end
      end
    end
    object BtnMake: TButton
      Left = 8
      Top = 304
      Width = 97
      Height = 27
      Caption = 'Make' + ' check'#32'file'
      TabOrder = 0
      OnClick = BtnMakeClick
    end
    object Memo: TMemo
      Lines.Strings = (
        'MemoMakeResult'
        'second')
      ScrollBars = ssVertical
    end
  end
  object Probe: TLoadProbe
    Text = 'set'
  end
end
)";

TEST(LayoutReaderTest, ReadsNestedObjectsPropertiesCollectionsAndHandlers) {
    TLayoutForm form(nullptr);
    ReadLayoutText(&form, QString::fromLatin1(Layout), QStringLiteral("main.layout"));
    EXPECT_EQ(form.Name(), QStringLiteral("Form1"));
    EXPECT_EQ(form.Caption(), QStringLiteral("Sum'warden"));
    EXPECT_EQ(form.ClientWidth(), 507);
    EXPECT_EQ(form.BorderStyle(), TCustomForm::bsDialog);
    EXPECT_EQ(form.BorderIcons(), TCustomForm::TBorderIcons(TCustomForm::biSystemMenu));
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_EQ(form.Font()->Height(), -11);
    EXPECT_EQ(form.Font()->Style(), TFontStyles(fsBold));
    EXPECT_EQ(form.Position(), TCustomForm::poDesktopCenter);

    ASSERT_NE(form.BtnMake, nullptr);
    ASSERT_NE(form.LvwFile, nullptr);
    EXPECT_EQ(form.ActiveControl(), form.BtnMake);
    EXPECT_EQ(form.BtnMake->Caption(), QStringLiteral("Make check file"));
    EXPECT_EQ(form.BtnMake->BoundsRect(), Bounds(8, 304, 97, 27));
    EXPECT_EQ(form.BtnMake->Owner(), &form);
    auto* panel = qobject_cast<TPanel*>(form.FindComponent(QStringLiteral("Panel")));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(form.BtnMake->Parent(), panel);
    EXPECT_EQ(panel->Parent(), &form);
    // Tab orders applied once all siblings existed.
    EXPECT_EQ(form.BtnMake->TabOrder(), 0);
    // Children follow the form's font unless they set their own.
    EXPECT_EQ(form.BtnMake->Font()->Style(), TFontStyles(fsBold));

    auto* pages = qobject_cast<TPageControl*>(form.FindComponent(QStringLiteral("Pages")));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 1);
    EXPECT_EQ(pages->Pages(0)->Caption(), QStringLiteral("Make file MD5"));
    EXPECT_EQ(form.LvwFile->Parent(), pages->Pages(0));
    ASSERT_EQ(form.LvwFile->Columns()->Count(), 2);
    EXPECT_EQ(form.LvwFile->Columns()->Items(1)->Caption(), QStringLiteral("MD5 Checksum"));
    EXPECT_EQ(form.LvwFile->Columns()->Items(0)->Width(), 235);
    EXPECT_TRUE(form.LvwFile->GridLines());
    EXPECT_EQ(form.LvwFile->ViewStyle(), TCustomListView::vsReport);

    auto* memo = qobject_cast<TMemo*>(form.FindComponent(QStringLiteral("Memo")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Lines()->ToStringList(),
              (QStringList{QStringLiteral("MemoMakeResult"), QStringLiteral("second")}));
    EXPECT_EQ(memo->ScrollBars(), TCustomMemo::ssVertical);

    auto* probe = qobject_cast<TLoadProbe*>(form.FindComponent(QStringLiteral("Probe")));
    ASSERT_NE(probe, nullptr);
    EXPECT_TRUE(probe->WasLoading);
    EXPECT_EQ(probe->TextAtLoaded, QStringLiteral("set"));
    EXPECT_FALSE(form.IsLoading());

    EXPECT_EQ(form.Calls, QStringList{QStringLiteral("FormCreate Form1")});
    form.BtnMake->Click();
    EXPECT_EQ(form.Calls.last(), QStringLiteral("BtnMakeClick BtnMake"));
}

TEST(LayoutReaderTest, NestsMenuItemsUnderTheirMenu) {
    TLayoutForm form(nullptr);
    ReadLayoutText(&form, QStringLiteral(R"(object Form1: TLayoutForm
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    OwnerDraw = True
    object File1: TMenuItem
      Caption = '&File'
      object Make1: TMenuItem
        Caption = 'Make'
        ShortCut = 16461
        OnClick = BtnMakeClick
      end
    end
  end
end
)"),
                   QStringLiteral("menu.layout"));
    auto* menu = qobject_cast<TMainMenu*>(form.Menu());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->OwnerDraw());
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* make = menu->Items()->Items(0)->Items(0);
    EXPECT_EQ(make->Caption(), QStringLiteral("Make"));
    EXPECT_TRUE(menu->IsShortCut(scCtrl | 'M'));
    EXPECT_EQ(form.Calls.last(), QStringLiteral("BtnMakeClick Make1"));
}

TEST(LayoutReaderTest, ReadsEveryValueKind) {
    TLayoutForm form(nullptr);
    ReadLayoutText(&form, QStringLiteral(R"(object Form1: TLayoutForm
  object Values: TValueProbe
    Text = 'It''s'#13#10 +
      'next'#9'line'
    Number = -42
    Ratio = 1.5
    Data = {
      00FF10
      7F}
    Lines = (
      'one'
      'two')
    Flag = True
  end
  object Hex: TValueProbe
    Number = $1F
    Flag = false
  end
end
)"),
                   QStringLiteral("values.layout"));
    auto* values = qobject_cast<TValueProbe*>(form.FindComponent(QStringLiteral("Values")));
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(values->Text, QStringLiteral("It's\r\nnext\tline"));
    EXPECT_EQ(values->Number, -42);
    EXPECT_DOUBLE_EQ(values->Ratio, 1.5);
    EXPECT_EQ(values->Data, QByteArray::fromHex("00FF107F"));
    EXPECT_EQ(values->Lines, (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_TRUE(values->Flag);
    auto* hex = qobject_cast<TValueProbe*>(form.FindComponent(QStringLiteral("Hex")));
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(hex->Number, 31);
    EXPECT_FALSE(hex->Flag);
}

TEST(LayoutReaderTest, AMissingFileIsRefusedWithItsName) {
    TLayoutForm form(nullptr);
    try {
        ReadLayout(&form, QStringLiteral("/nonexistent/main.layout"));
        FAIL();
    } catch (const ELayoutError& error) {
        EXPECT_EQ(error.File(), QStringLiteral("/nonexistent/main.layout"));
        EXPECT_TRUE(error.Problem().contains(QStringLiteral("cannot be opened")));
    }
}

struct TRefusal {
    const char* Text;
    int Line;
    const char* Problem;
};

class LayoutRefusalTest : public testing::TestWithParam<TRefusal> {};

TEST_P(LayoutRefusalTest, NamesFileLineAndProblem) {
    const TRefusal refusal = GetParam();
    TLayoutForm form(nullptr);
    try {
        ReadLayoutText(&form, QString::fromLatin1(refusal.Text), QStringLiteral("bad.layout"));
        FAIL() << "accepted: " << refusal.Text;
    } catch (const ELayoutError& error) {
        EXPECT_EQ(error.File(), QStringLiteral("bad.layout"));
        EXPECT_EQ(error.Line(), refusal.Line) << error.what();
        EXPECT_TRUE(error.Problem().contains(QString::fromLatin1(refusal.Problem))) << error.what();
        EXPECT_TRUE(QString::fromUtf8(error.what()).startsWith(QStringLiteral("bad.layout(")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutRefusalTest,
    testing::Values(
        TRefusal{"object F: TLayoutForm\n  object X: TNoSuchClass\n  end\nend\n", 2,
                 "Class TNoSuchClass not found"},
        TRefusal{"object F: TLayoutForm\n  Left = 1\n  Lefty = 2\nend\n", 3,
                 "Unknown property 'Lefty'"},
        TRefusal{"object F: TLayoutForm\n  BorderStyle = bsRound\nend\n", 2,
                 "Unknown value 'bsRound'"},
        TRefusal{"object F: TLayoutForm\n  Font.Style = [fsBold, fsWide]\nend\n", 2,
                 "Unknown value 'fsWide'"},
        TRefusal{"object F: TLayoutForm\n  OnCreate = NoSuchHandler\nend\n", 2,
                 "Unknown handler 'NoSuchHandler'"},
        TRefusal{"object F: TLayoutForm\n  ActiveControl = Nobody\nend\n", 2,
                 "Unknown component 'Nobody'"},
        TRefusal{"object F: TLayoutForm\n  Caption = 'open\nend\n", 2, "Unterminated string"},
        TRefusal{"object F: TLayoutForm\n  Left 5\nend\n", 2, "'=' expected"},
        TRefusal{"object F: TLayoutForm\n  Left = 5\n", 3, "'end' expected"},
        TRefusal{"object F: TOtherForm\nend\n", 1, "not TLayoutForm"},
        TRefusal{"object F: TLayoutForm\n  Caption = 12\nend\n", 2, "Invalid value"},
        TRefusal{"object F: TLayoutForm\n  Visible = Maybe\nend\n", 2, "Invalid value"},
        TRefusal{"object F: TLayoutForm\n  Color = clNoSuchColour\nend\n", 2, "Unknown value"},
        TRefusal{"object F: TLayoutForm\n  Font.Nam = 'x'\nend\n", 2, "Unknown property 'Nam'"},
        TRefusal{"object F: TLayoutForm\n  Caption.Text = 'x'\nend\n", 2, "no sub-properties"},
        TRefusal{"object F: TLayoutForm\n  Left = 5 ?\nend\n", 2, "Unexpected character"},
        TRefusal{"object F: TLayoutForm\n  object B: TButton\n    OnClick = 'x'\n  end\nend\n", 3,
                 "Handler name expected"},
        TRefusal{"object F: TLayoutForm\n  object B: TButton\n    OnClick = Nope\n  end\nend\n", 3,
                 "Unknown handler 'Nope'"},
        TRefusal{"object F: TLayoutForm\nend\nextra\n", 3, "End of file expected"},
        TRefusal{"object F: TLayoutForm\n  object A: TPanel\n  end\n  object a: TPanel\n"
                 "  end\nend\n",
                 4, "already exists"}));

} // namespace

#include "LayoutReaderTest.moc"
