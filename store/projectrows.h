#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "document.h"
#include "olecolor.h"

// A stored project as read from its tables, before it becomes a diagram.
struct ProjectRows {
    struct ElementRow {
        int index = 0;
        QString caption;
        // An unreadable colour, position or size is left unset: the element keeps the
        // template's value for it.
        std::optional<OleColor> colour;
        std::optional<float> left, top, width, height;
        int kind = 0;      // the shape code
        int owner = 0;     // attributes: the owner's index
        bool key = false;  // attributes: underlined caption
    };
    struct InvokeRow {
        int relationship = 0, entity = 0;
        bool is2nd = false, isWeak = false;
        QString min, max, description;
        // Drawn without a relation behind it (the first link of a connection given up): known
        // from the list orders, not from the row.
        bool detached = false;
    };
    struct OwnerRow {
        int owner = 0, weakEntity = 0;
    };
    // Enhanced ER, from the tables of specializationrows.h: a specialization or category circle
    // and one of its lines.
    struct CircleRow {
        ElementRow element;
        bool overlapping = false, total = false;
        SubclassMapping mapping = SubclassMapping::SuperclassAndSubclasses;
        int definingAttribute = 0;
    };
    struct ClassLinkRow {
        int circle = 0, entity = 0;
        bool superclass = false;
    };

    int projectNumber = 0;
    // From the table beside the five (see projectextra.h): whether the project is a draft, which
    // may hold what validation refuses (an attribute without an owner, stored with owner 0), and
    // the list orders (see listorders.h). A project saved by an earlier version has neither.
    bool draft = false;
    QString orders;
    std::vector<ElementRow> entityTypes;   // in index order
    std::vector<ElementRow> attributes;    // in owner order
    std::vector<InvokeRow> invokes;        // by relationship, entity, Is2nd
    std::vector<OwnerRow> owners;          // by owner
    std::vector<CircleRow> circles;        // in index order
    std::vector<ClassLinkRow> classLinks;  // in drawing order
    // Rows left out because an index, kind or flag could not be read; single values (colour,
    // position, size) that could not be read in rows that were kept.
    int unreadableRows = 0;
    int unreadableValues = 0;
};
