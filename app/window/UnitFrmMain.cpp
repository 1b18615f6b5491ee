#include "app/window/UnitFrmMain.h"

#include "app/window/PaintingWait.h"
#include "app/window/WindowHelp.h"
#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/FileDigestList.h"
#include "framework/core/Application.h"
#include "framework/core/VisibleText.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/layout/LayoutReader.h"
#include "skin/controls/SKRegister.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStringList>
#include <string>
#include <string_view>

// The layout is embedded in this static library; its initialiser must be named to be linked.
static void InitLayoutResources() {
    Q_INIT_RESOURCE(layouts);
}

namespace {

const QString kLayoutPath = QStringLiteral(":/layouts/UnitFrmMain.layout");
// The product's addresses, as the About page shows them.
const QString kWebsiteAddress = QStringLiteral("www.sumwarden.example");
const QString kSupportMailAddress = QStringLiteral("support@sumwarden.example");

// Paths go to the engine as the file system's bytes; its lines come back as bytes and are
// shown decoded as UTF-8 (invalid bytes replaced on screen only).
std::string PathToBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Names are shown decoded as UTF-8, control characters other than TAB as their visible
// symbols, so a name can neither break a memo line nor hide what it holds.
QString BytesToText(std::string_view bytes) {
    return WithVisibleControls(
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), TTabs::Keep);
}

void ShowRefusal(std::string_view text) {
    Dialogs().MessageBox(BytesToText(text), QStringLiteral("Error"), mbIconInformation, mbOK);
}

// Collects a job's report lines and puts them into the emptied memo as one text: the job
// takes no user input before it ends, and one insertion is several times faster than
// adding 100 000 lines one by one. Lines reported before a failure still reach the memo,
// which then shows its last lines, as a memo that lines were appended to does.
class TMemoReport {
public:
    explicit TMemoReport(TMemo* memo) : FMemo(memo) { FMemo->Lines()->Clear(); }
    ~TMemoReport() {
        // A report never ends in an empty line, so the joined text reads back line by line.
        if (!FLines.isEmpty()) {
            FMemo->SetText(FLines.join(QLatin1Char('\n')));
            QPlainTextEdit* editor = FMemo->Editor();
            editor->moveCursor(QTextCursor::End);
            editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum());
        }
    }
    TMemoReport(const TMemoReport&) = delete;
    TMemoReport& operator=(const TMemoReport&) = delete;

    sumwarden::LineSink Sink() {
        return [this](const std::string& line) { FLines.append(BytesToText(line)); };
    }

private:
    TMemo* FMemo;
    QStringList FLines;
};

} // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
    InitLayoutResources();
    RegisterSkinClasses();
    ReadLayout(this, kLayoutPath);
    SetUpFileList();
}

void TForm1::FormCreate(TObject*) {
    MemoMakeResult->Lines()->SetStrings(
        {QStringLiteral("Please select a folder to make MD5 checksum, then click \"Make check "
                        "file\" button.")});
    MemoVerifyResult->Lines()->SetStrings(
        {QStringLiteral("Please select a check file, then click \"Verify check file\" to verify "
                        "files integrity.")});
}

void TForm1::BtnSelectClick(TObject*) {
    const std::optional<QString> folder =
        SelectDirectory(QStringLiteral("Please select the folder to make checkfile."));
    if (folder) {
        EdtPath->SetText(*folder);
    }
}

void TForm1::BtnSelectCheckfileClick(TObject*) {
    dlg->SetTitle(QStringLiteral("Select checkfile"));
    dlg->SetFilter(QStringLiteral("Checkfile (*.md5)|*.md5|All files (*.*)|*.*"));
    if (dlg->Execute()) {
        EdtCheckfilePath->SetText(dlg->FileName());
    }
}

void TForm1::BtnHelpClick(TObject*) {
    OpenManual();
}

void TForm1::LblWebsiteClick(TObject*) {
    Dialogs().ShellOpen(kWebsiteAddress);
}

void TForm1::LblEmailClick(TObject*) {
    Dialogs().ShellOpen(QStringLiteral("mailto:") + kSupportMailAddress);
}

void TForm1::BtnExitClick(TObject*) {
    Close();
}

void TForm1::BtnMakeClick(TObject*) {
    const std::string folder = PathToBytes(EdtPath->Text());
    if (const auto refusal = sumwarden::RefuseMakeFolder(folder)) {
        ShowRefusal(*refusal);
        return;
    }
    TMemoReport report(MemoMakeResult);
    const bool subFolders = ChkSubFolder->Checked();
    RunWhileRepainting([&] { sumwarden::MakeCheckFile(folder, subFolders, report.Sink()); });
}

void TForm1::BtnVerifyClick(TObject*) {
    const std::string checkFile = PathToBytes(EdtCheckfilePath->Text());
    if (const auto refusal = sumwarden::RefuseCheckFile(checkFile)) {
        ShowRefusal(*refusal);
        return;
    }
    TMemoReport report(MemoVerifyResult);
    RunWhileRepainting([&] { sumwarden::VerifyCheckFile(checkFile, report.Sink()); });
}

void TForm1::BtnSelectFileClick(TObject*) {
    dlg2->SetTitle(QStringLiteral("Choose files to calculate MD5 checksum:"));
    dlg2->SetFilter(QStringLiteral("All file(*.*)|*.*"));
    if (!dlg2->Execute()) {
        return;
    }
    // The list may change under a nested run while messages are processed: keep a copy.
    AddFilesToList(QStringList(dlg2->Files()));
}

void TForm1::AddFilesToList(const QStringList& files) {
    // Rows waiting for their digest must stay: removing rows waits until the list is done.
    ++FListBusy;
    const auto done = qScopeGuard([this] { --FListBusy; });
    // Each row shows its path at once; the digests are hashed several at a time and fill
    // the rows in order, the window answering between them.
    sumwarden::DigestPipeline pipeline(sumwarden::DefaultJobCount());
    for (const QString& file : files) {
        TListItem* row = LvwFile->Items()->Add();
        row->SetCaption(file);
        // Shows the new row before a long digest, and keeps the window answering.
        Application->ProcessMessages();
        std::string path = PathToBytes(file);
        // The digests are hashed off this thread while the window repaints; each fills its
        // row here, in order, through the list's event queue.
        RunWhileRepainting([&] {
            pipeline.Hash(sumwarden::OpenByPath(path), [this, row, path](
                                                           const sumwarden::FileOutcome& outcome) {
                const QString text = BytesToText(sumwarden::FileDigestRowOf(path, outcome).text);
                QMetaObject::invokeMethod(
                    LvwFile, [row, text] { row->SubItems()->Add(text); }, Qt::QueuedConnection);
            });
        });
    }
    RunWhileRepainting([&] { pipeline.Finish(); });
}
