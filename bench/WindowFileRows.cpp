// Adds rows to the main window's file list through its own handler, the way a user's
// "Select Files to calculate MD5" does: the open-file dialog answers with a batch of
// files (one small real file, named again and again), and the handler adds a row per
// file, hashes it and fills in its digest while the window keeps answering. Batch after
// batch, it prints the time per row and how many rows the list already held, so a cost
// that grows with the row count shows as a rising column.
// Usage: sumwarden-window-rows-bench [ROWS [BATCHES]]   (default 100000 rows in 10 batches)

#include "app/window/UnitFrmMain.h"
#include "bench/Stopwatch.h"
#include "framework/core/Application.h"
#include "framework/dialogs/Dialogs.h"
#include "resources/ThemeResources.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Answers every open-file dialog with the prepared files.
class TBatchDialogs : public TDialogService {
public:
    QStringList Files;

    TOpenFileAnswer OpenFile(const TOpenFileRequest&) override { return {Files, 1}; }
    std::optional<QString> BrowseForFolder(QWidget*, const QString&) override {
        return std::nullopt;
    }
    int MessageBox(const QString&, const QString&, TMsgBoxIcon, TMsgBoxButtons) override {
        return idOK;
    }
    void ShellOpen(const QString&) override {}
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    Application->Initialize(argc, argv);
    InitThemeResources();
    const int rows = std::max(1, argc > 1 ? std::atoi(argv[1]) : 100000);
    const int batches = std::clamp(argc > 2 ? std::atoi(argv[2]) : 10, 1, rows);

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("photo.jpg"));
    QFile small(file);
    if (!small.open(QIODevice::WriteOnly) || small.write(QByteArray(4096, 'x')) != 4096) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    small.close();

    auto dialogs = std::make_unique<TBatchDialogs>();
    TBatchDialogs* answers = dialogs.get();
    SetDialogs(std::move(dialogs));
    TForm1* form = Application->CreateForm<TForm1>();
    form->PageControl->ActivatePageIndex(0);
    form->Show();

    std::printf("rows listed before the batch; us per row of the batch: wall, main thread cpu\n");
    int added = 0;
    for (int batch = 0; batch < batches; ++batch) {
        const int size = (rows - added) / (batches - batch);
        answers->Files = QStringList(size, file);
        const int before = form->LvwFile->Items()->Count();
        const TStopwatch stopwatch;
        form->BtnSelectFileClick(nullptr);
        Application->ProcessMessages();
        const TSpent spent = stopwatch.Spent();
        added += size;
        std::printf("%8d %10.2f %10.2f\n", before, spent.Wall * 1e6 / size, spent.Cpu * 1e6 / size);
        std::fflush(stdout);
    }
    const TListItems* items = form->LvwFile->Items();
    const bool filled = items->Count() == rows && items->Item(rows - 1)->SubItems()->Count() == 1;
    std::printf("rows: %d%s\n", items->Count(), filled ? "" : " (the last digest is missing!)");
    // The forms go while Qt still runs, as when the program's message loop ends.
    Application->DestroyComponents();
    return filled ? 0 : 1;
}
