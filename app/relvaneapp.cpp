#include "relvaneapp.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>

#include "conversionjob.h"
#include "convert.h"
#include "crashrecovery.h"
#include "dialogprogress.h"
#include "dialogprompts.h"
#include "editor.h"
#include "form1.h"
#include "frmabout.h"
#include "frmoptions.h"
#include "frmsplash.h"
#include "overview.h"
#include "picturefile.h"
#include "projectfile.h"
#include "projectflows.h"
#include "projectstore.h"
#include "reviewpanel.h"
#include "sqlscript.h"
#include "windowdialogs.h"
#include "windowfit.h"

namespace {

// The window's own placement on a first run: a comfortable size, centred on the screen.
QRect initialGeometry() {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1280, 800);
    const QSize size(qMin(1100, screen.width() - 40), qMin(760, screen.height() - 40));
    return QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

}  // namespace

RelvaneApp::RelvaneApp(Prompts* prompts, AppDialogs* dialogs, const QString& settingsFile,
                       const QString& recoveryDirectory)
    : ownPrompts_(prompts ? nullptr : std::make_unique<DialogPrompts>()),
      workspace_(std::make_unique<Workspace>(prompts ? *prompts : *ownPrompts_)),
      window_(std::make_unique<Form1>(*workspace_)),
      ownDialogs_(dialogs ? nullptr
                          : std::make_unique<WindowDialogs>(window_->prompts(), window_.get())),
      dialogs_(dialogs ? *dialogs : *ownDialogs_),
      recovery_(std::make_unique<CrashRecovery>(*workspace_, recoveryDirectory)) {
    // The real dialogs are modal over the main window.
    if (ownPrompts_) ownPrompts_->setParentWindow(window_.get());
    settings_ = settingsFile.isEmpty()
                    ? std::make_unique<SettingsStore>(window_->prompts())
                    : std::make_unique<SettingsStore>(window_->prompts(), settingsFile);
    window_->setGeometry(initialGeometry());
    addReviewPanel();
    connect(window_.get(), &Form1::saveRequested, this, &RelvaneApp::save);
    connect(window_.get(), &Form1::saveAsRequested, this, &RelvaneApp::saveAs);
    connect(window_.get(), &Form1::recentProjectRequested, this, &RelvaneApp::openRecent);
    connect(window_.get(), &Form1::newRequested, this, &RelvaneApp::newDiagram);
    connect(window_.get(), &Form1::sampleRequested, this, &RelvaneApp::openSampleProject);
    connect(window_.get(), &Form1::exportRequested, this, &RelvaneApp::exportProjectFile);
    connect(window_.get(), &Form1::importRequested, this, &RelvaneApp::importProjectFile);
    connect(window_.get(), &Form1::exportSqlRequested, this, &RelvaneApp::exportSqlScript);
    connect(window_.get(), &Form1::exportPictureRequested, this, &RelvaneApp::exportPicture);
    connect(window_.get(), &Form1::printRequested, this, &RelvaneApp::print);
    connect(window_.get(), &Form1::printPreviewRequested, this, &RelvaneApp::printPreview);
    connect(window_.get(), &Form1::compareRequested, this, &RelvaneApp::compareWithReference);
    window_->closeGuard = [this] { return shutDown_ || settleUnsavedChanges(); };
    connect(window_.get(), &Form1::loadRequested, this, &RelvaneApp::load);
    connect(window_.get(), &Form1::convertRequested, this, &RelvaneApp::convert);
    connect(window_.get(), &Form1::closing, this, &RelvaneApp::shutdown);
    connect(window_.get(), &Form1::welcomeRequested, this, &RelvaneApp::showWelcome);
    connect(window_.get(), &Form1::aboutRequested, this, &RelvaneApp::showAbout);
    connect(window_.get(), &Form1::optionsRequested, this,
            [this] { showOptionsWindow(*window_, *settings_); });
}

RelvaneApp::~RelvaneApp() {
    delete splash_.data();
}

