#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "tests/app/window/WindowFixture.h"
#include "tests/platform/TestFiles.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace {

using sumwarden::testing::ReadWholeFile;
using sumwarden::testing::ScratchFolder;

constexpr std::uintmax_t kLargeFileSize = std::uintmax_t{50} << 30;

QString Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The memo's whole text, as the user would copy it.
QString MemoText(TMemo* memo) {
    return memo->Editor()->toPlainText();
}

// What the window showed before its jobs ran off its thread: the engine's lines, joined.
QString EngineText(const std::function<void(const sumwarden::LineSink&)>& job) {
    QStringList lines;
    job([&](const std::string& line) { lines.append(Text(line)); });
    return lines.join(QLatin1Char('\n'));
}

class JobTest : public WindowTest {
protected:
    JobTest() {
        Form->Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    }

    // A real click in the middle of the tab.
    void ClickTab(int index) {
        TskTabControlTopPanel* strip = Form->PageControl->TopPanel();
        int left = strip->LeftMargin();
        for (int before = 0; before < index; ++before) {
            left += strip->TabWidths(before);
        }
        QTest::mouseClick(strip->Handle(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(left + strip->TabWidths(index) / 2, strip->TabHeight() / 2));
    }

    QString Title() const { return Form->skForm1->Caption(); }

    // Waits until the window title tells the job is under way.
    bool WaitForTitle(const QString& start) {
        return QTest::qWaitFor([&] { return Title().startsWith(start); }, 30000);
    }

    // Asks the running job to stop the way the user would and returns how long the window
    // took to get back to idle.
    qint64 StopAndTime(const std::function<void()>& stop) {
        QElapsedTimer timer;
        timer.start();
        stop();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Form->JobRunning(); }, 30000));
        return timer.elapsed();
    }
};

// Lines arrive in several batches while a large file is read; the memo ends as it did when
// the whole report went in at once.
TEST_F(JobTest, MemoTextOfAMakeAndAVerifyIsTheOneOfTheWholeReport) {
    ScratchFolder folder;
    for (int index = 0; index < 300; ++index) {
        folder.WriteFile("many/" + std::to_string(index), std::to_string(index));
    }
    folder.WriteFile("changed", "old");
    folder.WriteFile("gone", "x");
    std::filesystem::resize_file(folder.WriteFile("large", ""), std::uintmax_t{256} << 20);
    ASSERT_EQ(::mkfifo((folder / "unreadable").c_str(), 0644), 0);
    Form->PageControl->ActivatePage(Form->SheetMaker);
    Form->EdtPath->SetText(Text(folder.Path()));
    RunJob(Form->BtnMake);
    const QString made = MemoText(Form->MemoMakeResult);
    EXPECT_EQ(made.section(QLatin1Char('\n'), 0, -2), EngineText([&](const auto& sink) {
                                                          sumwarden::MakeCheckFile(folder.Path(),
                                                                                   true, sink);
                                                      }).section(QLatin1Char('\n'), 0, -2));
    EXPECT_TRUE(made.endsWith(QStringLiteral("\nOperation completed.\nThe MD5 checksum file is "
                                             "save at \"%1/CheckSum.md5\"")
                                  .arg(Text(folder.Path()))));

    // The FIFO stands in the check file too, so one entry cannot be opened.
    std::string checkFile = ReadWholeFile(folder / "CheckSum.md5");
    checkFile += "00000000000000000000000000000000\tunreadable\r\n";
    folder.WriteFile("CheckSum.md5", checkFile);
    folder.WriteFile("changed", "new");
    std::filesystem::remove(folder / "gone");
    Form->PageControl->ActivatePage(Form->SheetVerifier);
    Form->EdtCheckfilePath->SetText(Text(folder / "CheckSum.md5"));
    RunJob(Form->BtnVerify);
    const QString verified = MemoText(Form->MemoVerifyResult);
    EXPECT_EQ(verified, EngineText([&](const auto& sink) {
                  sumwarden::VerifyCheckFile(folder / "CheckSum.md5", sink);
              }));
    EXPECT_TRUE(verified.contains(
        QStringLiteral("304 files were verified. 1 file did not exist. 1 file could be opened. "
                       "1 file changed. \n")));
    EXPECT_EQ(Title(), QStringLiteral("Sumwarden"));
}

