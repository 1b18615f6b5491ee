#include "app/window/UnitFrmMain.h"

#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/FileDigestList.h"
#include "framework/core/Application.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/layout/LayoutReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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

// Names are shown decoded as UTF-8, control characters as their visible symbols (U+2400
// onwards), so a name can neither break a memo line nor hide what it holds.
QString BytesToText(std::string_view bytes) {
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar& character : text) {
        const char16_t code = character.unicode();
        if (code < 0x20 && code != u'\t') {
            character = QChar(char16_t(0x2400 + code));
        } else if (code == 0x7f) {
            character = QChar(char16_t(0x2421));
        }
    }
    return text;
}

void ShowRefusal(std::string_view text) {
    Dialogs().MessageBox(BytesToText(text), QStringLiteral("Error"), mbIconInformation, mbOK);
}

// Collects a job's report lines and puts them into the emptied memo as one text: the job
// does not return to the message loop before it ends, so nobody sees the memo meanwhile,
// and one insertion is several times faster than adding 100 000 lines one by one. Lines
// reported before a failure still reach the memo.
class TMemoReport {
public:
    explicit TMemoReport(TMemo* memo) : FMemo(memo) { FMemo->Lines()->Clear(); }
    ~TMemoReport() {
        // A report never ends in an empty line, so the joined text reads back line by line.
        if (!FLines.isEmpty()) {
            FMemo->SetText(FLines.join(QLatin1Char('\n')));
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
    ReadLayout(this, kLayoutPath);
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
    // A desktop may show its own error for a missing file; without a help file the button
    // does nothing visible.
    const QString helpFile = QCoreApplication::applicationDirPath() + QStringLiteral("/help.chm");
    if (QFileInfo::exists(helpFile)) {
        Dialogs().ShellOpen(helpFile);
    }
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
    sumwarden::MakeCheckFile(folder, ChkSubFolder->Checked(), report.Sink());
}

void TForm1::BtnVerifyClick(TObject*) {
    const std::string checkFile = PathToBytes(EdtCheckfilePath->Text());
    if (const auto refusal = sumwarden::RefuseCheckFile(checkFile)) {
        ShowRefusal(*refusal);
        return;
    }
    TMemoReport report(MemoVerifyResult);
    sumwarden::VerifyCheckFile(checkFile, report.Sink());
}

void TForm1::BtnSelectFileClick(TObject*) {
    dlg2->SetTitle(QStringLiteral("Choose files to calculate MD5 checksum:"));
    dlg2->SetFilter(QStringLiteral("All file(*.*)|*.*"));
    if (!dlg2->Execute()) {
        return;
    }
    // The list may change under a nested run while messages are processed: keep a copy.
    const QStringList files = dlg2->Files();
    // Each row shows its path at once; the digests are hashed several at a time and fill
    // the rows in order, the window answering between them.
    sumwarden::DigestPipeline pipeline(sumwarden::DefaultJobCount());
    for (const QString& file : files) {
        TListItem* row = LvwFile->Items()->Add();
        row->SetCaption(file);
        Application->ProcessMessages();
        std::string path = PathToBytes(file);
        pipeline.Hash(
            sumwarden::OpenByPath(path), [row, path](const sumwarden::FileOutcome& outcome) {
                const sumwarden::FileDigestRow digest = sumwarden::FileDigestRowOf(path, outcome);
                row->SubItems()->Add(BytesToText(digest.text));
                Application->ProcessMessages();
            });
    }
    pipeline.Finish();
}