void RelvaneApp::addReviewPanel() {
    review_ = new ReviewPanel(*workspace_, *window_->canvas(), window_.get());
    connect(review_, &ReviewPanel::rubricRequested, this, &RelvaneApp::chooseRubric);
    window_->addDockWidget(Qt::RightDockWidgetArea, review_);
    QAction* toggle = review_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("mnuReviewPanel"));
    toggle->setText(QCoreApplication::translate("RelvaneApp", "關聯綱要"));
    toggle->setShortcut(QKeySequence(Qt::Key_F9));
    if (auto* view = window_->findChild<QMenu*>(QStringLiteral("mnuView"))) {
        view->addSeparator();
        view->addAction(toggle);
    }
}

StartupResult RelvaneApp::start() {
    WindowPlacement placement = currentPlacement();
    Diagram& d = window_->diagram();
    const StartupResult result = settings_->startup(placement, scale_);
    window_->editor().putSettingsInForce(result.values);
    window_->setScaleMemory(scale_);
    applyStartupPlacement(placement);
    review_->setVisible(settings_->readReviewPanel());
    window_->setGridShown(settings_->readShowGrid());
    window_->overviewDock()->setVisible(settings_->readOverview());
    window_->applySettings();
    window_->setConvertEnabled(convertEnabled(d.settings));
    recent_ = RecentProjects::fromText(settings_->readRecentProjects());
    rememberRecent({});
    // A new run's diagram is no project yet: the caption says 「未命名」 and Save asks for a
    // name, whatever project the last run saved.
    d.notifyView();
    if (placement.windowState == 2)
        window_->showMaximized();
    else
        window_->show();
    keepFrameOnScreen();
    // Recovered work is what the user wants to see: no greeting over it.
    const bool recovered = offerRecovery();
    if (result.showSplash && !recovered) splash_ = showSplashWindow(*settings_, window_.get());
    return result;
}

bool RelvaneApp::offerRecovery() {
    Prompts& prompts = window_->prompts();
    while (const std::optional<QString> file = recovery_->claimAbandoned()) {
        // No gives the work up, so Enter keeps it.
        if (!prompts.confirm(
                QCoreApplication::translate("RelvaneApp", "發現上次未正常結束時的圖形, 要復原嗎?"),
                Prompts::Answer::Yes)) {
            recovery_->release(*file);
            continue;
        }
        QString problem;
        std::optional<RecoverySnapshot> snapshot = CrashRecovery::read(*file, &problem);
        if (!snapshot) {
            prompts.message(
                QCoreApplication::translate("RelvaneApp", "無法復原 %1: %2").arg(*file, problem));
            recovery_->release(*file, true);
            continue;
        }
        window_->editor().restoreDiagram(std::move(snapshot->document), snapshot->presentStyle,
                                         snapshot->project);
        window_->editor().nameProject(std::nullopt, snapshot->projectName);
        // The work is in this run's own file before the old one goes.
        recovery_->writeNow();
        recovery_->release(*file);
        return true;
    }
    return false;
}

void RelvaneApp::applyStartupPlacement(const WindowPlacement& placement) {
    // Settings from another screen, or edited by hand, still give a window wholly on this one.
    if (!(placement.width > 0 && placement.height > 0)) return;
    // The window never becomes smaller than its minimum size, so that is the size to fit.
    WindowPlacement wanted = placement;
    const QSize minimum = window_->minimumSizeHint().expandedTo(window_->minimumSize());
    wanted.width = std::max(wanted.width, float(minimum.width()));
    wanted.height = std::max(wanted.height, float(minimum.height()));
    window_->setGeometry(fitPlacement(wanted, placementArea(wanted)));
}

void RelvaneApp::keepFrameOnScreen() {
    // Only a shown window has its frame; frame and all must lie in the screen's available area.
    const QScreen* screen = window_->screen();
    if (!screen || window_->isMaximized() || window_->isMinimized()) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window_->frameGeometry(), client = window_->geometry();
    if (area.isEmpty() || area.contains(frame)) return;
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    const WindowPlacement shown{float(client.left()), float(client.top()), float(client.width()),
                                float(client.height())};
    window_->setGeometry(fitPlacement(shown, area.marginsRemoved(margins)));
}

