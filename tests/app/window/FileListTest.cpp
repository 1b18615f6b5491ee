// The file list's everyday actions through its keys, its menu and the clipboard.
#include "framework/controls/ListViewModel.h"
#include "tests/app/window/WindowFixture.h"
#include "tests/platform/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>

namespace {

using sumwarden::testing::ScratchFolder;

const QString kAbcDigest = QStringLiteral("900150983cd24fb0d6963f7d28e17f72");

QString Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

class FileListTest : public WindowTest {
protected:
    FileListTest() {
        Form->Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
        Form->LvwFile->SetFocus();
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    QList<int> SelectedRows() const {
        QList<int> rows;
        for (int index = 0; index < Form->LvwFile->Items()->Count(); ++index) {
            if (Form->LvwFile->Items()->Item(index)->Selected()) {
                rows.append(index);
            }
        }
        return rows;
    }

    TMenuItem* MenuItem(const QString& caption) const {
        TMenuItem* items = Form->FileListMenu()->Items();
        for (int index = 0; index < items->Count(); ++index) {
            if (items->Items(index)->Caption() == caption) {
                return items->Items(index);
            }
        }
        return nullptr;
    }

    static QString Md5sumOutput(const QString& file) {
        QProcess md5sum;
        md5sum.start(QStringLiteral("md5sum"), {QStringLiteral("--"), file});
        md5sum.waitForFinished();
        return QString::fromUtf8(md5sum.readAllStandardOutput());
    }
};

TEST_F(FileListTest, CopyGivesMd5sumLinesAndTheClipboardDigestSelectsItsRows) {
    ScratchFolder folder;
    const QString abc = Text(folder.WriteFile("abc.txt", "abc"));
    const QString odd = Text(folder.WriteFile("new\nline\\back\tslash\u202e", "abc"));
    const QString other = Text(folder.WriteFile("other", "other"));
    const QString missing = Text(folder / "missing");
    Form->AddFilesToList({abc, odd, other, missing});
    QTRY_VERIFY_WITH_TIMEOUT(!Form->JobRunning(), 30000);
    TListItems* rows = Form->LvwFile->Items();
    ASSERT_EQ(rows->Count(), 4);
    // A name's control characters show as visible symbols, in one line.
    EXPECT_EQ(Form->LvwFile->Model()->index(1, 0).data().toString(),
              Text(folder / "new\u240Aline\\back\u2409slash\uFFFD"));

    // The list's own menu, in the window's look, holds the actions; its keys act too.
    EXPECT_EQ(Form->LvwFile->PopupMenu(), Form->FileListMenu());
    EXPECT_EQ(Form->FileListMenu()->UIStyle(), MacOS);
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (QList<int>{0, 1, 2, 3}));
    Press(Qt::Key_C, Qt::ControlModifier);
    // md5sum -c reads the copy back: the lines are md5sum's own, the row that could not be
    // opened left out.
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied, Md5sumOutput(abc) + Md5sumOutput(odd) + Md5sumOutput(other));
    MenuItem(QStringLiteral("Copy digest"))->Click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              kAbcDigest + "\n" + kAbcDigest + "\n" + Md5sumOutput(other).left(32) + "\n");

    // A digest copied from a page, in capitals among other words, selects its rows.
    QApplication::clipboard()->setText("MD5: " + kAbcDigest.toUpper() + " (abc.txt)");
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (QList<int>{0, 1}));
    EXPECT_TRUE(Dialogs->MessageBoxes.isEmpty());
    QApplication::clipboard()->setText(QString(32, QLatin1Char('0')));
    MenuItem(QStringLiteral("Compare with the digest in the clipboard"))->Click();
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text,
              QStringLiteral("No file in the list has this digest."));
    EXPECT_TRUE(SelectedRows().isEmpty());

    // Delete removes the selected rows, "Clear list" the rest; the menu shows the key.
    EXPECT_EQ(ShortCutToKeySequence(MenuItem(QStringLiteral("Remove"))->ShortCut()),
              QKeySequence(Qt::Key_Delete));
    rows->Item(0)->SetSelected(true);
    rows->Item(3)->SetSelected(true);
    Press(Qt::Key_Delete);
    ASSERT_EQ(rows->Count(), 2);
    EXPECT_EQ(rows->Item(0)->Caption(), odd);
    MenuItem(QStringLiteral("Clear list"))->Click();
    EXPECT_EQ(rows->Count(), 0);
}

} // namespace
