// The program in English: the main window and the options dialog with the English translation
// installed, the language setting, and the command line's --lang. A folder (and so a process) of
// its own, since the translator is global to the application.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "fakeappdialogs.h"
#include "fakeprompts.h"
#include "form1.h"
#include "language.h"
#include "projectstore.h"
#include "relvaneapp.h"
#include "relvanerun.h"

namespace {

class EnglishTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(applyLanguage(kLanguageEnglish)); }
    void TearDown() override { applyLanguage(kLanguageChinese); }

    QTemporaryDir dir;
    QString settingsFile() const { return dir.filePath("Quillo.conf"); }
};

QString actionText(QWidget& window, const char* name) {
    const QAction* action = window.findChild<QAction*>(name);
    return action ? action->text() : QStringLiteral("(no %1)").arg(name);
}

QWidget* openOptions() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmOptions" && w->isVisible()) return w;
    return nullptr;
}

TEST_F(EnglishTest, TheMainWindowAndTheOptionsSpeakEnglishAndTheLanguageIsSaved) {
    FakePrompts prompts;
    FakeAppDialogs dialogs;
    RelvaneApp app(&prompts, &dialogs, settingsFile(), dir.filePath("recovery"));
    app.start();
    Form1& window = app.window();
    QStringList menus;
    for (const QAction* menu : window.menuBar()->actions()) menus << menu->text();
    EXPECT_TRUE(menus.contains("Edit") && menus.contains("View")) << menus.join("|").toStdString();
    EXPECT_EQ(actionText(window, "mnuNew"), "New Diagram");
    EXPECT_EQ(actionText(window, "mnuCompare"), "Compare with Reference Answer...");
    EXPECT_EQ(actionText(window, "mnuSelectAll"), "Select All");
    EXPECT_EQ(actionText(window, "mnuSave").section('\t', 0, 0), "Save");  // English source

    window.findChild<QAction*>("mnuSet")->trigger();
    QWidget* options = openOptions();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->windowTitle(), "Options");
    const auto* tabs = options->findChild<QTabBar*>("tbsOptions");
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(3), "Other");
    EXPECT_EQ(options->findChild<QPushButton*>("cmdOK")->text(), "OK");
    EXPECT_EQ(options->findChild<QPushButton*>("cmdCancel")->text(), "Cancel");

    auto* language = options->findChild<QComboBox*>("cboLanguage");
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->currentData().toString(), "zh_TW");  // nothing saved yet: the default
    language->setCurrentIndex(language->findData("en"));
    options->findChild<QPushButton*>("cmdApply")->click();
    EXPECT_EQ(QSettings(settingsFile(), QSettings::IniFormat).value("Language").toString(), "en");
    EXPECT_EQ(chosenLanguage(QString(), settingsFile()), "en");
    EXPECT_EQ(chosenLanguage("zh_TW", settingsFile()), "zh_TW");  // --lang wins over the setting
    options->close();
    window.close();
}

TEST(ChineseDefault, WithoutTheTranslatorTheTextsStayAsWritten) {
    ASSERT_TRUE(applyLanguage(kLanguageEnglish));
    ASSERT_TRUE(applyLanguage(kLanguageChinese));  // replaces, does not stack
    EXPECT_EQ(QCoreApplication::translate("CheckDiagram", "實體 %1 沒有設定主鍵"),
              QStringLiteral("實體 %1 沒有設定主鍵"));
}

using CommandRun = RelvaneRun;

class EnglishCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString database() const { return dir.filePath("projects.db"); }

    CommandRun relvane(const QStringList& arguments) const {
        return runRelvane(arguments, dir.path());
    }
};

TEST_F(EnglishCommandTest, LangOrTheSettingChoosesTheLanguageOfTheMessages) {
    DiagramBuilder b;
    b.entity("NoKey");
    ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, "broken").ok);
    const QStringList convert{"convert", "--db", database(), "--project", "broken",
                              "--output", dir.filePath("x.xlsx")};

    CommandRun run = relvane(QStringList{"--lang", "en"} + convert);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Entity NoKey has no primary key")) << run.err.toStdString();

    QSettings(dir.filePath("Quillo.conf"), QSettings::IniFormat).setValue("Language", "en");
    run = relvane(QStringList{"check", "--db", database(), "--project", "broken"});
    EXPECT_TRUE(run.err.contains("Entity NoKey has no primary key") ||
                run.out.contains("Entity NoKey has no primary key"))
        << run.out.toStdString() << run.err.toStdString();
    run = relvane(QStringList{"--lang", "zh_TW"} + convert);
    EXPECT_TRUE(run.err.contains("實體 NoKey 沒有設定主鍵")) << run.err.toStdString();

    run = relvane({"--lang", "fr", "--version"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("--lang takes zh_TW or en"));
}

}  // namespace
