// Paths handed to the window from outside, dragged from a file manager or named on the
// command line: each goes to the page that takes its kind.
#include "app/window/UnitFrmMain.h"

#include <QMetaObject>

namespace {

const QStringList& DroppedFiles(TObject* source) {
    static const QStringList none;
    const auto* files = qobject_cast<TFileDragObject*>(source);
    return files != nullptr ? files->Files() : none;
}

} // namespace

void TForm1::TakePaths(const TSortedPaths& paths, bool verifyCheckFile) {
    if (!paths.Files.isEmpty()) {
        PageControl->ActivatePage(SheetFileMD5);
    }
    if (!paths.Folder.isEmpty()) {
        EdtPath->SetText(paths.Folder);
        PageControl->ActivatePage(SheetMaker);
    }
    if (!paths.CheckFile.isEmpty()) {
        EdtCheckfilePath->SetText(paths.CheckFile);
        PageControl->ActivatePage(SheetVerifier);
    }
    // The page the user sees is set first; hashing and verifying then run, one job after
    // the other.
    const auto verify = [this] { BtnVerify->OnClick(BtnVerify); };
    const bool verifies = !paths.CheckFile.isEmpty() && verifyCheckFile && BtnVerify->OnClick;
    if (!paths.Files.isEmpty()) {
        AddFilesToList(paths.Files, verifies ? std::function<void()>(verify) : nullptr);
    } else if (verifies) {
        verify();
    }
}

const TSortedPaths& TForm1::SortedDrop(TObject* source) {
    // A drag asks at every move of the pointer; its files are looked at once.
    if (FDropSource != source || FDropSource.isNull()) {
        FDropSource = source;
        FDropPaths = SortPaths(DroppedFiles(source));
    }
    return FDropPaths;
}

void TForm1::FormDragOver(TObject* Sender, TObject* Source, int, int, TDragState State,
                          bool& Accept) {
    // While a job runs the pages take nothing: their inputs wait for its end.
    if (State == dsDragLeave || JobRunning()) {
        Accept = false;
        return;
    }
    const TSortedPaths& paths = SortedDrop(Source);
    const bool files = !paths.Files.isEmpty() || !paths.CheckFile.isEmpty();
    const bool folder = !paths.Folder.isEmpty();
    if (Sender == SheetFileMD5) {
        // This page hashes any file, check files too.
        Accept = files && !folder;
    } else if (Sender == SheetMaker) {
        Accept = folder && !files;
    } else if (Sender == SheetVerifier) {
        Accept = !paths.CheckFile.isEmpty() && paths.Files.isEmpty() && !folder;
    } else {
        Accept = files || folder;
    }
}

void TForm1::FormDragDrop(TObject* Sender, TObject* Source, int, int) {
    TSortedPaths paths;
    if (Sender == SheetFileMD5) {
        // Every file is hashed here, check files too, in the order dropped.
        for (const QString& path : DroppedFiles(Source)) {
            if (const TPathKind kind = KindOfPath(path);
                kind == TPathKind::File || kind == TPathKind::CheckFile) {
                paths.Files.append(path);
            }
        }
    } else {
        paths = SortedDrop(Source);
    }
    // Hashing waits for the next turn of the event loop: the program the files came
    // from is told at once that the drop is done.
    QMetaObject::invokeMethod(
        this, [this, paths] { TakePaths(paths, false); }, Qt::QueuedConnection);
}
