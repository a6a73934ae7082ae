// The running program end to end: start-up with its splash, Save/Load/Convert through the main
// window, and the headless convert command run as a real process.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <set>

#include "comparison.h"
#include "crashrecovery.h"
#include "diagrambuilder.h"
#include "drawstudent.h"
#include "fakeappdialogs.h"
#include "form1.h"
#include "overview.h"
#include "frmsplash.h"
#include "projectfile.h"
#include "projectstore.h"
#include "recentprojects.h"
#include "relvaneapp.h"
#include "relvanerun.h"
#include "reviewpanel.h"
#include "windowdialogs.h"

namespace {

frmSplash* openSplash() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<frmSplash*>(w); splash && splash->isVisible())
            return splash;
    return nullptr;
}

void clickFrame(QWidget* frame) {
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, frame->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, frame->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &press);
    QApplication::sendEvent(frame, &release);
}

class AppTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeAppDialogs dialogs;
    QString settingsFile() const { return dir.filePath("Quillo.conf"); }
    QString database() const { return dir.filePath("projects.db"); }
    QString recoveryDirectory() const { return dir.filePath("recovery"); }
    // The recovery files there (not the locks), comma-separated.
    QString recoveryFiles() const {
        return QDir(recoveryDirectory())
            .entryList({"*.relvane-recovery", "*.unreadable"}, QDir::Files)
            .join(",");
    }

    // One run of the program: start-up, then the caller's work, then the window closes. The
    // choosers are the fixture's `dialogs` unless others are given.
    std::unique_ptr<RelvaneApp> startApp(FakePrompts& prompts, AppDialogs* choosers = nullptr) {
        auto app = std::make_unique<RelvaneApp>(&prompts, choosers ? choosers : &dialogs,
                                                settingsFile(), recoveryDirectory());
        app->start();
        app->settings().setStoreConnection(database());
        return app;
    }
};

TEST_F(AppTest, TheSplashShowsOnTheFirstStartAndNotAfterItIsTurnedOff) {
    FakePrompts prompts;
    {
        auto app = startApp(prompts);
        frmSplash* splash = openSplash();
        ASSERT_NE(splash, nullptr) << "the first start greets the user";
        EXPECT_EQ(app->window().windowTitle(), "Relvane: 未命名") << "no project is open yet";
        splash->findChild<QCheckBox*>("Check1")->setChecked(false);
        clickFrame(splash->findChild<QFrame*>("Frame1"));
        EXPECT_EQ(openSplash(), nullptr);
        app->window().close();
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    {
        auto app = startApp(prompts);
        EXPECT_EQ(openSplash(), nullptr) << "FirstLogo 0 starts without the splash";
        app->window().close();
    }
    QSettings stored(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("FirstLogo").toString(), "0");
    EXPECT_TRUE(stored.contains("NormalForm1Width")) << "shutdown wrote the settings";
}

TEST_F(AppTest, TextbookModeStartsWithConvertDisabled) {
    {
        QSettings stored(settingsFile(), QSettings::IniFormat);
        stored.setValue("PresentStyle", "0");
        stored.setValue("FirstLogo", "0");
    }
    FakePrompts prompts;
    auto app = startApp(prompts);
    EXPECT_FALSE(app->window().findChild<QWidget*>("Command4")->isEnabled());
    EXPECT_EQ(app->window().diagram().settings.PresentStyle, 0);
}

TEST_F(AppTest, AStoredPlacementOffEveryScreenOrTooLargeIsClampedAndWrittenBackClamped) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const char* const placements[][4] = {{"1e30", "-1e30", "100000", "100000"},
                                         {"-5000", "99999", "3e9", "2"}};
    for (const auto& p : placements) {
        {
            QSettings stored(settingsFile(), QSettings::IniFormat);
            stored.setValue("FirstLogo", "0");
            stored.setValue("Left", p[0]);
            stored.setValue("Top", p[1]);
            stored.setValue("Width", p[2]);
            stored.setValue("Height", p[3]);
        }
        FakePrompts prompts;
        {
            auto app = startApp(prompts);
            const QRect shown = app->window().frameGeometry();
            EXPECT_TRUE(area.contains(shown)) << p[0] << ": " << shown.x() << "," << shown.y()
                                              << " " << shown.width() << "x" << shown.height();
            app->window().close();
        }
        QSettings stored(settingsFile(), QSettings::IniFormat);
        const QRect written(stored.value("Left").toInt(), stored.value("Top").toInt(),
                            stored.value("Width").toInt(), stored.value("Height").toInt());
        EXPECT_TRUE(area.contains(written)) << p[0];
    }
}

TEST_F(AppTest, SetOpensTheOptionsBesideTheWindowAndTheScaleMemoryIsSaved) {
    FakePrompts prompts;
    {
        auto app = startApp(prompts);
        app->window().findChild<QAction*>("mnuSet")->trigger();
        QWidget* options = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmOptions" && w->isVisible()) options = w;
        ASSERT_NE(options, nullptr);
        EXPECT_FALSE(options->isModal());
        options->close();
        app->window().setScaleMemory({640, 480, 10, 20});
        app->window().close();
    }
    QSettings stored(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("NormalForm1Width").toString(), "640");
    EXPECT_EQ(stored.value("NormalForm1Left").toString(), "20");
    FakePrompts again;
    auto app = startApp(again);
    EXPECT_EQ(app->window().scaleMemory(), (RememberedScale{640, 480, 10, 20}));
}

