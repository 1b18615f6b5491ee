#include "app/window/WindowLook.h"

#include "tests/app/window/WindowFixture.h"
#include "tests/support/SkinFiles.h"

#include <QTemporaryDir>
#include <vector>

namespace {

std::vector<QObject*> SkinnedControls(TForm1* form) {
    return {form->PageControl,        form->BtnHelp,   form->BtnExit,         form->BtnSelectFile,
            form->BtnSelect,          form->BtnMake,   form->ChkSubFolder,    form->EdtPath,
            form->BtnSelectCheckfile, form->BtnVerify, form->EdtCheckfilePath};
}

TEST_F(WindowTest, ALookChosenAtStartReachesEverySkinnedControl) {
    ApplyWindowLook(Form.get(), WinXP, nullptr);
    for (QObject* control : SkinnedControls(Form.get())) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->property("UIStyle").value<TskUIStyle>(), WinXP);
    }
}

TEST_F(WindowTest, ASkinFileReachesEverySkinnedControlAndARefusedOneChangesNothing) {
    QTemporaryDir folder;
    TskFileTheme* theme = LoadWindowSkin(Form.get(), WriteBuiltinSkinFile(folder, Protein));
    ASSERT_NE(theme, nullptr);
    ApplyWindowLook(Form.get(), FromThemeFile, theme);
    for (QObject* control : SkinnedControls(Form.get())) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->property("UIStyle").value<TskUIStyle>(), FromThemeFile);
        EXPECT_EQ(control->property("FileTheme").value<TskFileTheme*>(), theme);
    }

    const QString notASkin = folder.filePath(QStringLiteral("notes.skn"));
    QFile file(notASkin);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text");
    file.close();
    EXPECT_EQ(LoadWindowSkin(Form.get(), notASkin), nullptr);
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, QStringLiteral("Invalid skin file for SkinKit!"));
    EXPECT_EQ(LoadWindowSkin(Form.get(), folder.filePath(QStringLiteral("missing.skn"))), nullptr);
    EXPECT_EQ(Dialogs->MessageBoxes.size(), 1);
}

} // namespace
