#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "progress.h"
#include "projectstore.h"

class Editor;

// The Save and Load commands of the main window over a project store: their questions, the
// validation a save needs first and what they tell the user.

// Where the Save and Load buttons keep the project name typed last (the setting "ProjectName");
// Load offers it.
struct ProjectNameSetting {
    std::function<void(const QString&)> write;  // may be empty
};

// File -> 儲存 (the Save button, Ctrl+S) and 另存新檔... (Ctrl+Shift+S).
enum class SaveTarget {
    // The diagram's own project when it has one in this store (loaded from or last saved as in
    // this window): saved without a question. Else as AskForName.
    Current,
    // Asks for the name, preset to the diagram's; another stored project of that name is
    // replaced only when the user says so (Enter says No).
    AskForName,
};

// Save: validates the diagram; when it fails, lists the problems and offers to save it as a
// draft instead (Enter: 取消). Then finds the name (see SaveTarget; Cancel stops with nothing
// changed, a blank name is refused), records a typed name as the last one and in the setting,
// and saves. The diagram then is that project (its caption says so). Failures are shown as one
// message. True when the project was saved.
bool saveProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting,
                 Progress* progress = nullptr, SaveTarget target = SaveTarget::Current);

// The Load button: asks before clearing a diagram that has visible elements (Enter: No), asks
// for the project name, preset to the one typed last (Cancel stops with nothing changed), records
// it, and replaces the diagram with the project, which the caption then names (one step: Undo
// gives back the diagram and the project it was). Tells the user when there is no such project (the
// caption keeps what it showed), and how many rows had to be left out. True when a project was
// loaded.
// `choose`, when given, asks for the name instead of the name box (the project list), with the
// name box's prompt, title and preset name; nullopt for Cancel.
using ProjectChooser = std::function<std::optional<QString>(
    const QString& prompt, const QString& title, const QString& preset)>;
bool loadProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting,
                 const ProjectChooser& choose = {}, Progress* progress = nullptr);
// Load without its two questions, for a project already chosen (File -> 最近的專案): records
// the name and loads it as Load does.
bool loadNamedProject(const ProjectStore& store, Editor& editor, const QString& name,
                      const ProjectNameSetting& nameSetting, Progress* progress = nullptr);
