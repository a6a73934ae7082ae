#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "diagram.h"
#include "fakeprompts.h"
#include "loginuser.h"
#include "settingsstore.h"

namespace {

const QString kKeyFailed = QStringLiteral("Key 值建立失敗");

const QStringList kFirstRunOrder{"ProjectName",  "Width",       "Height",         "Top",
                                 "Left",         "WindowState", "FirstLogo",      "PresentStyle",
                                 "MNPosition",   "FKPK",        "CandidateColor", "SelectedColor",
                                 "AttLineColor", "RelLineColor"};

const QStringList kShutdownOrder{"ProjectName",
                                 "Width",
                                 "Height",
                                 "Top",
                                 "Left",
                                 "NormalForm1Width",
                                 "NormalForm1Height",
                                 "NormalForm1Top",
                                 "NormalForm1Left",
                                 "DoubleLineWidth",
                                 "PresentStyle",
                                 "MNPosition",
                                 "FKPK",
                                 "SnapToGrid",
                                 "GridSize",
                                 "WindowState",
                                 "RecWidth",
                                 "EllWidth",
                                 "DiaWidth",
                                 "SelectedColor",
                                 "CandidateColor",
                                 "AttLineColor",
                                 "RelLineColor",
                                 "StoreConnection"};

// One run of the program: a fresh diagram and window around a store on the test's settings file.
struct ProgramRun {
    explicit ProgramRun(const QString& fileName) : store(prompts, fileName) {
        // Start from values unlike every default, so a value the start-up forgets shows.
        diagram.settings = {0, 0, 0, 0, 1, 2, 3, 4};
        Element& tmpl = diagram.element(0);
        tmpl.RecWidth = tmpl.EllWidth = tmpl.DiaWidth = 0;
        diagram.connector(0).Line1.BorderColor = diagram.connector(0).Line2.BorderColor = 9;
        scale = {1, 1, 1, 1};
    }
    // As the window does: the store reads the values, the editor puts them in force, and reports
    // them back at the end.
    StartupResult start() {
        const StartupResult result = store.startup(window, scale);
        editor.putSettingsInForce(result.values);
        return result;
    }
    bool stop() { return store.shutdown(editor.settingsInForce(), window, scale); }

    FakePrompts prompts;
    Diagram diagram;
    Editor editor{diagram, prompts};
    WindowPlacement window{12.5f, 30, 640.25f, 480, 0};
    ScaleMemory scale;
    SettingsStore store;
};

class SettingsStoreTest : public ::testing::Test {
protected:
    QString fileName() const { return dir.filePath(QStringLiteral("Quillo.conf")); }

    QMap<QString, QString> stored() const {
        QSettings settings(fileName(), QSettings::IniFormat);
        QMap<QString, QString> values;
        for (const QString& name : settings.allKeys())
            values[name] = settings.value(name).toString();
        return values;
    }
    void store(const QString& name, const QString& text) {
        QSettings settings(fileName(), QSettings::IniFormat);
        settings.setValue(name, text);
    }
    void remove(const QString& name) {
        QSettings settings(fileName(), QSettings::IniFormat);
        settings.remove(name);
    }
    // A first run and a shutdown with values unlike the defaults.
    void storeNonDefaults() {
        ProgramRun run(fileName());
        run.start();
        run.diagram.settings = {0, 0, 0, 7, 100, 200, 300, 400};
        run.diagram.settings.SnapToGrid = true;
        run.diagram.settings.GridSize = 25;
        Element& tmpl = run.diagram.element(0);
        tmpl.RecWidth = 3;
        tmpl.EllWidth = 4;
        tmpl.DiaWidth = 6;
        run.scale = {800, 600, 10, 20};
        run.window = {100.5f, 50.25f, 1024, 768, 2};
        run.diagram.view.projectName = QStringLiteral("學生專案, 第一版");
        ASSERT_TRUE(run.stop());
    }

