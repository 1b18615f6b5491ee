#include "framework/dialogs/OpenDialog.h"
#include "tests/framework/dialogs/FakeDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(FilterTest, SplitsNamePatternPairsAndMapsStarDotStarToEveryFile) {
    const auto filters = ParseFilter(QStringLiteral("Checkfile (*.md5)|*.md5|All files (*.*)|*.*"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].first, QStringLiteral("Checkfile (*.md5)"));
    EXPECT_EQ(filters[1].second, QStringLiteral("*.*"));
    EXPECT_EQ(QtFilterText(filters[1]), QStringLiteral("All files [*.*] (*)"));
    EXPECT_EQ(QtFilterText({QStringLiteral("Logs"), QStringLiteral("*.txt;*.log")}),
              QStringLiteral("Logs (*.txt *.log)"));
    EXPECT_TRUE(ParseFilter(QStringLiteral("Dangling")).isEmpty());
}

TEST(ShellTest, AddressesBecomeUrls) {
    EXPECT_EQ(ShellTargetToUrl(QStringLiteral("www.sumwarden.example")),
              QStringLiteral("http://www.sumwarden.example"));
    EXPECT_EQ(ShellTargetToUrl(QStringLiteral("mailto:support@sumwarden.example")),
              QStringLiteral("mailto:support@sumwarden.example"));
    EXPECT_EQ(ShellTargetToUrl(QStringLiteral("/opt/sumwarden/help.chm")),
              QStringLiteral("file:///opt/sumwarden/help.chm"));
}

TEST(OpenDialogTest, AsksTheServiceAndKeepsTheChosenFiles) {
    TFakeDialogsScope dialogs;
    TOpenDialog dialog(nullptr);
    dialog.SetTitle(QStringLiteral("Select checkfile"));
    dialog.SetFilter(QStringLiteral("Checkfile (*.md5)|*.md5|All files (*.*)|*.*"));
    dialogs->OpenAnswer = {};
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(dialog.FileName().isEmpty());

    dialog.SetOptions(dialog.Options() | TOpenDialog::ofAllowMultiSelect);
    dialogs->OpenAnswer.Files = {QStringLiteral("/a/one.md5"), QStringLiteral("/a/two")};
    dialogs->OpenAnswer.FilterIndex = 2;
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), QStringLiteral("/a/one.md5"));
    EXPECT_EQ(dialog.Files().size(), 2);
    EXPECT_EQ(dialog.FilterIndex(), 2);
    ASSERT_EQ(dialogs->OpenRequests.size(), 2);
    const TOpenFileRequest& request = dialogs->OpenRequests.last();
    EXPECT_EQ(request.Title, QStringLiteral("Select checkfile"));
    EXPECT_TRUE(request.MultiSelect);
    EXPECT_EQ(request.Filters.size(), 2);
}

TEST(OpenDialogTest, FolderBrowserReturnsNothingWhenCancelled) {
    TFakeDialogsScope dialogs;
    EXPECT_FALSE(SelectDirectory(QStringLiteral("Please select")).has_value());
    dialogs->FolderAnswer = QStringLiteral("/home/user");
    EXPECT_EQ(SelectDirectory(QStringLiteral("Again")).value(), QStringLiteral("/home/user"));
    EXPECT_EQ(dialogs->FolderTitles,
              (QStringList{QStringLiteral("Please select"), QStringLiteral("Again")}));
}

// Catches what the real service hands to the desktop.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void Open(const QUrl& url) { Urls.append(url); }
};

TEST(ShellTest, RealServiceOpensThroughTheDesktop) {
    TUrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
    TQtDialogService service;
    service.ShellOpen(QStringLiteral("www.sumwarden.example"));
    service.ShellOpen(QStringLiteral("mailto:support@sumwarden.example"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(catcher.Urls.size(), 2);
    EXPECT_EQ(catcher.Urls[0], QUrl(QStringLiteral("http://www.sumwarden.example")));
    EXPECT_EQ(catcher.Urls[1].scheme(), QStringLiteral("mailto"));
}

// Runs inspect on the next modal dialog once it is shown, then lets it go.
template <typename Inspect>
void WhenModalShows(Inspect inspect) {
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        inspect(modal);
    });
}

TEST(OpenDialogTest, RealDialogListsTheFileTypesAsWrittenAndReportsTheChosenOne) {
    TOpenFileRequest request;
    request.Filters = ParseFilter(QStringLiteral("Checkfile (*.md5)|*.md5|All files (*.*)|*.*"));
    request.FilterIndex = 2;
    QStringList shown;
    WhenModalShows([&shown](QWidget* modal) {
        auto* types = modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        for (int index = 0; index < types->count(); ++index) {
            shown.append(types->itemText(index));
        }
        EXPECT_EQ(types->currentIndex(), 1);
        // Every file is listed under "All files (*.*)", with or without a dot.
        EXPECT_EQ(qobject_cast<QFileDialog*>(modal)->nameFilters().at(1),
                  QStringLiteral("All files [*.*] (*)"));
        qobject_cast<QDialog*>(modal)->reject();
    });
    TQtDialogService service;
    const TOpenFileAnswer answer = service.OpenFile(request);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Checkfile (*.md5)"),
                                  QStringLiteral("All files (*.*)")}));
    EXPECT_TRUE(answer.Files.isEmpty());
    EXPECT_EQ(answer.FilterIndex, 2);
}

TEST(MessageBoxTest, TheActiveWindowGetsTheFocusBackWhenTheBoxCloses) {
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    WhenModalShows([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->accept(); });
    TQtDialogService service;
    service.MessageBox(QStringLiteral("Please select a folder firstly."), QStringLiteral("Error"),
                       mbIconInformation, mbOK);
    EXPECT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));
}

} // namespace

#include "DialogsTest.moc"