TEST_F(AppTest, SaveThenLoadInANewRunBringsTheDiagramBack) {
    FakePrompts prompts;
    {
        auto app = startApp(prompts);
        drawStudent(app->window());
        prompts.answer("學生 'registry'");
        app->save();
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
        EXPECT_EQ(app->window().diagram().view.projectName, "學生 'registry'");
        EXPECT_EQ(app->window().windowTitle(), "Relvane: 學生 'registry'")
            << "the caption names the saved project";
        EXPECT_EQ(app->window().findChild<QStatusBar*>("StatusBar2")->currentMessage(),
                  "已儲存 Project 學生 'registry'");
        app->window().close();
    }
    {
        auto app = startApp(prompts);
        EXPECT_EQ(app->window().diagram().view.projectName, "學生 'registry'");
        dialogs.answerProject("學生 'registry'");
        app->load();
        const Diagram& d = app->window().diagram();
        ASSERT_EQ(d.elementCount(), 3);
        EXPECT_EQ(d.element(1).Caption, "Student");
        EXPECT_TRUE(d.element(2).underlined());
        EXPECT_EQ(app->window().windowTitle(), "Relvane: 學生 'registry'");
        app->window().close();
    }
}

TEST_F(AppTest, UnsavedChangesAreMarkedAndAskedAboutBeforeTheyWouldBeLost) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    Form1& window = app->window();
    const QString clean = window.windowTitle();
    drawStudent(window);
    EXPECT_EQ(window.windowTitle(), clean + "*");

    // 取消: neither Load nor New nor closing goes ahead.
    prompts.answerSave(Prompts::SaveChoice::Cancel);
    app->load();
    EXPECT_EQ(prompts.saveQuestions, QStringList{"目前的圖形尚未儲存, 要儲存嗎?"});
    EXPECT_TRUE(dialogs.projectLists.empty()) << "no project was asked for";
    prompts.answerSave(Prompts::SaveChoice::Cancel);
    app->newDiagram();
    prompts.answerSave(Prompts::SaveChoice::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.diagram().isLiveElement(1));

    // 儲存: the project is saved first, and the caption loses its mark.
    prompts.answerSave(Prompts::SaveChoice::Save);
    prompts.answer("unsaved");
    app->newDiagram();
    EXPECT_EQ(window.diagram().elementCount(), 1) << "saved, then a new diagram";
    EXPECT_EQ(window.windowTitle(), "Relvane: 未命名") << "the new diagram is no project yet";
    window.editor().undo();
    EXPECT_TRUE(window.diagram().isLiveElement(1)) << "New is one step";
    EXPECT_EQ(window.windowTitle(), "Relvane: unsaved*")
        << "the drawing is project unsaved again, changed since New started afresh";

    // 不儲存: the changes go.
    window.editor().createElement(KindEntity);
    prompts.answerSave(Prompts::SaveChoice::Discard);
    EXPECT_TRUE(window.close());
}

TEST_F(AppTest, SaveGoesToTheOpenProjectSaveAsAsksAndRecentProjectsOpenAgain) {
    FakePrompts prompts;
    {
        auto app = startApp(prompts);
        Form1& window = app->window();
        drawStudent(window);
        const auto status = [&] {
            return window.findChild<QStatusBar*>("StatusBar2")->currentMessage();
        };
        prompts.answer("first");
        window.findChild<QAction*>("mnuSave")->trigger();  // no project yet: asks
        EXPECT_EQ(window.windowTitle(), "Relvane: first");
        EXPECT_EQ(status(), "已儲存 Project first");
        window.diagram().element(1).Caption = "Pupil";
        window.findChild<QAction*>("mnuSave")->trigger();  // Ctrl+S: no question
        EXPECT_EQ(prompts.inputRequests.size(), 1u);
        prompts.answer("second");
        window.findChild<QAction*>("mnuSaveAs")->trigger();
        EXPECT_EQ(prompts.inputRequests.back().defaultText, "first");
        EXPECT_EQ(window.windowTitle(), "Relvane: second");

        const QString file = dir.filePath("homework.relvane");
        dialogs.projectFileToWrite = file;
        window.findChild<QAction*>("mnuExportFile")->trigger();
        QStringList labels;
        for (QAction* item : window.findChild<QMenu*>("mnuRecent")->actions())
            labels << item->text();
        EXPECT_EQ(labels, QStringList({"&1 second (" + QDir::toNativeSeparators(file) + ")",
                                       "&2 second", "&3 first"}));
        window.close();
    }
    // Another run offers them too; one click opens one.
    auto app = startApp(prompts);
    Form1& window = app->window();
    QMenu* recent = window.findChild<QMenu*>("mnuRecent");
    ASSERT_EQ(recent->actions().size(), 3);
    recent->actions()[2]->trigger();
    EXPECT_EQ(window.windowTitle(), "Relvane: first");
    EXPECT_EQ(window.diagram().view.project.stored, "first");
    EXPECT_EQ(window.diagram().element(1).Caption, "Pupil");
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
    EXPECT_EQ(recent->actions()[0]->text(), "&1 first") << "opened last, so first in the list";
    window.editor().createElement(KindEntity);
    prompts.answerSave(Prompts::SaveChoice::Cancel);
    recent->actions()[2]->trigger();
    EXPECT_EQ(window.windowTitle(), "Relvane: first*") << "取消 keeps the changes";
    prompts.answerSave(Prompts::SaveChoice::Discard);
    recent->actions()[2]->trigger();
    EXPECT_EQ(window.windowTitle(), "Relvane: second");
    prompts.answerSave(Prompts::SaveChoice::Discard);
    window.close();
}

