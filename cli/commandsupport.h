#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

#include "diagram.h"
#include "editor.h"
#include "prompts.h"

// What the command-line commands share: messages to stderr, and a project loaded without a window.

// Prints `text` and a line break to stderr at once.
void printError(const QString& text);

// Messages of validation and loading go to stderr; nothing is ever asked.
class StderrPrompts : public Prompts {
public:
    void message(const QString& text) override { printError(text); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<OleColor> chooseColour(OleColor) override { return std::nullopt; }
    bool confirm(const QString&, Answer) override { return true; }
    SaveChoice askToSave(const QString&) override { return SaveChoice::Discard; }
};

// A project loaded without a window: the diagram in min,max notation (as projects store
// participations and the converter reads them), its editor, and messages to stderr.
struct HeadlessProject {
    HeadlessProject() { diagram.settings.PresentStyle = 1; }
    Diagram diagram;
    StderrPrompts prompts;
    Editor editor{diagram, prompts};
};

// Options given as "--name value" pairs, each known to the command; nullopt after printing why
// on a usage error.
std::optional<QHash<QString, QString>> parseOptions(const QString& command,
                                                    const QStringList& arguments,
                                                    const QStringList& known);

// Loads project `name` from the store at `db` into `editor`, printing what could not be loaded.
// The exit status when there is nothing to work on, nothing when the project is loaded.
std::optional<int> loadOnly(const QString& db, const QString& name, Editor& editor);

// Whether `command` may write to `output` (empty: standard output, always allowed) while reading
// the store at `db`: the exit status after printing why not, or nothing when it may.
std::optional<int> refuseOutput(const QString& command, const QString& output, const QString& db);
