#include "sysinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

const QStringList& systemInfoPrograms() {
    static const QStringList programs{
        QStringLiteral("kinfocenter"),  // KDE Info Center
        QStringLiteral("hardinfo2"),    // System Profiler and Benchmark
        QStringLiteral("hardinfo"),
        QStringLiteral("gnome-system-monitor"),  // GNOME, with its "System" page
        QStringLiteral("mate-system-monitor"),
        QStringLiteral("xfce4-taskmanager"),
        QStringLiteral("lxtask"),
    };
    return programs;
}

QString findSystemInfoProgram(const QString& searchPath) {
    QStringList folders;
    for (const QString& folder : searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << QDir(folder).absolutePath();
    // findExecutable searches the process's own PATH when given no folders.
    if (folders.isEmpty()) return {};
    for (const QString& program : systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(program, folders);
        if (!path.isEmpty()) return path;
    }
    return {};
}

bool StartSysInfo(Prompts& prompts, const QString& searchPath) {
    const QString program = findSystemInfoProgram(searchPath);
    if (program.isEmpty() || !QProcess::startDetached(program, {})) {
        prompts.message(QCoreApplication::translate("SysInfo", "目前無法提供系統資訊"));
        return false;
    }
    return true;
}
