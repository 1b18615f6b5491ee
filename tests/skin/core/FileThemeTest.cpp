#include "RawSkinImage.h"
#include "framework/controls/Control.h"
#include "framework/controls/Panel.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SKListView.h"
#include "skin/controls/SKRegister.h"
#include "skin/controls/SKScrollBar.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKSkinFile.h"
#include "skin/core/SKThemes.h"
#include "skin/frame/SKForm.h"
#include "tests/support/ReferenceOrders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A skinned control as every control is: FileTheme and UIStyle published, the theme
// held by a component reference that falls back to DeepBlue. It records the order of
// assignments.
class TskProbeControl : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(TskFileTheme* FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)

public:
    using TCustomControl::TCustomControl;
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme) {
        FFileTheme.Set(theme);
        assignments << QStringLiteral("FileTheme");
    }
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style) {
        FUIStyle = style;
        assignments << QStringLiteral("UIStyle");
    }
    QStringList assignments;

private:
    TskUIStyle FUIStyle = MacOS;
    TComponentReference<TskFileTheme> FFileTheme{this, [this](TskFileTheme*) {
                                                     FUIStyle = DeepBlue;
                                                     assignments << QStringLiteral("dropped");
                                                 }};
};

// Publishes a look but no file theme.
class TskStyleOnlyControl : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(SkinStyles::TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)

public:
    using TCustomControl::TCustomControl;
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style) { FUIStyle = style; }

private:
    TskUIStyle FUIStyle = MacOS;
};

// Refers to a theme like a skinned control, but is not one of the skin's classes.
class TPlainThemeUser : public TskProbeControl {
    Q_OBJECT

public:
    using TskProbeControl::TskProbeControl;
};

namespace {

struct MessageRecord {
    QString text;
    QString caption;
};

class RecordingDialogs : public TDialogService {
public:
    explicit RecordingDialogs(QList<MessageRecord>* messages) : FMessages(messages) {}
    TOpenFileAnswer OpenFile(const TOpenFileRequest&) override { return {}; }
    std::optional<QString> BrowseForFolder(QWidget*, const QString&) override { return {}; }
    int MessageBox(const QString& text, const QString& caption, TMsgBoxIcon,
                   TMsgBoxButtons) override {
        FMessages->append({text, caption});
        return idOK;
    }
    void ShellOpen(const QString&) override {}

private:
    QList<MessageRecord>* FMessages;
};

QList<TskSkinEntry> EntriesWithBorderWidth(int width) {
    return {
        {QStringLiteral("FormBorderWidthInt"), TskSkinEntryType::Integer, SkinIntegerData(width)},
        {QStringLiteral("formborderwidthint"), TskSkinEntryType::Integer, SkinIntegerData(99)},
        {QStringLiteral("buttonimage"), TskSkinEntryType::Picture,
         BitmapData(9, 4, qRgb(0, 0, 255))},
        {QStringLiteral("ButtonTransparentBool"), TskSkinEntryType::Flag, QByteArray(1, '\2')},
        {QStringLiteral("FormBackgroundColor"), TskSkinEntryType::Integer,
         SkinIntegerData(RGB(0x12, 0x34, 0x56))},
    };
}

class FileThemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        FPreviousDialogs = SetDialogs(std::make_unique<RecordingDialogs>(&messages));
        programFolder = MakeFolder(QStringLiteral("program"));
        dataHome = MakeFolder(QStringLiteral("home"));
        SetSkinProgramFolder(programFolder);
        qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (root.filePath(QStringLiteral("dirs1")) + QLatin1Char(':') +
                                  root.filePath(QStringLiteral("dirs2")))
                                     .toLocal8Bit());
    }
    void TearDown() override {
        SetDialogs(std::move(FPreviousDialogs));
        SetSkinProgramFolder(QString());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
    }

    QString MakeFolder(const QString& relative) {
        QDir(root.path()).mkpath(relative);
        return root.filePath(relative);
    }
    static QString WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QString WriteSkin(const QString& path, int borderWidth) {
        return WriteFile(path, WriteSkinFile(EntriesWithBorderWidth(borderWidth)));
    }

    QTemporaryDir root;
    QString programFolder;
    QString dataHome;
    QList<MessageRecord> messages;

private:
    std::unique_ptr<TDialogService> FPreviousDialogs;
};

