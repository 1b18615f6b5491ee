#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "framework/core/Application.h"
#include "tests/app/window/WindowFixture.h"
#include "tests/platform/TestFiles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <string>
#include <vector>

namespace {

using sumwarden::testing::ScratchFolder;

const QString kMakePrompt = QStringLiteral(
    "Please select a folder to make MD5 checksum, then click \"Make check file\" button.");
const QString kVerifyPrompt = QStringLiteral(
    "Please select a check file, then click \"Verify check file\" to verify files integrity.");

QString Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// What the engine itself reports for the same job, as the memo shows it.
QStringList EngineMakeLines(const std::string& folder, bool includeSubFolders) {
    QStringList lines;
    sumwarden::MakeCheckFile(folder, includeSubFolders,
                             [&](const std::string& line) { lines.append(Text(line)); });
    return lines;
}

QStringList EngineVerifyLines(const std::string& checkFile) {
    QStringList lines;
    sumwarden::VerifyCheckFile(checkFile,
                               [&](const std::string& line) { lines.append(Text(line)); });
    return lines;
}

void ExpectOneError(const TFakeDialogs& dialogs, const QString& text) {
    ASSERT_EQ(dialogs.MessageBoxes.size(), 1);
    EXPECT_EQ(dialogs.MessageBoxes[0].Text, text);
    EXPECT_EQ(dialogs.MessageBoxes[0].Caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.MessageBoxes[0].Icon, mbIconInformation);
    EXPECT_EQ(dialogs.MessageBoxes[0].Buttons, mbOK);
}

TEST_F(WindowTest, StartsWithThePromptsAnEmptyListAndSubFoldersIncluded) {
    EXPECT_EQ(Lines(Form->MemoMakeResult), QStringList{kMakePrompt});
    EXPECT_EQ(Lines(Form->MemoVerifyResult), QStringList{kVerifyPrompt});
    EXPECT_EQ(Form->LvwFile->Items()->Count(), 0);
    EXPECT_TRUE(Form->ChkSubFolder->Checked());
    EXPECT_TRUE(Form->EdtPath->Text().isEmpty());
    EXPECT_TRUE(Form->EdtCheckfilePath->Text().isEmpty());
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetFileMD5);
}

TEST_F(WindowTest, FolderBrowserFillsThePathAndCancelKeepsIt) {
    Form->EdtPath->SetText(QStringLiteral("/typed"));
    ClickOn(Form->BtnSelect);
    EXPECT_EQ(Dialogs->FolderTitles,
              QStringList{QStringLiteral("Please select the folder to make checkfile.")});
    EXPECT_EQ(Form->EdtPath->Text(), QStringLiteral("/typed"));

    Dialogs->FolderAnswer = QStringLiteral("/home/user/photos");
    ClickOn(Form->BtnSelect);
    EXPECT_EQ(Form->EdtPath->Text(), QStringLiteral("/home/user/photos"));
    Dialogs->FolderAnswer = QStringLiteral("/");
    ClickOn(Form->BtnSelect);
    EXPECT_EQ(Form->EdtPath->Text(), QStringLiteral("/"));
}

TEST_F(WindowTest, CheckFileDialogOffersCheckFilesFirstAndCancelKeepsThePath) {
    Form->EdtCheckfilePath->SetText(QStringLiteral("/typed.md5"));
    ClickOn(Form->BtnSelectCheckfile);
    ASSERT_EQ(Dialogs->OpenRequests.size(), 1);
    const TOpenFileRequest& request = Dialogs->OpenRequests[0];
    EXPECT_EQ(request.Title, QStringLiteral("Select checkfile"));
    const QList<QPair<QString, QString>> filters = {
        {QStringLiteral("Checkfile (*.md5)"), QStringLiteral("*.md5")},
        {QStringLiteral("All files (*.*)"), QStringLiteral("*.*")}};
    EXPECT_EQ(request.Filters, filters);
    EXPECT_EQ(request.FilterIndex, 1);
    EXPECT_FALSE(request.MultiSelect);
    EXPECT_EQ(Form->EdtCheckfilePath->Text(), QStringLiteral("/typed.md5"));

    Dialogs->OpenAnswer.Files = QStringList{QStringLiteral("/data/CheckSum.md5")};
    ClickOn(Form->BtnSelectCheckfile);
    EXPECT_EQ(Form->EdtCheckfilePath->Text(), QStringLiteral("/data/CheckSum.md5"));
}

