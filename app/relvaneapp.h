#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

#include "printing.h"
#include "projectflows.h"
#include "recentprojects.h"
#include "sampleprojects.h"
#include "settingsstore.h"

class AppDialogs;
class ConversionJob;
class CrashRecovery;
class ReviewPanel;
class DialogPrompts;
class WindowDialogs;
class Form1;
class Prompts;
class QPrinter;
class Workspace;
struct ProjectNameSetting;
enum class SqlDialect;
enum class SaveTarget;

// The running program: the workspace (the diagram and its editor), the main window that shows
// it, wired to the settings, the project store, the converter and the other windows. Start-up and
// shutdown run the settings store around the window's life.
class RelvaneApp : public QObject {
    Q_OBJECT
public:
    // `prompts` answers the window's little dialogs and `dialogs` its file and project choosers
    // (tests pass scripted ones; without them the real dialogs ask); `settingsFile` replaces the
    // user's settings file and `recoveryDirectory` the folder of recovery files (tests pass
    // temporary ones).
    explicit RelvaneApp(Prompts* prompts = nullptr, AppDialogs* dialogs = nullptr,
                        const QString& settingsFile = QString(),
                        const QString& recoveryDirectory = QString());
    ~RelvaneApp() override;

    // Reads the settings, shows the main window, offers the work of a run that ended without a
    // clean exit and, when the settings ask for it, shows the splash.
    StartupResult start();

    Workspace& workspace() { return *workspace_; }
    Form1& window() { return *window_; }
    SettingsStore& settings() { return *settings_; }
    CrashRecovery& recovery() { return *recovery_; }
    ReviewPanel& reviewPanel() { return *review_; }

    // The window's buttons and File -> "開新圖形". Save reports whether the project was saved:
    // to the diagram's own project without a question when it has one, else as saveAs.
    bool save();
    // File -> "另存新檔...": asks for the name.
    bool saveAs();
    // File -> "最近的專案": opens the entry at `index`, newest first, after the unsaved-changes
    // question.
    void openRecent(int index);
    const RecentProjects& recentProjects() const { return recent_; }
    void load();
    void convert();
    void newDiagram();
    // File -> 範例: the sample as a new diagram, once unsaved changes are settled as for New.
    void openSampleProject(SampleProject sample);
    // File -> "匯出專案檔..." and "匯入專案檔...".
    void exportProjectFile();
    void importProjectFile();
    // Opens the project file at `path` as "匯入專案檔..." does once the file is chosen: what
    // `relvane FILE.relvane` (a double-click on the file) does after start-up.
    void openProjectFile(const QString& path);
    // File -> "匯出 SQL...": validates like Convert and writes the PostgreSQL script.
    void exportSqlScript();
    // File -> "匯出圖片...": the picture Capture takes, written as PNG, SVG or PDF.
    void exportPicture();
    // File -> "列印..." (Ctrl+P) and "預覽列印...": the picture Capture takes, on paper, fitted
    // to a page or at 100 %. The printer, its page setup and the scale are kept for the next time.
    void print();
    void printPreview();
    // File -> "與參考答案比較...": asks for the reference answer and compares the diagram with it
    // in the review panel from then on.
    void compareWithReference();
    // The comparison's rubric link: asks for a rubric file and prices the comparison by it; a file
    // that cannot be read or understood is told and changes nothing.
    void chooseRubric();
    // Before unsaved changes would be lost: asks whether to save them first. False when the user
    // cancels, or chose to save and the save did not happen.
    bool settleUnsavedChanges();

private:
    bool saveTo(SaveTarget target);
    // `project` was opened or saved: it heads File -> 最近的專案.
    void rememberRecent(const RecentProject& project);
    void applyStartupPlacement(const WindowPlacement& placement);
    void keepFrameOnScreen();
    WindowPlacement currentPlacement() const;
    ProjectNameSetting projectNameSetting();
    void shutdown();
    // Offers the work of runs that ended abnormally; true when one was put in place.
    bool offerRecovery();
    void addReviewPanel();
    // The checks of Convert (notation, validation), telling the user why when they fail.
    bool readyToConvert(ConversionJob& job);
    // The script for `dialect`, or for the system last chosen in "匯出 SQL..." when none is given.
    void writeScript(ConversionJob& job, const QString& path,
                     std::optional<SqlDialect> dialect = std::nullopt);
    // Puts the project file's project in place of the diagram, or tells why it cannot.
    void readProjectFile(const QString& path);
    void showWelcome();
    void showAbout();

    std::unique_ptr<DialogPrompts> ownPrompts_;
    // The splash is a window of its own that deletes itself when closed; one still open when the
    // program ends goes with it.
    QPointer<QWidget> splash_;
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Form1> window_;
    // The choosers: the real ones over the window unless the caller gave its own.
    std::unique_ptr<WindowDialogs> ownDialogs_;
    AppDialogs& dialogs_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<CrashRecovery> recovery_;
    // The drawing's area, with the printer made ready; nullopt (and told) when nothing is drawn.
    std::optional<QRectF> printableArea();
    std::unique_ptr<QPrinter> printer_;
    PrintScale printScale_ = PrintScale::FitToPage;
    ReviewPanel* review_ = nullptr;  // a dock of the window, which owns it
    ScaleMemory scale_;
    RecentProjects recent_;
    bool shutDown_ = false;
};