TEST_F(FileThemeTest, AnswersElementsByKeyWithoutRegardToCase) {
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(WriteSkin(root.filePath(QStringLiteral("a.skn")), 3));
    ASSERT_TRUE(theme.CanUse()) << theme.LastError().toStdString();
    EXPECT_EQ(theme.GetInt(FormBorderWidthInt), 3) << "the first of two equal keys wins";
    EXPECT_EQ(theme.GetColor(FormBackgroundColor), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(theme.GetColor(MenuMenuBarColor), -1);
    EXPECT_EQ(theme.GetInt(FormMinWidthInt), -1);
    EXPECT_TRUE(theme.GetBool(ButtonTransparentBool));
    EXPECT_FALSE(theme.GetBool(TitleBarButtonTransparentBool));

    TBitmap whole;
    theme.GetBitmap(ButtonImage, &whole);
    EXPECT_EQ(whole.Width(), 9);
    EXPECT_EQ(whole.Pixel(0, 0), clBlue);
    TBitmap frame;
    theme.GetBitmap(ButtonImage, &frame, 3, 2);
    EXPECT_EQ(frame.Width(), 3);
    EXPECT_EQ(frame.Height(), 4);

    TBitmap untouched;
    untouched.SetSize(2, 2);
    theme.GetBitmap(CheckBoxImage, &untouched);
    EXPECT_EQ(untouched.Width(), 2);
    theme.GetBitmap(CheckBoxImage, &untouched, 4, 1);
    EXPECT_TRUE(untouched.Empty());
}

TEST_F(FileThemeTest, AnswersNeutrallyBeforeAnyFileIsLoaded) {
    TskFileThemeMgr manager;
    EXPECT_EQ(manager.GetInt(FormBorderWidthInt), 0);
    EXPECT_EQ(manager.GetColor(FormBorderColor), 0);
    EXPECT_FALSE(manager.GetBool(ButtonTransparentBool));
    TBitmap bitmap;
    bitmap.SetSize(3, 1);
    manager.GetBitmap(ButtonImage, &bitmap, 3, 1);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_FALSE(manager.LoadFile(root.filePath(QStringLiteral("missing.skn"))));
    EXPECT_FALSE(manager.Loaded());
}

TEST_F(FileThemeTest, RecognisesSkinFilesOnDiskOnly) {
    EXPECT_TRUE(IsSkinFile(WriteSkin(root.filePath(QStringLiteral("ok.skn")), 1)));
    EXPECT_FALSE(IsSkinFile(root.filePath(QStringLiteral("missing.skn"))));
    EXPECT_FALSE(IsSkinFile(root.path()));
    EXPECT_FALSE(IsSkinFile(QString()));
    EXPECT_FALSE(IsSkinFile(WriteFile(root.filePath(QStringLiteral("short.skn")), "SkinKit")));
}

TEST_F(FileThemeTest, SearchesTheProgramFolderFirstThenTheDataFolders) {
    const QString inProgram = WriteSkin(programFolder + QStringLiteral("/look.skn"), 1);
    MakeFolder(QStringLiteral("home/sumwarden"));
    WriteSkin(dataHome + QStringLiteral("/sumwarden/look.skn"), 2);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(QStringLiteral("look.skn"));
    EXPECT_EQ(theme.ThemeFile(), inProgram);
    EXPECT_EQ(theme.GetInt(FormBorderWidthInt), 1);

    QFile::remove(inProgram);
    TskFileTheme fromHome(nullptr);
    fromHome.SetThemeFile(QStringLiteral("/nowhere/look.skn"));
    EXPECT_EQ(fromHome.ThemeFile(), dataHome + QStringLiteral("/sumwarden/look.skn"));

    MakeFolder(QStringLiteral("dirs2/sumwarden"));
    const QString inSystem =
        WriteSkin(root.filePath(QStringLiteral("dirs2/sumwarden/other.skn")), 5);
    TskFileTheme fromSystem(nullptr);
    fromSystem.SetThemeFile(QStringLiteral("other.skn"));
    EXPECT_EQ(fromSystem.ThemeFile(), inSystem);
    EXPECT_EQ(fromSystem.GetInt(FormBorderWidthInt), 5);

    TskFileTheme nowhere(nullptr);
    nowhere.SetThemeFile(QStringLiteral("absent.skn"));
    EXPECT_TRUE(nowhere.ThemeFile().isEmpty());
    EXPECT_FALSE(nowhere.CanUse());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FileThemeTest, TheDefaultFoldersFollowTheDesktopConventions) {
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
    const QStringList folders = SkinSearchFolders();
    ASSERT_EQ(folders.size(), 4);
    EXPECT_EQ(folders[0], programFolder);
    EXPECT_EQ(folders[1], QDir::home().filePath(QStringLiteral(".local/share/sumwarden")));
    EXPECT_EQ(folders[2], QStringLiteral("/usr/local/share/sumwarden"));
    EXPECT_EQ(folders[3], QStringLiteral("/usr/share/sumwarden"));
}

TEST_F(FileThemeTest, TheSamePathAgainAndTheEmptyTextChangeNothing) {
    const QString path = WriteSkin(root.filePath(QStringLiteral("a.skn")), 3);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(path);
    WriteSkin(path, 4);
    theme.SetThemeFile(path);
    EXPECT_EQ(theme.GetInt(FormBorderWidthInt), 3) << "the file is read only on a change";
    theme.SetThemeFile(QString());
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FileThemeTest, RefusesAFileWithoutTheSignatureAndKeepsWhatItHas) {
    const QString good = WriteSkin(root.filePath(QStringLiteral("good.skn")), 3);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(good);
    theme.SetThemeFile(
        WriteFile(root.filePath(QStringLiteral("plain.skn")), "hello, world, hello"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("Invalid skin file for SkinKit!"));
    EXPECT_EQ(theme.ThemeFile(), good);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetInt(FormBorderWidthInt), 3);
}

TEST_F(FileThemeTest, RefusesABrokenSkinFileNamingItAndKeepsWhatItHas) {
    const QString good = WriteSkin(root.filePath(QStringLiteral("good.skn")), 3);
    const QString looping = WriteFile(root.filePath(QStringLiteral("loop.skn")),
                                      RawSkinImage().Record(24, "A", 1, 0, 4, 24).Bytes());
    TskFileTheme fresh(nullptr);
    fresh.SetThemeFile(looping);
    EXPECT_FALSE(fresh.CanUse());
    EXPECT_TRUE(fresh.ThemeFile().isEmpty());

    TskFileTheme theme(nullptr);
    theme.SetThemeFile(good);
    messages.clear();
    theme.SetThemeFile(looping);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Invalid skin file for SkinKit!")));
    EXPECT_TRUE(messages[0].text.contains(looping)) << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("loops back")));
    EXPECT_TRUE(theme.LastError().contains(looping));
    EXPECT_EQ(theme.ThemeFile(), good);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetInt(FormBorderWidthInt), 3);
}