WindowPlacement RelvaneApp::currentPlacement() const {
    // A maximised or minimised window is remembered by its normal geometry, so the next start
    // restores a usable size.
    const QRect g = window_->isVisible() ? window_->normalGeometry() : window_->geometry();
    WindowPlacement p;
    p.left = float(g.left());
    p.top = float(g.top());
    p.width = float(g.width());
    p.height = float(g.height());
    p.windowState = window_->isMaximized() ? 2 : window_->isMinimized() ? 1 : 0;
    return p;
}

void RelvaneApp::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    scale_ = window_->scaleMemory();
    settings_->shutdown(window_->editor().settingsInForce(), currentPlacement(), scale_);
    settings_->writeReviewPanel(!review_->isHidden());
    settings_->writeShowGrid(window_->gridShown());
    settings_->writeOverview(!window_->overviewDock()->isHidden());
    recovery_->finish();
}

ProjectNameSetting RelvaneApp::projectNameSetting() {
    ProjectNameSetting setting;
    setting.write = [this](const QString& name) { settings_->writeProjectName(name); };
    return setting;
}

bool RelvaneApp::save() {
    return saveTo(SaveTarget::Current);
}

bool RelvaneApp::saveAs() {
    return saveTo(SaveTarget::AskForName);
}

bool RelvaneApp::saveTo(SaveTarget target) {
    const ProjectStore store(settings_->storeConnection());
    DialogProgress progress(QCoreApplication::translate("RelvaneApp", "正在儲存..."), window_.get());
    const bool saved =
        saveProject(store, window_->editor(), projectNameSetting(), &progress, target);
    if (!saved) return false;
    const ProjectIdentity& project = window_->diagram().view.project;
    window_->showStatus((project.draft
                             ? QCoreApplication::translate("RelvaneApp", "已儲存草稿 ")
                             : QCoreApplication::translate("RelvaneApp", "已儲存 Project ")) +
                        project.name);
    rememberRecent({RecentProject::Kind::Store, settings_->storeConnection(), project.name});
    return true;
}

void RelvaneApp::rememberRecent(const RecentProject& project) {
    if (!project.name.isEmpty()) {
        recent_.add(project);
        settings_->writeRecentProjects(recent_.toText());
    }
    QStringList labels;
    for (const RecentProject& entry : recent_.entries()) labels << entry.label();
    window_->setRecentProjects(labels);
}

void RelvaneApp::openRecent(int index) {
    if (index < 0 || index >= int(recent_.entries().size())) return;
    const RecentProject project = recent_.entries()[size_t(index)];
    if (!settleUnsavedChanges()) return;
    if (project.kind == RecentProject::Kind::File) {
        readProjectFile(project.place);
        return;
    }
    const ProjectStore store(project.place);
    DialogProgress progress(QCoreApplication::translate("RelvaneApp", "正在載入..."),
                            window_.get());
    if (loadNamedProject(store, window_->editor(), project.name, projectNameSetting(), &progress))
        rememberRecent(project);
}

bool RelvaneApp::settleUnsavedChanges() {
    if (!window_->editor().hasUnsavedChanges()) return true;
    switch (window_->prompts().askToSave(
        QCoreApplication::translate("RelvaneApp", "目前的圖形尚未儲存, 要儲存嗎?"))) {
        case Prompts::SaveChoice::Save:
            return save();
        case Prompts::SaveChoice::Discard:
            return true;
        case Prompts::SaveChoice::Cancel:
            break;
    }
    return false;
}

void RelvaneApp::newDiagram() {
    if (settleUnsavedChanges()) window_->editor().newDiagram();
}

void RelvaneApp::openSampleProject(SampleProject sample) {
    if (settleUnsavedChanges()) openSample(window_->editor(), sample);
}

void RelvaneApp::exportProjectFile() {
    Diagram& d = window_->diagram();
    const QString name =
        d.view.projectName.trimmed().isEmpty() ? QStringLiteral("Relvane") : d.view.projectName;
    const std::optional<QString> path =
        dialogs_.chooseProjectFileToWrite(defaultDocumentPath(name, QStringLiteral(".relvane")));
    if (!path) return;
    if (const auto failure = ::exportProjectFile(d, *path, name)) {
        window_->prompts().message(
            QCoreApplication::translate("RelvaneApp", "無法寫入專案檔 %1: %2")
                .arg(*path, *failure));
        return;
    }
    rememberRecent({RecentProject::Kind::File, QFileInfo(*path).absoluteFilePath(), name});
}

