// The skinned check box: frames by state, auto size with the real UI font, toggling and
// right-to-left drawing under the locale override.
#include "SkinTestHelpers.h"
#include "skin/controls/SKButton.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

bool SameBlock(const QImage& image, TPoint at, const QImage& expected) {
    return image.copy(at.X, at.Y, expected.width(), expected.height()) ==
           expected.convertToFormat(image.format());
}

} // namespace

TEST(SkinCheckBox, EachStateDrawsItsFrameOpaqueAtTheLeft) {
    for (const TskUIStyle look : BuiltinLooks) {
        TskCheckBox box(nullptr);
        box.SetUIStyle(look);
        struct Case {
            bool Checked;
            bool Enabled;
            int Frame;
        };
        for (const Case c : {Case{true, true, 1}, Case{false, true, 2}, Case{true, false, 3},
                             Case{false, false, 4}}) {
            box.SetChecked(c.Checked);
            box.SetEnabled(c.Enabled);
            const QImage frame = CutByHand(look, CheckBoxImage, 4, c.Frame);
            const QImage image = Paint(box);
            EXPECT_TRUE(SameBlock(image, {1, (box.ClientHeight() - frame.height()) / 2}, frame))
                << int(look) << " frame " << c.Frame;
        }
    }
}

TEST(SkinCheckBox, AnOpaqueBoxFillsWithItsParentsColourUntilGivenItsOwn) {
    const std::unique_ptr<TForm> form = ShownForm();
    form->SetColor(TColor(0xE7E7E7));
    auto* box = new TskCheckBox(form.get());
    box->SetParent(form.get());
    box->SetUIStyle(MacOS);
    const int right = box->Width() - 1;
    EXPECT_EQ(Paint(*box).pixel(right, 0) & 0xFFFFFF, 0xE7E7E7u);
    box->SetColor(TColor(0x0000FF));
    EXPECT_EQ(Paint(*box).pixel(right, 0) & 0xFFFFFF, 0xFF0000u);
}

TEST(SkinCheckBox, AutoSizeFitsPictureAndCaptionInTheUiFont) {
    TskCheckBox box(nullptr);
    box.SetUIStyle(MacOS);
    box.SetCaption(QStringLiteral("Include sub folders"));
    TCanvas measure;
    QImage scratch(1, 1, QImage::Format_RGB32);
    measure.SetDevice(&scratch);
    measure.SetFont(box.Font());
    const int captionWidth = measure.TextWidth(box.Caption());
    const int lineHeight = measure.TextHeight(QStringLiteral("W"));
    measure.ReleaseHandle();
    EXPECT_EQ(captionWidth, 92) << "Liberation Sans at 11 pixels";
    EXPECT_EQ(box.Width(), 15 + captionWidth + 8);
    EXPECT_EQ(box.Height(), std::max(lineHeight + 2, 17) + 4);
    box.SetUIStyle(WinXP);
    EXPECT_EQ(box.Width(), 13 + captionWidth + 8);
    EXPECT_EQ(box.Height(), std::max(lineHeight + 2, 13) + 4);
    box.SetAutoSize(false);
    box.SetCaption(QStringLiteral("x"));
    EXPECT_EQ(box.Width(), 13 + captionWidth + 8);
}

TEST(SkinCheckBox, WritingTheStateRaisesOnClickOnlyOnAChange) {
    TskCheckBox box(nullptr);
    int clicks = 0;
    box.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &box);
        ++clicks;
    };
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box.SetState(TskCheckBox::cbGrayed);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(box.State(), TskCheckBox::cbUnchecked);
    EXPECT_EQ(clicks, 2);
    box.BeginLoading();
    box.SetChecked(true);
    EXPECT_EQ(clicks, 2) << "a stored layout sets the state quietly";
}

TEST(SkinCheckBox, ClickToggleAndKeysToggleOnRelease) {
    const auto form = ShownForm();
    auto* box = new TskCheckBox(form.get());
    box->SetParent(form.get());
    box->SetCaption(QStringLiteral("Include &sub folders"));
    box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
    box->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
    EXPECT_TRUE(box->Checked());
    // Without double clicks a quick second click toggles again.
    box->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(3, 3));
    box->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
    EXPECT_FALSE(box->Checked());
    ASSERT_TRUE(WaitFor([&] { return box->Focused(); }));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(box->Handle(), &press);
    EXPECT_FALSE(box->Checked());
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(box->Handle(), &release);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 's'), 1);
    EXPECT_FALSE(box->Checked());
    box->SetEnabled(false);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 's'), 0);
    EXPECT_FALSE(box->Checked());
}

TEST(SkinCheckBox, RightToLeftNeedsBothTheModeAndTheLocale) {
    TskCheckBox box(nullptr);
    box.SetUIStyle(DeepBlue);
    box.SetCaption(QStringLiteral("Include sub folders"));
    box.SetBiDiMode(bdRightToLeft);
    const QImage frame = CutByHand(DeepBlue, CheckBoxImage, 4, 2);
    const int top = (box.ClientHeight() - frame.height()) / 2;
    SetSysLocaleMiddleEastOverride(false);
    EXPECT_TRUE(SameBlock(Paint(box), {1, top}, frame));
    SetSysLocaleMiddleEastOverride(true);
    const QImage image = Paint(box);
    SetSysLocaleMiddleEastOverride(std::nullopt);
    EXPECT_TRUE(SameBlock(image, {box.Width() - frame.width() - 1, top}, frame));
    const TskCheckBoxGeometry geometry = CheckBoxGeometry({112, 21}, {15, 17}, 12, true);
    EXPECT_EQ(geometry.Caption, Rect(0, 4, 93, 21));
    EXPECT_EQ(geometry.Focus, Rect(0, 4, 95, 18));
    const TskCheckBoxGeometry ltr = CheckBoxGeometry({112, 21}, {15, 17}, 12, false);
    EXPECT_EQ(ltr.Picture, Point(1, 2));
    EXPECT_EQ(ltr.Caption, Rect(19, 4, 112, 21));
    EXPECT_EQ(ltr.Focus, Rect(18, 4, 112, 18));
}

TEST(SkinCheckBox, AParentsBiDiModeReachesAChildThatFollowsIt) {
    TForm form(nullptr);
    auto* box = new TskCheckBox(&form);
    box->SetParent(&form);
    form.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(box->BiDiMode(), bdRightToLeft);
    box->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(box->ParentBiDiMode());
    form.SetBiDiMode(TControl::bdRightToLeftNoAlign);
    EXPECT_EQ(box->BiDiMode(), bdLeftToRight);
    SetSysLocaleMiddleEastOverride(true);
    box->SetBiDiMode(TControl::bdRightToLeftReadingOnly);
    EXPECT_FALSE(box->UseRightToLeftAlignment());
    box->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(box->UseRightToLeftAlignment());
    SetSysLocaleMiddleEastOverride(std::nullopt);
}