TEST_F(WindowTest, MakeShowsExactlyTheEngineLines) {
    ScratchFolder folder;
    folder.WriteFile("b.txt", "abc");
    folder.WriteFile("a.txt");
    folder.WriteFile("sub/deep/c.txt", "x");
    folder.WriteFile(".cache/skipped.txt", "x");
    Form->EdtPath->SetText(Text(folder.Path()));

    RunJob(Form->BtnMake);

    EXPECT_TRUE(Dialogs->MessageBoxes.isEmpty());
    const QStringList shown = Lines(Form->MemoMakeResult);
    EXPECT_EQ(shown, EngineMakeLines(folder.Path(), true));
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown.mid(shown.size() - 3),
              (QStringList{QString(), QStringLiteral("Operation completed."),
                           QStringLiteral("The MD5 checksum file is save at \"%1/CheckSum.md5\"")
                               .arg(Text(folder.Path()))}));
    EXPECT_TRUE(shown.contains(QStringLiteral("Processing file \"b.txt\" ... OK")));
    EXPECT_TRUE(QFile::exists(Text(folder / "CheckSum.md5")));

    Form->ChkSubFolder->SetChecked(false);
    RunJob(Form->BtnMake);
    EXPECT_EQ(Lines(Form->MemoMakeResult), EngineMakeLines(folder.Path(), false));
    EXPECT_FALSE(
        Lines(Form->MemoMakeResult).contains(QStringLiteral("Processing file \"c.txt\" ... OK")));
}

TEST_F(WindowTest, AfterAJobTheMemoShowsItsLastLines) {
    ScratchFolder folder;
    for (int index = 0; index < 40; ++index) {
        folder.WriteFile("file" + std::to_string(index) + ".txt", "x");
    }
    Form->Show();
    Form->PageControl->ActivatePage(Form->SheetMaker);
    Form->EdtPath->SetText(Text(folder.Path()));
    RunJob(Form->BtnMake);
    const QScrollBar* bar = Form->MemoMakeResult->Editor()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    Form->PageControl->ActivatePage(Form->SheetVerifier);
    Form->EdtCheckfilePath->SetText(Text(folder / "CheckSum.md5"));
    RunJob(Form->BtnVerify);
    const QScrollBar* verifyBar = Form->MemoVerifyResult->Editor()->verticalScrollBar();
    EXPECT_GT(verifyBar->maximum(), 0);
    EXPECT_EQ(verifyBar->value(), verifyBar->maximum());
}

TEST_F(WindowTest, VerifyShowsExactlyTheEngineLinesAndSummary) {
    ScratchFolder folder;
    folder.WriteFile("same.txt", "abc");
    folder.WriteFile("changed.txt", "old");
    folder.WriteFile("gone.txt", "x");
    EngineMakeLines(folder.Path(), true);
    folder.WriteFile("changed.txt", "new");
    ASSERT_TRUE(QFile::remove(Text(folder / "gone.txt")));
    const QString base = Text(folder.Path()) + QLatin1Char('/');
    Form->EdtCheckfilePath->SetText(Text(folder / "CheckSum.md5"));

    RunJob(Form->BtnVerify);

    EXPECT_TRUE(Dialogs->MessageBoxes.isEmpty());
    const QStringList expected = {
        QStringLiteral("File changed ... \"%1changed.txt\"").arg(base),
        QStringLiteral("File does not exist ... \"%1gone.txt\"").arg(base),
        QStringLiteral("OK ... \"%1same.txt\"").arg(base),
        QString(),
        QStringLiteral("Operation completes."),
        QStringLiteral("3 files were verified. 1 file did not exist. 1 file changed. "),
        QString(),
        QStringLiteral("The following files have been changed since the check file is made:"),
        base + QStringLiteral("changed.txt"),
        QString(),
        QStringLiteral("The following files are lost:"),
        base + QStringLiteral("gone.txt"),
    };
    EXPECT_EQ(Lines(Form->MemoVerifyResult), expected);
    EXPECT_EQ(Lines(Form->MemoVerifyResult), EngineVerifyLines(folder / "CheckSum.md5"));
}

