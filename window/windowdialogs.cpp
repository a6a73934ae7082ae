#include "windowdialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QProcess>
#include <QUrl>

#include "projectlistdialog.h"
#include "prompts.h"

namespace {

QString projectFiles() {
    return QCoreApplication::translate("WindowDialogs", "Relvane 專案檔 (*.relvane)");
}

QString sqlScripts() {
    return QCoreApplication::translate("WindowDialogs", "SQL 指令碼 (*.sql)");
}

// The database systems an SQL script is written for: the name the settings and the command line
// use, and the one the file type shows.
struct ScriptSystem {
    const char* dialect;
    const char* shown;
};
constexpr ScriptSystem kScriptSystems[] = {
    {"sqlite", "SQLite"}, {"postgresql", "PostgreSQL"}, {"mysql", "MySQL"}};
// PostgreSQL, written until another system is chosen.
constexpr qsizetype kDefaultSystem = 1;

QString sqlScriptsFor(const ScriptSystem& system) {
    return QCoreApplication::translate("WindowDialogs", "SQL 指令碼 - %1 (*.sql)")
        .arg(QLatin1String(system.shown));
}

// A file chosen to be written: nullopt for Cancel; a name without `suffix` gets it.
std::optional<QString> withSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty()) return std::nullopt;
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

std::optional<QString> chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace

WindowDialogs::WindowDialogs(Prompts& prompts, QWidget* parent)
    : prompts_(prompts), parent_(parent) {}

std::optional<QString> WindowDialogs::chooseWorkbookPath(const QString& defaultPath) {
    const QString workbooks = QCoreApplication::translate("WindowDialogs", "Excel 活頁簿 (*.xlsx)");
    QString filter = workbooks;
    const QString path = QFileDialog::getSaveFileName(
        parent_, QStringLiteral("Convert"), defaultPath, workbooks + ";;" + sqlScripts(), &filter);
    // A name of either type is kept; one of neither gets the suffix of the type chosen.
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ||
        path.endsWith(QLatin1String(".sql"), Qt::CaseInsensitive))
        return path;
    return withSuffix(path,
                      filter == sqlScripts() ? QStringLiteral(".sql") : QStringLiteral(".xlsx"));
}

std::optional<SqlScriptTarget> WindowDialogs::chooseSqlScriptPath(const QString& defaultPath,
                                                                  const QString& dialect) {
    QStringList types;
    QString chosenType = sqlScriptsFor(kScriptSystems[kDefaultSystem]);
    for (const ScriptSystem& system : kScriptSystems) {
        types << sqlScriptsFor(system);
        if (dialect.compare(QLatin1String(system.dialect), Qt::CaseInsensitive) == 0)
            chosenType = types.back();
    }
    const std::optional<QString> path =
        withSuffix(QFileDialog::getSaveFileName(
                       parent_, QCoreApplication::translate("WindowDialogs", "匯出 SQL"),
                       defaultPath, types.join(QStringLiteral(";;")), &chosenType),
                   QStringLiteral(".sql"));
    if (!path) return std::nullopt;
    // A type the dialog does not report back as one offered counts as the default.
    const qsizetype type = types.indexOf(chosenType);
    return SqlScriptTarget{*path,
                           QLatin1String(kScriptSystems[type < 0 ? kDefaultSystem : type].dialect)};
}

std::optional<PictureTarget> WindowDialogs::choosePicturePath(const QString& defaultPath) {
    return askForPicturePath(parent_, defaultPath);
}

std::optional<QString> WindowDialogs::chooseProjectFileToWrite(const QString& defaultPath) {
    return withSuffix(QFileDialog::getSaveFileName(
                          parent_, QCoreApplication::translate("WindowDialogs", "匯出專案檔"),
                          defaultPath, projectFiles()),
                      QStringLiteral(".relvane"));
}

std::optional<QString> WindowDialogs::chooseProjectFileToRead() {
    return chosen(QFileDialog::getOpenFileName(
        parent_, QCoreApplication::translate("WindowDialogs", "匯入專案檔"), QString(),
        projectFiles()));
}

std::optional<QString> WindowDialogs::chooseProjectToLoad(const ProjectStore& store,
                                                          const QString& prompt,
                                                          const QString& title,
                                                          const QString& preset) {
    ProjectListDialog dialog(store, prompts_, prompt, title, preset, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

std::optional<QString> WindowDialogs::chooseReference(const QString& ownProject) {
    // A stored project's name typed in, or a project file picked with the file dialog.
    const QString fromFile = QCoreApplication::translate("WindowDialogs", "從專案檔選擇...");
    bool ok = false;
    const QString choice = QInputDialog::getItem(
        parent_, QCoreApplication::translate("WindowDialogs", "與參考答案比較"),
        QCoreApplication::translate("WindowDialogs", "參考答案的專案名稱:"), {ownProject, fromFile},
        0, true, &ok);
    if (!ok || choice.trimmed().isEmpty()) return std::nullopt;
    if (choice != fromFile) return choice;
    const std::optional<QString> path = chosen(QFileDialog::getOpenFileName(
        parent_, QCoreApplication::translate("WindowDialogs", "參考答案"), QString(),
        projectFiles()));
    if (!path) return std::nullopt;
    return QStringLiteral("file:") + *path;
}

std::optional<QString> WindowDialogs::chooseRubricFile() {
    return chosen(QFileDialog::getOpenFileName(
        parent_, QCoreApplication::translate("WindowDialogs", "評分標準")));
}

void WindowDialogs::openWorkbook(const QString& path) {
    // xdg-open reports a missing or failing program only by its exit status, which
    // QDesktopServices drops; it may also run the program in the foreground until it closes, so
    // it is watched, not waited for.
    auto* opener = new QProcess(this);
    connect(opener, &QProcess::finished, this,
            [this, opener, path](int exitCode, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exitCode != 0) workbookNotOpened(path);
                opener->deleteLater();
            });
    connect(opener, &QProcess::errorOccurred, this, [this, opener, path](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        // No xdg-open: whatever Qt's own desktop services can do.
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) workbookNotOpened(path);
        opener->deleteLater();
    });
    opener->start(QStringLiteral("xdg-open"), {path});
}

void WindowDialogs::workbookNotOpened(const QString& path) {
    prompts_.message(QCoreApplication::translate("WindowDialogs",
                                                 "活頁簿已存於 %1, 但找不到可以開啟它的試算表程式")
                         .arg(path));
}