    QTemporaryDir dir;
};

TEST_F(SettingsStoreTest, FirstRunWritesTheFourteenValuesInOrder) {
    ProgramRun run(fileName());
    const StartupResult result = run.start();

    EXPECT_TRUE(result.firstRun);
    EXPECT_TRUE(result.showSplash);
    EXPECT_FALSE(result.keyFailed);
    EXPECT_TRUE(run.prompts.messages.isEmpty());
    EXPECT_EQ(run.store.writeLog(), kFirstRunOrder);

    const QMap<QString, QString> values = stored();
    EXPECT_EQ(QSet<QString>(values.keyBegin(), values.keyEnd()),
              QSet<QString>(kFirstRunOrder.begin(), kFirstRunOrder.end()));
    EXPECT_EQ(values["ProjectName"], loginUserName());
    EXPECT_EQ(values["Width"], "640.25");
    EXPECT_EQ(values["Height"], "480");
    EXPECT_EQ(values["Top"], "30");
    EXPECT_EQ(values["Left"], "12.5");
    EXPECT_EQ(values["WindowState"], "0");
    for (const char* one : {"FirstLogo", "PresentStyle", "MNPosition"})
        EXPECT_EQ(values[one], "1") << one;
    EXPECT_EQ(values["FKPK"], "2") << "new settings route the arrows around the text";
    EXPECT_EQ(values["CandidateColor"], "255");
    EXPECT_EQ(values["SelectedColor"], "16711680");
    EXPECT_EQ(values["AttLineColor"], "16744576");
    EXPECT_EQ(values["RelLineColor"], "8421631");

    // The defaults are in force.
    const ProgramSettings& s = run.diagram.settings;
    EXPECT_EQ(s.PresentStyle, 1);
    EXPECT_EQ(s.MNPosition, 1);
    EXPECT_EQ(s.FKPK, 2);
    EXPECT_EQ(s.DoubleLineWidth, 5);
    EXPECT_EQ(s.SelectedColor, 16711680u);
    EXPECT_EQ(s.CandidateColor, 255u);
    EXPECT_EQ(s.AttLineColor, 16744576u);
    EXPECT_EQ(s.RelLineColor, 8421631u);
    EXPECT_EQ(run.diagram.element(0).RecWidth, 5);
    EXPECT_EQ(run.diagram.element(0).EllWidth, 5);
    EXPECT_EQ(run.diagram.element(0).DiaWidth, 5);
    EXPECT_EQ(run.diagram.connector(0).Line1.BorderColor, 8421631u);
    EXPECT_EQ(run.diagram.connector(0).Line2.BorderColor, 8421631u);
    EXPECT_EQ(run.scale.width, 500);
    EXPECT_EQ(run.scale.height, 360);
    EXPECT_EQ(run.scale.top, 0);
    EXPECT_EQ(run.scale.left, 0);
    EXPECT_EQ(run.diagram.view.projectName, loginUserName());
    EXPECT_EQ(run.diagram.view.projectName, loginUserName());
    EXPECT_TRUE(convertEnabled(s));
}

TEST_F(SettingsStoreTest, ShutdownWritesEveryValueInOrder) {
    ProgramRun run(fileName());
    run.start();
    ASSERT_TRUE(run.stop());
    EXPECT_EQ(run.store.writeLog(), kFirstRunOrder + kShutdownOrder);

    const QMap<QString, QString> values = stored();
    QSet<QString> expected(kFirstRunOrder.begin(), kFirstRunOrder.end());
    for (const QString& name : kShutdownOrder) expected.insert(name);
    EXPECT_EQ(QSet<QString>(values.keyBegin(), values.keyEnd()), expected);
    EXPECT_EQ(values["NormalForm1Width"], "500");
    EXPECT_EQ(values["NormalForm1Height"], "360");
    EXPECT_EQ(values["DoubleLineWidth"], "5");
    EXPECT_EQ(values["RecWidth"], "5");
    EXPECT_EQ(values["StoreConnection"], "");
}

TEST_F(SettingsStoreTest, RestartReadsBackWhatShutdownWrote) {
    storeNonDefaults();
    ProgramRun run(fileName());
    const StartupResult result = run.start();

    EXPECT_FALSE(result.firstRun);
    EXPECT_TRUE(result.showSplash);
    EXPECT_TRUE(run.store.writeLog().isEmpty());
    const ProgramSettings& s = run.diagram.settings;
    EXPECT_EQ(s.PresentStyle, 0);
    EXPECT_EQ(s.MNPosition, 0);
    EXPECT_EQ(s.FKPK, 0);
    EXPECT_EQ(s.DoubleLineWidth, 7);
    EXPECT_EQ(s.SelectedColor, 100u);
    EXPECT_EQ(s.CandidateColor, 200u);
    EXPECT_EQ(s.AttLineColor, 300u);
    EXPECT_EQ(s.RelLineColor, 400u);
    EXPECT_TRUE(s.SnapToGrid);
    EXPECT_EQ(s.GridSize, 25);
    EXPECT_EQ(run.diagram.connector(0).Line1.BorderColor, 400u);
    EXPECT_EQ(run.diagram.connector(0).Line2.BorderColor, 400u);
    EXPECT_EQ(run.diagram.element(0).RecWidth, 3);
    EXPECT_EQ(run.diagram.element(0).EllWidth, 4);
    EXPECT_EQ(run.diagram.element(0).DiaWidth, 6);
    EXPECT_EQ(run.scale.width, 800);
    EXPECT_EQ(run.scale.height, 600);
    EXPECT_EQ(run.scale.top, 10);
    EXPECT_EQ(run.scale.left, 20);
    EXPECT_EQ(run.window.left, 100.5f);
    EXPECT_EQ(run.window.top, 50.25f);
    EXPECT_EQ(run.window.width, 1024.f);
    EXPECT_EQ(run.window.height, 768.f);
    EXPECT_EQ(run.window.windowState, 2);
    EXPECT_EQ(run.diagram.view.projectName, QStringLiteral("學生專案, 第一版"));
    EXPECT_FALSE(convertEnabled(s));
}

// One stored value replaced (or removed) before a start, and where its effect shows.
struct BadValueCase {
    const char* name;
    const char* text;  // nullptr: the value is missing
    std::function<double(const ProgramRun&)> read;
    double expected;
};

class BadValue : public SettingsStoreTest, public ::testing::WithParamInterface<BadValueCase> {};

TEST_P(BadValue, TakesTheFirstRunDefault) {
    storeNonDefaults();
    const BadValueCase& c = GetParam();
    if (c.text)
        store(QString::fromLatin1(c.name), QString::fromUtf8(c.text));
    else
        remove(QString::fromLatin1(c.name));

    ProgramRun run(fileName());
    run.start();
    EXPECT_EQ(c.read(run), c.expected);
    EXPECT_TRUE(run.prompts.messages.isEmpty());
}

const auto presentStyle = [](const ProgramRun& r) {
    return double(r.diagram.settings.PresentStyle);
};
const auto selected = [](const ProgramRun& r) { return double(r.diagram.settings.SelectedColor); };
const auto candidate = [](const ProgramRun& r) {
    return double(r.diagram.settings.CandidateColor);
};
const auto relLine = [](const ProgramRun& r) { return double(r.diagram.settings.RelLineColor); };
const auto gridSize = [](const ProgramRun& r) { return double(r.diagram.settings.GridSize); };
const auto snapToGrid = [](const ProgramRun& r) { return double(r.diagram.settings.SnapToGrid); };

INSTANTIATE_TEST_SUITE_P(
    Values, BadValue,
    ::testing::Values(
        BadValueCase{"PresentStyle", "abc", presentStyle, 1},
        BadValueCase{"PresentStyle", nullptr, presentStyle, 1},
        BadValueCase{"PresentStyle", "1x", presentStyle, 1},
        BadValueCase{"MNPosition", "",
                     [](const ProgramRun& r) { return double(r.diagram.settings.MNPosition); }, 1},
        BadValueCase{"FKPK", "yes",
                     [](const ProgramRun& r) { return double(r.diagram.settings.FKPK); }, 2},
        BadValueCase{"DoubleLineWidth", "70000",
                     [](const ProgramRun& r) { return double(r.diagram.settings.DoubleLineWidth); },
                     5},
        BadValueCase{"RecWidth", "wide",
                     [](const ProgramRun& r) { return double(r.diagram.element(0).RecWidth); }, 5},
        BadValueCase{"EllWidth", nullptr,
                     [](const ProgramRun& r) { return double(r.diagram.element(0).EllWidth); }, 5},
        BadValueCase{"DiaWidth", "1,2",
                     [](const ProgramRun& r) { return double(r.diagram.element(0).DiaWidth); }, 5},
        BadValueCase{"NormalForm1Width", "x",
                     [](const ProgramRun& r) { return double(r.scale.width); }, 500},
        BadValueCase{"NormalForm1Height", nullptr,
                     [](const ProgramRun& r) { return double(r.scale.height); }, 360},
        // The window keeps its own placement and state.
        BadValueCase{"Left", "abc", [](const ProgramRun& r) { return double(r.window.left); },
                     12.5},
        BadValueCase{"Width", "nan", [](const ProgramRun& r) { return double(r.window.width); },
                     640.25},
        BadValueCase{"WindowState", "7",
                     [](const ProgramRun& r) { return double(r.window.windowState); }, 0},
        // Colours: the number at the start counts; no number at all gives the default, never black.
        BadValueCase{"SelectedColor", "65280abc", selected, 65280},
        BadValueCase{"SelectedColor", "abc", selected, 16711680},
        BadValueCase{"SelectedColor", nullptr, selected, 16711680},
        BadValueCase{"RelLineColor", "", relLine, 8421631},
        // Equal to the stored candidate colour: both go back to their defaults.
        BadValueCase{"SelectedColor", "200", selected, 16711680},
        BadValueCase{"SelectedColor", "200", candidate, 255},
        // The grid: a size outside the options' range, or no number, is 20; snapping is on only
        // for "1".
        BadValueCase{"GridSize", "3", gridSize, 20},
        BadValueCase{"GridSize", "201", gridSize, 20},
        BadValueCase{"GridSize", "ten", gridSize, 20},
        BadValueCase{"SnapToGrid", "yes", snapToGrid, 0},
        BadValueCase{"SnapToGrid", nullptr, snapToGrid, 0}));

TEST_F(SettingsStoreTest, ShowGridIsWrittenAtOnceAndOffUnlessStoredOn) {
    ProgramRun run(fileName());
    run.start();
    EXPECT_FALSE(run.store.readShowGrid());
    run.store.writeShowGrid(true);
    EXPECT_EQ(stored()["ShowGrid"], "1");
    EXPECT_TRUE(run.store.readShowGrid());
    store("ShowGrid", "on");
    EXPECT_FALSE(run.store.readShowGrid());
}

TEST_F(SettingsStoreTest, ColourWithTrailingLettersReadsAsItsNumber) {
    storeNonDefaults();
    store("CandidateColor", "255abc");
    ProgramRun run(fileName());
    run.start();
    EXPECT_EQ(run.diagram.settings.CandidateColor, 255u);
    EXPECT_EQ(run.diagram.settings.SelectedColor, 100u);
}

TEST_F(SettingsStoreTest, MissingProjectNameIsTheLoginName) {
    storeNonDefaults();
    remove("ProjectName");
    ProgramRun run(fileName());
    run.start();
    EXPECT_EQ(run.diagram.view.projectName, loginUserName());
}

struct FirstLogoCase {
    const char* text;
    bool showSplash;
};

class FirstLogo : public SettingsStoreTest, public ::testing::WithParamInterface<FirstLogoCase> {};

TEST_P(FirstLogo, ShowsTheSplashOnlyForOne) {
    storeNonDefaults();
    if (GetParam().text)
        store("FirstLogo", QString::fromLatin1(GetParam().text));
    else
        remove("FirstLogo");
    ProgramRun run(fileName());
    EXPECT_EQ(run.start().showSplash, GetParam().showSplash);
    EXPECT_EQ(run.store.readFirstLogo(), GetParam().showSplash);
}

INSTANTIATE_TEST_SUITE_P(Values, FirstLogo,
                         ::testing::Values(FirstLogoCase{"1", true}, FirstLogoCase{"0", false},
                                           FirstLogoCase{"2", false}, FirstLogoCase{"-1", false},
                                           FirstLogoCase{"1.0", true}, FirstLogoCase{"abc", true},
                                           FirstLogoCase{nullptr, true}));

TEST_F(SettingsStoreTest, ProjectNameFirstLogoAndConnectionAreWrittenAtOnce) {
    storeNonDefaults();
    ProgramRun run(fileName());
    run.start();
    run.store.writeProjectName(QStringLiteral("新專案"));
    run.store.writeFirstLogo(false);
    run.store.setStoreConnection(QStringLiteral("postgresql://student@db:5432/erd"));
    EXPECT_EQ(run.store.writeLog(), (QStringList{"ProjectName", "FirstLogo", "StoreConnection"}));
    QMap<QString, QString> values = stored();
    EXPECT_EQ(values["ProjectName"], QStringLiteral("新專案"));
    EXPECT_EQ(values["FirstLogo"], "0");
    EXPECT_EQ(values["StoreConnection"], "postgresql://student@db:5432/erd");
    EXPECT_EQ(values["DoubleLineWidth"], "7");

    run.store.writeFirstLogo(true);
    EXPECT_EQ(stored()["FirstLogo"], "1");

    ProgramRun next(fileName());
    next.start();
    EXPECT_EQ(next.store.storeConnection(), "postgresql://student@db:5432/erd");
}

TEST_F(SettingsStoreTest, CorruptFileFallsBackToDefaultsAndIsRepaired) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 4; ++round) {
        QByteArray garbage;
        for (int i = 0; i < 3000; ++i) garbage.append(char(random() % 256));
        garbage.insert(200,
                       "\n[General]\nSelectedColor=@Variant(\\0\\0\\0\\x7f\\0\\0)\nLeft=1,2,\n");
        QFile file(fileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
        file.close();

        ProgramRun run(fileName());
        const StartupResult result = run.start();
        EXPECT_FALSE(result.firstRun);
        EXPECT_TRUE(run.prompts.messages.isEmpty());
        const ProgramSettings& s = run.diagram.settings;
        EXPECT_EQ(s.SelectedColor, 16711680u);
        EXPECT_EQ(s.CandidateColor, 255u);
        EXPECT_EQ(s.AttLineColor, 16744576u);
        EXPECT_EQ(s.RelLineColor, 8421631u);
        EXPECT_EQ(s.PresentStyle, 1);
        EXPECT_EQ(run.diagram.element(0).RecWidth, 5);
        EXPECT_EQ(run.window.left, 12.5f);

        ASSERT_TRUE(run.stop());
        EXPECT_EQ(stored()["SelectedColor"], "16711680");
        EXPECT_EQ(stored()["Left"], "12.5");
        QFile::remove(fileName());
    }
}