TEST(RecentProjects, NewestFirstEachOnceAtMostEightAndKeptAsText) {
    RecentProjects recent;
    for (int n = 1; n <= 10; ++n)
        recent.add({RecentProject::Kind::Store, "db", QString("p%1").arg(n)});
    recent.add({RecentProject::Kind::Store, "db", "p5"});
    recent.add({RecentProject::Kind::File, "/x/p5.relvane", "p5"});
    QStringList names;
    for (const RecentProject& p : recent.entries()) names << p.label();
    EXPECT_EQ(names,
              QStringList({"p5 (/x/p5.relvane)", "p5", "p10", "p9", "p8", "p7", "p6", "p4"}));
    EXPECT_EQ(RecentProjects::fromText(recent.toText()).entries(), recent.entries());
    EXPECT_TRUE(RecentProjects::fromText("garbage\nstore\t\t\nfile\t\tname").entries().empty());
}

TEST_F(AppTest, AProjectFileCarriesTheDiagramToAnotherRun) {
    FakePrompts prompts;
    const QString file = dir.filePath("handed in.relvane");
    {
        auto app = startApp(prompts);
        drawStudent(app->window());
        dialogs.projectFileToWrite = file;
        app->window().findChild<QAction*>("mnuExportFile")->trigger();
        ASSERT_EQ(dialogs.presets.size(), 1);
        EXPECT_TRUE(
            dialogs.presets[0].endsWith(app->window().diagram().view.projectName + ".relvane"));
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
        prompts.answerSave(Prompts::SaveChoice::Discard);
        app->window().close();
    }
    auto app = startApp(prompts);
    dialogs.projectFileToRead = file;
    app->window().findChild<QAction*>("mnuImportFile")->trigger();
    const Diagram& d = app->window().diagram();
    ASSERT_EQ(d.elementCount(), 3);
    EXPECT_TRUE(d.element(2).underlined());
    EXPECT_FALSE(app->window().windowTitle().endsWith("*"));

    // A file that is no project file changes nothing.
    dialogs.projectFileToRead = settingsFile();
    app->window().findChild<QAction*>("mnuImportFile")->trigger();
    EXPECT_EQ(prompts.messages.last(), "Quillo.conf 不是 Relvane 專案檔");
    EXPECT_EQ(d.elementCount(), 3);
}

// `relvane FILE.relvane`: the file opens after start-up as 匯入專案檔 opens it, once unsaved work
// (a recovered diagram) is settled.
TEST_F(AppTest, AProjectFileGivenAtStartOpensOnceUnsavedWorkIsSettled) {
    FakePrompts prompts;
    const QString file = dir.filePath("Homework.relvane");
    auto app = startApp(prompts);
    drawStudent(app->window());
    const Diagram& d = app->window().diagram();
    const int handedIn = d.elementCount();
    ASSERT_EQ(exportProjectFile(d, file, "Homework"), std::nullopt);
    app->window().editor().newDiagram();
    app->window().editor().createElement(KindEntity);
    const int unsaved = d.elementCount();

    app->openProjectFile(file);  // 取消: the unsaved entity stays
    EXPECT_EQ(d.elementCount(), unsaved);
    prompts.answerSave(Prompts::SaveChoice::Discard);
    app->openProjectFile(file);
    EXPECT_EQ(prompts.saveQuestions.size(), 2);
    EXPECT_EQ(d.elementCount(), handedIn);
    EXPECT_EQ(d.view.projectName, "Homework");
    EXPECT_TRUE(app->window().windowTitle().contains("Homework"));
    EXPECT_FALSE(app->window().windowTitle().endsWith("*"));

    // A file that is not there is told about and changes nothing.
    app->openProjectFile(dir.filePath("gone.relvane"));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(d.elementCount(), handedIn);
}

TEST_F(AppTest, LoadingAMissingProjectSaysSoAndKeepsTheCaption) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    const QString before = app->window().windowTitle();
    dialogs.answerProject("nothing here");
    app->load();
    EXPECT_TRUE(prompts.messages.contains("資料庫內沒有這個 Project"));
    EXPECT_EQ(app->window().windowTitle(), before);
    EXPECT_EQ(app->window().diagram().view.projectName, "nothing here") << "the name typed last";
}

// Load asks with the project list of the store the settings name, preset to the name used last:
// Cancel there keeps the diagram, and a row picked is the project loaded.
TEST_F(AppTest, LoadChoosesFromTheProjectListOfTheStore) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    Form1& window = app->window();
    drawStudent(window);
    prompts.answer("first");
    ASSERT_TRUE(app->save());
    window.diagram().element(1).Caption = "Pupil";
    prompts.answer("second");
    ASSERT_TRUE(app->saveAs());
    const auto names = [](const QStringList& rows) {
        QStringList names;
        for (const QString& row : rows) names << row.section('|', 0, 0);
        names.sort();
        return names;
    };
    auto* loadButton = window.findChild<QPushButton*>("Command3");
    ASSERT_NE(loadButton, nullptr);

    prompts.answerConfirm(true);  // 載入 Project 會清除目前的圖形
    loadButton->click();          // nothing queued: the list is cancelled
    ASSERT_EQ(dialogs.projectLists.size(), 1u);
    EXPECT_EQ(names(dialogs.projectLists[0]), QStringList({"first", "second"}));
    EXPECT_EQ(dialogs.projectPresets, QStringList{"second"});
    EXPECT_EQ(window.windowTitle(), "Relvane: second");
    EXPECT_EQ(window.diagram().element(1).Caption, "Pupil");

    dialogs.answerProject([](ProjectListDialog& list) -> std::optional<QString> {
        const int row = int(list.shownRows().indexOf(QRegularExpression("^first\\|.*")));
        if (row < 0) return std::nullopt;
        list.findChild<QTableWidget*>()->selectRow(row);
        return list.name();
    });
    prompts.answerConfirm(true);
    loadButton->click();
    EXPECT_EQ(window.windowTitle(), "Relvane: first");
    EXPECT_EQ(window.diagram().element(1).Caption, "Student");
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
}