TEST_F(FileThemeTest, LoadingHasTheOwnerFormsSkinnedComponentsReadTheThemeAgain) {
    TForm form(nullptr);
    auto* theme = new TskFileTheme(&form);
    auto* user = new TskProbeControl(&form);
    auto* other = new TskProbeControl(&form);
    auto* plain = new TPlainThemeUser(&form);
    user->SetFileTheme(theme);
    plain->SetFileTheme(theme);
    user->assignments.clear();
    plain->assignments.clear();
    theme->SetThemeFile(WriteSkin(root.filePath(QStringLiteral("a.skn")), 3));
    EXPECT_EQ(user->assignments, QStringList{QStringLiteral("FileTheme")});
    EXPECT_TRUE(other->assignments.isEmpty());
    EXPECT_TRUE(plain->assignments.isEmpty()) << "only the skin's own classes";
    user->assignments.clear();
    theme->SetThemeFile(WriteSkin(root.filePath(QStringLiteral("b.skn")), 4));
    EXPECT_EQ(user->assignments.size(), 1);
    EXPECT_EQ(user->FileTheme(), theme);
}

TEST_F(FileThemeTest, ADestroyedThemeLeavesItsControlsInDeepBlue) {
    TskProbeControl control(nullptr);
    auto theme = std::make_unique<TskFileTheme>(nullptr);
    control.SetFileTheme(theme.get());
    control.SetUIStyle(FromThemeFile);
    theme.reset();
    EXPECT_EQ(control.FileTheme(), nullptr);
    EXPECT_EQ(control.UIStyle(), DeepBlue);
    EXPECT_TRUE(control.assignments.contains(QStringLiteral("dropped")));

    auto replaced = std::make_unique<TskFileTheme>(nullptr);
    auto kept = std::make_unique<TskFileTheme>(nullptr);
    control.SetFileTheme(replaced.get());
    control.SetFileTheme(kept.get());
    control.SetUIStyle(MacOS);
    replaced.reset();
    EXPECT_EQ(control.FileTheme(), kept.get()) << "an earlier theme no longer matters";
    EXPECT_EQ(control.UIStyle(), MacOS);
}