TEST_F(JobTest, StopInsideALargeFileKeepsTheOldCheckFileAndTheWindowAnswersMeanwhile) {
    ScratchFolder folder;
    folder.WriteFile("a", "abc");
    std::filesystem::resize_file(folder.WriteFile("b", ""), kLargeFileSize);
    const std::string oldCheckFile = folder.WriteFile("CheckSum.md5", "old\r\n");
    Form->PageControl->ActivatePage(Form->SheetMaker);
    Form->EdtPath->SetText(Text(folder.Path()));
    ClickOn(Form->BtnMake);
    ASSERT_TRUE(WaitForTitle(QStringLiteral("Sumwarden - Making check file: 1 file, ")));
    // The bytes read so far move within the large file.
    const QString early = Title();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Title() != early; }, 30000));
    EXPECT_EQ(Form->BtnMake->Caption(), QStringLiteral("Stop"));
    EXPECT_TRUE(Form->BtnMake->Enabled());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    for (TControl* input : QList<TControl*>{Form->EdtPath, Form->BtnSelect, Form->ChkSubFolder,
                                            Form->BtnVerify, Form->BtnSelectFile}) {
        EXPECT_FALSE(input->Enabled()) << input->Name().toStdString();
    }
    EXPECT_EQ(Lines(Form->MemoMakeResult),
              QStringList{QStringLiteral("Processing file \"a\" ... OK")});

    // A tab click acts at once, while the job goes on, and is not replayed after it.
    ClickTab(3);
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetAbout);
    EXPECT_TRUE(Form->JobRunning());

    EXPECT_LT(StopAndTime([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }),
              500);
    EXPECT_EQ(Lines(Form->MemoMakeResult),
              (QStringList{QStringLiteral("Processing file \"a\" ... OK"), QString(),
                           QStringLiteral("Stopped: the check file was not written.")}));
    EXPECT_EQ(ReadWholeFile(oldCheckFile), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              3);
    QTest::qWait(0);
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetAbout);
    EXPECT_EQ(Form->BtnMake->Caption(), QStringLiteral("Make check file"));
    EXPECT_TRUE(Form->BtnVerify->Enabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Title(), QStringLiteral("Sumwarden"));

    // A verify stopped by its button tells how far it got; the file list marks the rest.
    Form->PageControl->ActivatePage(Form->SheetVerifier);
    folder.WriteFile("CheckSum.md5", "900150983cd24fb0d6963f7d28e17f72\ta\r\n"
                                     "900150983cd24fb0d6963f7d28e17f72\tb\r\n");
    Form->EdtCheckfilePath->SetText(Text(oldCheckFile));
    ClickOn(Form->BtnVerify);
    ASSERT_TRUE(WaitForTitle(QStringLiteral("Sumwarden - Verifying 2 of 2 files (")));
    EXPECT_LT(StopAndTime([this] { ClickOn(Form->BtnVerify); }), 500);
    EXPECT_EQ(Lines(Form->MemoVerifyResult),
              (QStringList{QStringLiteral("OK ... \"%1/a\"").arg(Text(folder.Path())), QString(),
                           QStringLiteral("Stopped after 1 of 2 entries."),
                           QStringLiteral("1 file was verified. 0 file changed. ")}));

    Form->PageControl->ActivatePage(Form->SheetFileMD5);
    Dialogs->OpenAnswer.Files = {Text(folder / "a"), Text(folder / "b"), Text(folder / "a")};
    ClickOn(Form->BtnSelectFile);
    ASSERT_TRUE(WaitForTitle(QStringLiteral("Sumwarden - Hashing 2 of 3 files (")));
    EXPECT_LT(StopAndTime([this] { ClickOn(Form->BtnSelectFile); }), 500);
    QStringList digests;
    for (int index = 0; index < Form->LvwFile->Items()->Count(); ++index) {
        digests += Form->LvwFile->Items()->Item(index)->SubItems()->ToStringList();
    }
    EXPECT_EQ(digests, (QStringList{QStringLiteral("900150983cd24fb0d6963f7d28e17f72"),
                                    QStringLiteral("Stopped"), QStringLiteral("Stopped")}));
}

TEST_F(JobTest, ClosingDuringAJobStopsItAndClosesAtOnce) {
    ScratchFolder folder;
    std::filesystem::resize_file(folder.WriteFile("b", ""), kLargeFileSize);
    const std::string oldCheckFile = folder.WriteFile("CheckSum.md5", "old\r\n");
    Form->EdtPath->SetText(Text(folder.Path()));
    ClickOn(Form->BtnMake);
    ASSERT_TRUE(WaitForTitle(QStringLiteral("Sumwarden - Making check file")));
    EXPECT_LT(StopAndTime([this] { ClickOn(Form->BtnExit); }), 500);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(ReadWholeFile(oldCheckFile), "old\r\n");
}

} // namespace