TEST_F(WindowTest, RefusalsShowAnErrorBoxAndLeaveTheMemo) {
    struct Case {
        const char* field;
        TskButton* TForm1::*button;
        TskEdit* TForm1::*edit;
        TMemo* TForm1::*memo;
        QString text;
    };
    ScratchFolder folder;
    const QString missing = Text(folder / "missing");
    const QString aFolder = Text(folder.Path());
    const std::vector<Case> cases = {
        {" \t ", &TForm1::BtnMake, &TForm1::EdtPath, &TForm1::MemoMakeResult,
         QStringLiteral("Please select a folder firstly.")},
        {nullptr, &TForm1::BtnMake, &TForm1::EdtPath, &TForm1::MemoMakeResult,
         QStringLiteral("The folder does not exists.")},
        {"", &TForm1::BtnVerify, &TForm1::EdtCheckfilePath, &TForm1::MemoVerifyResult,
         QStringLiteral("Please select a check file firstly.")},
        {nullptr, &TForm1::BtnVerify, &TForm1::EdtCheckfilePath, &TForm1::MemoVerifyResult,
         QStringLiteral("The check file does not exists.")},
    };
    for (const Case& refusal : cases) {
        SCOPED_TRACE(refusal.text.toStdString());
        TFakeDialogsScope dialogs;
        TMemo* memo = Form.get()->*refusal.memo;
        memo->Lines()->SetStrings({QStringLiteral("earlier line")});
        (Form.get()->*refusal.edit)
            ->SetText(refusal.field ? QString::fromLatin1(refusal.field) : missing);
        ClickOn(Form.get()->*refusal.button);
        ExpectOneError(*dialogs.operator->(), refusal.text);
        EXPECT_EQ(Lines(memo), QStringList{QStringLiteral("earlier line")});
    }
    // A folder is not a check file.
    Form->EdtCheckfilePath->SetText(aFolder);
    RunJob(Form->BtnVerify);
    ExpectOneError(*Dialogs.operator->(), QStringLiteral("The check file does not exists."));
    // Nor is a device, which would feed lines for ever.
    TFakeDialogsScope dialogs;
    Form->EdtCheckfilePath->SetText(QStringLiteral("/dev/zero"));
    RunJob(Form->BtnVerify);
    ExpectOneError(*dialogs.operator->(), QStringLiteral("The check file is not a regular file."));
}

TEST_F(WindowTest, AnEmptyFolderGivesTheThreeClosingLines) {
    ScratchFolder folder;
    Form->EdtPath->SetText(Text(folder.Path()) + QLatin1Char('/'));
    RunJob(Form->BtnMake);
    EXPECT_EQ(Lines(Form->MemoMakeResult),
              (QStringList{QString(), QStringLiteral("Operation completed."),
                           QStringLiteral("The MD5 checksum file is save at \"%1/CheckSum.md5\"")
                               .arg(Text(folder.Path()))}));

    Form->EdtCheckfilePath->SetText(Text(folder / "CheckSum.md5"));
    RunJob(Form->BtnVerify);
    EXPECT_EQ(Lines(Form->MemoVerifyResult),
              (QStringList{QString(), QStringLiteral("Operation completes."),
                           QStringLiteral("0 file was verified. 0 file changed. ")}));
}

TEST_F(WindowTest, CheckFileFailuresReachTheGeneralErrorReport) {
    Application->SetTitle(QStringLiteral("Sumwarden"));
    // Reading this file fails with EIO for every user, root included.
    Form->EdtCheckfilePath->SetText(QStringLiteral("/proc/self/mem"));
    RunJob(Form->BtnVerify);
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, QStringLiteral("I/O error 5."));
    EXPECT_EQ(Dialogs->MessageBoxes[0].Icon, mbIconError);
    EXPECT_TRUE(Lines(Form->MemoVerifyResult).isEmpty());

    // A folder in the check file's place cannot be replaced by the new check file.
    ScratchFolder folder;
    folder.WriteFile("CheckSum.md5/inside", "x");
    Form->EdtPath->SetText(Text(folder.Path()));
    RunJob(Form->BtnMake);
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 2);
    EXPECT_EQ(Dialogs->MessageBoxes[1].Icon, mbIconError);
    EXPECT_TRUE(Dialogs->MessageBoxes[1].Text.startsWith(QStringLiteral("I/O error")))
        << Dialogs->MessageBoxes[1].Text.toStdString();
    EXPECT_FALSE(Lines(Form->MemoMakeResult).contains(QStringLiteral("Operation completed.")));
}

TEST_F(WindowTest, SelectFilesAppendsRowsWithDigestsThatAccumulate) {
    ScratchFolder folder;
    const QString abc = Text(folder.WriteFile("abc.txt", "abc"));
    const QString empty = Text(folder.WriteFile("empty"));
    const QString missing = Text(folder / "missing");
    RunJob(Form->BtnSelectFile);
    ASSERT_EQ(Dialogs->OpenRequests.size(), 1);
    EXPECT_EQ(Dialogs->OpenRequests[0].Title,
              QStringLiteral("Choose files to calculate MD5 checksum:"));
    const QList<QPair<QString, QString>> allFiles = {
        {QStringLiteral("All file(*.*)"), QStringLiteral("*.*")}};
    EXPECT_EQ(Dialogs->OpenRequests[0].Filters, allFiles);
    EXPECT_TRUE(Dialogs->OpenRequests[0].MultiSelect);
    EXPECT_EQ(Form->LvwFile->Items()->Count(), 0);

    Dialogs->OpenAnswer.Files = QStringList{abc, missing, empty};
    RunJob(Form->BtnSelectFile);
    Dialogs->OpenAnswer.Files = QStringList{abc};
    RunJob(Form->BtnSelectFile);

    const std::vector<std::pair<QString, QString>> expected = {
        {abc, QStringLiteral("900150983cd24fb0d6963f7d28e17f72")},
        {missing, QStringLiteral("Could not open file")},
        {empty, QStringLiteral("d41d8cd98f00b204e9800998ecf8427e")},
        {abc, QStringLiteral("900150983cd24fb0d6963f7d28e17f72")},
    };
    TListItems* rows = Form->LvwFile->Items();
    ASSERT_EQ(rows->Count(), static_cast<int>(expected.size()));
    for (int index = 0; index < rows->Count(); ++index) {
        EXPECT_EQ(rows->Item(index)->Caption(), expected[index].first);
        EXPECT_EQ(rows->Item(index)->SubItems()->ToStringList(),
                  QStringList{expected[index].second});
    }
}