void RelvaneApp::importProjectFile() {
    if (!settleUnsavedChanges()) return;
    const std::optional<QString> path = dialogs_.chooseProjectFileToRead();
    if (path) readProjectFile(*path);
}

void RelvaneApp::openProjectFile(const QString& path) {
    // Work recovered at start-up is offered for saving before the file replaces it.
    if (settleUnsavedChanges()) readProjectFile(path);
}

void RelvaneApp::readProjectFile(const QString& path) {
    QString problem, skipped;
    const std::optional<QString> name =
        ::importProjectFile(window_->editor(), path, &problem, &skipped);
    if (!name) {
        window_->prompts().message(problem);
        return;
    }
    if (!skipped.isEmpty()) window_->prompts().message(skipped);
    // The project came from the file's own store: saving it in the store asks like a new name.
    window_->editor().nameProject(std::nullopt, *name);
    window_->editor().markSaved();
    rememberRecent({RecentProject::Kind::File, QFileInfo(path).absoluteFilePath(), *name});
}

void RelvaneApp::load() {
    if (!settleUnsavedChanges()) return;
    const ProjectStore store(settings_->storeConnection());
    DialogProgress progress(QCoreApplication::translate("RelvaneApp", "正在載入..."), window_.get());
    // The project list: it shows the store's projects, and its name box is the one Load asks.
    const ProjectChooser chooseFromList =
        [this, &store](const QString& prompt, const QString& title, const QString& preset) {
            return dialogs_.chooseProjectToLoad(store, prompt, title, preset);
        };
    if (loadProject(store, window_->editor(), projectNameSetting(), chooseFromList, &progress))
        rememberRecent({RecentProject::Kind::Store, settings_->storeConnection(),
                        window_->diagram().view.project.name});
}

bool RelvaneApp::readyToConvert(ConversionJob& job) {
    const std::optional<ConvertResult> refused = job.check();
    // Validation has told the user why; other refusals carry their reason.
    if (refused && !refused->error.isEmpty()) window_->prompts().message(refused->error);
    return !refused;
}

void RelvaneApp::writeScript(ConversionJob& job, const QString& path,
                             std::optional<SqlDialect> dialect) {
    // PostgreSQL until another is chosen: it runs as it stands on the server most courses use.
    if (!dialect)
        dialect = sqlDialectFromName(settings_->readSqlDialect()).value_or(SqlDialect::PostgreSQL);
    QStringList warnings;
    const ConvertResult result = job.writeSqlScript(path, *dialect, &warnings);
    if (!result.ok()) {
        window_->prompts().message(
            QCoreApplication::translate("RelvaneApp", "無法寫入 SQL 指令碼 %1: %2")
                .arg(path, result.error));
        return;
    }
    window_->showStatus(QCoreApplication::translate("RelvaneApp", "已寫入 ") + path);
    if (!warnings.isEmpty())
        window_->prompts().message(QCoreApplication::translate(
                                       "RelvaneApp", "SQL 指令碼已寫入 %1, 但有些部分只寫成註解:\n")
                                       .arg(path) +
                                   warnings.join(QLatin1Char('\n')));
}

void RelvaneApp::exportSqlScript() {
    ConversionJob job(window_->editor());
    if (!readyToConvert(job)) return;
    const std::optional<SqlScriptTarget> target = dialogs_.chooseSqlScriptPath(
        defaultDocumentPath(window_->diagram().view.projectName, QStringLiteral(".sql")),
        settings_->readSqlDialect());
    if (!target) return;
    const std::optional<SqlDialect> dialect = sqlDialectFromName(target->dialect);
    // The system chosen is offered first next time.
    if (dialect) settings_->writeSqlDialect(target->dialect.toLower());
    writeScript(job, target->path, dialect.value_or(SqlDialect::PostgreSQL));
}