TEST_F(FileThemeTest, EverySkinnedReferenceSurvivesEveryOrderOfFreeing) {
    RegisterSkinClasses();
    const QString skin = WriteSkin(root.filePath(QStringLiteral("refs.skn")), 2);
    const auto makeTheme = [skin](TComponent* owner) -> TComponent* {
        auto* theme = new TskFileTheme(owner);
        theme->SetThemeFile(skin);
        return theme;
    };
    QList<TReferenceKind> kinds;
    // Every registered class that publishes FileTheme (the image button does not).
    for (const char* name :
         {"TskButton", "TskCheckBox", "TskEdit", "TskPageControl", "TskTrackBar", "TskScrollBar",
          "TskListView", "TskForm", "TskTitleBar", "TskMainMenu", "TskPopupMenu"}) {
        const TComponentFactory factory = FindClass(QString::fromLatin1(name));
        ASSERT_TRUE(factory) << name;
        const std::unique_ptr<TComponent> sample(factory(nullptr));
        ASSERT_GE(sample->metaObject()->indexOfProperty("FileTheme"), 0) << name;
        kinds.append({name, factory, makeTheme,
                      [](TComponent* holder, TComponent* theme) {
                          holder->setProperty("FileTheme", QVariant::fromValue(theme));
                          holder->setProperty("UIStyle", QVariant::fromValue(FromThemeFile));
                      },
                      [](const TComponent* holder) -> TComponent* {
                          return holder->property("FileTheme").value<TskFileTheme*>();
                      },
                      [](TComponent*) {},
                      [](const TComponent* holder) {
                          EXPECT_EQ(holder->property("UIStyle").value<TskUIStyle>(), DeepBlue);
                      }});
    }
    // The menu bar's host and the list's bars are called back by their targets.
    kinds.append(
        {"skinned form menu", [](TComponent* owner) -> TComponent* { return new TskForm(owner); },
         [](TComponent* owner) -> TComponent* { return new TskMainMenu(owner); },
         [](TComponent* form, TComponent* menu) { static_cast<TskForm*>(form)->SetMenu(menu); },
         [](const TComponent* form) { return static_cast<const TskForm*>(form)->Menu(); },
         [](TComponent* menu) {
             auto* skinned = static_cast<TskMainMenu*>(menu);
             skinned->Items()->Add(new TMenuItem(skinned));
             skinned->SetUseSystemFont(!skinned->UseSystemFont());
         }});
    kinds.append(
        {"skinned form panel", [](TComponent* owner) -> TComponent* { return new TskForm(owner); },
         [](TComponent* owner) -> TComponent* { return new TPanel(owner); },
         [](TComponent* form, TComponent* panel) {
             static_cast<TskForm*>(form)->SetFormPanel(panel);
         },
         [](const TComponent* form) { return static_cast<const TskForm*>(form)->FormPanel(); }});
    for (const bool vertical : {true, false}) {
        kinds.append({vertical ? "list view vertical bar" : "list view horizontal bar",
                      [](TComponent* owner) -> TComponent* { return new TskListView(owner); },
                      [](TComponent* owner) -> TComponent* { return new TskScrollBar(owner); },
                      [vertical](TComponent* list, TComponent* bar) {
                          auto* view = static_cast<TskListView*>(list);
                          auto* scrollBar = static_cast<TskScrollBar*>(bar);
                          vertical ? view->SetVScrollBar(scrollBar)
                                   : view->SetHScrollBar(scrollBar);
                      },
                      [vertical](const TComponent* list) -> TComponent* {
                          const auto* view = static_cast<const TskListView*>(list);
                          return vertical ? view->VScrollBar() : view->HScrollBar();
                      },
                      [](TComponent* bar) {
                          auto* scrollBar = static_cast<TskScrollBar*>(bar);
                          scrollBar->SetPosition(scrollBar->Position() + 1);
                          if (scrollBar->OnChange) {
                              scrollBar->OnChange(scrollBar);
                          }
                      }});
    }
    for (const TReferenceKind& kind : kinds) {
        CheckReferenceInEveryOrder(kind);
    }
}