TEST_F(AppTest, ConvertValidatesAsksWhereToWriteAndOpensTheWorkbook) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    const QString target = dir.filePath("out.xlsx");
    dialogs.workbookPath = target;

    app->convert();
    EXPECT_EQ(prompts.messages, QStringList{"目前沒有任何資料"});
    EXPECT_TRUE(dialogs.presets.isEmpty()) << "an invalid diagram asks for no file";

    drawStudent(app->window());
    app->convert();
    ASSERT_EQ(dialogs.presets.size(), 1);
    EXPECT_TRUE(dialogs.presets[0].endsWith(app->window().diagram().view.projectName + ".xlsx"));
    EXPECT_EQ(dialogs.openedWorkbooks, QStringList{target});
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(app->window().findChild<QStatusBar*>("StatusBar2")->currentMessage(),
              "已寫入 " + target);
}

TEST_F(AppTest, AWorkbookTheDesktopCannotOpenIsReportedWithItsPath) {
    // An xdg-open that finds no program, as on a desktop without a spreadsheet.
    const QString bin = dir.filePath("bin");
    QDir().mkpath(bin);
    QFile opener(bin + "/xdg-open");
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexit 3\n");
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ":" + path);

    // The scripted choosers with the desktop's real opening of the workbook.
    struct DesktopOpening : FakeAppDialogs {
        explicit DesktopOpening(Prompts& prompts) : desktop(prompts, nullptr) {}
        void openWorkbook(const QString& path) override { desktop.openWorkbook(path); }
        WindowDialogs desktop;
    };
    FakePrompts prompts;
    DesktopOpening opening(prompts);
    const QString target = dir.filePath("out.xlsx");
    opening.workbookPath = target;
    auto app = startApp(prompts, &opening);
    drawStudent(app->window());
    app->convert();
    QElapsedTimer waited;
    waited.start();
    while (prompts.messages.isEmpty() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    qputenv("PATH", path);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], "活頁簿已存於 " + target + ", 但找不到可以開啟它的試算表程式");
}

TEST_F(AppTest, ConvertThatCannotWriteTellsWhyAndLeavesNoFile) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    drawStudent(app->window());
    const QString target = dir.filePath("missing-folder/out.xlsx");
    dialogs.workbookPath = target;
    app->convert();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(target));
    EXPECT_TRUE(dialogs.openedWorkbooks.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

// ---- the review panel ----

TEST_F(AppTest, TheReviewPanelShowsProblemsThenTheSchemaAndPointsBackToTheElement) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    ReviewPanel& panel = app->reviewPanel();
    EXPECT_TRUE(panel.isVisible()) << "shown by default";
    Editor& editor = app->window().editor();
    const int student = editor.createElement(KindEntity);
    panel.refresh();
    const QString noKey = "實體 Entity1 沒有設定主鍵";
    EXPECT_TRUE(panel.text()->toPlainText().contains(noKey)) << panel.text()->toPlainText().toStdString();

    // A key attribute: the problem goes and the relation shows.
    const int key = editor.createElement(KindAttribute);
    editor.toolbarButton("AttLine");
    editor.elementLeftDown(student, 1, 1);
    editor.elementLeftDown(key, 1, 1);
    editor.elementRightDown(key);
    editor.menuKey(key);
    panel.refresh();
    EXPECT_FALSE(panel.text()->toPlainText().contains(noKey));
    EXPECT_TRUE(panel.text()->toPlainText().contains("Entity1(Attribute2)"))
        << panel.text()->toPlainText().toStdString();
    EXPECT_EQ(panel.tipFor(QUrl("r:0")), "規則 1 實體\nEntity1 是實體, 成為一個關聯");

    // Clicking an entry selects the element it comes from.
    editor.clearSelection();
    panel.follow(QUrl("c:0:0"));
    EXPECT_EQ(app->window().diagram().view.selection, std::set<int>{key});

    // F9 hides it, and the next start remembers.
    QAction* toggle = app->window().findChild<QAction*>("mnuReviewPanel");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->shortcut(), QKeySequence(Qt::Key_F9));
    toggle->trigger();
    EXPECT_FALSE(panel.isVisible());
    // The overview, hidden at first, is remembered the same way.
    EXPECT_FALSE(app->window().overviewDock()->isVisible());
    app->window().findChild<QAction*>("mnuOverview")->trigger();
    prompts.answerSave(Prompts::SaveChoice::Discard);
    app->window().close();
    app.reset();
    auto again = startApp(prompts);
    EXPECT_FALSE(again->reviewPanel().isVisible());
    EXPECT_TRUE(again->window().overviewDock()->isVisible());
}

