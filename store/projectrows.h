#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "olecolor.h"

// A stored project as read from its tables, before it becomes a diagram.
struct ProjectRows {
    struct ElementRow {
        int index = 0;
        QString caption;
        OleColor colour = 0;
        float left = 0, top = 0, width = 0, height = 0;
        int kind = 0;      // the shape code
        int owner = 0;     // attributes: the owner's index
        bool key = false;  // attributes: underlined caption
    };
    struct InvokeRow {
        int relationship = 0, entity = 0;
        bool is2nd = false, isWeak = false;
        QString min, max, description;
    };
    struct OwnerRow {
        int owner = 0, weakEntity = 0;
    };

    int projectNumber = 0;
    std::vector<ElementRow> entityTypes;  // in index order
    std::vector<ElementRow> attributes;   // in owner order
    std::vector<InvokeRow> invokes;       // by relationship, entity, Is2nd
    std::vector<OwnerRow> owners;         // by owner
    // Rows whose values could not be read, and queries that failed (with the database's reason).
    int unreadableRows = 0;
    QStringList failedSteps;
};
