#pragma once

#include <QString>
#include <QStringList>

#include "drawingscale.h"
#include "editor.h"
#include "prompts.h"
#include "settingskey.h"

// The main window's placement as the settings keep it: position and size in window units, and
// the window state (0 normal, 1 minimised, 2 maximised).
struct WindowPlacement {
    float left = 0, top = 0, width = 0, height = 0;
    qint16 windowState = 0;
};

// The drawing area's scale, remembered at maximise and restored when the window returns to normal.
using ScaleMemory = RememberedScale;

// What the main window does once the settings are in.
struct StartupResult {
    bool firstRun = false;    // the settings key did not exist yet
    bool keyFailed = false;   // "Key 值建立失敗" was shown; the program runs on the defaults
    bool showSplash = false;  // show frmSplash without waiting; otherwise show the main window
    DiagramSettings values;   // what the editor puts in force (Editor::putSettingsInForce)
};

// All persistent settings of the program, stored as text values in the "Quillo" settings file.
// The main window loads them once before it is first shown and saves them once as it closes; in
// between they live in the diagram, put in force by the editor (settings, template insets,
// template lines, project name), the main window's placement and scale memory, and this object
// (the store connection). The store itself never touches a diagram.
class SettingsStore {
public:
    explicit SettingsStore(Prompts& prompts, QString fileName = defaultSettingsFileName());

    const QString& fileName() const { return fileName_; }

    // Start-up: on the first run creates the key, sets and writes the defaults and asks for the
    // splash window; on later runs reads every value. Missing or unreadable values take their
    // first-run defaults (the window keeps its own placement for its values).
    StartupResult startup(WindowPlacement& window, ScaleMemory& scale);

    // Shutdown: writes every setting back. When the key cannot be written, shows
    // "Key 值建立失敗" and writes nothing; returns whether the values were written.
    bool shutdown(const DiagramSettings& values, const WindowPlacement& window,
                  const ScaleMemory& scale);

    // Values written at once: the project name typed for a save or a load, and the splash
    // window's "show at start-up" choice. Failures are not reported.
    void writeProjectName(const QString& name);
    void writeFirstLogo(bool showAtStartup);
    // Whether the splash window is to be shown at start-up ("FirstLogo" = 1; a missing or
    // unreadable value counts as its default, 1).
    bool readFirstLogo() const;
    // Whether the review panel is shown ("ReviewPanel" = "1", the default; "0" hides it).
    void writeReviewPanel(bool shown);
    bool readReviewPanel() const;
    // Whether the drawing area shows the grid ("ShowGrid" = "1"; "0", the default, hides it).
    void writeShowGrid(bool shown);
    bool readShowGrid() const;
    // Whether the overview of the whole diagram is shown ("Overview" = "1"; hidden by default).
    void writeOverview(bool shown);
    bool readOverview() const;
    // The language of the texts ("Language" = "zh_TW", the default, or "en"); it takes effect at
    // the next start.
    void writeLanguage(const QString& code);
    QString readLanguage() const;
    // The database system File -> "匯出 SQL..." last wrote for ("SqlDialect", as the command
    // line's --dialect names it; "postgresql" when none was chosen yet).
    void writeSqlDialect(const QString& dialect);
    QString readSqlDialect() const;
    // File -> 最近的專案, as one text ("RecentProjects"; see recentprojects.h), written at once.
    void writeRecentProjects(const QString& text);
    QString readRecentProjects() const;

    // The project store's database URL; empty for the default local database. Setting it writes
    // it at once; shutdown writes it again.
    const QString& storeConnection() const { return storeConnection_; }
    void setStoreConnection(const QString& url);

    // The login user name read at start-up: the first-run project name.
    const QString& loginUser() const { return loginUser_; }

    // The value names written through this store, in the order they were written.
    const QStringList& writeLog() const { return writeLog_; }

private:
    DiagramSettings firstRunValues(ScaleMemory& scale);
    DiagramSettings readAll(SettingsKey& key, WindowPlacement& window, ScaleMemory& scale);
    void put(SettingsKey& key, const QString& valueName, const QString& text);
    void writeAtOnce(const QString& valueName, const QString& text);

    Prompts& prompts_;
    QString fileName_;
    QString loginUser_;
    QString storeConnection_;
    QStringList writeLog_;
};

// "Convert" is offered only in enhanced mode.
bool convertEnabled(const ProgramSettings& settings);