TEST_F(SettingsStoreTest, UnwritableLocationReportsAndRunsOnDefaults) {
    // A folder cannot be made under a plain file, whatever the user's rights.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unwritable = dir.filePath("blocker/config/Quillo.conf");

    ProgramRun run(unwritable);
    const StartupResult result = run.start();
    EXPECT_TRUE(result.keyFailed);
    EXPECT_FALSE(result.showSplash);
    EXPECT_EQ(run.prompts.messages, QStringList{kKeyFailed});
    EXPECT_EQ(run.diagram.settings.SelectedColor, 16711680u);
    EXPECT_EQ(run.diagram.settings.RelLineColor, 8421631u);
    EXPECT_EQ(run.diagram.connector(0).Line1.BorderColor, 8421631u);
    EXPECT_EQ(run.diagram.element(0).DiaWidth, 5);
    EXPECT_EQ(run.diagram.view.projectName, loginUserName());

    run.store.writeProjectName("x");  // reports nothing
    EXPECT_FALSE(run.stop());
    EXPECT_EQ(run.prompts.messages, (QStringList{kKeyFailed, kKeyFailed}));
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(SettingsStoreTest, ShutdownOverAFolderInPlaceOfTheFileWritesNothing) {
    storeNonDefaults();
    ProgramRun run(fileName());
    run.start();
    ASSERT_TRUE(QFile::remove(fileName()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("Quillo.conf"));
    EXPECT_FALSE(run.stop());
    EXPECT_EQ(run.prompts.messages, QStringList{kKeyFailed});
}

TEST(SettingsLocation, IsTheOrganisationFileOfQSettings) {
    // Under the test mode of the shared test main, never the user's own configuration.
    EXPECT_EQ(defaultSettingsFileName(),
              QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillo").fileName());
    EXPECT_TRUE(defaultSettingsFileName().endsWith("/Quillo.conf"));
}

TEST(LoginUser, IsAtMostEightyCharacters) {
    EXPECT_FALSE(loginUserName().isEmpty());
    EXPECT_LE(loginUserName().size(), 80);
}

}  // namespace