void RelvaneApp::exportPicture() {
    const QRectF area = window_->editor().captureRect();
    if (area.isEmpty()) {
        window_->prompts().message(noElementsToPictureMessage());
        return;
    }
    const std::optional<PictureTarget> target = dialogs_.choosePicturePath(
        defaultDocumentPath(window_->diagram().view.projectName, QStringLiteral(".png")));
    if (!target) return;
    DialogProgress progress(QCoreApplication::translate("RelvaneApp", "正在匯出圖片..."),
                            window_.get());
    if (const auto error = writePicture(*window_->canvas(), area, target->path, target->scale,
                                        &progress)) {
        // Stopped by the user: the file that was there stays, nothing to tell.
        if (*error != pictureCancelledMessage())
            window_->prompts().message(
                QCoreApplication::translate("RelvaneApp", "無法寫入圖片 %1: %2").arg(target->path, *error));
        return;
    }
    window_->showStatus(QCoreApplication::translate("RelvaneApp", "已寫入 ") + target->path);
}

void RelvaneApp::compareWithReference() {
    const std::optional<QString> chosen =
        dialogs_.chooseReference(window_->diagram().view.projectName);
    if (!chosen) return;
    Prompts& prompts = window_->prompts();
    // The reference is read into a diagram of its own, in the notation the student draws in.
    auto reference = std::make_unique<Diagram>();
    reference->settings = window_->diagram().settings;
    Editor reader(*reference, prompts);
    QString name = *chosen;
    if (chosen->startsWith(QLatin1String("file:"))) {
        QString problem, skipped;
        const std::optional<QString> stored =
            ::importProjectFile(reader, chosen->mid(5), &problem, &skipped);
        if (!stored) {
            prompts.message(problem);
            return;
        }
        if (!skipped.isEmpty()) prompts.message(skipped);
        name = QFileInfo(chosen->mid(5)).fileName();
    } else {
        const ProjectStore store(settings_->storeConnection());
        const ProjectStore::LoadResult loaded = store.loadInto(reader, name);
        if (loaded.status != ProjectStore::LoadResult::Status::Loaded) {
            prompts.message(loaded.status == ProjectStore::LoadResult::Status::NotFound
                                ? noSuchProjectMessage()
                                : loaded.error.text());
            return;
        }
    }
    review_->compareWith(std::move(reference), name);
}

void RelvaneApp::chooseRubric() {
    const std::optional<QString> path = dialogs_.chooseRubricFile();
    if (!path) return;
    auto rubric = readRubric(*path);
    if (const QString* problem = std::get_if<QString>(&rubric)) {
        window_->prompts().message(*problem);
        return;
    }
    review_->setRubric(std::get<Rubric>(std::move(rubric)));
}

void RelvaneApp::convert() {
    const Diagram& d = window_->diagram();
    Prompts& prompts = window_->prompts();
    ConversionJob job(window_->editor());
    if (!readyToConvert(job)) return;
    const std::optional<QString> path =
        dialogs_.chooseWorkbookPath(defaultWorkbookPath(d.view.projectName));
    if (!path) return;
    if (path->endsWith(QLatin1String(".sql"), Qt::CaseInsensitive)) {
        writeScript(job, *path);
        return;
    }
    DialogProgress progress(QCoreApplication::translate("RelvaneApp", "正在轉換..."),
                            window_.get());
    const ConvertResult result = job.writeWorkbook(*path, d.settings.FKPK, &progress);
    if (result.status == ConvertResult::Status::Cancelled) {
        window_->showStatus(QCoreApplication::translate("RelvaneApp", "已取消轉換, 沒有寫入檔案"));
        return;
    }
    if (!result.ok()) {
        prompts.message(QCoreApplication::translate("RelvaneApp", "無法寫入活頁簿 %1: %2")
                            .arg(*path, result.error));
        return;
    }
    window_->showStatus(QCoreApplication::translate("RelvaneApp", "已寫入 ") + *path);
    // The workbook is written either way; without a spreadsheet program the user is told where.
    dialogs_.openWorkbook(*path);
}

void RelvaneApp::showWelcome() {
    delete splash_.data();
    splash_ = showSplashWindow(*settings_, window_.get());
}

void RelvaneApp::showAbout() {
    showAboutWindow(window_->prompts(), window_.get());
}