// Compared with a reference answer saved in the store: the score and the differences follow the
// drawing, point at the student's element, and the reference is never changed.
TEST_F(AppTest, TheReviewPanelComparesTheDiagramWithAReferenceAnswer) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    drawStudent(app->window());
    ASSERT_TRUE(ProjectStore(database()).saveAs(app->window().diagram(), "答案").ok);
    ReviewPanel& panel = app->reviewPanel();
    const auto text = [&panel] {
        panel.refresh();
        return panel.text()->toPlainText();
    };

    dialogs.reference = "沒有這個";
    app->compareWithReference();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], noSuchProjectMessage());
    EXPECT_FALSE(panel.comparing());

    dialogs.reference = "答案";
    app->compareWithReference();
    EXPECT_TRUE(text().contains("與參考答案 答案 比較: 分數 100")) << text().toStdString();
    EXPECT_EQ(panel.tipFor(QUrl("s:")), scoreRule());

    // An extra attribute costs points and links to the attribute.
    Editor& editor = app->window().editor();
    Diagram& d = app->window().diagram();
    const int extra = editor.createElement(KindAttribute);
    d.element(extra).Caption = "Nickname";
    editor.toolbarButton("AttLine");
    editor.elementLeftDown(1, 1, 1);
    editor.elementLeftDown(extra, 1, 1);
    EXPECT_TRUE(text().contains("多出的欄位 (1)")) << text().toStdString();
    EXPECT_TRUE(text().contains("Student 多出欄位 Nickname"));
    panel.follow(QUrl(QString("e:%1").arg(extra)));
    EXPECT_EQ(d.view.selection, std::set<int>{extra});

    // The rubric link prices the comparison by a rubric file; a malformed one is told and changes
    // nothing.
    EXPECT_TRUE(text().contains("-1 Student 多出欄位 Nickname")) << text().toStdString();
    const auto rubricFile = [this](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return std::optional<QString>(file.fileName());
    };
    dialogs.rubricFile = rubricFile("strict.txt", "extra-column = 6\n");
    panel.follow(QUrl("u:rubric"));
    EXPECT_TRUE(text().contains("分數 94")) << text().toStdString();
    EXPECT_TRUE(text().contains("評分標準: strict.txt"));
    EXPECT_TRUE(text().contains("-6 Student 多出欄位 Nickname"));
    dialogs.rubricFile = rubricFile("bad.txt", "extra-column 6\n");
    panel.follow(QUrl("u:rubric"));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].contains("第 1 行")) << prompts.messages[1].toStdString();
    EXPECT_EQ(panel.rubric().name, "strict.txt");

    panel.follow(QUrl("x:close"));
    EXPECT_FALSE(panel.comparing());
    EXPECT_FALSE(text().contains("參考答案"));
    // The reference stayed as saved.
    Diagram stored;
    FakePrompts quiet;
    Editor reader(stored, quiet);
    ASSERT_EQ(ProjectStore(database()).loadInto(reader, "答案").status,
              ProjectStore::LoadResult::Status::Loaded);
    EXPECT_EQ(compareDiagrams(stored, stored).score, 100);
    int attributes = 0;
    for (int i = 1; i < stored.elementCount(); ++i) attributes += stored.element(i).isAttributeKind();
    EXPECT_EQ(attributes, 1);
    prompts.answerSave(Prompts::SaveChoice::Discard);
}

// ---- crash recovery ----

const QString kRecoveryQuestion = "發現上次未正常結束時的圖形, 要復原嗎?";

// Unsaved work of every kind a crash could take: a weak entity identified through a
// relationship, participations and a role, then an attribute not connected yet (which no stored
// project can hold), renamed to an awkward name.
void drawUnsavedWork(RelvaneApp& app, FakePrompts& prompts) {
    DiagramBuilder b;
    const int employee = b.entity("Employee"), dependent = b.entity("Dependent");
    b.attribute(employee, "Ssn", true);
    b.attribute(dependent, "Name", true);
    b.multAttribute(employee, "Phone");
    const int has = b.relationship("Has");
    const auto [k1, k2] = b.binary(employee, has, dependent);
    b.makeWeak(dependent, has);
    b.setParticipation(k1, "0,N");
    b.setParticipation(k2, "1,1");
    b.setRole(k1, "撫養者");
    Editor& editor = app.window().editor();
    editor.replaceDiagram(b.d.document());
    const int loose = editor.createElement(KindAttribute);
    prompts.answer("未連接 'O''Brien'");
    editor.rename(Editor::Menu::Attribute, loose);
}

// Run as a child process by the test below: draws, waits for the recovery file, says so and
// waits to be killed.
TEST(RecoveryChild, DrawsAndWaitsToBeKilled) {
    const QString home = qEnvironmentVariable("RELVANE_RECOVERY_CHILD");
    if (home.isEmpty()) GTEST_SKIP() << "started by AKilledRunsWorkIsOfferedAndRestoredExactly";
    FakePrompts prompts;
    FakeAppDialogs dialogs;
    RelvaneApp app(&prompts, &dialogs, home + "/Quillo.conf", home + "/recovery");
    app.start();
    drawUnsavedWork(app, prompts);
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(app.recovery().ownFile()) && waited.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    std::puts(QFile::exists(app.recovery().ownFile()) ? "written" : "not written");
    std::fflush(stdout);
    QThread::sleep(120);
}

TEST_F(AppTest, AKilledRunsWorkIsOfferedAndRestoredExactly) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RELVANE_RECOVERY_CHILD", dir.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=RecoveryChild.DrawsAndWaitsToBeKilled"});
    QByteArray said;
    while (!said.contains("written") && child.waitForReadyRead(60000))
        said += child.readAllStandardOutput();
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    ASSERT_TRUE(said.contains("\nwritten")) << said.toStdString();
    ASSERT_FALSE(recoveryFiles().isEmpty()) << "the child's file stays";

    // What the child drew, drawn again by a run of our own.
    FakePrompts drawing;
    QTemporaryDir elsewhere;
    RelvaneApp expected(&drawing, &dialogs, elsewhere.filePath("Quillo.conf"),
                        elsewhere.filePath("r"));
    expected.start();
    drawUnsavedWork(expected, drawing);
    if (frmSplash* greeting = openSplash()) greeting->close();

    FakePrompts prompts;
    prompts.answerConfirm(true);
    auto app = startApp(prompts);
    EXPECT_EQ(prompts.confirmations, QStringList{kRecoveryQuestion});
    const Diagram& d = app->window().diagram();
    const Diagram& want = expected.window().diagram();
    ASSERT_EQ(d.elementCount(), want.elementCount());
    ASSERT_EQ(d.connectorCount(), want.connectorCount());
    for (int i = 0; i < d.elementCount(); ++i) EXPECT_TRUE(d.element(i) == want.element(i)) << i;
    for (int k = 0; k < d.connectorCount(); ++k)
        EXPECT_TRUE(d.connector(k) == want.connector(k)) << k;
    EXPECT_EQ(d.element(d.elementCount() - 1).Caption, "未連接 'O''Brien'");
    EXPECT_TRUE(app->window().windowTitle().endsWith("*")) << "restored work is unsaved";
    EXPECT_EQ(openSplash(), nullptr) << "no splash over the recovered drawing";
    EXPECT_EQ(recoveryFiles(), QFileInfo(app->recovery().ownFile()).fileName())
        << "the work moved into this run's own file";
    prompts.answerSave(Prompts::SaveChoice::Discard);
    app->window().close();
    EXPECT_EQ(recoveryFiles(), "") << "a clean exit leaves nothing";
}

