// Paths reaching the window from outside: command-line arguments and files dragged from a
// file manager, through the window's own handlers.
#include "app/window/PathKinds.h"
#include "checksum/CheckFileMaker.h"
#include "tests/app/window/WindowFixture.h"
#include "tests/platform/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <string>

namespace {

using sumwarden::testing::ScratchFolder;

const QString kAbcDigest = QStringLiteral("900150983cd24fb0d6963f7d28e17f72");

QString Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A folder holding a file, a sub folder and a check file made of them.
struct Tree {
    Tree() {
        Folder.WriteFile("sub/inner.txt", "x");
        sumwarden::MakeCheckFile(Folder.Path(), true, [](const std::string&) {});
    }
    QString Path(std::string_view relative) const { return Text(Folder / relative); }
    ScratchFolder Folder;
    const QString File = Text(Folder.WriteFile("abc.txt", "abc"));
};

class PathsTest : public WindowTest {
protected:
    // Drags paths over control and drops them there, as a file manager does; true when
    // the window accepted the drop. On X11 the drop itself may arrive without its data.
    bool Drop(TControl* control, const QStringList& paths, bool dataOnDrop = true) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data.setUrls(urls);
        QWidget* window = Form->Handle();
        const TPoint centre =
            control->ClientToScreen(Point(control->ClientWidth() / 2, control->ClientHeight() / 2));
        const QPointF at = window->mapFromGlobal(QPoint(centre.X, centre.Y));
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QMimeData lost;
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, dataOnDrop ? &data : &lost,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        // The drop is taken on the next turn of the event loop.
        QCoreApplication::processEvents();
        return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
    }

    QStringList RowTexts() const {
        QStringList rows;
        TListItems* items = Form->LvwFile->Items();
        for (int index = 0; index < items->Count(); ++index) {
            rows.append(items->Item(index)->Caption() + QLatin1Char(' ') +
                        items->Item(index)->SubItems()->Text().trimmed());
        }
        return rows;
    }
};

TEST_F(PathsTest, ArgumentsGoToThePageOfTheirKindAndACheckFileIsVerified) {
    Tree tree;
    const QString missing = tree.Path("missing.txt");
    const TSortedPaths paths =
        SortPaths({tree.File, tree.Path("sub"), missing, tree.Path("CheckSum.md5")});
    EXPECT_EQ(paths.Missing, QStringList{missing});
    // Lists of the other kinds verify reads count as check files too.
    EXPECT_EQ(KindOfPath(Text(tree.Folder.WriteFile(
                  "sums", "MD5 (abc.txt) = " + kAbcDigest.toStdString() + "\n"))),
              TPathKind::CheckFile);

    Form->TakePaths(paths, true);
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetVerifier);
    EXPECT_EQ(Form->EdtPath->Text(), tree.Path("sub"));
    EXPECT_EQ(Form->EdtCheckfilePath->Text(), tree.Path("CheckSum.md5"));
    QTRY_COMPARE_WITH_TIMEOUT(RowTexts(), QStringList{tree.File + QLatin1Char(' ') + kAbcDigest},
                              30000);
    // The verify ran as a press of its button does.
    QTRY_VERIFY_WITH_TIMEOUT(
        Lines(Form->MemoVerifyResult).contains(QStringLiteral("Operation completes.")), 30000);
    EXPECT_TRUE(Lines(Form->MemoMakeResult).first().startsWith(QStringLiteral("Please select")));

    // A folder alone shows its page and starts nothing; a relative path is made whole.
    Form->PageControl->ActivatePage(Form->SheetAbout);
    const QString before = QDir::currentPath();
    QDir::setCurrent(tree.Path(""));
    Form->TakePaths(SortPaths({QStringLiteral("sub/")}), true);
    QDir::setCurrent(before);
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetMaker);
    EXPECT_EQ(Form->EdtPath->Text(), tree.Path("sub"));
    EXPECT_TRUE(Lines(Form->MemoMakeResult).first().startsWith(QStringLiteral("Please select")));
}

TEST_F(PathsTest, DropsFillThePageDroppedOnOrTheOneThatTakesThePath) {
    const Tree tree;
    Form->Show();
    // Files on the file list's page are hashed, a check file too.
    ASSERT_TRUE(Drop(Form->LvwFile, {tree.File, tree.Path("CheckSum.md5")}));
    QTRY_COMPARE_WITH_TIMEOUT(Form->LvwFile->Items()->Count(), 2, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(RowTexts().first(), tree.File + QLatin1Char(' ') + kAbcDigest, 30000);

    // A folder dropped on that page goes to "Make check file", which is shown.
    ASSERT_TRUE(Drop(Form->BtnSelectFile, {tree.Path("sub")}));
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetMaker);
    EXPECT_EQ(Form->EdtPath->Text(), tree.Path("sub"));

    // A check file dropped on its edit fills it and starts nothing.
    Form->PageControl->ActivatePage(Form->SheetVerifier);
    ASSERT_TRUE(Drop(Form->EdtCheckfilePath, {tree.Path("CheckSum.md5")}, false));
    EXPECT_EQ(Form->EdtCheckfilePath->Text(), tree.Path("CheckSum.md5"));
    EXPECT_TRUE(Lines(Form->MemoVerifyResult).first().startsWith(QStringLiteral("Please select")));

    // Dropped on the About page or on "Exit", a path goes to its own page.
    Form->PageControl->ActivatePage(Form->SheetAbout);
    Form->EdtCheckfilePath->SetText(QString());
    ASSERT_TRUE(Drop(Form->SheetAbout, {tree.Path("CheckSum.md5")}));
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetVerifier);
    EXPECT_EQ(Form->EdtCheckfilePath->Text(), tree.Path("CheckSum.md5"));
    ASSERT_TRUE(Drop(Form->BtnExit, {tree.Path("")}));
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->SheetMaker);

    // Nothing that exists: nothing takes the drop.
    EXPECT_FALSE(Drop(Form->SheetMaker, {tree.Path("missing")}));
    EXPECT_EQ(Form->LvwFile->Items()->Count(), 2);
}

} // namespace
