#pragma once

#include <QString>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "document.h"
#include "programsettings.h"
#include "session.h"

// What one step of editing changed, as the values before and after it: enough to take the step
// back and to do it again. Only the entries the step touched are kept (copies share their
// collections), so a long history of small steps stays small.
struct DiagramStep {
    // The part of the editing session a step takes back with it: the connect modes' state, the
    // menus' checks and what the window shows of them. Hover texts stay; the project identity
    // comes back only with a step that changed it (a load, a new diagram), not with every edit
    // made since a save.
    struct Session {
        WindowState state;
        MenuChecks checks;
        QString prompt;
        bool legendVisible = false;
        bool toolbarEnabled = true;
        std::set<int> selection;
        Highlights highlights;
        std::optional<ProjectIdentity> project;
    };

    struct Images {
        int elementCount = 0;
        int connectorCount = 0;
        // By index, ascending: entries that existed on this side of the step.
        std::vector<std::pair<int, Element>> elements;
        std::vector<std::pair<int, Connector>> connectors;
        // The whole document, when the step put another one in place.
        std::optional<Document> document;
        Session session;
        ProgramSettings settings;
    };

    Images before;
    Images after;

    // Whether the step changed anything a project keeps or the settings, rather than only what
    // the window shows.
    bool changesDiagram() const;
    // Forgets the entries that ended as they began, and the project identity when the step left it
    // as it was.
    void dropUnchanged();
};
