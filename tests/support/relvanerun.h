#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of the relvane binary as a user starts it: its exit status and what it wrote.
struct RelvaneRun {
    int status;
    QString out, err;
};

// Runs relvane with `arguments`, its settings and data under `home` (HOME, XDG_CONFIG_HOME), and
// this process's environment otherwise, less the variables named in `unset`.
inline RelvaneRun runRelvane(const QStringList& arguments, const QString& home,
                             const QStringList& unset = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    env.insert(QStringLiteral("HOME"), home);
    for (const QString& name : unset) env.remove(name);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(RELVANE_BINARY), arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