TEST_F(FileThemeTest, UsingFileThemeFallsBackToDeepBlue) {
    TskUIStyle effective = MacOS;
    EXPECT_FALSE(UsingFileTheme(nullptr, WinXP, effective));
    EXPECT_EQ(effective, WinXP);
    EXPECT_FALSE(UsingFileTheme(nullptr, FromThemeFile, effective));
    EXPECT_EQ(effective, DeepBlue);
    TskFileTheme theme(nullptr);
    effective = MacOS;
    EXPECT_FALSE(UsingFileTheme(&theme, FromThemeFile, effective));
    EXPECT_EQ(effective, DeepBlue);
    theme.SetThemeFile(WriteSkin(root.filePath(QStringLiteral("a.skn")), 3));
    EXPECT_TRUE(UsingFileTheme(&theme, FromThemeFile, effective));
    EXPECT_FALSE(UsingFileTheme(&theme, Protein, effective));
    EXPECT_EQ(effective, Protein);
}

TEST(FormUIStyle, TakesTheLookOfTheFormsSkinnedForm) {
    EXPECT_EQ(GetFormUIStyle(nullptr), DeepBlue);
    TForm plainForm(nullptr);
    new TskProbeControl(&plainForm);
    EXPECT_EQ(GetFormUIStyle(&plainForm), DeepBlue);
    TskProbeControl notAForm(nullptr);
    EXPECT_EQ(GetFormUIStyle(&notAForm), DeepBlue);

    TForm owned(nullptr);
    auto* skinned = new TskForm(&owned);
    skinned->SetUIStyle(WinXP);
    EXPECT_EQ(GetFormUIStyle(&owned), WinXP);

    TForm parented(nullptr);
    TskForm child(nullptr);
    child.SetParent(&parented);
    child.SetUIStyle(Protein);
    EXPECT_EQ(GetFormUIStyle(&parented), Protein);
    child.SetParent(nullptr);
}

TEST(ApplyStyleToChildren, SetsTheThemeThenTheLookOfChildrenThatPublishBoth) {
    TskProbeControl container(nullptr);
    TskProbeControl full(nullptr);
    TskStyleOnlyControl styleOnly(nullptr);
    TskProbeControl grandchild(nullptr);
    full.SetParent(&container);
    styleOnly.SetParent(&container);
    grandchild.SetParent(&full);
    full.assignments.clear();
    TskFileTheme theme(nullptr);
    ApplyStyleToChildren(&container, BlueGlass, &theme);
    EXPECT_EQ(full.assignments,
              (QStringList{QStringLiteral("FileTheme"), QStringLiteral("UIStyle")}));
    EXPECT_EQ(full.UIStyle(), BlueGlass);
    EXPECT_EQ(full.FileTheme(), &theme);
    EXPECT_EQ(styleOnly.UIStyle(), MacOS) << "a child without FileTheme is skipped";
    EXPECT_TRUE(grandchild.assignments.isEmpty());
    ApplyStyleToChildren(&container, WinXP, nullptr);
    EXPECT_EQ(full.FileTheme(), nullptr);
    EXPECT_EQ(full.UIStyle(), WinXP);
    grandchild.SetParent(nullptr);
    full.SetParent(nullptr);
    styleOnly.SetParent(nullptr);
}

TEST(HasPublishedProperty, AsksTheMetaObject) {
    TskStyleOnlyControl control(nullptr);
    EXPECT_TRUE(HasPublishedProperty(&control, QStringLiteral("UIStyle")));
    EXPECT_TRUE(HasPublishedProperty(&control, QStringLiteral("Left")));
    EXPECT_FALSE(HasPublishedProperty(&control, QStringLiteral("FileTheme")));
    EXPECT_FALSE(HasPublishedProperty(&control, QStringLiteral("uistyle")));
    EXPECT_FALSE(HasPublishedProperty(nullptr, QStringLiteral("UIStyle")));
}

} // namespace

#include "FileThemeTest.moc"