TEST_F(AppTest, LocksLeftByKilledRunsWithoutWorkGoAtTheNextStart) {
    ASSERT_TRUE(QDir(recoveryDirectory()).mkpath("."));
    // A lock as a run that is gone left it: this process's lock, with a number no process has.
    QByteArray content;
    {
        const QString live = dir.filePath("live.lock");
        QLockFile lock(live);
        ASSERT_TRUE(lock.tryLock(0));
        QFile file(live);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    QList<QByteArray> lines = content.split('\n');
    lines[0] = "2147483646";
    for (const char* run : {"a", "b", "c"}) {
        QFile left(QDir(recoveryDirectory()).filePath(QString(run) + ".relvane-recovery.lock"));
        ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        left.write(lines.join('\n'));
    }
    FakePrompts prompts;
    auto app = startApp(prompts);
    EXPECT_TRUE(prompts.confirmations.isEmpty()) << "nothing to offer";
    EXPECT_EQ(QDir(recoveryDirectory()).entryList({"*.lock"}, QDir::Files),
              QStringList{QFileInfo(app->recovery().ownFile()).fileName() + ".lock"});
}

TEST_F(AppTest, TheRecoveryFileLivesOnlyWhileChangesAreUnsavedAndRunsKeepToTheirOwn) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    CrashRecovery& recovery = app->recovery();
    const QString own = recovery.ownFile();
    recovery.writeNow();
    EXPECT_FALSE(QFile::exists(own)) << "nothing unsaved, nothing written";
    drawStudent(app->window());
    recovery.writeNow();
    EXPECT_TRUE(QFile::exists(own));
    // The user's work and the settings (which may hold a password) are the owner's only.
    const auto ownerAndOthers = [](const QString& path) {
        return int(QFile::permissions(path) & 0x7077);  // the owner's, the group's, the world's
    };
    EXPECT_EQ(ownerAndOthers(own), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(ownerAndOthers(recoveryDirectory()),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ownerAndOthers(settingsFile()), QFile::ReadOwner | QFile::WriteOwner);

    // A second window now finds nothing to offer: the first one is alive.
    FakePrompts second;
    {
        RelvaneApp other(&second, &dialogs, dir.filePath("other.conf"), recoveryDirectory());
        other.start();
        EXPECT_TRUE(second.confirmations.isEmpty());
        other.window().editor().createElement(KindEntity);
        other.recovery().writeNow();
        EXPECT_TRUE(QFile::exists(own)) << "nor does it write over the first one's file";
        EXPECT_TRUE(QFile::exists(other.recovery().ownFile()));
    }
    EXPECT_EQ(recoveryFiles(), QFileInfo(own).fileName()) << "the second one ended cleanly";

    prompts.answer("saved");
    ASSERT_TRUE(app->save());
    recovery.writeNow();
    EXPECT_FALSE(QFile::exists(own)) << "Save removes it";
    app->window().editor().undo();
    recovery.writeNow();
    EXPECT_TRUE(QFile::exists(own)) << "undo past the save is unsaved again";
}

TEST_F(AppTest, DecliningRemovesTheFileAndAnUnreadableOneIsSetAsideWithAMessage) {
    QDir().mkpath(recoveryDirectory());
    const QString declined = recoveryDirectory() + "/a.relvane-recovery";
    {
        FakePrompts drawing;
        RelvaneApp dead(&drawing, &dialogs, dir.filePath("dead.conf"), recoveryDirectory());
        drawStudent(dead.window());
        dead.recovery().writeNow();
        QFile::copy(dead.recovery().ownFile(), declined);
    }
    QFile older(declined);
    ASSERT_TRUE(older.open(QIODevice::ReadWrite));
    older.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    older.close();
    QFile damaged(recoveryDirectory() + "/b.relvane-recovery");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("RELVANE-RECOVERY and then nonsense");
    damaged.close();

    FakePrompts prompts;
    prompts.answerConfirm(true);   // the newest, the damaged one
    prompts.answerConfirm(false);  // the other
    auto app = startApp(prompts);
    EXPECT_EQ(prompts.confirmations.size(), 2);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("無法復原 ")) << prompts.messages[0].toStdString();
    EXPECT_EQ(recoveryFiles(), "b.relvane-recovery.unreadable");
    EXPECT_EQ(app->window().diagram().elementCount(), 1) << "nothing was restored";
}

// ---- the headless convert command ----

using ProcessRun = RelvaneRun;

ProcessRun relvane(const QStringList& arguments, const QString& home) {
    return runRelvane(arguments, home);
}

class ConvertCommandTest : public AppTest {
protected:
    void saveProject(DiagramBuilder& b, const QString& name) {
        ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, name).ok);
    }
};

