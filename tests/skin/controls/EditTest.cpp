// The skinned edit's flat border in the look's colour, and its file theme reference.
#include "SkinTestHelpers.h"
#include "skin/controls/SKEdit.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKSkinBuilder.h"
#include "skin/core/SKSkinFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

QRgb Rgb(TColor color) {
    return ColorToQRgb(color) | 0xFF000000u;
}

QImage Grab(TControl& control) {
    return control.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(SkinEdit, TheLookGivesTheBorderColour) {
    const std::pair<TskUIStyle, TColor> expected[] = {
        {MacOS, 0x7F7F7F}, {WinXP, 0x686868}, {DeepBlue, 0}, {Protein, 0}, {BlueGlass, 0}};
    for (const auto& [look, colour] : expected) {
        TskEdit edit(nullptr);
        edit.SetUIStyle(look);
        EXPECT_EQ(edit.BorderColor(), colour) << int(look);
    }
}

TEST(SkinEdit, DrawsTheBorderLineAndAnInnerLineInItsColour) {
    TskEdit edit(nullptr);
    edit.SetUIStyle(MacOS);
    edit.SetBounds(0, 0, 60, 17);
    edit.SetColor(clYellow);
    edit.SetText(QStringLiteral("text"));
    const QImage image = Grab(edit);
    EXPECT_EQ(image.pixel(0, 0), Rgb(0x7F7F7F));
    EXPECT_EQ(image.pixel(59, 16), Rgb(0x7F7F7F));
    EXPECT_EQ(image.pixel(30, 0), Rgb(0x7F7F7F));
    EXPECT_EQ(image.pixel(1, 1), Rgb(clYellow));
    EXPECT_EQ(image.pixel(58, 8), Rgb(clYellow));
    edit.SetBorderColor(clRed);
    EXPECT_EQ(Grab(edit).pixel(0, 8), Rgb(clRed));
}

TEST(SkinEdit, ItsBorderFillsTheFrameAndTheTextAreaIsThePlainEdits) {
    TskEdit edit(nullptr);
    edit.SetUIStyle(WinXP);
    edit.SetColor(clAqua);
    edit.SetText(QStringLiteral("Wg|"));
    TEdit plain(nullptr);
    plain.SetBorderStyle(TCustomPanel::bsNone);
    plain.SetBorderWidth(SkinControlBorderWidth);
    plain.SetColor(clAqua);
    plain.SetText(edit.Text());
    for (const auto& [width, height] : {std::pair{60, 17}, std::pair{83, 25}}) {
        edit.SetBounds(0, 0, width, height);
        plain.SetBounds(0, 0, width, height);
        ASSERT_EQ(edit.ClientAreaInWindow(), Rect(2, 2, width - 2, height - 2));
        const QImage image = Grab(edit);
        const QImage reference = Grab(plain);
        ASSERT_EQ(Paint(edit).convertToFormat(QImage::Format_RGB32), image)
            << "painted into an image as on the screen";
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int ring = std::min({x, y, width - 1 - x, height - 1 - y});
                const QRgb expected = ring == 0   ? Rgb(0x686868)
                                      : ring == 1 ? Rgb(clAqua)
                                                  : reference.pixel(x, y);
                ASSERT_EQ(image.pixel(x, y), expected) << x << "," << y << " at " << width;
            }
        }
    }
}

TEST(SkinEdit, FreeingTheFileThemeFallsBackToDeepBlueInEitherOrder) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("xp.skn"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteSkinFile(BuiltinSkinEntries(WinXP)));
    file.close();
    for (const bool themeFirst : {true, false}) {
        auto theme = std::make_unique<TskFileTheme>(nullptr);
        theme->SetThemeFile(path);
        ASSERT_TRUE(theme->CanUse());
        auto edit = std::make_unique<TskEdit>(nullptr);
        edit->SetFileTheme(theme.get());
        edit->SetUIStyle(FromThemeFile);
        EXPECT_EQ(edit->BorderColor(), 0x686868u);
        if (themeFirst) {
            theme.reset();
            EXPECT_EQ(edit->FileTheme(), nullptr);
            EXPECT_EQ(edit->UIStyle(), DeepBlue);
            EXPECT_EQ(edit->BorderColor(), 0u);
        } else {
            edit.reset();
            theme.reset();
        }
    }
}
