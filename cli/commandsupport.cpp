#include "commandsupport.h"

#include <cstdio>

#include "commandline.h"
#include "outputpath.h"
#include "projectstore.h"
#include "terminaltext.h"

void printError(const QString& text) {
    std::fprintf(stderr, "%s\n", terminalLines(text).toUtf8().constData());
    std::fflush(stderr);
}

std::optional<QHash<QString, QString>> parseOptions(const QString& command,
                                                    const QStringList& arguments,
                                                    const QStringList& known) {
    QHash<QString, QString> options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (!known.contains(option)) {
            printError(QStringLiteral("relvane %1: unknown option %2").arg(command, option));
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            printError(QStringLiteral("relvane %1: %2 needs a value").arg(command, option));
            return std::nullopt;
        }
        options.insert(option, arguments[++i]);
    }
    return options;
}

std::optional<int> loadOnly(const QString& db, const QString& name, Editor& editor) {
    const ProjectStore store(db);
    if (!store.isValid()) {
        printError(store.check().text());
        return ExitUsageOrSystem;
    }
    const ProjectStore::LoadResult loaded = store.loadInto(editor, name);
    switch (loaded.status) {
        case ProjectStore::LoadResult::Status::NotFound:
            printError(noSuchProjectMessage());
            return ExitRefused;
        case ProjectStore::LoadResult::Status::Failed:
        case ProjectStore::LoadResult::Status::Cancelled:  // nothing here stops a load
            printError(loaded.error.text());
            return ExitUsageOrSystem;
        case ProjectStore::LoadResult::Status::Loaded:
            break;
    }
    if (loaded.skippedRows > 0) printError(skippedRowsMessage(loaded.skippedRows));
    return std::nullopt;
}

std::optional<int> refuseOutput(const QString& command, const QString& output, const QString& db) {
    if (output.isEmpty()) return std::nullopt;
    const std::optional<QString> refused = refuseOutputPath(output, db);
    if (!refused) return std::nullopt;
    printError(QStringLiteral("relvane %1: %2").arg(command, *refused));
    return ExitUsageOrSystem;
}
