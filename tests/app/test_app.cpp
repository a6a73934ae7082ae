// The running program end to end: start-up with its splash, Save/Load/Convert through the main
// window, and the headless convert command run as a real process.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QMouseEvent>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "form1.h"
#include "frmsplash.h"
#include "projectstore.h"
#include "relvaneapp.h"

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
    QString settingsFile() const { return dir.filePath("Quillo.conf"); }
    QString database() const { return dir.filePath("projects.db"); }

    // One run of the program: start-up, then the caller's work, then the window closes.
    std::unique_ptr<RelvaneApp> startApp(FakePrompts& prompts) {
        auto app = std::make_unique<RelvaneApp>(&prompts, settingsFile());
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
        EXPECT_EQ(app->window().windowTitle(), "Relvane: " + app->settings().loginUser());
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

// Draws Student(StudentNo, Name) through the window's own editor.
void drawStudent(Form1& window) {
    Editor& editor = window.editor();
    Diagram& d = window.diagram();
    const int student = editor.createElement(KindEntity);
    d.element(student).Caption = "Student";
    const int number = editor.createElement(KindAttribute);
    d.element(number).Caption = "StudentNo";
    editor.toolbarButton("AttLine");
    editor.elementLeftDown(student, 1, 1);
    editor.elementLeftDown(number, 1, 1);
    editor.elementRightDown(number);
    editor.menuKey(number);
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
        app->window().close();
    }
    {
        auto app = startApp(prompts);
        EXPECT_EQ(app->window().diagram().view.projectName, "學生 'registry'");
        prompts.answer("學生 'registry'");
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
    EXPECT_TRUE(prompts.inputRequests.empty()) << "no project name was asked";
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
    EXPECT_EQ(window.windowTitle(), "Relvane: unsaved");
    window.editor().undo();
    EXPECT_TRUE(window.diagram().isLiveElement(1)) << "New is one step";
    EXPECT_EQ(window.windowTitle(), "Relvane: unsaved*") << "changed since New started afresh";

    // 不儲存: the changes go.
    window.editor().createElement(KindEntity);
    prompts.answerSave(Prompts::SaveChoice::Discard);
    EXPECT_TRUE(window.close());
}

TEST_F(AppTest, AProjectFileCarriesTheDiagramToAnotherRun) {
    FakePrompts prompts;
    const QString file = dir.filePath("handed in.relvane");
    {
        auto app = startApp(prompts);
        drawStudent(app->window());
        QString offered;
        app->chooseProjectFileToWrite = [&](const QString& preset) -> std::optional<QString> {
            offered = preset;
            return file;
        };
        app->window().findChild<QAction*>("mnuExportFile")->trigger();
        EXPECT_TRUE(offered.endsWith(app->window().diagram().view.projectName + ".relvane"));
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
        prompts.answerSave(Prompts::SaveChoice::Discard);
        app->window().close();
    }
    auto app = startApp(prompts);
    app->chooseProjectFileToRead = [&]() -> std::optional<QString> { return file; };
    app->window().findChild<QAction*>("mnuImportFile")->trigger();
    const Diagram& d = app->window().diagram();
    ASSERT_EQ(d.elementCount(), 3);
    EXPECT_TRUE(d.element(2).underlined());
    EXPECT_FALSE(app->window().windowTitle().endsWith("*"));

    // A file that is no project file changes nothing.
    app->chooseProjectFileToRead = [&]() -> std::optional<QString> { return settingsFile(); };
    app->window().findChild<QAction*>("mnuImportFile")->trigger();
    EXPECT_EQ(prompts.messages.last(), "Quillo.conf 不是 Relvane 專案檔");
    EXPECT_EQ(d.elementCount(), 3);
}

TEST_F(AppTest, LoadingAMissingProjectSaysSoAndKeepsTheCaption) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    const QString before = app->window().windowTitle();
    prompts.answer("nothing here");
    app->load();
    EXPECT_TRUE(prompts.messages.contains("資料庫內沒有這個 Project"));
    EXPECT_EQ(app->window().windowTitle(), before);
    EXPECT_EQ(app->window().diagram().view.projectName, "nothing here") << "the name typed last";
}

TEST_F(AppTest, ConvertValidatesAsksWhereToWriteAndOpensTheWorkbook) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    QString asked, opened;
    const QString target = dir.filePath("out.xlsx");
    app->chooseWorkbookPath = [&](const QString& preset) -> std::optional<QString> {
        asked = preset;
        return target;
    };
    app->openWorkbook = [&](const QString& path) {
        opened = path;
        return true;
    };

    app->convert();
    EXPECT_EQ(prompts.messages, QStringList{"目前沒有任何資料"});
    EXPECT_TRUE(asked.isEmpty()) << "an invalid diagram asks for no file";

    drawStudent(app->window());
    app->convert();
    EXPECT_TRUE(asked.endsWith(app->window().diagram().view.projectName + ".xlsx"));
    EXPECT_EQ(opened, target);
    EXPECT_TRUE(QFile::exists(target));
}

TEST_F(AppTest, ConvertThatCannotWriteTellsWhyAndLeavesNoFile) {
    FakePrompts prompts;
    auto app = startApp(prompts);
    drawStudent(app->window());
    const QString target = dir.filePath("missing-folder/out.xlsx");
    app->chooseWorkbookPath = [&](const QString&) -> std::optional<QString> { return target; };
    bool opened = false;
    app->openWorkbook = [&](const QString&) { return opened = true; };
    app->convert();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(target));
    EXPECT_FALSE(opened);
    EXPECT_FALSE(QFile::exists(target));
}

// ---- the headless convert command ----

struct ProcessRun {
    int status;
    QString out, err;
};

ProcessRun relvane(const QStringList& arguments, const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home);
    env.insert("HOME", home);
    process.setProcessEnvironment(env);
    process.start(RELVANE_BINARY, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class ConvertCommandTest : public AppTest {
protected:
    void saveProject(DiagramBuilder& b, const QString& name) {
        ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, name).ok);
    }
};

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
}

TEST_F(ConvertCommandTest, UsageErrorsAndUnreachableDatabasesGiveStatusTwo) {
    const QString output = dir.filePath("x.xlsx");
    EXPECT_EQ(relvane({"convert", "--db", database(), "--project", "p"}, dir.path()).status, 2);
    EXPECT_EQ(relvane({"convert", "--db", database(), "--project", "p", "--output", output,
                       "--fkpk", "7"},
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
    EXPECT_EQ(version.out.trimmed(), "relvane 0.4.1");
}

}  // namespace