// Under cron, over ssh or as root there is often no runtime folder (XDG_RUNTIME_DIR): every
// command that succeeds still leaves standard error empty.
TEST_F(ConvertCommandTest, CommandsThatSucceedWithoutARuntimeFolderSayNothingOnStandardError) {
    DiagramBuilder b;
    const int e1 = b.entity("Employee"), e2 = b.entity("Department");
    b.attribute(e1, "EmpNo", true);
    b.attribute(e2, "DeptNo", true);
    const auto [k1, k2] = b.binary(e1, b.relationship("WorksFor"), e2);
    b.setParticipation(k1, "1,N");
    b.setParticipation(k2, "0,1");
    saveProject(b, "quiet");
    const QString db = database();
    const QList<QStringList> commands = {
        {"--version"},
        {"--help"},
        {"list", "--db", db},
        {"check", "--db", db, "--project", "quiet", "--schema"},
        {"convert", "--db", db, "--project", "quiet", "--output", dir.filePath("q.xlsx")},
        {"sql", "--db", db, "--project", "quiet", "--output", dir.filePath("q.sql")},
        {"picture", "--db", db, "--project", "quiet", "--output", dir.filePath("q.png")},
        {"grade", "--db", db, "--reference", "quiet", "--project", "quiet"}};
    for (const QStringList& arguments : commands) {
        const ProcessRun run = runRelvane(arguments, dir.path(), {"XDG_RUNTIME_DIR"});
        EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, QString()) << arguments.join(' ').toStdString();
    }
}

TEST_F(ConvertCommandTest, WritesTheWorkbookOfAValidProject) {
    DiagramBuilder b;
    const int e1 = b.entity("Employee"), e2 = b.entity("Department");
    b.attribute(e1, "EmpNo", true);
    b.attribute(e2, "DeptNo", true);
    const int r = b.relationship("WorksFor");
    b.binary(e1, r, e2);  // participations left empty: validation fills in "0,N"
    saveProject(b, "company");
    const QString output = dir.filePath("company.xlsx");
    const ProcessRun run = relvane(
        {"convert", "--db", database(), "--project", "company", "--output", output, "--fkpk", "0"},
        dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(output));
    EXPECT_TRUE(
        run.err.contains("Entity Employee 與 Relationship WorksFor 之間的參與度未設定, "
                         "已更改為預設值 0,N"))
        << run.err.toStdString();
}

TEST_F(ConvertCommandTest, RefusesAnInvalidOrMissingProjectWithStatusOne) {
    DiagramBuilder b;
    b.entity("NoKey");
    saveProject(b, "broken");
    const QString output = dir.filePath("x.xlsx");
    ProcessRun run = relvane(
        {"convert", "--db", database(), "--project", "broken", "--output", output}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("實體 NoKey 沒有設定主鍵")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output));

    run = relvane({"convert", "--db", database(), "--project", "absent", "--output", output},
                  dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("資料庫內沒有這個 Project"));

    // Valid, but with a caption no spreadsheet cell holds.
    DiagramBuilder huge;
    huge.attribute(huge.entity("Wide"), QString(40000, QChar('w')), true);
    saveProject(huge, "huge");
    run = relvane({"convert", "--db", database(), "--project", "huge", "--output", output},
                  dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("超過試算表一格 32767 字元的上限")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(ConvertCommandTest, CheckListsProblemsWarningsAndTheSchemaWithoutChangingAnything) {
    DiagramBuilder broken;
    broken.entity("NoKey");
    broken.attribute(broken.entity("Twice"), "Id", true);
    broken.attribute(broken.entity("Twice"), "Id", true);
    saveProject(broken, "broken");
    ProcessRun run = relvane({"check", "--db", database(), "--project", "broken"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "NoKey: 實體 NoKey 沒有設定主鍵\nTwice: Twice 與另一個實體同名\n");

    DiagramBuilder company;
    const int employee = company.entity("EMPLOYEE");
    company.attribute(employee, "Ssn", true);
    const int department = company.entity("DEPARTMENT");
    company.attribute(department, "Dnumber", true);
    const int worksFor = company.relationship("WORKS_FOR");
    const auto [k1, k2] = company.binary(employee, worksFor, department);
    company.setParticipation(k1, "1,N");
    company.setParticipation(k2, "0,1");
    saveProject(company, "company");
    run = relvane({"check", "--db", database(), "--project", "company", "--schema"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "EMPLOYEE(_Ssn_, Dnumber→DEPARTMENT.Dnumber)\nDEPARTMENT(_Dnumber_)\n");

    EXPECT_EQ(relvane({"check", "--db", database(), "--project", "absent"}, dir.path()).status, 1);
    EXPECT_EQ(relvane({"check", "--db", database()}, dir.path()).status, 2);
}

TEST_F(ConvertCommandTest, UsageErrorsAndUnreachableDatabasesGiveStatusTwo) {
    const QString output = dir.filePath("x.xlsx");
    EXPECT_EQ(relvane({"convert", "--db", database(), "--project", "p"}, dir.path()).status, 2);
    EXPECT_EQ(relvane({"convert", "--db", database(), "--project", "p", "--output", output,
                       "--fkpk", "3"},
                      dir.path())
                  .status,
              2);
    const ProcessRun unreachable =
        relvane({"convert", "--db", "postgresql://nobody@127.0.0.1:1/none", "--project", "p",
                 "--output", output},
                dir.path());
    EXPECT_EQ(unreachable.status, 2);
    EXPECT_FALSE(unreachable.err.trimmed().isEmpty()) << "the reason is given";
    EXPECT_EQ(relvane({"frobnicate"}, dir.path()).status, 2);
}

TEST_F(ConvertCommandTest, HelpListsTheCommandAndVersionWorksWithoutADisplay) {
    const ProcessRun help = relvane({"--help"}, dir.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("convert --db URL --project NAME --output FILE.xlsx"));
    const ProcessRun version = relvane({"--version"}, dir.path());
    // The project's version, and from git the commit's day and hash: 0.4.1+git20261208.5c286d0.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^relvane %1(\\+git\\d{8}\\.[0-9a-f]+)?$")
                                       .arg(QRegularExpression::escape(RELVANE_VERSION)))
                    .match(version.out.trimmed())
                    .hasMatch())
        << version.out.toStdString();
}

}  // namespace

