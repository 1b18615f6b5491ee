#include "app/window/UnitFrmMain.h"

#include "app/window/JobRunner.h"
#include "app/window/JobTitles.h"
#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/FileDigestList.h"
#include "framework/core/Application.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/layout/LayoutReader.h"
#include "skin/controls/SKRegister.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// A job whose lines go into the emptied memo as they come.
TJobRunner::TJob MemoJob(TMemo* memo,
                         std::function<void(const sumwarden::JobObserver& observer)> work,
                         std::function<QString(const sumwarden::JobControl::Progress&)> title) {
    memo->Lines()->Clear();
    auto shownLines = std::make_shared<bool>(false);
    return {
        [work = std::move(work)](sumwarden::JobControl& control, const TJobRunner::TLineOut& out) {
            sumwarden::JobObserver observer =
                sumwarden::LinesOnly([&out](const std::string& line) { out(BytesToText(line)); });
            observer.control = &control;
            work(observer);
        },
        [memo, shownLines](const QStringList& lines) {
            AppendMemoLines(memo, lines, *shownLines);
            *shownLines = true;
        },
        std::move(title),
        {}};
}

} // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
    InitLayoutResources();
    RegisterSkinClasses();
    ReadLayout(this, kLayoutPath);
    FJobs = std::make_unique<TJobRunner>(this, skForm1,
                                         QList<TControl*>{EdtPath, BtnSelect, ChkSubFolder, BtnMake,
                                                          EdtCheckfilePath, BtnSelectCheckfile,
                                                          BtnVerify, BtnSelectFile});
}

TForm1::~TForm1() = default;

bool TForm1::JobRunning() const {
    return FJobs->Running();
}

bool TForm1::CloseQuery() {
    FJobs->StopAndWait();
    return TForm::CloseQuery();
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
    if (FJobs->Running()) {
        FJobs->Stop();
        return;
    }
    const std::string folder = PathToBytes(EdtPath->Text());
    if (const auto refusal = sumwarden::RefuseMakeFolder(folder)) {
        ShowRefusal(*refusal);
        return;
    }
    const bool subFolders = ChkSubFolder->Checked();
    FJobs->Start(BtnMake, MemoJob(
                              MemoMakeResult,
                              [folder, subFolders](const sumwarden::JobObserver& observer) {
                                  sumwarden::MakeCheckFile(folder, subFolders, observer);
                              },
                              MakingTitle));
}

void TForm1::BtnVerifyClick(TObject*) {
    if (FJobs->Running()) {
        FJobs->Stop();
        return;
    }
    const std::string checkFile = PathToBytes(EdtCheckfilePath->Text());
    if (const auto refusal = sumwarden::RefuseCheckFile(checkFile)) {
        ShowRefusal(*refusal);
        return;
    }
    FJobs->Start(BtnVerify, MemoJob(
                                MemoVerifyResult,
                                [checkFile](const sumwarden::JobObserver& observer) {
                                    // The title tells the share done by bytes.
                                    observer.control->MeasureTotalBytes();
                                    sumwarden::VerifyCheckFile(checkFile, observer);
                                },
                                VerifyingTitle));
}

void TForm1::BtnSelectFileClick(TObject*) {
    if (FJobs->Running()) {
        FJobs->Stop();
        return;
    }
    dlg2->SetTitle(QStringLiteral("Choose files to calculate MD5 checksum:"));
    dlg2->SetFilter(QStringLiteral("All file(*.*)|*.*"));
    if (dlg2->Execute()) {
        AddFilesToList(dlg2->Files());
    }
}

void TForm1::AddFilesToList(const QStringList& files) {
    if (FJobs->Running() || files.isEmpty()) {
        return;
    }
    // Each row shows its path at once; the digests are hashed several at a time off this
    // thread and fill the rows in order.
    QList<TListItem*> rows;
    std::vector<std::string> paths;
    for (const QString& file : files) {
        TListItem* row = LvwFile->Items()->Add();
        row->SetCaption(file);
        rows.append(row);
        paths.push_back(PathToBytes(file));
    }
    auto filled = std::make_shared<qsizetype>(0);
    FJobs->Start(
        BtnSelectFile,
        {[paths = std::move(paths)](sumwarden::JobControl& control,
                                    const TJobRunner::TLineOut& out) {
             control.MeasureTotalBytes();
             sumwarden::HashFileList(
                 paths, [&out](const sumwarden::FileDigestRow& row) { out(BytesToText(row.text)); },
                 sumwarden::DefaultJobCount(), &control);
         },
         [rows, filled](const QStringList& texts) {
             for (const QString& text : texts) {
                 rows[(*filled)++]->SubItems()->Add(text);
             }
         },
         HashingTitle,
         [rows, filled](bool) {
             while (*filled < rows.size()) {
                 rows[(*filled)++]->SubItems()->Add(BytesToText(sumwarden::kStopped));
             }
         }});
}
