#include "listcommand.h"

#include <QTextStream>
#include <cstdio>

#include "commandline.h"
#include "projectcatalog.h"
#include "terminaltext.h"

int runListCommand(const QStringList& arguments) {
    QTextStream err(stderr);
    if (arguments.size() != 2 || arguments[0] != QLatin1String("--db")) {
        err << "usage: relvane list --db URL\n";
        return ExitUsageOrSystem;
    }
    StoreError error;
    const auto projects = listProjects(ProjectStore(arguments[1]), &error);
    if (!projects) {
        err << error.text() << '\n';
        return ExitUsageOrSystem;
    }
    QTextStream out(stdout);
    for (const ProjectSummary& p : *projects) {
        const QString saved =
            p.savedAt.isValid() ? p.savedAt.toLocalTime().toString(Qt::ISODate) : QString();
        // A draft may not pass validation: a fifth field says so.
        out << p.number << '\t' << terminalLine(p.name) << '\t' << p.elements << '\t' << saved
            << (p.draft ? QStringLiteral("\tdraft") : QString()) << '\n';
    }
    return ExitWritten;
}