// ---- hostile stored data and arguments, from the outside ----

namespace {

// A store made by hand, the way another tool might: Relvane's columns with wider integer types
// and none of its CHECK constraints.
void makeHandMadeStore(const QString& path, const QStringList& rows) {
    const QString name = QStringLiteral("hand-made-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& statement :
             QStringList{"CREATE TABLE \"Project\" (\"i\" BIGINT, \"ProjectName\" TEXT)",
                         "CREATE TABLE \"EntityType\" (\"Pi\" BIGINT, \"i\" BIGINT, \"eName\" "
                         "TEXT, \"color\" TEXT, \"x\" REAL, \"y\" REAL, \"width\" REAL, "
                         "\"height\" REAL, \"type\" BIGINT)",
                         "CREATE TABLE \"Attribute\" (\"Pi\" BIGINT, \"i\" BIGINT, \"Ei\" BIGINT, "
                         "\"aName\" TEXT, \"color\" TEXT, \"isSingle\" BIGINT, \"isKey\" BIGINT, "
                         "\"x\" REAL, \"y\" REAL, \"width\" REAL, \"height\" REAL)",
                         "CREATE TABLE \"Invoke\" (\"Pi\" BIGINT, \"Ri\" BIGINT, \"Ei\" BIGINT, "
                         "\"Is2nd\" BIGINT, \"min\" TEXT, \"max\" TEXT, \"IsWeak\" BIGINT, "
                         "\"Description\" TEXT)",
                         "CREATE TABLE \"ET_Identify_WET\" (\"Pi\" BIGINT, \"Ei\" BIGINT, \"Wi\" "
                         "BIGINT)"} +
                 rows)
            EXPECT_TRUE(q.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase(name);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

TEST_F(ConvertCommandTest, HostileStoredProjectsConvertNeitherTheWrongProjectNorTooLittle) {
    const QString db = dir.filePath("handmade.db");
    makeHandMadeStore(
        db, {"INSERT INTO \"Project\" VALUES (1, 'one'), (4294967297, 'wrapped'), (2, 'pale')",
             "INSERT INTO \"EntityType\" VALUES (1, 1, 'One', '255', 10, 10, 73, 41, 0), "
             "(2, 1, 'Student', '', 10, 10, 73, 41, 0)",
             "INSERT INTO \"Attribute\" VALUES (1, 2, 1, 'OneNo', '255', 1, 1, 10, 90, 73, 41), "
             "(2, 2, 1, 'StudentNo', '255', 1, 1, 10, 90, 73, 41)"});
    const QString output = dir.filePath("out.xlsx");
    ProcessRun run =
        relvane({"convert", "--db", db, "--project", "wrapped", "--output", output}, dir.path());
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.err.contains("not a project number")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output)) << "project 1 must not be converted in its place";

    // An empty colour leaves the entity (and its attribute's owner) in place.
    run = relvane({"convert", "--db", db, "--project", "pale", "--output", output}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(output));
    EXPECT_TRUE(run.err.contains("有 1 筆資料無法載入, 已略過")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("未設定擁有者")) << run.err.toStdString();

    // One character more than a spreadsheet cell holds: refused, and no file.
    QFile::remove(output);
    DiagramBuilder wide;
    wide.attribute(wide.entity("Wide"), QString(32768, QChar('w')), true);
    saveProject(wide, "wide");
    run = relvane({"convert", "--db", database(), "--project", "wide", "--output", output},
                  dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(ConvertCommandTest, AnOutputThatIsNoRegularFileOrIsTheDatabaseIsRefusedAndKept) {
    DiagramBuilder b;
    b.attribute(b.entity("Student"), "StudentNo", true);
    saveProject(b, "school");
    const QByteArray stored = fileBytes(database());
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(folder));

    for (const QString& output : {database(), fifo, folder}) {
        SCOPED_TRACE(output.toStdString());
        for (const QString command : {"convert", "sql"}) {
            const ProcessRun run =
                relvane({command, "--db", database(), "--project", "school", "--output", output},
                        dir.path());
            EXPECT_EQ(run.status, 2) << run.err.toStdString();
            EXPECT_TRUE(run.err.contains("it is left as it is")) << run.err.toStdString();
        }
    }
    EXPECT_EQ(fileBytes(database()), stored);
    EXPECT_TRUE(QFileInfo::exists(fifo) && !QFileInfo(fifo).isFile()) << "still the pipe";
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // Through another name the database is still the database.
    ASSERT_TRUE(QFile::link(database(), dir.filePath("alias.db")));
    EXPECT_EQ(relvane({"convert", "--db", database(), "--project", "school", "--output",
                       dir.filePath("alias.db")},
                      dir.path())
                  .status,
              2);
    EXPECT_EQ(fileBytes(database()), stored);
}

TEST_F(ConvertCommandTest, ReadingAnEmptyOrMissingFileLeavesItAsItWas) {
    const QString empty = dir.filePath("empty.db");
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString missing = dir.filePath("missing.db");
    for (const QString& db : {empty, missing}) {
        const ProcessRun run =
            relvane({"convert", "--db", db, "--project", "p", "--output", dir.filePath("x.xlsx")},
                    dir.path());
        EXPECT_EQ(run.status, 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("資料庫內沒有這個 Project")) << run.err.toStdString();
        EXPECT_EQ(relvane({"check", "--db", db, "--project", "p"}, dir.path()).status, 1);
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_FALSE(QFileInfo::exists(missing));
}