TEST_F(WindowTest, NamesThatAreNotUtf8AreShownReplaced) {
    ScratchFolder folder;
    folder.WriteFile("caf\xe9.txt", "abc");
    Form->EdtPath->SetText(Text(folder.Path()));
    RunJob(Form->BtnMake);
    EXPECT_TRUE(Lines(Form->MemoMakeResult)
                    .contains(QStringLiteral("Processing file \"caf\uFFFD.txt\" ... OK")));
}

TEST_F(WindowTest, ControlCharactersInNamesAreShownAsVisibleSymbols) {
    ScratchFolder folder;
    folder.WriteFile("red\x1b[31m\x7f.txt", "abc");
    folder.WriteFile("line\nfeed", "abc");
    Form->EdtPath->SetText(Text(folder.Path()));
    RunJob(Form->BtnMake);
    const QStringList shown = Lines(Form->MemoMakeResult);
    EXPECT_TRUE(
        shown.contains(QStringLiteral("Processing file \"line\u240Afeed\" ... Name not supported")))
        << shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(
        shown.contains(QStringLiteral("Processing file \"red\u241B[31m\u2421.txt\" ... OK")));
}

TEST_F(WindowTest, HelpOpensTheHelpFileBesideTheProgramWhenThereIsOne) {
    const QString helpFile = QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm");
    ASSERT_FALSE(QFile::exists(helpFile));
    ClickOn(Form->BtnHelp);
    EXPECT_TRUE(Dialogs->Opened.isEmpty());
    EXPECT_TRUE(Dialogs->MessageBoxes.isEmpty());

    QFile help(helpFile);
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    ClickOn(Form->BtnHelp);
    help.remove();
    EXPECT_EQ(Dialogs->Opened, QStringList{helpFile});
}

TEST_F(WindowTest, LinksOpenTheWebPageAndTheSupportMail) {
    Form->PageControl->ActivatePage(Form->SheetAbout);
    ClickOn(Form->LblWebsite);
    ClickOn(Form->LblEmail);
    ClickOn(Form->Label6);
    EXPECT_EQ(Dialogs->Opened, (QStringList{QStringLiteral("www.sumwarden.example"),
                                            QStringLiteral("mailto:support@sumwarden.example")}));
}

TEST_F(WindowTest, ExitClosesTheWindow) {
    Form->Show();
    ASSERT_TRUE(Form->Visible());
    ClickOn(Form->BtnExit);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(WindowTest, ALongReportReachesTheMemoWhole) {
    ScratchFolder folder;
    constexpr int kFiles = 3000;
    for (int index = 0; index < kFiles; ++index) {
        folder.WriteFile(std::to_string(index) + ".txt");
    }
    Form->EdtPath->SetText(Text(folder.Path()));
    RunJob(Form->BtnMake);
    const QStringList shown = Lines(Form->MemoMakeResult);
    ASSERT_EQ(shown.size(), kFiles + 3);
    EXPECT_EQ(shown[kFiles], QString());
    EXPECT_EQ(shown[kFiles + 1], QStringLiteral("Operation completed."));
}

TEST_F(WindowTest, TheSkinnedControlsAnswerTheKeyboard) {
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
    Form->PageControl->ActivatePage(Form->SheetMaker);
    Form->EdtPath->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/no/such/folder"));
    EXPECT_EQ(Form->EdtPath->Text(), QStringLiteral("/no/such/folder"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(Form->BtnSelect->Focused());

    Form->ChkSubFolder->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(Form->ChkSubFolder->Checked());

    Form->BtnMake->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Dialogs->MessageBoxes.size(), 2);
    EXPECT_EQ(Dialogs->MessageBoxes[1].Caption, QStringLiteral("Error"));
}

} // namespace
